#include "frame_wnd.h"

#include <iterator>

#include "cmd_ui.h"
#include "platform.h"
#include "win_app.h"

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_INITMENUPOPUP()
    ON_WM_CLOSE()
    ON_WM_ENABLE()
    ON_WM_ENDSESSION()
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, void*)
{
    const tstring resourceText = AfxLoadString(nIDResource);
    m_strTitle = resourceText.substr(0, resourceText.find(TEXT('\n')));
    m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    LPCTSTR menu = afx_platform::FramesHaveWindowMenus() ? MAKEINTRESOURCE(nIDResource) : nullptr;
    return Create(nullptr, m_strTitle.c_str(), dwDefaultStyle, rectDefault, pParentWnd, menu, 0);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr) {
        hMenu = ::LoadMenu(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == nullptr)
            return FALSE;
    }
    const bool useDefault = rect.left == CW_USEDEFAULT;
    const BOOL created =
        CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, useDefault ? CW_USEDEFAULT : rect.top,
                 useDefault ? CW_USEDEFAULT : rect.right - rect.left,
                 useDefault ? CW_USEDEFAULT : rect.bottom - rect.top,
                 pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, hMenu);
    if (!created) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    // The children exist once the frame's OnCreate has made them: lay them
    // out now, for a system that sends no WM_SIZE after WM_CREATE.
    RecalcLayout();
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    cs.dwExStyle |= afx_platform::FrameExStyle();
    return TRUE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr)
        return ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::RecalcLayout()
{
    CRect client;
    GetClientRect(&client);
    // A bar along the top keeps its height; the pane takes the rest.
    HWND bar = ::GetDlgItem(m_hWnd, AFX_IDW_TOOLBAR);
    if (bar != nullptr && (::GetWindowLong(bar, GWL_STYLE) & WS_VISIBLE) != 0) {
        RECT bounds{};
        ::GetWindowRect(bar, &bounds);
        const int height = bounds.bottom - bounds.top;
        ::MoveWindow(bar, client.left, client.top, client.Width(), height, TRUE);
        client.top += height;
    }
    HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (pane != nullptr)
        ::MoveWindow(pane, client.left, client.top, client.Width(), client.Height(), TRUE);
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnInitMenuPopup(HMENU hPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu)
        return;
    // Item by item until there is none: GetMenuItemInfo is what Windows CE
    // offers for walking a menu. The type comes with the item's text, which
    // needs a buffer: Windows CE documents no null-buffer size query.
    for (UINT index = 0;; ++index) {
        TCHAR text[64];
        MENUITEMINFO item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        item.dwTypeData = text;
        item.cch = static_cast<UINT>(std::size(text));
        if (!::GetMenuItemInfo(hPopupMenu, index, TRUE, &item))
            break;
        if ((item.fType & MFT_SEPARATOR) != 0 || item.hSubMenu != nullptr)
            continue;
        CCmdUI state;
        state.m_nID = item.wID;
        state.m_nIndex = index;
        state.m_hMenu = hPopupMenu;
        state.DoUpdate(this, m_bAutoMenuEnable);
    }
}

void CFrameWnd::OnClose()
{
    // A modal loop keeps the frame disabled, and the handler that opened the
    // box is still running on the frame and its views: destroying them now
    // would free them under it. End the box; the close follows once the
    // frame is enabled again (OnEnable).
    if (!::IsWindowEnabled(m_hWnd)) {
        m_closePending = true;
        EndModalWindows();
        return;
    }
    m_closePending = false;
    DestroyWindow();
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    // Posted: it runs after the handler that opened the box has returned.
    if (bEnable && m_closePending)
        PostMessage(WM_CLOSE);
}

void CFrameWnd::OnEndSession(BOOL bEnding)
{
    if (bEnding)
        OnClose();
}

namespace {
BOOL CALLBACK CloseOwnedWindow(HWND window, LPARAM owner)
{
    if (::GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner) && ::IsWindowEnabled(window))
        ::PostMessage(window, WM_CLOSE, 0, 0);
    return TRUE;
}
}  // namespace

void CFrameWnd::EndModalWindows()
{
    ::EnumWindows(CloseOwnedWindow, reinterpret_cast<LPARAM>(m_hWnd));
}
