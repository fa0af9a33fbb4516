#pragma once
// CWnd: a C++ object bound to one window. The object is found from the window
// through a table filled at the window's first message and cleared at its
// last (WM_NCCREATE and WM_NCDESTROY, or WM_CREATE and WM_DESTROY on Windows
// CE); messages go through the class's message map, the rest to
// DefWindowProc.
#include <memory>

#include "cmd_target.h"
#include "handle_table.h"
#include "rect.h"
#include "tstring.h"

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)

public:
    HWND m_hWnd = nullptr;

    CWnd();
    // Destroys the window if this object still owns one.
    ~CWnd() override;

    operator HWND() const { return m_hWnd; }

    // The object bound to hWnd by Create or a dialog, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Wraps a window this object does not own (a dialog control, say).
    BOOL Attach(HWND hWnd);
    HWND Detach();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    // lpParam is not passed on: the creation parameter carries this object.
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                  int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu);
    virtual BOOL DestroyWindow();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the map's handler for a message; FALSE when the map has none.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // WM_COMMAND: asks the update handler first for menu and accelerator
    // commands and drops a disabled one; then routes through OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the window is gone; the object may delete itself here.
    virtual void PostNcDestroy();
    // Default processing of the message being handled.
    LRESULT Default();

    // Caption null: the application's name.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE) { InvalidateRect(nullptr, bErase); }
    void UpdateWindow();
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    // Returns the object of the window that had the focus, if it has one.
    CWnd* SetFocus();
    void SetWindowText(LPCTSTR lpszString);
    tstring GetWindowText() const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    // Centres over the owner (or pAlternateOwner), else over the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // Dialog controls. GetDlgItem gives a wrapper that lives as long as this
    // object, or the control's own object when it has one.
    CWnd* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    tstring GetDlgItemText(int nID) const;

protected:
    // Default handlers for derived classes that add to the message's own processing.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg HCURSOR OnQueryDragIcon();

    // Binds this object to a window created elsewhere (dialogs).
    void BindToHandle(HWND hWnd);
    void UnbindFromHandle();

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend void AfxEndOfWindow(CWnd* wnd);

    DECLARE_MESSAGE_MAP()

private:
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    CurrentMessage m_currentMsg{0, 0, 0};
    mutable HandleTable<std::unique_ptr<CWnd>> m_itemWrappers;
};

// After a window's last message: unbinds its object (ending the message loop
// when it was the main window) and lets the object delete itself.
void AfxEndOfWindow(CWnd* wnd);

// The window itself, or the top-level window that holds it as a child.
HWND AfxGetTopLevelWindow(HWND hWnd);

// The text of any window, of whatever length.
tstring AfxGetWindowText(HWND hWnd);

// The window procedure of every class the framework registers.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers (once) a window class with the framework's window procedure and
// the given style, cursor, background and icon; returns its name, valid for
// the whole run. Windows of these classes are made through CWnd::CreateEx,
// whose creation parameter is the object to bind.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
