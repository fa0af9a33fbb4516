#pragma once
// CDialog: a modal dialog from a dialog template resource. The object is
// bound to the dialog window from the WM_INITDIALOG parameter (DWLP_USER);
// messages go through the message map, the rest to the system's dialog
// processing. CDataExchange carries one transfer between the dialog's
// controls and its members (DoDataExchange).
#include "wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;

    // The control nIDC of the dialog, or null (which also fails the exchange).
    HWND PrepareCtrl(int nIDC);
    // Marks the exchange failed: UpdateData then returns FALSE.
    void Fail() { m_bFailed = true; }
    bool Failed() const { return m_bFailed; }

private:
    bool m_bFailed = false;
};

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Runs the dialog; the owner is the top-level window of the parent (or of
    // the main window). Returns what EndDialog was given, -1 on failure.
    virtual INT_PTR DoModal();
    // Transfers members to controls (UpdateData(FALSE)); TRUE lets the system set the focus.
    virtual BOOL OnInitDialog();
    void EndDialog(int nResult);
    // Runs DoDataExchange; FALSE when it failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    CWnd* m_pParentWnd;
    LPCTSTR m_lpszTemplateName;

protected:
    // IDOK: takes the controls' values (stays open when that fails) and ends with IDOK.
    virtual void OnOK();
    // IDCANCEL (also Escape and the close box): ends with IDCANCEL.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    // Default() inside a handler runs the system's dialog processing.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    // Modal dialogs that OnInitDialog left where the template put them are
    // centred over their owner (or the work area), as users expect.
    void CenterIfNotPlaced(const RECT& before);

    static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_defaultMessage = 0;  // the message handed to DefDlgProc by Default(), while it runs
    bool m_inDefault = false;
};
