#include "start_folder_browser.h"

void CStartFolderBrowser::SetStartFolder(const std::string& folder)
{
    m_startFolder = folder;
    if (!m_startFolder.empty() && m_startFolder.back() == '\\')
        m_startFolder.pop_back();
}

void CStartFolderBrowser::OnInitialized()
{
    SetSelection(m_startFolder);
    SetStatusText(m_startFolder);
}

void CStartFolderBrowser::OnSelChanged(LPCITEMIDLIST item)
{
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(item, path))
        path[0] = '\0';
    path[MAX_PATH - 1] = '\0';
    SetStatusText(path);
}
