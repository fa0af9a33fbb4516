#include "shortcut_info.h"

CShortcutInfo::~CShortcutInfo()
{
    FreeItemIdList();
}

void CShortcutInfo::FreeItemIdList()
{
    if (m_itemIdList == nullptr)
        return;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(m_itemIdList);
        allocator->Release();
    }
    m_itemIdList = nullptr;
}

void CShortcutInfo::CopySettingsFrom(const CShortcutInfo& other)
{
    if (this == &other)
        return;
    m_targetPath = other.m_targetPath;
    FreeItemIdList();
    if (other.m_itemIdList != nullptr)
        m_itemIdList = ILClone(other.m_itemIdList);
    m_arguments = other.m_arguments;
    m_description = other.m_description;
    m_hotKey = other.m_hotKey;
    m_iconFile = other.m_iconFile;
    m_iconIndex = other.m_iconIndex;
    m_showCommand = other.m_showCommand;
    m_workingDirectory = other.m_workingDirectory;
}
