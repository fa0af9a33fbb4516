// The registry profile store of CWinApp and the application's name.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "afxwin.h"

namespace {

const TCHAR kKey[] = TEXT("Quenlark Framework Test");
const TCHAR kSectionPath[] = TEXT("Software\\Quenlark Framework Test\\ProfileApp\\settings");

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SHDeleteKey(HKEY_CURRENT_USER, TEXT("Software\\Quenlark Framework Test"));
        app.InitApplicationState(::GetModuleHandle(nullptr), SW_SHOW);
    }
    void TearDown() override { ::SHDeleteKey(HKEY_CURRENT_USER, TEXT("Software\\Quenlark Framework Test")); }

    // Writes a value of any type and size straight into the section.
    void WriteRaw(LPCTSTR name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyEx(HKEY_CURRENT_USER, kSectionPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                   nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueEx(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        ::RegCloseKey(key);
    }

    CWinApp app{TEXT("ProfileApp")};
};

TEST_F(ProfileTest, WithoutRegistryKeyReadsGiveTheDefaultAndWritesFail)
{
    EXPECT_FALSE(app.WriteProfileInt(TEXT("settings"), TEXT("style"), 1));
    EXPECT_EQ(app.GetProfileInt(TEXT("settings"), TEXT("style"), 42), 42u);
}

TEST_F(ProfileTest, WrittenValueIsADwordUnderKeyAppAndSection)
{
    app.SetRegistryKey(kKey);
    ASSERT_TRUE(app.WriteProfileInt(TEXT("settings"), TEXT("style"), 7));
    DWORD type = 0, value = 0, size = sizeof value;
    ASSERT_EQ(::RegGetValue(HKEY_CURRENT_USER, kSectionPath, TEXT("style"), RRF_RT_ANY, &type, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(app.GetProfileInt(TEXT("settings"), TEXT("style"), 0), 7u);

    ASSERT_TRUE(app.WriteProfileInt(TEXT("settings"), TEXT("style"), -5));
    EXPECT_EQ(static_cast<int>(app.GetProfileInt(TEXT("settings"), TEXT("style"), 0)), -5);
}

TEST_F(ProfileTest, MissingSectionOrValueGivesTheDefault)
{
    app.SetRegistryKey(kKey);
    EXPECT_EQ(app.GetProfileInt(TEXT("nosuchsection"), TEXT("style"), 3), 3u);
    ASSERT_TRUE(app.WriteProfileInt(TEXT("settings"), TEXT("style"), 1));
    EXPECT_EQ(app.GetProfileInt(TEXT("settings"), TEXT("oneclick"), 2), 2u);
}

TEST_F(ProfileTest, ValuesThatAreNotFourByteDwordsGiveTheDefault)
{
    app.SetRegistryKey(kKey);
    const TCHAR text[] = TEXT("5");
    const BYTE four[4] = {5, 0, 0, 0};
    const BYTE two[2] = {5, 0};
    const BYTE eight[8] = {5, 0, 0, 0, 0, 0, 0, 0};
    const TCHAR multi[] = TEXT("5\0\0");
    WriteRaw(TEXT("string"), REG_SZ, text, sizeof text);
    WriteRaw(TEXT("expand"), REG_EXPAND_SZ, text, sizeof text);
    WriteRaw(TEXT("multi"), REG_MULTI_SZ, multi, sizeof multi);
    WriteRaw(TEXT("binary"), REG_BINARY, four, sizeof four);
    WriteRaw(TEXT("qword"), REG_QWORD, eight, sizeof eight);
    WriteRaw(TEXT("bigendian"), REG_DWORD_BIG_ENDIAN, four, sizeof four);
    WriteRaw(TEXT("shortdword"), REG_DWORD, two, sizeof two);
    WriteRaw(TEXT("longdword"), REG_DWORD, eight, sizeof eight);
    WriteRaw(TEXT("none"), REG_NONE, nullptr, 0);
    for (LPCTSTR name : {TEXT("string"), TEXT("expand"), TEXT("multi"), TEXT("binary"), TEXT("qword"),
                         TEXT("bigendian"), TEXT("shortdword"), TEXT("longdword"), TEXT("none")}) {
        EXPECT_EQ(app.GetProfileInt(TEXT("settings"), name, 42), 42u) << "value " << name;
    }
    WriteRaw(TEXT("good"), REG_DWORD, four, sizeof four);
    EXPECT_EQ(app.GetProfileInt(TEXT("settings"), TEXT("good"), 42), 5u);
}

TEST_F(ProfileTest, OverlongNamesAreHandledSafely)
{
    app.SetRegistryKey(kKey);
    const tstring longName(5000, TEXT('x'));
    const BOOL written = app.WriteProfileInt(longName.c_str(), longName.c_str(), 9);
    EXPECT_EQ(app.GetProfileInt(longName.c_str(), longName.c_str(), 42), written ? 9u : 42u);
    EXPECT_EQ(app.GetProfileInt(nullptr, TEXT("style"), 42), 42u);
    EXPECT_EQ(app.GetProfileInt(TEXT("settings"), nullptr, 42), 42u);
}

TEST(AppName, ModuleBaseNameDropsFolderAndExtension)
{
    EXPECT_EQ(AfxModuleBaseName(TEXT("C:\\Games\\Quenlark.EXE")), tstring(TEXT("Quenlark")));
    EXPECT_EQ(AfxModuleBaseName(TEXT("setup.exe")), tstring(TEXT("setup")));
    EXPECT_EQ(AfxModuleBaseName(TEXT("C:\\dir.with.dots\\program")), tstring(TEXT("program")));
    EXPECT_EQ(AfxModuleBaseName(TEXT("C:\\x\\game.v2.exe")), tstring(TEXT("game.v2")));
    EXPECT_EQ(AfxModuleBaseName(TEXT("Z:/unix/style/QuenlarkPC.exe")), tstring(TEXT("QuenlarkPC")));
    EXPECT_EQ(AfxModuleBaseName(TEXT("")), tstring());
}

TEST(AppName, WithoutTitleStringTheProgramFileNameIsTheName)
{
    CWinApp app;
    app.InitApplicationState(::GetModuleHandle(nullptr), SW_SHOW);
    const tstring programName = TEXT(TEST_PROGRAM_NAME);
    EXPECT_EQ(tstring(app.m_pszAppName), programName);
    EXPECT_EQ(tstring(app.m_pszExeName), programName);
    EXPECT_EQ(tstring(AfxGetAppName()), programName);

    // The profile then lives under that name.
    ::SHDeleteKey(HKEY_CURRENT_USER, TEXT("Software\\Quenlark Framework Test"));
    app.SetRegistryKey(kKey);
    ASSERT_TRUE(app.WriteProfileInt(TEXT("s"), TEXT("v"), 11));
    DWORD value = 0, size = sizeof value;
    const tstring path = TEXT("Software\\Quenlark Framework Test\\") + programName + TEXT("\\s");
    EXPECT_EQ(::RegGetValue(HKEY_CURRENT_USER, path.c_str(), TEXT("v"), RRF_RT_REG_DWORD, nullptr, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 11u);
    ::SHDeleteKey(HKEY_CURRENT_USER, TEXT("Software\\Quenlark Framework Test"));
}

TEST(AppName, AGivenNameWins)
{
    CWinApp app(TEXT("Given"));
    app.InitApplicationState(::GetModuleHandle(nullptr), SW_SHOW);
    EXPECT_EQ(tstring(app.m_pszAppName), tstring(TEXT("Given")));
}

}  // namespace
