#pragma once
// Reads one value of a profile (.ini) file the way GetPrivateProfileStringA
// does with a default of "" and a 256-byte buffer: the empty text for a
// missing file, section or key, at most 255 characters otherwise.

#include <string>

constexpr std::size_t kProfileValueMax = 255;

class ProfileReader {
public:
    virtual ~ProfileReader() = default;
    virtual std::string ReadString(const std::string& section, const std::string& key,
                                   const std::string& filePath) = 0;
};

// GetPrivateProfileStringA on Windows, ProfileFileReader elsewhere.
ProfileReader& SystemProfileReader();
