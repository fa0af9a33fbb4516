#include "afxwince.h"

#include "dc.h"
#include "paint_dc.h"
#include "win_app.h"

namespace {
constexpr int ButtonPadding = 6;  // left and right of a menu caption
constexpr DWORD BarStyleBits = 0x0000FFFF;
}  // namespace

BEGIN_MESSAGE_MAP(CCeCommandBar, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CCeCommandBar::CCeCommandBar() = default;

CCeCommandBar::~CCeCommandBar()
{
    if (m_menu != nullptr)
        ::DestroyMenu(m_menu);
}

BOOL CCeCommandBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr)
        return FALSE;
    m_barStyle = dwStyle & BarStyleBits;
    CRect parent;
    pParentWnd->GetClientRect(&parent);
    LPCTSTR barClass = AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateEx(0, barClass, nullptr, (dwStyle & ~BarStyleBits) | WS_CHILD, 0, 0, parent.Width(), BarHeight,
                    pParentWnd->m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CCeCommandBar::InsertMenuBar(UINT nMenuID, WORD)
{
    HMENU menu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nMenuID));
    if (menu == nullptr)
        return FALSE;
    if (m_menu != nullptr)
        ::DestroyMenu(m_menu);
    m_menu = menu;
    LayOutMenuButtons();
    Invalidate();
    return TRUE;
}

BOOL CCeCommandBar::AddAdornments(DWORD)
{
    m_hasCloseButton = true;
    Invalidate();
    return TRUE;
}

void CCeCommandBar::LayOutMenuButtons()
{
    m_buttons.clear();
    HDC dc = ::GetDC(m_hWnd);
    int left = 0;
    for (UINT index = 0;; ++index) {
        TCHAR caption[64] = {0};
        MENUITEMINFO item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_SUBMENU | MIIM_TYPE;
        item.dwTypeData = caption;
        item.cch = sizeof caption / sizeof caption[0] - 1;
        if (!::GetMenuItemInfo(m_menu, index, TRUE, &item))
            break;
        RECT text{0, 0, 0, 0};
        ::DrawText(dc, caption, -1, &text, DT_CALCRECT | DT_SINGLELINE);
        const int width = text.right - text.left + 2 * ButtonPadding;
        m_buttons.push_back({item.hSubMenu, caption, {left, 0, left + width, BarHeight}});
        left += width;
    }
    ::ReleaseDC(m_hWnd, dc);
}

RECT CCeCommandBar::CloseButtonRect() const
{
    CRect client;
    GetClientRect(&client);
    return {client.right - BarHeight + 2, 2, client.right - 2, BarHeight - 2};
}

void CCeCommandBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc.m_hDC, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SetBkMode(dc.m_hDC, TRANSPARENT);
    ::SetTextColor(dc.m_hDC, ::GetSysColor(COLOR_BTNTEXT));
    for (const MenuButton& button : m_buttons) {
        RECT bounds = button.bounds;
        ::DrawText(dc.m_hDC, button.caption.c_str(), -1, &bounds, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (m_hasCloseButton) {
        RECT box = CloseButtonRect();
        CeDrawRaisedEdge(dc.m_hDC, box);
        // The cross, as two diagonals 5 pixels inside the box.
        const int inset = 6;
        const POINT down[2] = {{box.left + inset, box.top + inset}, {box.right - inset, box.bottom - inset}};
        const POINT up[2] = {{box.left + inset, box.bottom - inset - 1}, {box.right - inset, box.top + inset - 1}};
        ::Polyline(dc.m_hDC, down, 2);
        ::Polyline(dc.m_hDC, up, 2);
    }
}

void CCeCommandBar::OnLButtonDown(UINT, CPoint point)
{
    CWnd* parent = GetParent();
    if (parent == nullptr)
        return;
    if (m_hasCloseButton) {
        const RECT box = CloseButtonRect();
        if (::PtInRect(&box, point)) {
            // Posted: the frame, and this bar with it, is destroyed by the close.
            parent->PostMessage(WM_CLOSE);
            return;
        }
    }
    for (const MenuButton& button : m_buttons) {
        if (button.popup == nullptr || !::PtInRect(&button.bounds, point))
            continue;
        POINT below{button.bounds.left, button.bounds.bottom};
        ::ClientToScreen(m_hWnd, &below);
        // The frame owns the popup: it updates the items' state when the
        // popup opens and receives the chosen command, as with a window menu.
        ::TrackPopupMenuEx(button.popup, TPM_LEFTALIGN | TPM_TOPALIGN, below.x, below.y, parent->m_hWnd, nullptr);
        return;
    }
}

void CeDrawRaisedEdge(HDC dc, const RECT& rect)
{
    HBRUSH light = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    HBRUSH dark = ::GetSysColorBrush(COLOR_BTNSHADOW);
    const RECT top{rect.left, rect.top, rect.right - 1, rect.top + 1};
    const RECT left{rect.left, rect.top, rect.left + 1, rect.bottom - 1};
    const RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
    const RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
    ::FillRect(dc, &top, light);
    ::FillRect(dc, &left, light);
    ::FillRect(dc, &bottom, dark);
    ::FillRect(dc, &right, dark);
}

BOOL CeRedrawWindow(CWnd* pWnd, LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    if (lpRectUpdate != nullptr)
        ::InvalidateRect(pWnd->m_hWnd, lpRectUpdate, (flags & RDW_ERASE) != 0);
    (void)hrgnUpdate;  // regions are not used by the game
    ::UpdateWindow(pWnd->m_hWnd);
    return TRUE;
}
