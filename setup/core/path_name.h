#pragma once
// CPathName: a folder path with its own separator character. Assigned text is
// parsed for folder macros in square brackets ("[windowsdir]", "[datedir]",
// ...) and ends with the separator afterwards; text set through Text() stays
// as it is put there.

#include <optional>
#include <string>
#include <vector>

#include "path_platform.h"

// Longest macro expansion that fits, in characters (a MAX_PATH buffer less
// its terminator).
constexpr std::size_t kMaxMacroExpansion = 259;

class CPathName {
public:
    explicit CPathName(PathPlatform& platform = SystemPathPlatform());
    CPathName(const char* text, PathPlatform& platform = SystemPathPlatform());
    virtual ~CPathName() = default;

    CPathName(const CPathName&) = default;
    CPathName& operator=(const CPathName&) = default;

    // Replaces the text by the parsed form of the given one; null changes nothing.
    void Assign(const char* text);
    void Assign(const std::string& text) { Assign(text.c_str()); }
    // Appends the given text and parses the whole result again.
    void Append(const char* text);
    void Append(const std::string& text) { Append(text.c_str()); }
    void EnsureTrailingSeparator();

    // TRUE when the text can be made the current directory.
    bool Exists() const;
    // Creates every missing level; false when a level could not be made.
    // Slashes and backslashes both separate levels, as they do for Windows.
    bool CreateChain() const;

    // False while the text is the one an assignment gave it and a macro's
    // expansion there did not fit (longer than kMaxMacroExpansion, or its
    // source could not be read): the text is not the folder that was meant.
    // Text put in its place, as typed, fits again.
    bool Fits() const;

    const std::string& Text() const { return m_text; }
    // The raw text, for dialog data exchange: stored as typed, not parsed.
    std::string& Text() { return m_text; }
    char Separator() const { return m_separator; }
    // Where the macros' sources and the folders come from.
    PathPlatform& Platform() const { return *m_platform; }

private:
    struct Expansion {
        std::string text;  // at most kMaxMacroExpansion characters
        bool fits = true;
    };
    // The expansion of one macro name, or none for an unknown name.
    std::optional<Expansion> ExpandMacro(const std::string& name) const;
    void AppendLiteral(const std::string& piece);
    void AppendFinal(const std::string& piece);

    PathPlatform* m_platform;
    std::string m_text;
    char m_separator = '\\';
    // The text of the last assignment whose expansion did not fit, if any.
    std::optional<std::string> m_unfitText;
};

// The folders CreateChain makes for a text, in order: each prefix before a
// slash or backslash that is longer than two characters is a level; with a
// leading double separator the first two levels (server and share) are
// skipped.
std::vector<std::string> ChainLevels(const std::string& text);
