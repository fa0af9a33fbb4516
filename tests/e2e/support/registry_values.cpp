#include "registry_values.h"

namespace e2e {

namespace {

bool SetValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
              const void* data, DWORD size)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

}  // namespace

bool SetRegistryDword(HKEY root, const std::string& key, const std::string& name, DWORD value)
{
    return SetValue(root, key, name, REG_DWORD, &value, sizeof value);
}

bool SetRegistryString(HKEY root, const std::string& key, const std::string& name,
                       const std::string& value)
{
    return SetValue(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

bool SetRegistryBinary(HKEY root, const std::string& key, const std::string& name,
                       const std::vector<std::uint8_t>& value)
{
    return SetValue(root, key, name, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
}

std::optional<DWORD> ReadRegistryDword(HKEY root, const std::string& key, const std::string& name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool RegistryKeyExists(HKEY root, const std::string& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

}  // namespace e2e
