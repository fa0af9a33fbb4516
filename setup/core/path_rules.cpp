#include "path_rules.h"

#include <cctype>
#include <cstring>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Depth below the root after walking the names of a path from a start.
// ".." climbs, but never above the root; a name of dots and blanks alone
// (".", "...") stands for the folder it is in.
int WalkedDepth(const std::string& text, std::size_t from, int depth)
{
    std::size_t begin = from;
    while (begin < text.size()) {
        std::size_t end = begin;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        const std::string name = text.substr(begin, end - begin);
        if (name == "..")
            depth = depth > 0 ? depth - 1 : 0;
        else if (name.find_first_not_of(". ") != std::string::npos)
            ++depth;
        begin = end + 1;
    }
    return depth;
}

}  // namespace

bool NamesFolderBelowRoot(const std::string& folder, const std::string& currentDirectory)
{
    if (folder.find_first_not_of(" \t") == std::string::npos)
        return false;
    if (folder.size() >= 2 && IsSeparator(folder[0]) && IsSeparator(folder[1])) {
        // \\server\share: both names belong to the root.
        std::size_t pos = 2;
        for (int name = 0; name < 2; ++name) {
            while (pos < folder.size() && !IsSeparator(folder[pos]))
                ++pos;
            if (pos >= folder.size())
                return false;
            ++pos;
        }
        return WalkedDepth(folder, pos, 0) > 0;
    }
    if (folder.size() >= 2 && folder[1] == ':')
        return WalkedDepth(folder, 2, 0) > 0;
    if (IsSeparator(folder[0]))
        return WalkedDepth(folder, 0, 0) > 0;
    // Relative: from the current directory, where one can be read.
    if (IsFullPath(currentDirectory))
        return NamesFolderBelowRoot(currentDirectory + "\\" + folder, std::string());
    return WalkedDepth(folder, 0, 0) > 0;
}

bool IsPlainName(const std::string& name)
{
    if (name.empty() || name.back() == '.' || name.back() == ' ')
        return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32 || std::strchr("<>:\"/\\|?*", c) != nullptr)
            return false;
    }
    std::string base = name.substr(0, name.find('.'));
    base.erase(base.find_last_not_of(' ') + 1);
    for (char& c : base)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (base == device)
            return false;
    }
    const bool numbered = base.size() == 4 && (base.compare(0, 3, "COM") == 0 ||
                                               base.compare(0, 3, "LPT") == 0);
    return !(numbered && base[3] >= '1' && base[3] <= '9');
}

bool IsFullPath(const std::string& path)
{
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
        IsSeparator(path[2]))
        return true;
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
           !IsSeparator(path[2]);
}
