#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "profile_file.h"

namespace {

const char kSetupIni[] =
    "[CEAppManager]\r\n"
    "Version      = 1.0\r\n"
    "Component    = Quenlark\r\n"
    "\r\n"
    "[Quenlark]\r\n"
    "Description  = Quenlark tile game\r\n"
    "CabFiles     = Quenlark.ARM.CAB\r\n"
    "\r\n"
    "[zandravex]\r\n"
    "appname=Quenlark\r\n"
    "desktop=QuenlarkPC.exe\r\n"
    "filename=Quenlark.exe";

TEST(ProfileFileTest, ReadsValuesWithoutRegardToCase)
{
    EXPECT_EQ(ProfileValue(kSetupIni, "CEAppManager", "component"), "Quenlark");
    EXPECT_EQ(ProfileValue(kSetupIni, "ceappmanager", "COMPONENT"), "Quenlark");
    EXPECT_EQ(ProfileValue(kSetupIni, "ZANDRAVEX", "AppName"), "Quenlark");
    EXPECT_EQ(ProfileValue(kSetupIni, "zandravex", "desktop"), "QuenlarkPC.exe");
    EXPECT_EQ(ProfileValue(kSetupIni, "zandravex", "filename"), "Quenlark.exe");
}

TEST(ProfileFileTest, MissingSectionOrKeyReadsEmpty)
{
    EXPECT_EQ(ProfileValue(kSetupIni, "nosuch", "appname"), "");
    EXPECT_EQ(ProfileValue(kSetupIni, "zandravex", "component"), "");
    EXPECT_EQ(ProfileValue(kSetupIni, "zandravex", ""), "");
    EXPECT_EQ(ProfileValue("", "zandravex", "appname"), "");
    // Keys before any section belong to none.
    EXPECT_EQ(ProfileValue("appname=x\n[zandravex]\n", "zandravex", "appname"), "");
}

TEST(ProfileFileTest, BlanksAroundNamesAndValuesAreIgnored)
{
    const char ini[] = "  [ zandravex ]  \n\t appname \t=  Quen lark  \nempty=\n";
    EXPECT_EQ(ProfileValue(ini, "zandravex", "appname"), "Quen lark");
    EXPECT_EQ(ProfileValue(ini, "zandravex", "empty"), "");
}

TEST(ProfileFileTest, FirstMatchingSectionAndKeyWin)
{
    const char ini[] =
        "[zandravex]\nappname=First\nappname=Second\n[other]\nappname=Other\n"
        "[ZANDRAVEX]\nappname=Third\ndesktop=Late.exe\n";
    EXPECT_EQ(ProfileValue(ini, "zandravex", "appname"), "First");
    EXPECT_EQ(ProfileValue(ini, "zandravex", "desktop"), "");
    EXPECT_EQ(ProfileValue(ini, "other", "appname"), "Other");
}

TEST(ProfileFileTest, ValueKeepsEqualsSignsAndBracketsAndLosesOnePairOfQuotes)
{
    const char ini[] =
        "[s]\na=x=y\nb=\"quoted value\"\nc='single'\nd=\"unbalanced\ne=[datedir]\nf\n";
    EXPECT_EQ(ProfileValue(ini, "s", "a"), "x=y");
    EXPECT_EQ(ProfileValue(ini, "s", "b"), "quoted value");
    EXPECT_EQ(ProfileValue(ini, "s", "c"), "single");
    EXPECT_EQ(ProfileValue(ini, "s", "d"), "\"unbalanced");
    EXPECT_EQ(ProfileValue(ini, "s", "e"), "[datedir]");
    EXPECT_EQ(ProfileValue(ini, "s", "f"), "");
}

TEST(ProfileFileTest, LongValuesAreCutTo255Characters)
{
    const std::string value(1000, 'v');
    const std::string ini = "[zandravex]\nappname=" + value + "\n";
    const std::string read = ProfileValue(ini, "zandravex", "appname");
    EXPECT_EQ(read.size(), 255u);
    EXPECT_EQ(read, value.substr(0, 255));
    EXPECT_EQ(ProfileValue("[s]\nk=" + std::string(255, 'x'), "s", "k").size(), 255u);
}

TEST(ProfileFileTest, LineEndingsOfEveryKind)
{
    const char ini[] = "[a]\rk=1\r[b]\nk=2\r\n[c]\r\nk=3";
    EXPECT_EQ(ProfileValue(ini, "a", "k"), "1");
    EXPECT_EQ(ProfileValue(ini, "b", "k"), "2");
    EXPECT_EQ(ProfileValue(ini, "c", "k"), "3");
}

TEST(ProfileFileTest, BrokenSectionLines)
{
    EXPECT_EQ(ProfileValue("[zandravex\nappname=A\n", "zandravex", "appname"), "A");
    EXPECT_EQ(ProfileValue("[]\nappname=A\n", "", "appname"), "A");
    EXPECT_EQ(ProfileValue("[a]b]\nk=1\n", "a]b", "k"), "1");
}

TEST(ProfileFileReaderTest, ReadsAFileAndAMissingFileReadsEmpty)
{
    const std::string path = ::testing::TempDir() + "quenlark_setup_test.ini";
    {
        std::ofstream file(path, std::ios::binary);
        file << kSetupIni;
    }
    ProfileFileReader reader;
    EXPECT_EQ(reader.ReadString("zandravex", "desktop", path), "QuenlarkPC.exe");
    std::remove(path.c_str());
    EXPECT_EQ(reader.ReadString("zandravex", "desktop", path), "");
}

}  // namespace

namespace {

// The setup.ini that ships reads as the installer expects it.
TEST(ProfileFileReaderTest, ShippedSetupIniNamesTheProduct)
{
    const std::string path = std::string(SETUP_PACKAGE_DIR) + "/setup.ini";
    ProfileFileReader reader;
    EXPECT_EQ(reader.ReadString("CEAppManager", "component", path), "Quenlark");
    EXPECT_EQ(reader.ReadString("zandravex", "appname", path), "Quenlark");
    EXPECT_EQ(reader.ReadString("zandravex", "desktop", path), "QuenlarkPC.exe");
    EXPECT_EQ(reader.ReadString("zandravex", "filename", path), "Quenlark.exe");
}

}  // namespace
