#pragma once
// What MFC for Windows CE adds to the framework: the command bar along the
// top of a frame, which carries the frame's menu as a menu bar and its close
// button, and the window-redraw operation. Part of the CE layer only; the
// bar itself is the system's (ce_system.h).
#include "afx_res.h"
#include "wnd.h"

class CCeCommandBar : public CWnd {
public:
    CCeCommandBar();
    ~CCeCommandBar() override;

    // The system's command bar as a child of pParentWnd along its top, shown
    // when dwStyle holds WS_VISIBLE; the CBRS_ bits of dwStyle are the bar's
    // own style. Non-zero on success.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // Shows menu resource nMenuID as the bar's menu bar, left of button
    // wButton (0xFFFF: after the last). Its commands go to the parent as a
    // window menu's do. Non-zero on success.
    BOOL InsertMenuBar(UINT nMenuID, WORD wButton = 0xFFFF);
    // The standard buttons at the right end: the close button, which closes
    // the parent, and the optional ones of dwFlags. Non-zero on success.
    BOOL AddAdornments(DWORD dwFlags = 0);
    DWORD GetBarStyle() const { return m_barStyle; }
    void SetBarStyle(DWORD dwStyle) { m_barStyle = dwStyle; }

private:
    DWORD m_barStyle = 0;
};

// The window-redraw operation of MFC for Windows CE: with flags 0 it paints
// at once whatever of the window is invalid.
BOOL CeRedrawWindow(CWnd* pWnd, LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags);
