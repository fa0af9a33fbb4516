#pragma once
// CRegistryKey: one opened registry key, read-only, closed on destruction.

#include <windows.h>

#include <string>

class CRegistryKey {
public:
    // Longest text value read, in bytes with its terminator.
    static constexpr DWORD kMaxTextBytes = 200;

    explicit CRegistryKey(HKEY root);
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens a sub-key of a root for reading.
    bool Open(HKEY root, const std::string& subKey);
    // Reads a named value as text; false when it is missing or longer than
    // kMaxTextBytes.
    bool ReadText(const char* name, std::string& text);
    void Close();

    LONG LastStatus() const { return m_status; }
    // The type of the value read last (REG_SZ, REG_EXPAND_SZ, ...).
    DWORD LastType() const { return m_type; }

private:
    LONG m_status = ERROR_SUCCESS;
    DWORD m_type = 0;
    DWORD m_size = 0;
    HKEY m_hKey;
    bool m_opened = false;
    std::string m_subKey;
};
