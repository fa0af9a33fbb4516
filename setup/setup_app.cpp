#include "setup_app.h"

#include "setup_dlg.h"

// The one application object; without a name of its own the application is
// named after its program file ("setup").
CSetupApp theApp;

BOOL CSetupApp::InitInstance()
{
    Enable3dControls();
    CSetupDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // FALSE: no message loop after the dialog, the program ends.
    return FALSE;
}
