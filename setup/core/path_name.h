#pragma once
// CPathName: a folder path with its own separator character. Assigned text is
// parsed for folder macros in square brackets ("[windowsdir]", "[datedir]",
// ...) and always ends with the separator afterwards.

#include <optional>
#include <string>
#include <vector>

#include "path_platform.h"

// Longest macro expansion kept, in characters (a MAX_PATH buffer less its
// terminator).
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
    bool CreateChain() const;

    const std::string& Text() const { return m_text; }
    // The raw text, for dialog data exchange: stored as typed, not parsed.
    std::string& Text() { return m_text; }
    char Separator() const { return m_separator; }

    // The expansion of one macro name (at most kMaxMacroExpansion characters),
    // or none for an unknown name.
    std::optional<std::string> ExpandMacro(const std::string& name) const;

private:
    void AppendLiteral(const std::string& piece);
    void AppendFinal(const std::string& piece);

    PathPlatform* m_platform;
    std::string m_text;
    char m_separator = '\\';
};

// The folders CreateChain makes for a text, in order: each prefix before a
// separator that is longer than two characters is a level; with a leading
// double separator the first two levels (server and share) are skipped.
std::vector<std::string> ChainLevels(const std::string& text, char separator);
