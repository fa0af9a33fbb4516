// The hand-off to ActiveSync's application manager, here a stand-in that
// records its command line: found in the registry, started with setup.ini in
// the installer's place, or the reason why not.

#include "installer.h"

namespace setup_e2e {
namespace {

class HandOff : public InstallerTest {
protected:
    // The handheld installation alone, refused with `message`: the dialog
    // stays, and Cancel ends the installer.
    void ExpectHandheldInstallRefused(const std::string& message)
    {
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
        setup.Click(IDOK);
        EXPECT_EQ(setup.AnswerMessageBox("Installation"), message);
        EXPECT_TRUE(setup.StillOpen());
        EXPECT_TRUE(setup.EndsOnCancel());
    }
};

const char kActiveSyncMissing[] =
    "Can not find ActiveSync. Please reinstall ActiveSync and than run this installation again.";

TEST_F(HandOff, BothInstallationsReportSuccessThenHandOver)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    setup.Click(IDOK);
    EXPECT_EQ(setup.AnswerMessageBox("setup"), kInstalled);

    ExpectHandedOver();
    EXPECT_TRUE(setup.Ended()) << "the application manager takes the installer's place";
    ExpectInstalledIn(kDefaultTarget);
}

TEST_F(HandOff, HandheldAloneStartsTheApplicationManagerAtOnce)
{
    Installer setup;
    ASSERT_TRUE(setup.Start()) << setup.Error();
    ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
    setup.Click(IDOK);
    ExpectHandedOver();
    EXPECT_TRUE(setup.Ended());
    EXPECT_FALSE(FileExists(std::string(kDefaultTarget) + "Quenlark.exe"));
    EXPECT_FALSE(FileExists(kDesktopLink));
}

TEST_F(HandOff, MissingApplicationManagerIsReported)
{
    RegisterAppManager(false);
    ExpectHandheldInstallRefused(kActiveSyncMissing);
}

TEST_F(HandOff, OddApplicationManagerValues)
{
    // A path longer than the 260-byte buffer counts as no application manager.
    const std::string longPath = "C:\\" + std::string(300, 'a') + "\\CEAPPMGR.EXE";
    SetAppManagerValue(REG_SZ, longPath.c_str(), static_cast<DWORD>(longPath.size() + 1));
    ExpectHandheldInstallRefused(kActiveSyncMissing);
    // A program that cannot be started, and a value that is no text at all:
    // the start fails, the user is told why, and the dialog stays.
    const char missing[] = "C:\\nowhere\\CEAPPMGR.EXE";
    const DWORD number = 0x41414141;
    struct Value {
        DWORD type;
        std::string data;
        const char* program;  // as the installer reads it
        const char* reason;
    };
    const Value values[] = {
        {REG_SZ, std::string(missing, sizeof missing), missing, "Path not found"},
        {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number), "AAAA",
         "File not found"},
    };
    for (const Value& value : values) {
        SetAppManagerValue(value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
        ExpectHandheldInstallRefused(std::string("ActiveSync's application manager ") + value.program +
                                     " could not be started: " + value.reason);
    }
}

// The application manager as installers register it: in the 32-bit view of
// the registry, in quotes, or as a value to expand. Each is found and started.
TEST_F(HandOff, ApplicationManagerIsFoundInEitherViewQuotedOrToExpand)
{
    // Wine shares App Paths between the two views; Windows keeps them apart.
    HKEY link = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                      "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths",
                      REG_OPTION_OPEN_LINK, KEY_ALL_ACCESS, &link) == ERROR_SUCCESS) {
        RegDeleteKeyA(link, "");
        RegCloseKey(link);
    }
    RegisterAppManager(false);
    SetAppManagerValue(REG_SZ, kManagerProgram, sizeof kManagerProgram, KEY_WOW64_32KEY);
    HKEY own = nullptr;
    ASSERT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAppPathsKey, 0, KEY_READ | KEY_WOW64_64KEY, &own),
              ERROR_SUCCESS)
        << "the 64-bit view must not see the 32-bit registration";

    const std::string quoted = std::string("\"") + kManagerProgram + "\"";
    const char expandable[] = "%SystemDrive%\\Active Sync\\CEAPPMGR.EXE";
    const std::pair<DWORD, std::string> values[] = {
        {REG_SZ, quoted},
        {REG_EXPAND_SZ, expandable},
    };
    for (int registration = 0; registration < 3; ++registration) {
        SCOPED_TRACE("registration " + std::to_string(registration));
        if (registration > 0) {
            RegisterAppManager(false);
            const auto& [type, text] = values[registration - 1];
            SetAppManagerValue(type, text.c_str(), static_cast<DWORD>(text.size() + 1));
        }
        DeleteFileA(kManagerOutput);
        Installer setup;
        ASSERT_TRUE(setup.Start()) << setup.Error();
        ASSERT_TRUE(setup.SetChecked(IDC_INSTALL_DESKTOP, false));
        setup.Click(IDOK);
        ExpectHandedOver();
        EXPECT_TRUE(setup.Ended());
    }
}

}  // namespace
}  // namespace setup_e2e
