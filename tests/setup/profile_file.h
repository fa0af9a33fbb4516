#pragma once
// A test double: setup.exe reads setup.ini with GetPrivateProfileStringA and
// never uses this. It stands in for that reader in the native build (unit
// tests and fuzzers), with the results of the Windows one:
// section and key names match without regard to case and with surrounding
// blanks ignored, the first matching section and key win, values lose their
// surrounding blanks and one pair of matching quotes, and are cut to 255
// characters.

#include <string>

#include "profile_reader.h"

// Looks a value up in the text of a profile file.
std::string ProfileValue(const std::string& content, const std::string& section,
                         const std::string& key);

class ProfileFileReader : public ProfileReader {
public:
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& filePath) override;
};
