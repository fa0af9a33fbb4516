#pragma once
// What MFC for Windows CE adds to the framework, stood in for on this
// desktop: the command bar along the top of a frame, which carries the
// frame's menu as a menu bar and its close button, and the window-redraw
// operation. Part of the handheld build's layer only.
#include <vector>

#include "afx_res.h"
#include "wnd.h"

class CCeCommandBar : public CWnd {
public:
    // The bar's height on the device, in pixels.
    static constexpr int BarHeight = 26;

    CCeCommandBar();
    ~CCeCommandBar() override;

    // A child of pParentWnd along its top; the CBRS_ bits of dwStyle are
    // the bar's own style. Non-zero on success.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // Shows menu resource nMenuID as the bar's menu bar; its commands go to
    // the parent as a window menu's do. wButton places it among buttons
    // (0xFFFF: after the last); the bar has none. Non-zero on success.
    BOOL InsertMenuBar(UINT nMenuID, WORD wButton = 0xFFFF);
    // The standard buttons at the right end: the close button, which closes
    // the parent. No optional buttons are offered (dwFlags). Non-zero on success.
    BOOL AddAdornments(DWORD dwFlags = 0);
    DWORD GetBarStyle() const { return m_barStyle; }
    void SetBarStyle(DWORD dwStyle) { m_barStyle = dwStyle; }
    HMENU GetMenu() const { return m_menu; }

protected:
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
    DWORD m_barStyle = 0;
};

// A button's raised edge, from one-pixel strips in the 3-D colours: the
// stand-ins' own drawing of what the device draws for them.
void CeDrawRaisedEdge(HDC dc, const RECT& rect);

// The window-redraw operation of MFC for Windows CE: with flags 0 it paints
// at once whatever of the window is invalid.
BOOL CeRedrawWindow(CWnd* pWnd, LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags);
