#pragma once
// CAboutDlg: the program's icon, name, version and maker, centred over the
// main window.
#include "afxwin.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
};
