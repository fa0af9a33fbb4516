#include <gtest/gtest.h>

#include <map>
#include <set>

#include "fake_path_platform.h"
#include "install_steps.h"
#include "installer_paths.h"

namespace {

// Records every step Install takes, in order, as one line each.
class RecordingInstallPlatform : public InstallPlatform {
public:
    std::map<std::string, std::string> profile;  // "section/key" -> value
    std::set<std::string> sourceFiles;
    std::uint32_t copyError = 2;
    std::optional<std::string> appManager = "C:\\ActiveSync\\CEAPPMGR.EXE";
    std::uint32_t startError = 0;  // 0: the start ended the installer
    std::string folder = "C:\\Setup Files\\";
    std::vector<std::string> steps;

    std::string ReadProfile(const std::string& section, const std::string& key,
                            const std::string& filePath) override
    {
        steps.push_back("read " + key + " from " + filePath);
        const auto value = profile.find(section + "/" + key);
        return value == profile.end() ? std::string() : value->second;
    }
    bool CopyFileOver(const std::string& from, const std::string& to) override
    {
        steps.push_back("copy " + from + " -> " + to);
        return sourceFiles.count(from) != 0;
    }
    std::uint32_t LastError() override { return copyError; }
    void MakeShortcuts(const std::string& programPath, const std::string& appName) override
    {
        steps.push_back("shortcuts " + programPath + " as " + appName);
    }
    void ShowMessage(const std::string& text, MessageIcon icon) override
    {
        steps.push_back(std::string(icon == MessageIcon::Error ? "error: " : "info: ") + text);
    }
    void ShowOwnerlessError(const std::string& text, const std::string& caption) override
    {
        steps.push_back("ownerless " + caption + ": " + text);
    }
    std::string InstallerFolder() override { return folder; }
    std::optional<std::string> FindAppManager() override
    {
        steps.push_back("find app manager");
        return appManager;
    }
    std::uint32_t StartInPlaceOfInstaller(const std::string& program,
                                          const std::string& configurationPath) override
    {
        steps.push_back("start " + program + " with " + configurationPath);
        return startError;
    }
};

class InstallStepsTest : public ::testing::Test {
protected:
    InstallStepsTest() : target("c:\\Program Files\\Quenlark\\", paths)
    {
        paths.folders = {"C:\\work", "c:\\Program Files"};
        install.profile = {{"zandravex/desktop", "QuenlarkPC.exe"},
                           {"zandravex/filename", "Quenlark.exe"}};
        install.sourceFiles = {"C:\\Setup Files\\QuenlarkPC.exe", "C:\\Setup Files\\readme.txt"};
        source = InstallSource{"C:\\Setup Files\\", "C:\\Setup Files\\setup.ini", "Quenlark",
                               "Quenlark"};
    }

