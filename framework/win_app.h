#pragma once
// CWinApp: the one application object. The framework's WinMain finds it
// through AfxGetApp, fills in the instance, names and show state, calls
// InitInstance and then Run, the message loop, which ends when the main
// window is gone.
#include "cmd_target.h"
#include "tstring.h"

class CWnd;

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)

public:
    // lpszAppName null: the name comes from string AFX_IDS_APP_TITLE or,
    // without it, from the program file's name.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;       // program file name without folder and extension
    CWnd* m_pMainWnd = nullptr;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    // Offers a queued message to the windows from its target up to the main
    // window (accelerators, dialog keys); TRUE when one of them consumed it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // The profile then lives at HKEY_CURRENT_USER\Software\<key>\<app name>.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    // A value that is missing, or that is not a 4-byte REG_DWORD, reads as
    // nDefault. Without a registry key every read gives nDefault.
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    // Writes a REG_DWORD, creating the keys on the way; FALSE on failure or
    // without a registry key.
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);

    // Dialog controls look three-dimensional on every system we run on.
    BOOL Enable3dControls() { return TRUE; }

    // Fills the instance, show state and names; called by
    // WinMain before InitInstance.
    void InitApplicationState(HINSTANCE hInstance, int nCmdShow);

    afx_msg void OnAppExit();

    DECLARE_MESSAGE_MAP()

private:
    tstring m_appName;
    tstring m_exeName;
    tstring m_registryKey;  // set by SetRegistryKey
    int m_exitCode = 0;

    // "Software\<key>\<profile>\<section>"; empty without a registry key.
    tstring SectionKeyPath(LPCTSTR lpszSection) const;
};

CWinApp* AfxGetApp();
LPCTSTR AfxGetAppName();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// The program file's name without folder and extension:
// "C:\Games\Quenlark.EXE" gives "Quenlark".
tstring AfxModuleBaseName(const tstring& modulePath);

// The framework's start: what WinMain does.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
