#include "about_dlg.h"

#include "resource.h"

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUTBOX, pParent) {}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}
