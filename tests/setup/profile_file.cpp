#include "profile_file.h"

#include <fstream>
#include <sstream>

namespace {

constexpr const char* kBlanks = " \t\v\f";

std::string Trimmed(const std::string& text, std::size_t begin, std::size_t end)
{
    const std::size_t first = text.find_first_not_of(kBlanks, begin);
    if (first == std::string::npos || first >= end)
        return std::string();
    std::size_t last = end;
    while (last > first && std::string(kBlanks).find(text[last - 1]) != std::string::npos)
        --last;
    return text.substr(first, last - first);
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        const auto lower = [](unsigned char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
        };
        if (lower(x) != lower(y))
            return false;
    }
    return true;
}

std::string Unquoted(std::string value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::string ProfileValue(const std::string& content, const std::string& section,
                         const std::string& key)
{
    const std::string wantedSection = Trimmed(section, 0, section.size());
    const std::string wantedKey = Trimmed(key, 0, key.size());

    // 0: before the wanted section, 1: inside it, 2: past it.
    int state = 0;
    std::size_t pos = 0;
    while (pos < content.size() && state < 2) {
        std::size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = content.size();
        const std::size_t first = content.find_first_not_of(kBlanks, pos);
        if (first != std::string::npos && first < end) {
            if (content[first] == '[') {
                // The name runs to the last closing bracket of the line.
                std::size_t close = content.rfind(']', end - 1);
                if (close == std::string::npos || close <= first)
                    close = end;
                const bool match = SameName(Trimmed(content, first + 1, close), wantedSection);
                if (state == 1)
                    state = 2;  // only the first matching section counts
                else if (match)
                    state = 1;
            } else if (state == 1) {
                const std::size_t equals = content.find('=', first);
                const std::size_t keyEnd = (equals != std::string::npos && equals < end) ? equals : end;
                if (SameName(Trimmed(content, first, keyEnd), wantedKey)) {
                    if (keyEnd == end)
                        return std::string();
                    std::string value = Unquoted(Trimmed(content, equals + 1, end));
                    if (value.size() > kProfileValueMax)
                        value.resize(kProfileValueMax);
                    return value;
                }
            }
        }
        pos = end + 1;
    }
    return std::string();
}

std::string ProfileFileReader::ReadString(const std::string& section, const std::string& key,
                                          const std::string& filePath)
{
    std::ifstream file(filePath, std::ios::binary);
    if (!file)
        return std::string();
    std::ostringstream content;
    content << file.rdbuf();
    return ProfileValue(content.str(), section, key);
}
