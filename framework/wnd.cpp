#include "wnd.h"

#include <charconv>
#include <algorithm>
#include <deque>
#include <iterator>
#include <vector>

#include "cmd_ui.h"
#include "dc.h"
#include "platform.h"
#include "win_app.h"

namespace {
// Windows bound to their objects. A table rather than a window property or
// the user-data slot: Windows CE 3.0 has no window properties, and the slot of
// a window we did not register (a message box, a control) is not ours.
HandleTable<CWnd*> g_permanentMap;
}  // namespace

namespace afx_thunk {
CWnd* WndFromHandle(HWND hWnd)
{
    return CWnd::FromHandlePermanent(hWnd);
}
}  // namespace afx_thunk

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    CWnd* const* found = g_permanentMap.Find(hWnd);
    return found != nullptr ? *found : nullptr;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && FromHandlePermanent(hWnd) == this)
        g_permanentMap.Erase(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::BindToHandle(HWND hWnd)
{
    m_hWnd = hWnd;
    g_permanentMap[hWnd] = this;
}

void CWnd::UnbindFromHandle()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        g_permanentMap.Erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = this;
    if (!PreCreateWindow(cs))
        return FALSE;
    if ((cs.style & WS_CHILD) == 0)
        afx_platform::AdjustTopLevelWindow(cs);
    // The creation parameter must stay this object: AfxWndProc binds it at
    // the window's first message.
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                 cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, this);
    if (hWnd == nullptr) {
        m_hWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const CurrentMessage saved = m_currentMsg;
    m_currentMsg = {message, wParam, lParam};
    BOOL handled = FALSE;
    if (message == WM_COMMAND) {
        handled = OnCommand(wParam, lParam);
        if (handled)
            *pResult = 0;
    } else if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message)) {
        *pResult = entry->pfn(this, wParam, lParam, nullptr);
        handled = TRUE;
    }
    m_currentMsg = saved;
    return handled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    if (lParam == 0) {
        // From a menu (code 0) or an accelerator (code 1): a command that its
        // update handler disables is dropped.
        nCode = CN_COMMAND;
        CCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
void CWnd::OnPaint()
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == nullptr)
        lpszCaption = AfxGetAppName();
    // The top-level window owns the box, so the whole frame is disabled while it is open.
    HWND owner = AfxGetTopLevelWindow(m_hWnd);
    return ::MessageBox(owner, lpszText, lpszCaption, nType);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}
void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}
void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}
void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ::GetWindowRect(m_hWnd, lpRect);
}
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}
BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}
BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::IsIconic() const
{
    // The style bit rather than IsIconic, which Windows CE lacks (it has no minimised windows).
    return (::GetWindowLong(m_hWnd, GWL_STYLE) & WS_MINIMIZE) != 0;
}
CWnd* CWnd::SetFocus()
{
    return FromHandlePermanent(::SetFocus(m_hWnd));
}
void CWnd::SetWindowText(LPCTSTR lpszString)
{
    ::SetWindowText(m_hWnd, lpszString);
}
tstring CWnd::GetWindowText() const
{
    return AfxGetWindowText(m_hWnd);
}
int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}
CWnd* CWnd::GetParent() const
{
    return FromHandlePermanent(::GetParent(m_hWnd));
}
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND owner = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    CRect area;
    if (owner != nullptr && ::IsWindowVisible(owner) && (::GetWindowLong(owner, GWL_STYLE) & WS_MINIMIZE) == 0) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    }
    CRect self;
    GetWindowRect(&self);
    int x = area.left + (area.Width() - self.Width()) / 2;
    int y = area.top + (area.Height() - self.Height()) / 2;
    // Keep the window on the work area.
    CRect work;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    if (x + self.Width() > work.right)
        x = work.right - self.Width();
    if (y + self.Height() > work.bottom)
        y = work.bottom - self.Height();
    if (x < work.left)
        x = work.left;
    if (y < work.top)
        y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    if (hItem == nullptr)
        return nullptr;
    if (CWnd* own = FromHandlePermanent(hItem))
        return own;
    std::unique_ptr<CWnd>& wrapper = m_itemWrappers[hItem];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        wrapper->Attach(hItem);
    }
    return wrapper.get();
}
void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    ::SetDlgItemText(m_hWnd, nID, lpszString);
}
tstring CWnd::GetDlgItemText(int nID) const
{
    HWND hItem = ::GetDlgItem(m_hWnd, nID);
    return hItem != nullptr ? AfxGetWindowText(hItem) : tstring();
}

HWND AfxGetTopLevelWindow(HWND hWnd)
{
    while (hWnd != nullptr && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

tstring AfxGetWindowText(HWND hWnd)
{
    const int length = ::GetWindowTextLength(hWnd);
    if (length <= 0)
        return tstring();
    tstring text(static_cast<size_t>(length) + 1, TEXT('\0'));
    const int copied = ::GetWindowText(hWnd, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void AfxEndOfWindow(CWnd* wnd)
{
    if (afx_platform::FinalMessage() == WM_DESTROY) {
        // The children outlive their parent's WM_DESTROY: destroy them now,
        // while the objects that hold them still stand. Each is asked once,
        // so a child that refuses to go cannot keep this loop turning.
        std::vector<HWND> children;
        for (HWND child = ::GetWindow(wnd->m_hWnd, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        for (HWND child : children)
            ::DestroyWindow(child);
    }
    wnd->UnbindFromHandle();
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == wnd) {
        // The main window is gone: the message loop ends.
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    wnd->PostNcDestroy();
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == afx_platform::FirstMessage()) {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        if (auto* created = static_cast<CWnd*>(cs->lpCreateParams))
            created->BindToHandle(hWnd);
    }
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (wnd == nullptr)
        return ::DefWindowProc(hWnd, message, wParam, lParam);

    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == afx_platform::FinalMessage())
        AfxEndOfWindow(wnd);
    return result;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::deque<tstring> names;  // grows at its end: the returned pointers stay valid
    HINSTANCE hInstance = AfxGetInstanceHandle();
    // "Afx" and then instance, style, cursor, background and icon, each as ':'
    // and lower-case hex. to_chars, not a string stream: streams would bring
    // the library's whole locale machinery into every program.
    tstring name = TEXT("Afx");
    for (const UINT_PTR part : {reinterpret_cast<UINT_PTR>(hInstance), UINT_PTR{nClassStyle},
                                reinterpret_cast<UINT_PTR>(hCursor), reinterpret_cast<UINT_PTR>(hbrBackground),
                                reinterpret_cast<UINT_PTR>(hIcon)}) {
        char digits[2 * sizeof part];
        char* const end = std::to_chars(std::begin(digits), std::end(digits), part, 16).ptr;
        name += TEXT(':');
        name.append(std::begin(digits), end);
    }
    auto known = std::find(names.begin(), names.end(), name);
    const tstring& className = known != names.end() ? *known : names.emplace_back(std::move(name));

    WNDCLASS existing{};
    if (!::GetClassInfo(hInstance, className.c_str(), &existing)) {
        WNDCLASS wc{};
        wc.style = nClassStyle;
        wc.lpfnWndProc = AfxWndProc;
        wc.hInstance = hInstance;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = afx_platform::ClassBackground(hbrBackground);
        wc.lpszClassName = className.c_str();
        ::RegisterClass(&wc);
    }
    return className.c_str();
}
