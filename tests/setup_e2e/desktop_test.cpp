// The desktop installation: the program, its side files and its two shortcuts
// in the folder the user chose.

#include "installer.h"

namespace setup_e2e {
namespace {

class DesktopInstallation : public InstallerTest {};

TEST_F(DesktopInstallation, DesktopAloneKeepsTheDialogAndASecondInstallOverwrites)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
    EXPECT_TRUE(setup.StillOpen());
    ExpectInstalledIn(kDefaultTarget);

    // New side files in the source, spoilt copies in the target: all replaced.
    WriteFile(std::string(kSourceFolder) + "readme.txt", "Second edition\r\n");
    WriteFile(std::string(kSourceFolder) + "Quenlark.html", "<html>v2</html>");
    for (const std::string& path :
         {std::string(kDefaultTarget) + "Quenlark.exe", std::string(kDefaultTarget) + "featured.gif",
          std::string(kDesktopLink), std::string(kStartMenuLink)}) {
        // Wine's desktop shell may still be reading it.
        const auto spoil = [&] {
            WriteFile(path, "spoilt");
            return ReadFile(path) == "spoilt";
        };
        ASSERT_TRUE(e2e::WaitUntil(spoil, 5000, 50)) << "cannot spoil " << path;
    }
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
    EXPECT_TRUE(setup.StillOpen());
    ExpectInstalledIn(kDefaultTarget);
    EXPECT_EQ(ReadFile(std::string(kDefaultTarget) + "readme.txt"), "Second edition\r\n");
    EXPECT_FALSE(FileExists(kManagerOutput)) << "no handheld installation was asked for";
    EXPECT_TRUE(setup.EndsOnCancel());
}

TEST_F(DesktopInstallation, MissingDesktopProgramIsReportedThenTheHandheldFollows)
{
    DeleteFileA((std::string(kSourceFolder) + "QuenlarkPC.exe").c_str());
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"),
              "The desktop version of Quenlark has not been installed: File not found");
    ExpectHandedOver();
    EXPECT_TRUE(setup.Ended());
    EXPECT_FALSE(FileExists(kDesktopLink)) << "no shortcut without the program";
    EXPECT_FALSE(FileExists(std::string(kDefaultTarget) + "readme.txt"));
}

// The typed folder is taken as it stands, square brackets and all: the
// shortcuts start the program in that folder.
TEST_F(DesktopInstallation, TypedFolderWithoutSeparatorIsInstalledInto)
{
    const std::string typed = "C:\\Typed [1] Target";
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    setup.TypeFolder(typed);
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
    ExpectInstalledIn(typed + "\\");
    EXPECT_FALSE(FileExists("C:\\Typed [1] TargetQuenlark.exe"));
    EXPECT_TRUE(setup.EndsOnCancel());
}

// Windows takes slashes as separators too, and "\\?\" before a full path: the
// folders of such a path are made, the program is installed there, and both
// shortcuts name it the normal way, in a working folder a program can start in.
TEST_F(DesktopInstallation, FolderTypedWithSlashesOrPrefixIsInstalledAtItsNormalPath)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    for (const char* typed : {"C:/Games/Quenlark", "\\\\?\\C:\\Games\\Quenlark\\"}) {
        SCOPED_TRACE(typed);
        ASSERT_TRUE(Remove("C:\\Games") && Remove(kDesktopLink) && Remove(kStartMenuLink));
        setup.TypeFolder(typed);
        setup.Click(IDOK);
        EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);
        ExpectInstalledIn("C:\\Games\\Quenlark\\");
    }
    EXPECT_TRUE(setup.EndsOnCancel());
}

// A shell folder that is missing, too long or given to expand: a folder that
// cannot be read gets no shortcut, the other shortcut is still written, and
// an expandable one is expanded.
TEST_F(DesktopInstallation, ShellFolderThatCannotBeReadGetsNoShortcut)
{
    const char key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const auto set = [&](const char* name, DWORD type, const std::string& value) {
        HKEY shellFolders = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_SET_VALUE, &shellFolders),
                  ERROR_SUCCESS);
        if (type == REG_NONE)
            RegDeleteValueA(shellFolders, name);
        else
            RegSetValueExA(shellFolders, name, 0, type,
                           reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
        RegCloseKey(shellFolders);
    };
    const std::string desktop = "C:\\users\\Public\\Desktop";
    const std::string startMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu";
    struct Run {
        DWORD desktopType;
        std::string desktopValue;
        DWORD startMenuType;
        std::string startMenuValue;
        bool desktopLink;
        bool startMenuLink;
    };
    const Run runs[] = {
        {REG_NONE, "", REG_SZ, startMenu, false, true},
        {REG_SZ, "C:\\" + std::string(250, 'd'), REG_SZ, startMenu, false, true},
        {REG_SZ, desktop, REG_NONE, "", true, false},
        {REG_EXPAND_SZ, "%SystemDrive%\\users\\Public\\Desktop", REG_EXPAND_SZ,
         "%ALLUSERSPROFILE%\\Microsoft\\Windows\\Start Menu", true, true},
    };
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    int number = 0;
    for (const Run& run : runs) {
        ++number;
        set("Common Desktop", run.desktopType, run.desktopValue);
        set("Common Start Menu", run.startMenuType, run.startMenuValue);
        ASSERT_TRUE(Remove(kDesktopLink) && Remove(kStartMenuLink));
        setup.Click(IDOK);
        EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled) << "run " << number;
        if (run.desktopLink)
            ExpectLinkToProgramIn(kDesktopLink, kDefaultTarget);
        else
            EXPECT_FALSE(FileExists(kDesktopLink)) << "run " << number;
        if (run.startMenuLink)
            ExpectLinkToProgramIn(kStartMenuLink, kDefaultTarget);
        else
            EXPECT_FALSE(FileExists(kStartMenuLink)) << "run " << number;
        // Nothing relative to the installer's current directory (C:\).
        for (const char* stray : {"C:\\Quenlark.lnk", "C:\\Programs", "C:\\%SystemDrive%",
                                  "C:\\%ALLUSERSPROFILE%"}) {
            EXPECT_FALSE(FileExists(stray)) << "run " << number << ": " << stray;
            Remove(stray);
        }
    }
    EXPECT_TRUE(setup.EndsOnCancel());
}

}  // namespace
}  // namespace setup_e2e
