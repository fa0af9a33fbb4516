// The command bar of Windows CE's commctrl, played on the desktop: a bar
// along the top of the frame showing the menu's captions, each opening its
// popup owned by the frame (so the frame updates and receives the items as
// with a window menu), and the close button at its right end.
#include <vector>

#include "afxwin.h"
#include "ce_system.h"
#include "device_look.h"

namespace {

constexpr int BarHeight = 26;     // the device's command bar
constexpr int ButtonPadding = 6;  // left and right of a menu caption

class CDesktopCommandBar : public CWnd {
public:
    ~CDesktopCommandBar() override
    {
        if (m_menu != nullptr)
            ::DestroyMenu(m_menu);
    }

    BOOL Create(HWND parent, int id)
    {
        RECT client{};
        ::GetClientRect(parent, &client);
        LPCTSTR barClass = AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        return CreateEx(0, barClass, nullptr, WS_CHILD, 0, 0, client.right - client.left, BarHeight, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    }

    BOOL InsertMenuBar(HINSTANCE instance, WORD menuId)
    {
        HMENU menu = ::LoadMenu(instance, MAKEINTRESOURCE(menuId));
        if (menu == nullptr)
            return FALSE;
        if (m_menu != nullptr)
            ::DestroyMenu(m_menu);
        m_menu = menu;
        LayOutMenuButtons();
        Invalidate();
        return TRUE;
    }

    void AddCloseButton()
    {
        m_hasCloseButton = true;
        Invalidate();
    }

protected:
    // The bar goes with its window.
    void PostNcDestroy() override { delete this; }

    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // A menu bar button: the popup it opens and where it lies on the bar.
    struct MenuButton {
        HMENU popup;
        tstring caption;
        RECT bounds;
    };
    void LayOutMenuButtons();
    RECT CloseButtonRect() const;

    HMENU m_menu = nullptr;
    std::vector<MenuButton> m_buttons;
    bool m_hasCloseButton = false;
};

BEGIN_MESSAGE_MAP(CDesktopCommandBar, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CDesktopCommandBar::LayOutMenuButtons()
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

RECT CDesktopCommandBar::CloseButtonRect() const
{
    CRect client;
    GetClientRect(&client);
    return {client.right - BarHeight + 2, 2, client.right - 2, BarHeight - 2};
}

void CDesktopCommandBar::OnPaint()
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
        ce_on_desktop::DrawRaisedEdge(dc.m_hDC, box);
        // The cross, as two diagonals 5 pixels inside the box.
        const int inset = 6;
        const POINT down[2] = {{box.left + inset, box.top + inset}, {box.right - inset, box.bottom - inset}};
        const POINT up[2] = {{box.left + inset, box.bottom - inset - 1}, {box.right - inset, box.top + inset - 1}};
        ::Polyline(dc.m_hDC, down, 2);
        ::Polyline(dc.m_hDC, up, 2);
    }
}

void CDesktopCommandBar::OnLButtonDown(UINT, CPoint point)
{
    HWND parent = ::GetParent(m_hWnd);
    if (parent == nullptr)
        return;
    if (m_hasCloseButton) {
        const RECT box = CloseButtonRect();
        if (::PtInRect(&box, point)) {
            // Posted: the frame, and this bar with it, is destroyed by the close.
            ::PostMessage(parent, WM_CLOSE, 0, 0);
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
        ::TrackPopupMenuEx(button.popup, TPM_LEFTALIGN | TPM_TOPALIGN, below.x, below.y, parent, nullptr);
        return;
    }
}

CDesktopCommandBar* BarOf(HWND bar)
{
    return static_cast<CDesktopCommandBar*>(CWnd::FromHandlePermanent(bar));
}

}  // namespace

namespace ce_system {

HWND CreateCommandBar(HINSTANCE, HWND parent, int id)
{
    auto* bar = new CDesktopCommandBar;  // deletes itself when its window is destroyed
    // With no creation handler of its own, the bar's window fails only
    // before it is bound to the object: the object is still this one's.
    if (!bar->Create(parent, id)) {
        delete bar;
        return nullptr;
    }
    return bar->m_hWnd;
}

BOOL InsertMenuBar(HWND bar, HINSTANCE instance, WORD menuId, WORD)
{
    CDesktopCommandBar* stand = BarOf(bar);
    return stand != nullptr && stand->InsertMenuBar(instance, menuId);
}

BOOL AddAdornments(HWND bar, DWORD)
{
    CDesktopCommandBar* stand = BarOf(bar);
    if (stand == nullptr)
        return FALSE;
    stand->AddCloseButton();
    return TRUE;
}

}  // namespace ce_system
