#pragma once
// CMainFrame of the handheld build: the command bar along the top carries
// the menu and the close button; the board view fills the rest.
#include "afxwin.h"
#include "afxwince.h"
#include "board_view.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);

    DECLARE_MESSAGE_MAP()

    // Declared first: made before the view and destroyed after it.
    CCeCommandBar m_wndCommandBar;
    CBoardView m_wndView;
};
