#pragma once
// CSetupDlg: the install dialog. It composes its texts from setup.ini, lets
// the user choose the handheld and desktop installations and the desktop
// target folder, and runs them on Install.

#include "dialog.h"
#include "path_name.h"

class CSetupDlg : public CDialog {
public:
    explicit CSetupDlg(CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Install: runs the chosen installations; the dialog stays open.
    void OnOK() override;

    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnBrowse();

    DECLARE_MESSAGE_MAP()

private:
    std::string ReadSetting(const char* section, const char* key) const;

    std::string m_sourceFolder;
    std::string m_iniPath;
    std::string m_appName;
    std::string m_component;
    CWnd m_targetLabel;
    CWnd m_targetEdit;
    CWnd m_browseButton;
    CWnd m_desktopCheck;
    CWnd m_pdaCheck;
    CWnd m_welcomeText;
    BOOL m_installDesktop = TRUE;
    BOOL m_installPda = TRUE;
    CPathName m_targetFolder;
    HICON m_hIcon;
};
