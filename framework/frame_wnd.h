#pragma once
// CFrameWnd: a top-level window with a menu, an accelerator table and a
// title from one resource id, and a client pane (child AFX_IDW_PANE_FIRST)
// kept over its client area below an optional top bar. Commands run view -> frame -> application;
// menu items are enabled by their update handlers when a popup opens.
// Frames live on the heap and delete themselves when their window is gone.
// A close request that comes while a modal box or dialog runs over the frame
// ends that box first and closes the frame once the box is gone, so the
// handler that opened the box never returns into a destroyed frame.
#include "afx_res.h"
#include "wnd.h"

class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)

public:
    // Stands for the system's default position and size.
    static const CRect rectDefault;

    HACCEL m_hAccelTable = nullptr;
    // Items with neither an update handler nor a command handler are greyed.
    BOOL m_bAutoMenuEnable = TRUE;
    tstring m_strTitle;

    CFrameWnd();
    ~CFrameWnd() override;

    // Loads menu, accelerators and title (first line of string nIDResource)
    // and creates the window. pContext is not used.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, void* pContext = nullptr);
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0);

    // Lays a bar (child AFX_IDW_TOOLBAR) along the top at its own height and
    // the pane over the rest of the client area.
    virtual void RecalcLayout();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The frame's own map, then the application's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    void PostNcDestroy() override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnInitMenuPopup(HMENU hPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnClose();
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnEndSession(BOOL bEnding);

    DECLARE_MESSAGE_MAP()

private:
    // Closes the enabled top-level windows this frame owns: the modal boxes
    // and dialogs whose loops keep it disabled.
    void EndModalWindows();

    bool m_closePending = false;
};
