#include "win_app.h"

#include <charconv>
#include <iterator>

#include <memory>
#include <vector>

#include "afx_res.h"
#include "platform.h"
#include "wnd.h"

namespace {
CWinApp* g_app = nullptr;

struct KeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using RegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

tstring ModuleFileName(HINSTANCE hInstance)
{
    // Paths may exceed MAX_PATH: grow until the name fits.
    std::vector<TCHAR> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileName(hInstance, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return tstring();
        if (length < buffer.size())
            return tstring(buffer.data(), length);
        if (buffer.size() >= 32768)
            return tstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}
}  // namespace

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName != nullptr) {
        m_appName = lpszAppName;
        m_pszAppName = m_appName.c_str();
    }
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::InitApplicationState(HINSTANCE hInstance, int nCmdShow)
{
    m_hInstance = hInstance;
    m_nCmdShow = nCmdShow;
    m_exeName = AfxModuleBaseName(ModuleFileName(hInstance));
    m_pszExeName = m_exeName.c_str();
    if (m_pszAppName == nullptr) {  // no name given to the constructor
        m_appName = AfxLoadString(AFX_IDS_APP_TITLE, hInstance);
        if (m_appName.empty())
            m_appName = m_exeName;
    }
    m_pszAppName = m_appName.c_str();
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    if (m_pMainWnd == nullptr || m_pMainWnd->m_hWnd == nullptr)
        return ExitInstance();
    MSG msg{};
    for (;;) {
        const BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) {
            m_exitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) {
            m_exitCode = -1;
            break;
        }
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    return ExitInstance();
}

int CWinApp::ExitInstance()
{
    return m_exitCode;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    HWND mainWnd = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd)) {
            if (wnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (hWnd == mainWnd)
            break;
    }
    return FALSE;
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_registryKey = lpszRegistryKey != nullptr ? lpszRegistryKey : TEXT("");
}

tstring CWinApp::SectionKeyPath(LPCTSTR lpszSection) const
{
    if (m_registryKey.empty() || lpszSection == nullptr || m_appName.empty())
        return tstring();
    return tstring(TEXT("Software\\")) + m_registryKey + TEXT("\\") + m_appName + TEXT("\\") + lpszSection;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    const tstring path = SectionKeyPath(lpszSection);
    if (path.empty() || lpszEntry == nullptr)
        return static_cast<UINT>(nDefault);
    HKEY opened = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, afx_platform::ProfileReadAccess(), &opened) != ERROR_SUCCESS)
        return static_cast<UINT>(nDefault);
    RegKey key(opened);
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    // A larger value fails with ERROR_MORE_DATA and is not copied.
    const LONG status =
        ::RegQueryValueEx(key.get(), lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return static_cast<UINT>(nDefault);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    const tstring path = SectionKeyPath(lpszSection);
    if (path.empty() || lpszEntry == nullptr)
        return FALSE;
    HKEY created = nullptr;
    DWORD disposition = 0;  // Windows CE lists no null pointer here
    if (::RegCreateKeyEx(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                         nullptr, &created, &disposition) != ERROR_SUCCESS)
        return FALSE;
    RegKey key(created);
    const DWORD value = static_cast<DWORD>(nValue);
    return ::RegSetValueEx(key.get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                           sizeof value) == ERROR_SUCCESS;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

CWinApp* AfxGetApp()
{
    return g_app;
}

LPCTSTR AfxGetAppName()
{
    return g_app != nullptr && g_app->m_pszAppName != nullptr ? g_app->m_pszAppName : TEXT("");
}

CWnd* AfxGetMainWnd()
{
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app != nullptr && g_app->m_hInstance != nullptr ? g_app->m_hInstance : ::GetModuleHandle(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetInstanceHandle();
}

tstring AfxModuleBaseName(const tstring& modulePath)
{
    const size_t slash = modulePath.find_last_of(TEXT("\\/:"));
    tstring name = slash == tstring::npos ? modulePath : modulePath.substr(slash + 1);
    const size_t dot = name.find_last_of(TEXT('.'));
    if (dot != tstring::npos && dot > 0)
        name.erase(dot);
    return name;
}

tstring AfxLoadString(UINT id, HINSTANCE hInstance)
{
    if (hInstance == nullptr)
        hInstance = AfxGetResourceHandle();
    // A string resource holds at most 4097 characters.
    std::vector<TCHAR> buffer(4100);
    const int length = ::LoadString(hInstance, id, buffer.data(), static_cast<int>(buffer.size()));
    return length > 0 ? tstring(buffer.data(), static_cast<size_t>(length)) : tstring();
}

tstring AfxFormatInt(int value)
{
    char digits[16];
    const char* const end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    return tstring(static_cast<const char*>(digits), end);
}

int AfxWinMain(HINSTANCE hInstance, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    app->InitApplicationState(hInstance, nCmdShow);
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}

// The program's entry point lives here, beside the application class: every
// program that defines an application object pulls this file in, so the
// runtime's reference to WinMain is met from the library.
int WINAPI _tWinMain(HINSTANCE hInstance, HINSTANCE, LPTSTR, int nCmdShow)
{
    return AfxWinMain(hInstance, nCmdShow);
}
