// The install dialog: its texts and folder from setup.ini, its keys, and the
// folder browser behind Browse.

#include <cstdio>

#include "dialog_text.h"
#include "installer.h"

namespace setup_e2e {
namespace {

class SetupDialog : public InstallerTest {};

const char kWelcomeBoth[] =
    "Welcome to Quenlark setup. This program wll install Quenlark onto your PDA and desktop "
    "computer.\n\nPlease confirm your installation requirements below and then click on Install "
    "to continue. To abort installation, click on cancel.";
const char kWelcomeHandheld[] =
    "Welcome to Quenlark setup. This program wll install Quenlark onto your PDA.\n\n"
    "Please click on Install to continue or click on Cancel to abort installation";

TEST_F(SetupDialog, DialogOffersBothInstallationsFromSetupIni)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    EXPECT_EQ(setup.ItemText(IDC_WELCOME), kWelcomeBoth);
    EXPECT_EQ(setup.ItemText(IDC_INSTALL_PDA), "Install Quenlark on my PDA");
    EXPECT_EQ(setup.ItemText(IDC_INSTALL_DESKTOP), "Install Quenlark on my desktop computer");
    EXPECT_EQ(setup.ItemText(IDC_TARGET_LABEL), "Destination folder on my computer:");
    EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER), kDefaultTarget);
    EXPECT_EQ(setup.ItemText(IDC_BROWSE), "&Browse ...");
    EXPECT_EQ(setup.ItemText(IDOK), "Install");
    EXPECT_EQ(setup.ItemText(IDCANCEL), "Cancel");
    EXPECT_TRUE(setup.Checked(IDC_INSTALL_PDA));
    EXPECT_TRUE(setup.Checked(IDC_INSTALL_DESKTOP));
    for (int id : {IDC_INSTALL_PDA, IDC_INSTALL_DESKTOP, IDC_TARGET_LABEL, IDC_TARGET_FOLDER,
                   IDC_BROWSE, IDOK, IDCANCEL, IDC_WELCOME})
        EXPECT_TRUE(setup.ItemVisible(id)) << "control " << id;
    EXPECT_TRUE(GetWindowLongA(setup.Dialog(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongA(setup.Dialog(), GWL_STYLE) & WS_MINIMIZEBOX);

    EXPECT_TRUE(setup.EndsOnCancel()) << "Cancel ends the installer";
}

// The component's folder macros expand in the folder offered; what they
// expand to is judged, and Install takes that folder.
TEST_F(SetupDialog, FolderMacroInTheComponentIsExpanded)
{
    WriteConfiguration("[CEAppManager]\r\nComponent=Q[datedir]\r\n[zandravex]\r\nappname=Quenlark\r\n"
                       "desktop=QuenlarkPC.exe\r\nfilename=Quenlark.exe\r\n");
    SYSTEMTIME today;
    GetLocalTime(&today);
    char folder[64];
    std::snprintf(folder, sizeof folder, "c:\\Program Files\\Q%02d%02d%04d\\", today.wDay,
                  today.wMonth, today.wYear);
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER), folder);
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
    EXPECT_TRUE(FileExists(std::string(folder) + "Quenlark.exe"));
    EXPECT_TRUE(setup.EndsOnCancel());
}

// setup.ini is found beside the program file whatever the command line says:
// a bare name, or arguments holding backslashes.
TEST_F(SetupDialog, ConfigurationIsFoundBesideTheProgramFile)
{
    for (const auto& [name, arguments] : {std::pair<const char*, const char*>{"setup", ""},
                                          {"setup.exe", "C:\\elsewhere\\x.ini"}}) {
        Installer setup;
        ASSERT_TRUE(setup.Start(name, arguments)) << setup.Error();
        EXPECT_EQ(setup.ItemText(IDC_INSTALL_PDA), "Install Quenlark on my PDA") << name;
        EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER), kDefaultTarget) << name;
        EXPECT_TRUE(setup.EndsOnCancel());
    }
    // The hand-off names the same file.
    Installer setup;
    ASSERT_TRUE(setup.Start("setup")) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
    setup.Click(IDOK);
    ExpectHandedOver();
    EXPECT_TRUE(setup.Ended());
}

// Odd configurations start the dialog all the same: a name longer than the
// 255 characters kept, and a file of binary rubbish.
TEST_F(SetupDialog, OddConfigurationsAreReadSafely)
{
    WriteConfiguration("[zandravex]\r\nappname=" + std::string(400, 'N') +
                       "\r\ndesktop=QuenlarkPC.exe\r\n");
    {
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        EXPECT_EQ(setup.ItemText(IDC_INSTALL_PDA), "Install " + std::string(255, 'N') + " on my PDA");
        EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER), "c:\\Program Files\\");
        EXPECT_TRUE(setup.EndsOnCancel());
    }
    std::string rubbish;
    for (int i = 0; i < 4096; ++i)
        rubbish += static_cast<char>((i * 7919 + 13) % 256);
    WriteConfiguration(rubbish);
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    EXPECT_EQ(setup.ItemText(IDC_WELCOME),
              "Welcome to  setup. This program wll install  onto your PDA.\n\n"
              "Please click on Install to continue or click on Cancel to abort installation");
    EXPECT_FALSE(setup.ItemVisible(IDC_INSTALL_DESKTOP));
    EXPECT_TRUE(setup.EndsOnCancel());
}

