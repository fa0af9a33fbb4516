// The installer's Win32 pieces on their own, under Wine: files, registry
// reads with odd values, folder macros and chains on a real file system, and
// shortcuts written from the shell folders of the registry. Runs in a
// throw-away prefix, so it may change HKEY_LOCAL_MACHINE freely.

#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "app_manager.h"
#include "file64.h"
#include "file_item.h"
#include "installer_paths.h"
#include "path_name.h"
#include "registry_key.h"
#include "shortcut_maker.h"
#include "win32_install_platform.h"

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kTestKey[] = "Software\\QuenlarkSetupTest";

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
}

void SetValue(HKEY root, const char* subKey, const char* name, DWORD type, const void* data,
              DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, subKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void SetText(HKEY root, const char* subKey, const char* name, const std::string& text)
{
    SetValue(root, subKey, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

TEST(File64Test, OpensReportsAndMeasures)
{
    WriteFile("C:\\file64.bin", std::string(12345, 'x'));
    CFile64 file;
    ASSERT_TRUE(file.Open("C:\\file64.bin", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.GetLength(), 12345u);
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.FileName(), "");

    CFileError error;
    EXPECT_FALSE(file.Open("C:\\no such file.bin", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                           &error));
    EXPECT_EQ(error.osError, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(error.cause, CFileError::fileNotFound);
    EXPECT_EQ(error.fileName, "C:\\no such file.bin");
    EXPECT_FALSE(file.Open("C:\\no folder\\x.bin", GENERIC_READ, 0, OPEN_EXISTING, &error));
    EXPECT_EQ(error.cause, CFileError::badPath);

    CFileItem item;
    item.SetPath("\"C:\\file64.bin\"", 64);
    EXPECT_EQ(item.Size(), 12345u);
    DeleteFileA("C:\\file64.bin");
}

TEST(RegistryKeyTest, ReadsTextsUpTo200Bytes)
{
    SetText(HKEY_LOCAL_MACHINE, kTestKey, "fits", std::string(199, 'f'));
    SetText(HKEY_LOCAL_MACHINE, kTestKey, "long", std::string(200, 'l'));
    const char unterminated[] = {'a', 'b', 'c'};
    SetValue(HKEY_LOCAL_MACHINE, kTestKey, "raw", REG_BINARY, unterminated, sizeof unterminated);

    CRegistryKey key(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, kTestKey));
    std::string text = "before";
    EXPECT_TRUE(key.ReadText("fits", text));
    EXPECT_EQ(text, std::string(199, 'f'));
    text = "before";
    EXPECT_FALSE(key.ReadText("long", text)) << "201 bytes with the terminator";
    EXPECT_EQ(text, "before");
    EXPECT_TRUE(key.ReadText("raw", text));
    EXPECT_EQ(text, "abc");
    EXPECT_FALSE(key.ReadText("missing", text));

    CRegistryKey absent(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(absent.Open(HKEY_LOCAL_MACHINE, "Software\\No Such Key Here"));
    EXPECT_NE(absent.LastStatus(), ERROR_SUCCESS);
}

TEST(PathNameOnWindowsTest, MacrosAndChainsOnARealFileSystem)
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(CPathName("[windowsdir]\\sub").Text(), std::string(windows) + "\\sub\\");
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(CPathName("[systemdir]").Text(), std::string(system) + "\\");
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[16];
    snprintf(date, sizeof date, "%02d%02d%04d", now.wDay, now.wMonth, now.wYear);
    EXPECT_EQ(CPathName("C:\\[datedir]").Text(), std::string("C:\\") + date + "\\");

    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    CPathName chain("C:\\chain test\\one\\two\\");
    EXPECT_FALSE(chain.Exists());
    EXPECT_TRUE(chain.CreateChain());
    EXPECT_TRUE(chain.Exists());
    EXPECT_TRUE(chain.CreateChain()) << "existing levels are no failure";
    char after[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before) << "the current directory is restored";

    WriteFile("C:\\chain test\\file", "a file, not a folder");
    EXPECT_FALSE(CPathName("C:\\chain test\\file\\below\\").CreateChain());
    for (const char* folder : {"C:\\chain test\\one\\two", "C:\\chain test\\one"})
        RemoveDirectoryA(folder);
    DeleteFileA("C:\\chain test\\file");
    RemoveDirectoryA("C:\\chain test");
}

TEST(InstallerPathsTest, FolderOfTheRunningProgram)
{
    const std::string program = InstallerProgramPath();
    const std::string folder = InstallerFolder(program);
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(program.compare(0, folder.size(), folder), 0);
    EXPECT_EQ(program.find('\\', folder.size()), std::string::npos);
}

std::string LinkTarget(const std::string& linkPath, std::string* workingDirectory)
{
    std::string target;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return "<no link object>";
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
        char text[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
            SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)))
            target = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, MAX_PATH);
        *workingDirectory = text;
        file->Release();
    }
    link->Release();
    return target;
}

class ShortcutMakerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitialize(nullptr);
        CreateDirectoryA("C:\\Shortcut Test", nullptr);
        CreateDirectoryA("C:\\Shortcut Test\\Desk", nullptr);
        WriteFile(kProgram, "MZ");
        SetText(HKEY_LOCAL_MACHINE, kShellFolders, "Common Desktop", "C:\\Shortcut Test\\Desk");
        SetText(HKEY_LOCAL_MACHINE, kShellFolders, "Common Start Menu", "C:\\Shortcut Test\\Start");
    }
    void TearDown() override { CoUninitialize(); }

    const std::string kProgram = "C:\\Shortcut Test\\Game.exe";
};

TEST_F(ShortcutMakerTest, WritesBothLinksAndListsWhatItMade)
{
    CShortcutMaker maker;
    EXPECT_EQ(maker.DesktopFolder().Text(), "C:\\Shortcut Test\\Desk\\");
    EXPECT_EQ(maker.StartMenuFolder().Text(), "C:\\Shortcut Test\\Start\\");
    ASSERT_TRUE(maker.CreateDesktopShortcut(kProgram, "Game", "Game"));
    ASSERT_TRUE(maker.CreateProgramsShortcut("Zandravex", kProgram, "Game", "Game"));

    const std::string group = "C:\\Shortcut Test\\Start\\Programs\\Zandravex\\";
    ASSERT_EQ(maker.Created().size(), 3u);
    EXPECT_EQ(maker.Created()[0], group + "Game.lnk");
    EXPECT_EQ(maker.Created()[1], group);
    EXPECT_EQ(maker.Created()[2], "C:\\Shortcut Test\\Desk\\Game.lnk");

    for (const std::string& link : {std::string("C:\\Shortcut Test\\Desk\\Game.lnk"), group + "Game.lnk"}) {
        std::string workingDirectory;
        EXPECT_EQ(LinkTarget(link, &workingDirectory), kProgram) << link;
        EXPECT_EQ(workingDirectory, "C:\\Shortcut Test\\") << link;
    }

    // The group exists now: a second maker makes no folder. Under load Wine's
    // desktop shell, reading the Start menu we just changed, can make one
    // existence test fail; a few tries must show the folder found.
    std::size_t fewest = 99;
    for (int attempt = 0; attempt < 5 && fewest != 1; ++attempt) {
        CShortcutMaker again;
        ASSERT_TRUE(again.CreateProgramsShortcut("Zandravex", kProgram, "Game", "Game"));
        fewest = std::min(fewest, again.Created().size());
        Sleep(100);
    }
    EXPECT_EQ(fewest, 1u);
}

TEST_F(ShortcutMakerTest, UnwritableLinkIsReported)
{
    CShortcutMaker maker;
    EXPECT_FALSE(maker.CreateDesktopShortcut(kProgram, "no\\such\\folder\\Game", "Game"));
    EXPECT_EQ(maker.LastError(),
              "Failed to write shortcut at C:\\Shortcut Test\\Desk\\no\\such\\folder\\Game.lnk");
    EXPECT_TRUE(maker.Created().empty());
}

// An overlong or relative shell folder reads as none, and its shortcut is
// not written.
TEST_F(ShortcutMakerTest, ShellFolderThatCannotBeReadGivesNoShortcut)
{
    SetText(HKEY_LOCAL_MACHINE, kShellFolders, "Common Desktop", "C:\\" + std::string(250, 'd'));
    SetText(HKEY_LOCAL_MACHINE, kShellFolders, "Common Start Menu", "Start");
    CShortcutMaker maker;
    EXPECT_EQ(maker.DesktopFolder().Text(), "");
    EXPECT_EQ(maker.StartMenuFolder().Text(), "");
    EXPECT_FALSE(maker.CreateDesktopShortcut(kProgram, "Game", "Game"));
    EXPECT_EQ(maker.LastError(), "No common desktop folder for Game");
    EXPECT_FALSE(maker.CreateProgramsShortcut("Zandravex", kProgram, "Game", "Game"));
    EXPECT_EQ(maker.LastError(), "No common Start menu folder for Game");
    EXPECT_TRUE(maker.Created().empty());
}

TEST(AppManagerTest, FindsTheRegisteredProgramWithinBounds)
{
    const std::string key = kAppManagerKey;
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    EXPECT_FALSE(FindAppManager().has_value());

    SetText(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, "C:\\Sync\\CEAPPMGR.EXE");
    EXPECT_EQ(FindAppManager().value_or("<none>"), "C:\\Sync\\CEAPPMGR.EXE");

    SetText(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, std::string(259, 'p'));
    EXPECT_EQ(FindAppManager().value_or("<none>").size(), 259u);
    SetText(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, std::string(260, 'p'));
    EXPECT_FALSE(FindAppManager().has_value()) << "261 bytes do not fit";

    const std::string full(260, 'q');  // no terminator, exactly the buffer
    SetValue(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_BINARY, full.data(), 260);
    EXPECT_EQ(FindAppManager().value_or("<none>"), full);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}

}  // namespace
