#pragma once
// CFolderBrowser: the shell's modal folder browse window (SHBrowseForFolderA)
// with hooks for its notifications.

#include <windows.h>
#include <shlobj.h>

#include <string>

class CFolderBrowser {
public:
    // A title id of 0 or less gives the title "Browse for folder".
    CFolderBrowser(HWND owner, LPCITEMIDLIST root, int titleId);
    virtual ~CFolderBrowser();
    CFolderBrowser(const CFolderBrowser&) = delete;
    CFolderBrowser& operator=(const CFolderBrowser&) = delete;

    // The setters take effect only while no browse window is open.
    void SetOwner(HWND owner);
    void SetRoot(LPCITEMIDLIST root);
    void SetFlags(UINT flags);
    void SetTitle(const char* title);

    // Runs the browse window; true when the user confirmed a folder.
    bool Browse();
    const std::string& ResultPath() const { return m_resultPath; }

    void SetSelection(const std::string& path);
    void SetStatusText(const std::string& text);

protected:
    virtual void OnInitialized() {}
    virtual void OnSelChanged(LPCITEMIDLIST) {}

private:
    static int CALLBACK Callback(HWND window, UINT message, LPARAM param, LPARAM data);

    bool m_ownsTitle = false;
    char* m_title = nullptr;
    BROWSEINFOA m_info{};
    char m_displayName[MAX_PATH] = {};
    std::string m_resultPath;
    HWND m_window = nullptr;
};
