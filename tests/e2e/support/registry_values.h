#pragma once
// Registry values of the session's prefix. The driver and the program under
// test share one Wine server, so values written here are what the program reads.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

bool SetRegistryDword(HKEY root, const std::string& key, const std::string& name, DWORD value);
bool SetRegistryString(HKEY root, const std::string& key, const std::string& name,
                       const std::string& value);
bool SetRegistryBinary(HKEY root, const std::string& key, const std::string& name,
                       const std::vector<std::uint8_t>& value);

// The value if it exists and is a REG_DWORD.
std::optional<DWORD> ReadRegistryDword(HKEY root, const std::string& key, const std::string& name);
bool RegistryKeyExists(HKEY root, const std::string& key);

}  // namespace e2e
