// Fuzzes the profile-file reader: any bytes as a file, any section and key
// names. A value never exceeds 255 characters and never spans lines.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The names to look up come first, each ended by a line feed.
    const std::size_t sectionEnd = input.find('\n');
    if (sectionEnd == std::string::npos)
        return 0;
    const std::size_t keyEnd = input.find('\n', sectionEnd + 1);
    if (keyEnd == std::string::npos)
        return 0;
    const std::string section = input.substr(0, sectionEnd);
    const std::string key = input.substr(sectionEnd + 1, keyEnd - sectionEnd - 1);
    const std::string content = input.substr(keyEnd + 1);

    for (const auto& [s, k] : {std::pair{section, key}, std::pair{std::string("zandravex"),
                                                                    std::string("appname")}}) {
        const std::string value = ProfileValue(content, s, k);
        if (value.size() > kProfileValueMax || value.find_first_of("\r\n") != std::string::npos)
            std::abort();
    }
    return 0;
}