TEST_F(SetupDialog, WithoutDesktopProgramOnlyTheHandheldIsOffered)
{
    WriteConfiguration("[CEAppManager]\r\nComponent=Quenlark\r\n[zandravex]\r\nappname=Quenlark\r\n");
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    EXPECT_EQ(setup.ItemText(IDC_WELCOME), kWelcomeHandheld);
    for (int id : {IDC_INSTALL_PDA, IDC_INSTALL_DESKTOP, IDC_TARGET_LABEL, IDC_TARGET_FOLDER,
                   IDC_BROWSE})
        EXPECT_FALSE(setup.ItemVisible(id)) << "control " << id;
    for (int id : {IDOK, IDCANCEL, IDC_WELCOME})
        EXPECT_TRUE(setup.ItemVisible(id)) << "control " << id;

    // The hidden handheld box stays checked: Install hands over.
    setup.Click(IDOK);
    ExpectHandedOver();
    EXPECT_TRUE(setup.Ended());
    EXPECT_FALSE(FileExists(std::string(kDefaultTarget) + "Quenlark.exe"));
}

// The installer's own folder is a plain path: square brackets in its name are
// no folder macro.
TEST_F(SetupDialog, InstallerFolderWithSquareBracketsIsAPlainPath)
{
    const std::string folder = "C:\\Quenlark [1.2]\\";
    ASSERT_NO_FATAL_FAILURE(LayOutInstallationFolder(folder));
    Installer setup(folder);
    ASSERT_TRUE(setup.Start()) << setup.Error();
    EXPECT_EQ(setup.ItemText(IDC_WELCOME), kWelcomeBoth);
    EXPECT_TRUE(setup.ItemVisible(IDC_INSTALL_DESKTOP));
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
    ExpectHandedOver(folder);
    EXPECT_TRUE(setup.Ended());
    ExpectInstalledIn(kDefaultTarget);
}

// Gives the keyboard focus to a control of another process.
void SetFocusTo(HWND control)
{
    const DWORD ours = GetCurrentThreadId();
    const DWORD theirs = GetWindowThreadProcessId(control, nullptr);
    AttachThreadInput(ours, theirs, TRUE);
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    SetFocus(control);
    AttachThreadInput(ours, theirs, FALSE);
}

TEST_F(SetupDialog, KeysOfTheDialog)
{
    {
        // Enter in the edit box presses Install.
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
        SetFocusTo(setup.Item(IDC_TARGET_FOLDER));
        PostMessageA(setup.Item(IDC_TARGET_FOLDER), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageA(setup.Item(IDC_TARGET_FOLDER), WM_KEYUP, VK_RETURN, 0xC01C0001);
        EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
        // Escape acts as Cancel.
        PostMessageA(setup.Item(IDC_TARGET_FOLDER), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageA(setup.Item(IDC_TARGET_FOLDER), WM_KEYUP, VK_ESCAPE, 0xC0010001);
        EXPECT_TRUE(setup.Ended()) << "Escape ends the installer";
    }
    // So does the window's close button.
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    PostMessageA(setup.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(setup.Ended()) << "closing the window ends the installer";
}

TEST_F(SetupDialog, BothBoxesClearedDoesNothing)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    setup.Click(IDOK);
    EXPECT_EQ(setup.WaitForWindow("setup", 1500), nullptr);
    EXPECT_TRUE(setup.StillOpen());
    EXPECT_FALSE(FileExists(kManagerOutput));
    EXPECT_FALSE(FileExists(std::string(kDefaultTarget) + "Quenlark.exe"));
    EXPECT_TRUE(setup.EndsOnCancel());
}

// Browse opens on the typed folder, shows it in the status line and puts the
// confirmed folder, parsed as a path, back into the edit box.
TEST_F(SetupDialog, BrowseStartsAtTheTypedFolderAndParsesTheChoice)
{
    for (const char* folder : {"C:\\Browse Start", "C:\\Pick [x] here"})
        CreateDirectoryA(folder, nullptr);
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();

    setup.TypeFolder("C:\\Browse Start\\");
    setup.Click(IDC_BROWSE);
    HWND browser = setup.WaitForOtherDialog();
    ASSERT_NE(browser, nullptr) << "no folder browser";
    // 0x3743: the browse window's status line.
    EXPECT_EQ(Folded(e2e::WindowText(GetDlgItem(browser, 0x3743))), Folded("C:\\Browse Start"));
    Installer::PressAndWait(browser, IDOK);
    EXPECT_EQ(Folded(setup.ItemText(IDC_TARGET_FOLDER)), Folded("C:\\Browse Start"));
    EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER).back(), '\\');

    // Square brackets in a chosen folder's name read as a macro and vanish.
    setup.TypeFolder("C:\\Pick [x] here");
    setup.Click(IDC_BROWSE);
    browser = setup.WaitForOtherDialog();
    ASSERT_NE(browser, nullptr) << "no folder browser";
    Installer::PressAndWait(browser, IDOK);
    EXPECT_EQ(Folded(setup.ItemText(IDC_TARGET_FOLDER)), Folded("C:\\Pick  here"));

    // Cancel in the browser changes nothing.
    setup.TypeFolder("C:\\Browse Start\\");
    setup.Click(IDC_BROWSE);
    browser = setup.WaitForOtherDialog();
    ASSERT_NE(browser, nullptr) << "no folder browser";
    Installer::PressAndWait(browser, IDCANCEL);
    EXPECT_EQ(setup.ItemText(IDC_TARGET_FOLDER), "C:\\Browse Start\\");

    EXPECT_TRUE(setup.EndsOnCancel());
}

}  // namespace
}  // namespace setup_e2e
