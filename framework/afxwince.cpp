#include "afxwince.h"

#include "ce_system.h"
#include "win_app.h"

namespace {
constexpr DWORD BarStyleBits = 0x0000FFFF;
}  // namespace

CCeCommandBar::CCeCommandBar() = default;

// The bar's window is the system's, a child of the frame: it goes with the
// frame's window, and this object only forgets it.
CCeCommandBar::~CCeCommandBar()
{
    Detach();
}

BOOL CCeCommandBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr || m_hWnd != nullptr)
        return FALSE;
    HWND bar = ce_system::CreateCommandBar(AfxGetInstanceHandle(), pParentWnd->m_hWnd, static_cast<int>(nID));
    if (bar == nullptr)
        return FALSE;
    Attach(bar);
    m_barStyle = dwStyle & BarStyleBits;
    ::ShowWindow(bar, (dwStyle & WS_VISIBLE) != 0 ? SW_SHOW : SW_HIDE);
    return TRUE;
}

BOOL CCeCommandBar::InsertMenuBar(UINT nMenuID, WORD wButton)
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ce_system::InsertMenuBar(m_hWnd, AfxGetResourceHandle(), static_cast<WORD>(nMenuID), wButton);
}

BOOL CCeCommandBar::AddAdornments(DWORD dwFlags)
{
    return m_hWnd != nullptr && ce_system::AddAdornments(m_hWnd, dwFlags);
}

// Windows CE 3.0 has no RedrawWindow: what is invalid is painted by
// UpdateWindow.
BOOL CeRedrawWindow(CWnd* pWnd, LPCRECT lpRectUpdate, HRGN, UINT flags)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    if (lpRectUpdate != nullptr)
        ::InvalidateRect(pWnd->m_hWnd, lpRectUpdate, (flags & RDW_ERASE) != 0);
    ::UpdateWindow(pWnd->m_hWnd);
    return TRUE;
}
