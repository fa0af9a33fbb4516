#include "path_rules.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

// The root of a full path written with backslashes, "C:\" or "\\server\share\", and
// where the names below it start; empty when the path is no full path.
std::string RootOf(const std::string& path, std::size_t* rest)
{
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
        path[2] == '\\') {
        *rest = 3;
        return path.substr(0, 3);
    }
    if (path.size() < 3 || path.compare(0, 2, "\\\\") != 0 || path[2] == '\\')
        return std::string();
    // \\server\share: both names belong to the root.
    const std::size_t server = path.find('\\', 2);
    if (server == std::string::npos || server + 1 >= path.size() || path[server + 1] == '\\')
        return std::string();
    std::size_t share = path.find('\\', server + 1);
    if (share == std::string::npos)
        share = path.size();
    *rest = share + 1;
    return path.substr(0, share) + '\\';
}

}  // namespace

std::string NormalFolderBelowRoot(const std::string& folder)
{
    std::string path = folder;
    std::replace(path.begin(), path.end(), '/', '\\');
    // "\\?\" and "\\.\" only tell Windows to take the rest as it stands;
    // "\\?\UNC\server\share" is "\\server\share". Each such prefix goes, so a
    // repeated one cannot survive into the normal form.
    while (path.size() >= 4 && path.compare(0, 2, "\\\\") == 0 && (path[2] == '?' || path[2] == '.') &&
        path[3] == '\\') {
        path.erase(0, 4);
        if (path.size() >= 4 && EqualsIgnoringCase(path.substr(0, 4), "UNC\\"))
            path.replace(0, 3, "\\");
    }
    std::size_t pos = 0;
    const std::string root = RootOf(path, &pos);
    if (root.empty())
        return std::string();
    // ".." climbs, but never above the root; a name of dots and blanks alone
    // (".", "...") stands for the folder it is in.
    std::vector<std::string> names;
    while (pos < path.size()) {
        std::size_t end = path.find('\\', pos);
        if (end == std::string::npos)
            end = path.size();
        const std::string name = path.substr(pos, end - pos);
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (name.find_first_not_of(". ") != std::string::npos) {
            names.push_back(name);
        }
        pos = end + 1;
    }
    if (names.empty())
        return std::string();
    std::string normal = root;
    for (const std::string& name : names)
        normal += name + '\\';
    return normal;
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
