#include <gtest/gtest.h>

#include "fake_path_platform.h"
#include "path_name.h"
#include "path_rules.h"

namespace {

class PathNameTest : public ::testing::Test {
protected:
    std::string Parsed(const char* text)
    {
        CPathName path(text, platform);
        return path.Text();
    }
    FakePathPlatform platform;
};

TEST_F(PathNameTest, StartsEmptyWithBackslash)
{
    CPathName path(platform);
    EXPECT_EQ(path.Text(), "");
    EXPECT_EQ(path.Separator(), '\\');
}

TEST_F(PathNameTest, AssignEndsWithSeparatorAndKeepsPlainFolders)
{
    EXPECT_EQ(Parsed("c:\\Program Files"), "c:\\Program Files\\");
    EXPECT_EQ(Parsed("c:\\Program Files\\"), "c:\\Program Files\\");
    EXPECT_EQ(Parsed(""), "\\");
    EXPECT_EQ(Parsed("\\"), "\\");
    EXPECT_EQ(Parsed("plain"), "plain\\");
}

TEST_F(PathNameTest, AppendParsesTheWholeTextAgain)
{
    CPathName path("c:\\Program Files\\", platform);
    path.Append("Quenlark");
    EXPECT_EQ(path.Text(), "c:\\Program Files\\Quenlark\\");
    path.Append("[datedir]");
    EXPECT_EQ(path.Text(), "c:\\Program Files\\Quenlark\\07122026\\");
}

TEST_F(PathNameTest, NullTextChangesNothing)
{
    CPathName path("c:\\a", platform);
    path.Assign(static_cast<const char*>(nullptr));
    path.Append(static_cast<const char*>(nullptr));
    EXPECT_EQ(path.Text(), "c:\\a\\");
}

TEST_F(PathNameTest, OneLeadingSeparatorIsDropped)
{
    EXPECT_EQ(Parsed("\\Programs"), "Programs\\");
    EXPECT_EQ(Parsed("\\Programs\\Zandravex\\"), "Programs\\Zandravex\\");
}

TEST_F(PathNameTest, NetworkPathKeepsItsDoubleSeparatorOnlyInAFinalPiece)
{
    EXPECT_EQ(Parsed("\\\\server\\share\\dir"), "\\\\server\\share\\dir\\");
    // Before a macro the piece is literal: one separator goes.
    EXPECT_EQ(Parsed("\\\\server[nothing]x"), "\\serverx\\");
}

TEST_F(PathNameTest, MacroExpansionsEndWithOneSeparator)
{
    EXPECT_EQ(Parsed("[windowsdir]\\sub"), "C:\\windows\\sub\\");
    EXPECT_EQ(Parsed("[systemdir]\\drivers\\etc"), "C:\\windows\\system32\\drivers\\etc\\");
    EXPECT_EQ(Parsed("[currentdir]"), "C:\\work\\");
    EXPECT_EQ(Parsed("[windowsdir][systemdir]"), "C:\\windows\\C:\\windows\\system32\\");
    platform.windowsDir = "C:\\";
    EXPECT_EQ(Parsed("[windowsdir]\\sub"), "C:\\sub\\");
}

TEST_F(PathNameTest, MacroInTheMiddleOfLiteralText)
{
    EXPECT_EQ(Parsed("d:\\backup\\[datedir]\\logs"), "d:\\backup\\07122026\\logs\\");
    EXPECT_EQ(Parsed("x[currentdir]\\y"), "xC:\\work\\y\\");
}

TEST_F(PathNameTest, UnknownAndWrongCaseNamesVanish)
{
    EXPECT_EQ(Parsed("c:\\[nosuch]\\x"), "c:\\x\\");
    EXPECT_EQ(Parsed("c:\\[WindowsDir]"), "c:\\");
    EXPECT_EQ(Parsed("[]"), "\\");
}

TEST_F(PathNameTest, UnmatchedBracketStaysLiterally)
{
    EXPECT_EQ(Parsed("c:\\a[b"), "c:\\a[b\\");
    EXPECT_EQ(Parsed("c:\\x\\[windowsdir"), "c:\\x\\[windowsdir\\");
    EXPECT_EQ(Parsed("a]b"), "a]b\\");
}

TEST_F(PathNameTest, LastSlashKindDecidesTheSeparator)
{
    CPathName slash("c:\\a/b", platform);
    EXPECT_EQ(slash.Separator(), '/');
    EXPECT_EQ(slash.Text(), "c:\\a/b/");

    CPathName backslash("c:/a\\b", platform);
    EXPECT_EQ(backslash.Separator(), '\\');
    EXPECT_EQ(backslash.Text(), "c:/a\\b\\");

    // A text without either keeps the separator found before.
    slash.Assign("plain");
    EXPECT_EQ(slash.Text(), "plain/");
    // Macro expansions use the chosen separator at their end.
    EXPECT_EQ(Parsed("/[windowsdir]/x"), "C:\\windows/x/");
}

TEST_F(PathNameTest, DateMacroUsesDayMonthYear)
{
    platform.today = LocalDate{1, 1, 2027};
    EXPECT_EQ(Parsed("[datedir]"), "01012027\\");
    platform.today = LocalDate{31, 10, 999};
    EXPECT_EQ(Parsed("[datedir]"), "31100999\\");
}

TEST_F(PathNameTest, CdromIsTheFirstCdDriveFromA)
{
    platform.cdromDrives = {'G', 'E'};
    EXPECT_EQ(Parsed("[cdrom]\\setup"), "E:\\setup\\");
    ASSERT_FALSE(platform.driveQueries.empty());
    EXPECT_EQ(platform.driveQueries.front(), "A:");
    EXPECT_EQ(platform.driveQueries.back(), "E:");
}

TEST_F(PathNameTest, CdromWithoutDriveGivesJustTheSeparator)
{
    EXPECT_EQ(Parsed("x[cdrom]y"), "x\\y\\");
    EXPECT_EQ(platform.driveQueries.size(), 26u);
    EXPECT_EQ(platform.driveQueries.back(), "Z:");
}

TEST_F(PathNameTest, ExpansionThatDoesNotFitMarksTheText)
{
    platform.currentDir = "C:\\" + std::string(256, 'c');  // 259 characters: fits
    CPathName path("d:\\[currentdir]\\x", platform);
    EXPECT_TRUE(path.Fits());
    EXPECT_EQ(path.Text(), "d:\\" + platform.currentDir + "\\x\\");

    platform.currentDir += "c";  // one more than its bound: cut, and marked
    path.Assign("d:\\[currentdir]\\x");
    EXPECT_FALSE(path.Fits());
    EXPECT_EQ(path.Text().size(), 3 + kMaxMacroExpansion + 3);
    path.Append("y");
    EXPECT_FALSE(path.Fits()) << "the whole text is parsed again";

    // A folder the system cannot read does not fit either; a missing CD-ROM
    // drive is no such failure.
    platform.windowsDir.clear();
    EXPECT_FALSE(CPathName("[windowsdir]sub", platform).Fits());
    EXPECT_TRUE(CPathName("[cdrom]sub", platform).Fits());

    // Text put in its place (typed into the edit box) fits again; the same
    // text given back does not.
    path.Assign("[windowsdir]");
    const std::string cut = path.Text();
    path.Text() = cut;
    EXPECT_FALSE(path.Fits());
    path.Text() = "c:\\Games\\";
    EXPECT_TRUE(path.Fits());
    path.Assign("c:\\Games");
    EXPECT_TRUE(path.Fits());
}

TEST_F(PathNameTest, EnsureTrailingSeparator)
{
    CPathName path(platform);
    path.EnsureTrailingSeparator();
    EXPECT_EQ(path.Text(), "\\");
    path.EnsureTrailingSeparator();
    EXPECT_EQ(path.Text(), "\\");

    CPathName slashed("a/b", platform);
    slashed.Text() = "a/b\\";  // as typed into the edit box
    slashed.EnsureTrailingSeparator();
    EXPECT_EQ(slashed.Text(), "a/b\\/");
}

TEST_F(PathNameTest, ExistsTriesTheFolderAndRestoresTheCurrentDirectory)
{
    platform.folders = {"C:\\work", "C:\\games"};
    EXPECT_TRUE(CPathName("C:\\games", platform).Exists());
    EXPECT_EQ(platform.currentDir, "C:\\work");
    EXPECT_FALSE(CPathName("C:\\missing", platform).Exists());
    EXPECT_EQ(platform.currentDir, "C:\\work");
}

TEST(ChainLevelsTest, LevelsLongerThanTwoCharacters)
{
    using Levels = std::vector<std::string>;
    EXPECT_EQ(ChainLevels("c:\\Program Files\\Quenlark\\"),
              (Levels{"c:\\Program Files", "c:\\Program Files\\Quenlark"}));
    // The last level is only made when the text ends with a separator.
    EXPECT_EQ(ChainLevels("c:\\a\\b"), (Levels{"c:\\a"}));
    EXPECT_EQ(ChainLevels("Programs\\Zandravex\\"), (Levels{"Programs", "Programs\\Zandravex"}));
    EXPECT_EQ(ChainLevels("ab\\cd\\"), (Levels{"ab\\cd"}));
    EXPECT_EQ(ChainLevels("/usr/local/"), (Levels{"/usr", "/usr/local"}));
    EXPECT_EQ(ChainLevels("\\"), Levels{});
    EXPECT_EQ(ChainLevels(""), Levels{});
}

TEST(ChainLevelsTest, SlashesAndBackslashesBothSeparateLevels)
{
    using Levels = std::vector<std::string>;
    // As typed into the edit box, with the backslash the installer adds.
    EXPECT_EQ(ChainLevels("C:/Games/Quenlark\\"), (Levels{"C:/Games", "C:/Games/Quenlark"}));
    EXPECT_EQ(ChainLevels("C:\\Games/Quenlark/"), (Levels{"C:\\Games", "C:\\Games/Quenlark"}));
}

TEST(ChainLevelsTest, NetworkServerAndShareAreNotMade)
{
    using Levels = std::vector<std::string>;
    EXPECT_EQ(ChainLevels("\\\\server\\share\\dir\\sub\\"),
              (Levels{"\\\\server\\share\\dir", "\\\\server\\share\\dir\\sub"}));
    EXPECT_EQ(ChainLevels("\\\\server\\share\\"), Levels{});
    EXPECT_EQ(ChainLevels("//server/share/dir/"), (Levels{"//server/share/dir"}));
}

TEST_F(PathNameTest, CreateChainMakesEveryLevelAndToleratesExisting)
{
    platform.folders = {"c:\\Program Files"};
    CPathName path("c:\\Program Files\\Zandravex\\Quenlark", platform);
    EXPECT_TRUE(path.CreateChain());
    EXPECT_EQ(platform.created,
              (std::vector<std::string>{"c:\\Program Files", "c:\\Program Files\\Zandravex",
                                        "c:\\Program Files\\Zandravex\\Quenlark"}));
    EXPECT_EQ(platform.currentDir, "C:\\work");
}

TEST_F(PathNameTest, CreateChainReportsAFailedLevelButGoesOn)
{
    platform.refusals["q:\\a"] = 3;
    CPathName path("q:\\a\\b\\", platform);
    EXPECT_FALSE(path.CreateChain());
    EXPECT_EQ(platform.created, (std::vector<std::string>{"q:\\a", "q:\\a\\b"}));
}

TEST(PathRulesTest, FolderBelowTheRootOfADriveOrShareInItsNormalForm)
{
    const std::pair<const char*, const char*> folders[] = {
        {"C:\\Games", "C:\\Games\\"},
        {"c:/games/", "c:\\games\\"},
        {"C:/Games/Quenlark/\\", "C:\\Games\\Quenlark\\"},
        {"C:\\Program Files\\..\\..\\Games", "C:\\Games\\"},
        {"C:\\a\\.\\b\\..", "C:\\a\\"},
        {"C:\\a\\\\b\\...\\c", "C:\\a\\b\\c\\"},
        {"\\\\?\\C:\\Games\\Quenlark\\", "C:\\Games\\Quenlark\\"},
        {"\\\\.\\C:\\Games", "C:\\Games\\"},
        {"//./\\\\.\\C:\\Games", "C:\\Games\\"},
        {"\\\\server\\share\\Games", "\\\\server\\share\\Games\\"},
        {"//server/share/Games/../Quenlark", "\\\\server\\share\\Quenlark\\"},
        {"\\\\?\\UNC\\server\\share\\Games", "\\\\server\\share\\Games\\"},
    };
    for (const auto& [typed, normal] : folders)
        EXPECT_EQ(NormalFolderBelowRoot(typed), normal) << typed;
    // No folder, a root, or a path that is not full: where a relative one
    // lands depends on the current directory.
    for (const char* folder : {"", "   ", "\t", "C:", "C:\\", "C:/", "\\", "/", "C:\\.",
                               "C:\\Program Files\\Quenlark\\..\\..\\..", "C:\\a\\..\\..\\..\\",
                               "C:\\...\\", "C:\\   \\", "\\\\server\\share", "\\\\server\\share\\",
                               "\\\\server", "\\\\?\\C:\\", "Games\\Quenlark", "..\\..\\updir\\",
                               "C:drel\\", "C:Games", "\\Games", " C:\\Games", "\\\\?\\Games"})
        EXPECT_EQ(NormalFolderBelowRoot(folder), "") << folder;
}

TEST(PathRulesTest, PlainNamesStayInTheirFolder)
{
    for (const char* name : {"Quenlark.exe", "Quenlark", "Quenlark [1.2]", ".hidden", "a..b",
                             " lead", "NULL", "CONSOLE.txt", "COM10", "LPT0", "nul-free"})
        EXPECT_TRUE(IsPlainName(name)) << name;
    for (const char* name : {"", ".", "..", "...", "trail.", "trail ", "..\\..\\windows\\evil.exe",
                             "a/b", "C:\\Quenlark", "C:Quenlark", "x:y", "a<b", "a>b", "a\"b", "a|b",
                             "a?b", "a*b", "tab\tname", "NUL", "nul", "NUL.txt", "Nul .exe", "CON",
                             "PRN", "AUX", "COM1", "com9.log", "LPT1", "CONIN$", "CONOUT$"})
        EXPECT_FALSE(IsPlainName(name)) << name;
}

TEST(PathRulesTest, FullPathsStartAtARoot)
{
    for (const char* path : {"C:\\users\\Public\\Desktop", "c:/x", "C:\\", "\\\\server\\share"})
        EXPECT_TRUE(IsFullPath(path)) << path;
    for (const char* path : {"", "\\", "\\Programs", "Programs", "C:", "C:x", "%ALLUSERSPROFILE%\\x",
                             "\\\\\\x", "1:\\x"})
        EXPECT_FALSE(IsFullPath(path)) << path;
}

TEST_F(PathNameTest, CreateChainOfAnEmptyTextSucceedsAtOnce)
{
    CPathName path(platform);
    EXPECT_TRUE(path.CreateChain());
    EXPECT_TRUE(platform.created.empty());
}

}  // namespace
