#include "registry_key.h"

CRegistryKey::CRegistryKey(HKEY root) : m_hKey(root) {}

CRegistryKey::~CRegistryKey()
{
    Close();
}

bool CRegistryKey::Open(HKEY root, const std::string& subKey)
{
    Close();
    HKEY key = nullptr;
    m_subKey = subKey;
    m_type = 0;
    m_size = 0;
    m_status = RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key);
    if (m_status != ERROR_SUCCESS)
        return false;
    m_hKey = key;
    m_opened = true;
    return true;
}

bool CRegistryKey::ReadText(const char* name, std::string& text)
{
    BYTE value[kMaxTextBytes] = {};
    m_size = sizeof value;
    m_status = RegQueryValueExA(m_hKey, name, nullptr, &m_type, value, &m_size);
    if (m_status != ERROR_SUCCESS)
        return false;
    // The stored text need not carry its terminator: never read past m_size.
    const char* chars = reinterpret_cast<const char*>(value);
    std::size_t length = 0;
    while (length < m_size && length < sizeof value && chars[length] != '\0')
        ++length;
    text.assign(chars, length);
    return true;
}

void CRegistryKey::Close()
{
    if (m_opened) {
        RegCloseKey(m_hKey);
        m_opened = false;
    }
}
