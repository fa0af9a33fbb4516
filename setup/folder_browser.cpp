#include "folder_browser.h"

#include <cstring>

namespace {

const char kDefaultTitle[] = "Browse for folder";

}  // namespace

CFolderBrowser::CFolderBrowser(HWND owner, LPCITEMIDLIST root, int titleId)
{
    m_info.hwndOwner = owner;
    m_info.pidlRoot = root;
    m_info.pszDisplayName = m_displayName;
    m_info.lpfn = &CFolderBrowser::Callback;
    m_info.lParam = reinterpret_cast<LPARAM>(this);
    if (titleId > 0) {
        char title[256] = {};
        LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(titleId), title, sizeof title);
        SetTitle(title);
    } else {
        SetTitle(kDefaultTitle);
    }
}

CFolderBrowser::~CFolderBrowser()
{
    if (m_ownsTitle)
        delete[] m_title;
}

void CFolderBrowser::SetOwner(HWND owner)
{
    if (m_window == nullptr)
        m_info.hwndOwner = owner;
}

void CFolderBrowser::SetRoot(LPCITEMIDLIST root)
{
    if (m_window == nullptr)
        m_info.pidlRoot = root;
}

void CFolderBrowser::SetFlags(UINT flags)
{
    if (m_window == nullptr)
        m_info.ulFlags = flags;
}

void CFolderBrowser::SetTitle(const char* title)
{
    if (m_window != nullptr || title == nullptr)
        return;
    const std::size_t length = std::strlen(title);
    char* copy = new char[length + 1];
    std::memcpy(copy, title, length + 1);
    if (m_ownsTitle)
        delete[] m_title;
    m_title = copy;
    m_ownsTitle = true;
    m_info.lpszTitle = m_title;
}

bool CFolderBrowser::Browse()
{
    LPITEMIDLIST item = SHBrowseForFolderA(&m_info);
    m_window = nullptr;
    if (item == nullptr)
        return false;
    m_resultPath.clear();
    m_displayName[0] = '\0';
    if (SHGetPathFromIDListA(item, m_displayName)) {
        m_displayName[MAX_PATH - 1] = '\0';
        m_resultPath = m_displayName;
    }
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(item);
        allocator->Release();
    }
    return true;
}

void CFolderBrowser::SetSelection(const std::string& path)
{
    if (m_window != nullptr)
        SendMessageA(m_window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
}

void CFolderBrowser::SetStatusText(const std::string& text)
{
    if (m_window != nullptr)
        SendMessageA(m_window, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int CALLBACK CFolderBrowser::Callback(HWND window, UINT message, LPARAM param, LPARAM data)
{
    CFolderBrowser* self = reinterpret_cast<CFolderBrowser*>(data);
    self->m_window = window;
    if (message == BFFM_INITIALIZED)
        self->OnInitialized();
    else if (message == BFFM_SELCHANGED)
        self->OnSelChanged(reinterpret_cast<LPCITEMIDLIST>(param));
    return 0;
}
