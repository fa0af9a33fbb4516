// What Install refuses: a target folder it cannot make, that is no full path
// below a root, or that a folder macro could not give whole, and names in
// setup.ini that would write outside their folder. Nothing is made, and the
// user is told.

#include "installer.h"

namespace setup_e2e {
namespace {

class RefusedInput : public InstallerTest {};

TEST_F(RefusedInput, FolderThatCannotBeMadeStopsInstall)
{
    // A file where a folder of the path must go.
    WriteFile("C:\\blocker", "not a folder");
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    setup.TypeFolder("C:\\blocker\\sub\\");
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"),
              "Failed to create the target folder on your desktop computer:C:\\blocker\\sub\\. "
              "The desktop version of Quenlark will not be installed.");
    EXPECT_TRUE(setup.StillOpen());
    Sleep(1000);
    EXPECT_FALSE(FileExists(kManagerOutput)) << "no hand-off after the folder failure";
    EXPECT_FALSE(FileExists(kDesktopLink));
    EXPECT_TRUE(setup.EndsOnCancel());
}

// An empty or blank folder box, a drive root, a path that climbs back to one,
// or a folder that is not a full path (relative to the installer's current
// directory, C:\, which the user never sees): Install refuses before
// anything is copied, and a file of the same name in the root stays as it was.
TEST_F(RefusedInput, EmptyBlankRootOrRelativeFolderIsRefused)
{
    WriteFile("C:\\readme.txt", "Not the installer's\r\n");
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    for (const char* typed : {"", "   ", "C:\\", "\\", "C:\\Program Files\\Quenlark\\..\\..\\..",
                              "Games\\Quenlark", "..\\..\\updir\\", "C:drel\\"}) {
        setup.TypeFolder(typed);
        setup.Click(IDOK);
        EXPECT_EQ(setup.AnswerMessageBox("setup"),
                  std::string("The target folder on your desktop computer must be a folder below "
                              "the root of a drive:") +
                      typed + ". The desktop version of Quenlark will not be installed.")
            << "typed: \"" << typed << "\"";
        EXPECT_TRUE(setup.StillOpen());
    }
    EXPECT_EQ(ReadFile("C:\\readme.txt"), "Not the installer's\r\n");
    for (const char* path : {"C:\\Quenlark.exe", "C:\\featured.gif", "C:\\Quenlark.html",
                             "C:\\Games", "C:\\updir", "C:\\drel", kDesktopLink, kStartMenuLink})
        EXPECT_FALSE(FileExists(path)) << path;
    EXPECT_TRUE(setup.EndsOnCancel());
}

// Names in setup.ini that would put a file or a shortcut outside its folder,
// or into a device: nothing is made, and the user is told which name.
TEST_F(RefusedInput, NamesThatAreNoPlainFileOrFolderNameAreRefused)
{
    const auto ini = [](const std::string& component, const std::string& appName,
                        const std::string& fileName) {
        return "[CEAppManager]\r\nVersion=1.0\r\nComponent=" + component +
               "\r\n[zandravex]\r\nappname=" + appName +
               "\r\ndesktop=QuenlarkPC.exe\r\nfilename=" + fileName + "\r\n";
    };
    struct Case {
        std::string configuration;
        std::string name;
        std::string appName;
        std::vector<std::string> outside;  // where an installer without the check would write
    };
    const Case cases[] = {
        {ini("Quenlark", "Quenlark", "..\\..\\..\\windows\\evil.exe"),
         "..\\..\\..\\windows\\evil.exe", "Quenlark", {"C:\\windows\\evil.exe"}},
        {ini("Quenlark", "Quenlark", "NUL"), "NUL", "Quenlark", {}},
        {ini("Quenlark", "..\\..\\Quenlark", "Quenlark.exe"), "..\\..\\Quenlark",
         "..\\..\\Quenlark",
         {"C:\\users\\Quenlark.lnk", "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Quenlark.lnk"}},
        {ini("Quenlark", "C:\\Quenlark", "Quenlark.exe"), "C:\\Quenlark", "C:\\Quenlark", {}},
    };
    for (const Case& refused : cases) {
        WriteConfiguration(refused.configuration);
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        const std::string target = setup.ItemText(IDC_TARGET_FOLDER);
        EXPECT_EQ(target.compare(0, 17, "c:\\Program Files\\"), 0) << target;
        EXPECT_EQ(target.find(".."), std::string::npos) << target;
        ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
        setup.Click(IDOK);
        EXPECT_EQ(setup.AnswerMessageBox("setup"),
                  "The file setup.ini holds a name that is not a plain file or folder name:" +
                      refused.name + ". The desktop version of " + refused.appName +
                      " will not be installed.");
        EXPECT_TRUE(setup.StillOpen());
        EXPECT_TRUE(setup.EndsOnCancel());
        EXPECT_FALSE(FileExists(kDefaultTarget)) << refused.name << ": a folder was made";
        for (const std::string& path : refused.outside)
            EXPECT_FALSE(FileExists(path)) << refused.name << ": " << path;
        EXPECT_FALSE(FileExists(kDesktopLink)) << refused.name;
        EXPECT_FALSE(FileExists(kStartMenuLink)) << refused.name;

        // What a failing installer leaves behind must not spoil the next case.
        for (const std::string& path : refused.outside)
            Remove(path);
        for (const char* path : {kDefaultTarget, kDesktopLink, kStartMenuLink})
            Remove(path);
    }
}

// A folder macro whose expansion does not fit (here the current directory,
// too long for the 260 characters of a path) stops Install with the folder
// message: no folder is made from what is left of the path.
TEST_F(RefusedInput, ExpansionThatDoesNotFitStopsInstallLikeAFolderThatCannotBeMade)
{
    std::vector<std::wstring> levels = {L"C:\\Long Way"};
    while (levels.back().size() < 300)
        levels.push_back(levels.back() + L"\\" + std::wstring(40, L'w'));
    for (const std::wstring& level : levels)
        CreateDirectoryW((L"\\\\?\\" + level).c_str(), nullptr);
    const std::string picked = "C:\\Deep [currentdir]";
    ASSERT_TRUE(CreateDirectoryA(picked.c_str(), nullptr));

    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_PDA, false));
    ASSERT_TRUE(setup.MoveInto(levels.back()));
    // The folder is chosen with Browse, which reads macros in the choice.
    setup.TypeFolder(picked);
    setup.Click(IDC_BROWSE);
    const HWND browser = setup.WaitForOtherDialog();
    ASSERT_NE(browser, nullptr) << "no folder browser";
    Installer::PressAndWait(browser, IDOK);
    const std::string shown = setup.ItemText(IDC_TARGET_FOLDER);
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"),
              "Failed to create the target folder on your desktop computer:" + shown +
                  ". The desktop version of Quenlark will not be installed.");
    EXPECT_TRUE(setup.StillOpen());
    for (const char* made : {"C:\\Deep \\Quenlark.exe", "C:\\Deep\\Quenlark.exe",
                             "C:\\Deep [currentdir]\\Quenlark.exe"})
        EXPECT_FALSE(FileExists(made)) << made;
    EXPECT_FALSE(FileExists("C:\\Deep")) << "a folder was made of the cut path";
    EXPECT_FALSE(FileExists(kDesktopLink));
    EXPECT_TRUE(setup.EndsOnCancel());
}

}  // namespace
}  // namespace setup_e2e
