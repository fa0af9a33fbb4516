#pragma once
// The installer end to end: each case lays out an installation folder like the
// shipped one inside its own Wine prefix, registers a stand-in application
// manager, starts setup.exe from C:\ and works its dialog and message boxes
// through their windows. The programs run under GuiProcess, which reports a
// fault of theirs as a failure of the case.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gui_process.h"

namespace setup_e2e {

// The installation folder, the stand-in application manager and its record
// of the command line, where Install puts the program and its shortcuts.
inline constexpr char kSourceFolder[] = "C:\\Setup Files\\";
inline constexpr char kManagerProgram[] = "C:\\Active Sync\\CEAPPMGR.EXE";
inline constexpr char kManagerOutput[] = "C:\\Active Sync\\cmdline.txt";
inline constexpr char kAppPathsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";
inline constexpr char kDefaultTarget[] = "c:\\Program Files\\Quenlark\\";
inline constexpr char kDesktopLink[] = "C:\\users\\Public\\Desktop\\Quenlark.lnk";
inline constexpr char kStartMenuLink[] =
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Zandravex\\Quenlark.lnk";
inline constexpr char kInstalled[] =
    "Quenlark has been successfully installed on your desktop computer";

constexpr int IDC_INSTALL_PDA = 1000;
constexpr int IDC_INSTALL_DESKTOP = 1001;
constexpr int IDC_WELCOME = 1002;
constexpr int IDC_TARGET_FOLDER = 1003;
constexpr int IDC_BROWSE = 1004;
constexpr int IDC_TARGET_LABEL = 1005;

constexpr DWORD kWindowWaitMs = 30000;

std::string ReadFile(const std::string& path);  // "<missing>" when it is not there
void WriteFile(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
// Deletes a file or a folder with everything in it, trying again while Wine's
// desktop shell still reads it; true when it is gone.
bool Remove(const std::string& path);

// Paths compared as Windows compares them: without regard to case or to
// trailing separators. The kind of separator counts: a shortcut's working
// folder must be a path a program can be started in as it stands.
std::string Folded(std::string text);

// setup.exe as started from C:\.
class Installer {
public:
    explicit Installer(std::string folder = kSourceFolder) : m_folder(std::move(folder)) {}

    // `commandName` is the first word of the command line (the quoted
    // program path when empty): only the program path tells where setup.ini is.
    bool Start(const std::string& commandName = std::string(),
               const std::string& arguments = std::string());
    const std::string& Error() const { return m_error; }

    // A window of the installer with this title other than the dialog; none
    // when the installer ended first (a fault of it is reported).
    HWND WaitForWindow(const char* title, DWORD timeoutMs = kWindowWaitMs) const;
    // The folder browser (or any other dialog of the installer).
    HWND WaitForOtherDialog() const { return WaitForWindow(nullptr); }

    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    std::string ItemText(int id) const;
    bool ItemVisible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    bool Checked(int id) const;
    // Posted, not sent: Install runs message boxes of its own before it returns.
    void Click(int id) const { PostMessageA(Item(id), BM_CLICK, 0, 0); }
    bool SetChecked(int id, bool checked) const;
    void TypeFolder(const std::string& folder) const;
    // Presses Cancel; true when the installer then ends.
    bool EndsOnCancel() const
    {
        Click(IDCANCEL);
        return Ended();
    }

    // Waits for a message box with this caption, reads its text and closes it
    // with OK.
    std::string AnswerMessageBox(const char* caption) const;
    // Presses a button of a dialog of the installer (a message box, the
    // folder browser) and waits until the dialog has gone.
    static void PressAndWait(HWND window, int buttonId);

    bool Ended(DWORD timeoutMs = 10000) const { return m_process.WaitForExit(timeoutMs); }
    // The dialog still answers: Install came back without ending the program.
    bool StillOpen() const;

    // Makes a folder the installer's current directory, from outside: Wine
    // starts no program in a folder whose path is longer than 260
    // characters, but a program may move into one.
    bool MoveInto(const std::wstring& folder) const;

private:
    std::string m_folder;
    e2e::GuiProcess m_process;
    HWND m_dialog = nullptr;
    std::string m_error;
};

class InstallerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    static void TearDownTestSuite() { CoUninitialize(); }
    void SetUp() override;

    // setup.exe, setup.ini, the desktop build and the side files in a folder.
    static void LayOutInstallationFolder(const std::string& folder);
    static void WriteConfiguration(const std::string& text);
    // Registered in the driver's own (64-bit) view; both views are cleared.
    static void RegisterAppManager(bool registered);
    static void SetAppManagerValue(DWORD type, const void* data, DWORD size,
                                   REGSAM view = KEY_WOW64_64KEY);
    // The stand-in application manager was started with setup.ini of the
    // installation folder.
    static void ExpectHandedOver(const std::string& folder = kSourceFolder);

    static void ExpectInstalledIn(const std::string& target);
    // Every setting of a shortcut to the program installed in a folder.
    static void ExpectLinkToProgramIn(const std::string& linkPath, const std::string& target);
};

}  // namespace setup_e2e
