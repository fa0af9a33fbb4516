#pragma once
// CStartFolderBrowser: a folder browser that opens on a given folder and
// shows the selected folder's path as its status text.

#include "folder_browser.h"

class CStartFolderBrowser : public CFolderBrowser {
public:
    using CFolderBrowser::CFolderBrowser;

    // One trailing backslash is removed: the browse window wants "c:", not "c:\".
    void SetStartFolder(const std::string& folder);
    const std::string& StartFolder() const { return m_startFolder; }

protected:
    void OnInitialized() override;
    void OnSelChanged(LPCITEMIDLIST item) override;

private:
    std::string m_startFolder;
};
