#pragma once
// CShortcutInfo: the settings of one shell link.

#include <windows.h>
#include <shlobj.h>

#include <string>

class CShortcutInfo {
public:
    CShortcutInfo() = default;
    virtual ~CShortcutInfo();
    CShortcutInfo(const CShortcutInfo&) = delete;
    CShortcutInfo& operator=(const CShortcutInfo&) = delete;

    // Copies every setting; an item id list is cloned, never shared.
    void CopySettingsFrom(const CShortcutInfo& other);

    std::string m_targetPath;
    LPITEMIDLIST m_itemIdList = nullptr;  // owned; freed with the shell's allocator
    std::string m_arguments;
    std::string m_description;
    WORD m_hotKey = 0;
    std::string m_iconFile;
    int m_iconIndex = 0;
    int m_showCommand = SW_SHOW;
    std::string m_workingDirectory;

private:
    void FreeItemIdList();
};
