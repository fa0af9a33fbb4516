#include "setup_dlg.h"

#include "data_exchange.h"
#include "installer_paths.h"
#include "paint_dc.h"
#include "profile_reader.h"
#include "resource.h"
#include "setup_texts.h"
#include "start_folder_browser.h"
#include "win32_install_platform.h"
#include "win_app.h"

namespace {

// Only file-system folders, with a status line showing the selected path.
constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;

}  // namespace

BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_BN_CLICKED(IDC_BROWSE, &CSetupDlg::OnBrowse)
END_MESSAGE_MAP()

CSetupDlg::CSetupDlg(CWnd* pParent)
    : CDialog(IDD_SETUP_DIALOG, pParent),
      m_targetFolder(kDefaultTargetRoot),
      m_hIcon(::LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDI_SETUP)))
{
}

void CSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TARGET_LABEL, m_targetLabel);
    DDX_Control(pDX, IDC_TARGET_FOLDER, m_targetEdit);
    DDX_Control(pDX, IDC_BROWSE, m_browseButton);
    DDX_Control(pDX, IDC_INSTALL_DESKTOP, m_desktopCheck);
    DDX_Control(pDX, IDC_INSTALL_PDA, m_pdaCheck);
    DDX_Control(pDX, IDC_WELCOME, m_welcomeText);
    DDX_Check(pDX, IDC_INSTALL_DESKTOP, m_installDesktop);
    DDX_Check(pDX, IDC_INSTALL_PDA, m_installPda);
    // The edit box holds the folder's text as typed: no parsing here.
    DDX_Text(pDX, IDC_TARGET_FOLDER, m_targetFolder.Text());
}

std::string CSetupDlg::ReadSetting(const char* section, const char* key) const
{
    return SystemProfileReader().ReadString(section, key, m_iniPath);
}

BOOL CSetupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // The folder of our own program file, wherever we were started from.
    m_sourceFolder = InstallerFolder(InstallerProgramPath());
    m_iniPath = m_sourceFolder + kConfigurationName;

    // The component names the folder below "c:\Program Files\", its folder
    // macros expanded; one that would lead elsewhere is left out here, and
    // only here: Install takes whatever folder the user ends up with.
    m_component = ReadSetting(kManagerSection, "component");
    m_targetFolder.Text() = OfferedTargetFolder(m_component);
    m_appName = ReadSetting(kProductSection, "appname");

    if (ReadSetting(kProductSection, "desktop").empty())
        m_installDesktop = FALSE;
    if (!m_installDesktop) {
        for (int id : {IDC_BROWSE, IDC_INSTALL_DESKTOP, IDC_TARGET_FOLDER, IDC_INSTALL_PDA,
                       IDC_TARGET_LABEL})
            AfxShowDlgItem(this, id, FALSE);
    }
    m_welcomeText.SetWindowText(WelcomeText(m_appName, m_installDesktop != FALSE).c_str());
    m_pdaCheck.SetWindowText(WithName(kPdaCaptionFormat, m_appName).c_str());
    if (m_installDesktop)
        m_desktopCheck.SetWindowText(WithName(kDesktopCaptionFormat, m_appName).c_str());

    UpdateData(FALSE);
    return TRUE;
}

void CSetupDlg::OnBrowse()
{
    UpdateData(TRUE);
    CStartFolderBrowser browser(m_hWnd, nullptr, 0);
    browser.SetFlags(kBrowseFlags);
    browser.SetStartFolder(m_targetFolder.Text());
    if (!browser.Browse())
        return;
    m_targetFolder.Assign(browser.ResultPath());
    m_targetFolder.EnsureTrailingSeparator();
    UpdateData(FALSE);
}

void CSetupDlg::OnOK()
{
    UpdateData(TRUE);
    Win32InstallPlatform platform(m_hWnd, AfxGetAppName());
    const InstallSource source{m_sourceFolder, m_iniPath, m_appName, m_component};
    RunInstall(platform, source, m_targetFolder, m_installDesktop != FALSE, m_installPda != FALSE);
    // Shows the folder as Install left it: in its normal form once accepted.
    UpdateData(FALSE);
}

void CSetupDlg::OnPaint()
{
    if (!IsIconic()) {
        CWnd::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    ::DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
}

HCURSOR CSetupDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}
