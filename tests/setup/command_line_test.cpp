#include <gtest/gtest.h>

#include "command_line.h"

namespace {

TEST(CommandLineTest, ArgumentsWithBlanksAreQuoted)
{
    EXPECT_EQ(QuoteArgument("C:\\ActiveSync\\CEAPPMGR.EXE"), "C:\\ActiveSync\\CEAPPMGR.EXE");
    EXPECT_EQ(QuoteArgument("C:\\Setup Files\\setup.ini"), "\"C:\\Setup Files\\setup.ini\"");
    EXPECT_EQ(QuoteArgument("a\tb"), "\"a\tb\"");
    EXPECT_EQ(QuoteArgument(""), "\"\"");
}

TEST(CommandLineTest, BackslashesBeforeAQuoteAreDoubled)
{
    EXPECT_EQ(QuoteArgument("C:\\My Folder\\"), "\"C:\\My Folder\\\\\"");
    EXPECT_EQ(QuoteArgument("say \"hi\""), "\"say \\\"hi\\\"\"");
    EXPECT_EQ(QuoteArgument("a\\\"b"), "\"a\\\\\\\"b\"");
    // Backslashes elsewhere stay single.
    EXPECT_EQ(QuoteArgument("C:\\a b\\c"), "\"C:\\a b\\c\"");
}

TEST(CommandLineTest, RegisteredProgramPathLosesItsQuotes)
{
    EXPECT_EQ(UnquotedPath("\"C:\\Active Sync\\CEAPPMGR.EXE\""), "C:\\Active Sync\\CEAPPMGR.EXE");
    EXPECT_EQ(UnquotedPath("  \"C:\\a b\\x.exe\" /s "), "C:\\a b\\x.exe");
    EXPECT_EQ(UnquotedPath("\"C:\\unclosed.exe"), "C:\\unclosed.exe");
    EXPECT_EQ(UnquotedPath(" C:\\Sync\\CEAPPMGR.EXE "), "C:\\Sync\\CEAPPMGR.EXE");
    EXPECT_EQ(UnquotedPath("C:\\Active Sync\\CEAPPMGR.EXE"), "C:\\Active Sync\\CEAPPMGR.EXE");
    EXPECT_EQ(UnquotedPath("  "), "");
}

TEST(CommandLineTest, JoinedWithOneBlank)
{
    EXPECT_EQ(JoinCommandLine({"C:\\Program Files\\ActiveSync\\CEAPPMGR.EXE",
                               "C:\\Setup Files\\setup.ini"}),
              "\"C:\\Program Files\\ActiveSync\\CEAPPMGR.EXE\" \"C:\\Setup Files\\setup.ini\"");
    EXPECT_EQ(JoinCommandLine({"a.exe", "b.ini"}), "a.exe b.ini");
    EXPECT_EQ(JoinCommandLine({}), "");
}

}  // namespace