    FakePathPlatform paths;
    RecordingInstallPlatform install;
    InstallSource source;
    CPathName target;
};

TEST_F(InstallStepsTest, BothChoicesCopyReportThenHandOver)
{
    RunInstall(install, source, target, true, true);
    EXPECT_EQ(paths.created, (std::vector<std::string>{"c:\\Program Files",
                                                       "c:\\Program Files\\Quenlark"}));
    const std::vector<std::string> expected = {
        "read desktop from C:\\Setup Files\\setup.ini",
        "read filename from C:\\Setup Files\\setup.ini",
        "copy C:\\Setup Files\\QuenlarkPC.exe -> c:\\Program Files\\Quenlark\\Quenlark.exe",
        "shortcuts c:\\Program Files\\Quenlark\\Quenlark.exe as Quenlark",
        "copy C:\\Setup Files\\readme.txt -> c:\\Program Files\\Quenlark\\readme.txt",
        "copy C:\\Setup Files\\featured.gif -> c:\\Program Files\\Quenlark\\featured.gif",
        "copy C:\\Setup Files\\Quenlark.html -> c:\\Program Files\\Quenlark\\Quenlark.html",
        "info: Quenlark has been successfully installed on your desktop computer",
        "find app manager",
        "start C:\\ActiveSync\\CEAPPMGR.EXE with C:\\Setup Files\\setup.ini",
    };
    EXPECT_EQ(install.steps, expected);
}

TEST_F(InstallStepsTest, ExistingFolderIsNotMadeAgain)
{
    paths.folders.insert("c:\\Program Files\\Quenlark");
    RunInstall(install, source, target, true, false);
    EXPECT_TRUE(paths.created.empty());
    EXPECT_EQ(install.steps.back(),
              "info: Quenlark has been successfully installed on your desktop computer");
}

TEST_F(InstallStepsTest, FolderThatCannotBeMadeStopsEverything)
{
    paths.refusals["c:\\Program Files\\Quenlark"] = 5;
    RunInstall(install, source, target, true, true);
    EXPECT_EQ(install.steps,
              (std::vector<std::string>{
                  "read desktop from C:\\Setup Files\\setup.ini",
                  "read filename from C:\\Setup Files\\setup.ini",
                  "error: Failed to create the target folder on your desktop computer:"
                  "c:\\Program Files\\Quenlark\\. The desktop version of Quenlark will not be "
                  "installed."}));
}

TEST_F(InstallStepsTest, FailedProgramCopyNamesTheReasonAndGoesOnToTheHandheld)
{
    install.sourceFiles.clear();
    RunInstall(install, source, target, true, true);
    const std::vector<std::string> expected = {
        "read desktop from C:\\Setup Files\\setup.ini",
        "read filename from C:\\Setup Files\\setup.ini",
        "copy C:\\Setup Files\\QuenlarkPC.exe -> c:\\Program Files\\Quenlark\\Quenlark.exe",
        "info: The desktop version of Quenlark has not been installed: File not found",
        "find app manager",
        "start C:\\ActiveSync\\CEAPPMGR.EXE with C:\\Setup Files\\setup.ini",
    };
    EXPECT_EQ(install.steps, expected);

    install.steps.clear();
    install.copyError = 1223;
    RunInstall(install, source, target, true, false);
    EXPECT_EQ(install.steps.back(),
              "info: The desktop version of Quenlark has not been installed: Unknown error(4c7)");
}

TEST_F(InstallStepsTest, TypedFolderGetsItsSeparatorBeforeUse)
{
    target.Text() = "c:\\Games";  // as typed, without the separator
    paths.folders.insert("c:\\Games");
    RunInstall(install, source, target, true, false);
    EXPECT_EQ(target.Text(), "c:\\Games\\");
    EXPECT_EQ(install.steps[2],
              "copy C:\\Setup Files\\QuenlarkPC.exe -> c:\\Games\\Quenlark.exe");
}

TEST_F(InstallStepsTest, HandheldAloneAndMissingActiveSync)
{
    RunInstall(install, source, target, false, true);
    EXPECT_EQ(install.steps,
              (std::vector<std::string>{
                  "find app manager",
                  "start C:\\ActiveSync\\CEAPPMGR.EXE with C:\\Setup Files\\setup.ini"}));
    EXPECT_TRUE(paths.created.empty());

    install.steps.clear();
    install.appManager.reset();
    RunInstall(install, source, target, false, true);
    EXPECT_EQ(install.steps,
              (std::vector<std::string>{
                  "find app manager",
                  "ownerless Installation: Can not find ActiveSync. Please reinstall ActiveSync "
                  "and than run this installation again."}));
}

TEST_F(InstallStepsTest, NothingChosenDoesNothing)
{
    RunInstall(install, source, target, false, false);
    EXPECT_TRUE(install.steps.empty());
    EXPECT_TRUE(paths.created.empty());
}

TEST_F(InstallStepsTest, EmptyValuesAreJoinedAsTheyStand)
{
    install.profile.clear();
    source.component.clear();
    source.appName.clear();
    install.sourceFiles.insert("C:\\Setup Files\\");
    RunInstall(install, source, target, true, false);
    EXPECT_EQ(install.steps[2], "copy C:\\Setup Files\\ -> c:\\Program Files\\Quenlark\\");
    EXPECT_EQ(install.steps[6], "copy C:\\Setup Files\\.html -> c:\\Program Files\\Quenlark\\.html");
    EXPECT_EQ(install.steps.back(), "info:  has been successfully installed on your desktop computer");
}

TEST_F(InstallStepsTest, NoFolderBelowARootStopsInstallBeforeAnythingIsMade)
{
    for (const char* typed : {"", "  ", "\\", "c:\\", "c:\\Program Files\\..\\..", "Games\\Quenlark",
                              "..\\..\\updir\\", "C:drel\\"}) {
        install.steps.clear();
        target.Text() = typed;
        RunInstall(install, source, target, true, true);
        EXPECT_EQ(install.steps,
                  std::vector<std::string>{
                      std::string("error: The target folder on your desktop computer must be a "
                                  "folder below the root of a drive:") +
                      typed + ". The desktop version of Quenlark will not be installed."})
            << "typed: \"" << typed << "\"";
        EXPECT_EQ(target.Text(), typed) << "the folder is left as typed";
    }
    EXPECT_TRUE(paths.created.empty());
}

TEST_F(InstallStepsTest, ExpansionThatDoesNotFitStopsInstallWithTheFolderMessage)
{
    paths.currentDir = "C:\\" + std::string(kMaxMacroExpansion, 'd');
    target.Assign("c:\\Games\\[currentdir]");
    RunInstall(install, source, target, true, true);
    ASSERT_EQ(install.steps.size(), 1u);
    EXPECT_EQ(install.steps[0],
              "error: Failed to create the target folder on your desktop computer:" +
                  target.Text() + ". The desktop version of Quenlark will not be installed.");
    EXPECT_TRUE(paths.created.empty());
}

TEST_F(InstallStepsTest, NamesThatAreNoPlainNameStopInstallBeforeAnythingIsMade)
{
    struct Case {
        const char* filename;
        const char* component;
        const char* appName;
        const char* refused;
    };
    const Case cases[] = {
        {"..\\..\\..\\windows\\evil.exe", "Quenlark", "Quenlark", "..\\..\\..\\windows\\evil.exe"},
        {"NUL", "Quenlark", "Quenlark", "NUL"},
        {"Quenlark.exe", "Quenlark", "C:\\Quenlark", "C:\\Quenlark"},
    };
    for (const Case& bad : cases) {
        install.steps.clear();
        install.profile["zandravex/filename"] = bad.filename;
        source.component = bad.component;
        source.appName = bad.appName;
        RunInstall(install, source, target, true, true);
        const std::vector<std::string> expected = {
            "read desktop from C:\\Setup Files\\setup.ini",
            "read filename from C:\\Setup Files\\setup.ini",
            std::string("error: The file setup.ini holds a name that is not a plain file or folder "
                        "name:") +
                bad.refused + ". The desktop version of " + bad.appName + " will not be installed.",
        };
        EXPECT_EQ(install.steps, expected);
    }
    EXPECT_TRUE(paths.created.empty());
}

// The component's macros may expand to anything but a folder name: the
// dialog then offers no folder of its own, and Install takes the user's.
TEST_F(InstallStepsTest, ComponentThatNamesNoFolderInstallsIntoTheChosenFolder)
{
    paths.folders.insert("D:\\Games");
    for (const auto& [component, cdrom] : {std::pair<const char*, bool>{"[windowsdir]", false},
                                           {"[cdrom]", false},
                                           {"Q[cdrom]", true}}) {
        install.steps.clear();
        paths.cdromDrives.clear();
        if (cdrom)
            paths.cdromDrives.insert('E');
        source.component = component;
        target.Text() = "D:\\Games\\";
        RunInstall(install, source, target, true, false);
        ASSERT_EQ(install.steps.size(), 8u) << component;
        EXPECT_EQ(install.steps[2], "copy C:\\Setup Files\\QuenlarkPC.exe -> D:\\Games\\Quenlark.exe")
            << component;
        EXPECT_EQ(install.steps[6], "copy C:\\Setup Files\\" + std::string(component) +
                                        ".html -> D:\\Games\\" + component + ".html")
            << "the page keeps the component's literal name";
        EXPECT_EQ(install.steps[7],
                  "info: Quenlark has been successfully installed on your desktop computer")
            << component;
    }
}

// Whatever folder the dialog offers, Install takes; a page whose name would
// land anywhere but beside the program is left out.
TEST_F(InstallStepsTest, FolderTheDialogOffersIsOneInstallTakes)
{
    for (const auto& [component, offered] :
         {std::pair<const char*, const char*>{"Quenlark\\", "c:\\Program Files\\Quenlark\\"},
          {"..\\..\\windows\\Quenlark", "c:\\Program Files\\"}}) {
        install.steps.clear();
        source.component = component;
        target.Text() = OfferedTargetFolder(component, paths);
        EXPECT_EQ(target.Text(), offered);
        RunInstall(install, source, target, true, false);
        const std::string folder = offered;
        const std::vector<std::string> expected = {
            "read desktop from C:\\Setup Files\\setup.ini",
            "read filename from C:\\Setup Files\\setup.ini",
            "copy C:\\Setup Files\\QuenlarkPC.exe -> " + folder + "Quenlark.exe",
            "shortcuts " + folder + "Quenlark.exe as Quenlark",
            "copy C:\\Setup Files\\readme.txt -> " + folder + "readme.txt",
            "copy C:\\Setup Files\\featured.gif -> " + folder + "featured.gif",
            "info: Quenlark has been successfully installed on your desktop computer",
        };
        EXPECT_EQ(install.steps, expected) << component;
    }
}

// Slashes, a "\\?\" prefix or ".." in a typed folder: the folders are made,
// the files copied and the shortcuts pointed at the one normal path.
TEST_F(InstallStepsTest, TypedFolderIsUsedInItsNormalForm)
{
    for (const char* typed : {"c:/Games/Quenlark", "\\\\?\\c:\\Games\\Quenlark\\",
                              "c:\\Games\\x\\..\\Quenlark"}) {
        install.steps.clear();
        paths.created.clear();
        paths.folders = {"C:\\work"};
        target.Text() = typed;
        RunInstall(install, source, target, true, false);
        EXPECT_EQ(paths.created, (std::vector<std::string>{"c:\\Games", "c:\\Games\\Quenlark"}))
            << typed;
        ASSERT_GE(install.steps.size(), 4u) << typed;
        EXPECT_EQ(install.steps[2],
                  "copy C:\\Setup Files\\QuenlarkPC.exe -> c:\\Games\\Quenlark\\Quenlark.exe")
            << typed;
        EXPECT_EQ(install.steps[3], "shortcuts c:\\Games\\Quenlark\\Quenlark.exe as Quenlark") << typed;
        EXPECT_EQ(install.steps.back(),
                  "info: Quenlark has been successfully installed on your desktop computer");
        EXPECT_EQ(target.Text(), "c:\\Games\\Quenlark\\") << "the dialog shows the folder used";
    }
}

TEST_F(InstallStepsTest, FailedStartOfTheApplicationManagerIsReported)
{
    install.startError = 5;
    RunInstall(install, source, target, false, true);
    EXPECT_EQ(install.steps,
              (std::vector<std::string>{
                  "find app manager",
                  "start C:\\ActiveSync\\CEAPPMGR.EXE with C:\\Setup Files\\setup.ini",
                  "ownerless Installation: ActiveSync's application manager "
                  "C:\\ActiveSync\\CEAPPMGR.EXE could not be started: Access is denied"}));
}

}  // namespace
