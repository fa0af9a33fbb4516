#include <gtest/gtest.h>

#include <array>

#include "board_pictures.h"
#include "profile_names.h"

namespace {

struct Layout {
    std::int32_t width, height;
    GameSize size;
    std::uint32_t columns, rows;
    std::int32_t originX, originY;
};

void PrintTo(const Layout& l, std::ostream* out)
{
    *out << l.width << "x" << l.height << " size " << l.size;
}

class NewGameLayout : public ::testing::TestWithParam<Layout> {};

TEST_P(NewGameLayout, LaysTheBoardOutCentredBelowTheScoreStrip)
{
    const Layout& expected = GetParam();
    FakePlatform platform;
    platform.profile["settings/gamesize"] = expected.size;
    Board board;
    board.clientRect = {0, 0, expected.width, expected.height};

    NewGame(board, platform, false);

    EXPECT_EQ(board.columns, expected.columns);
    EXPECT_EQ(board.rows, expected.rows);
    EXPECT_EQ(board.originX, expected.originX);
    EXPECT_EQ(board.originY, expected.originY);
    EXPECT_EQ(board.cellCount, expected.columns * expected.rows);
    EXPECT_EQ(board.cellWidth, 15u);
    EXPECT_EQ(board.cellHeight, 15u);
    EXPECT_EQ(board.gameSize, expected.size);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedLayouts, NewGameLayout,
    ::testing::Values(Layout{600, 414, Compact, 24, 15, 120, 101}, Layout{600, 414, Medium, 32, 20, 60, 64},
                      Layout{600, 414, Maximum, 40, 26, 0, 19}, Layout{632, 413, Compact, 25, 15, 128, 101},
                      Layout{632, 413, Medium, 33, 20, 68, 63}, Layout{632, 413, Maximum, 42, 26, 1, 18},
                      Layout{240, 268, Compact, 9, 9, 52, 73}, Layout{240, 268, Medium, 12, 12, 30, 51},
                      Layout{240, 268, Maximum, 16, 16, 0, 21},
                      // Any other stored size lays out like Maximum.
                      Layout{600, 414, 5, 40, 26, 0, 19}, Layout{600, 414, -1, 40, 26, 0, 19},
                      // Too small for a single cell in one direction or both.
                      Layout{14, 414, Maximum, 0, 26, 7, 19}, Layout{600, 28, Maximum, 40, 0, 0, 21},
                      Layout{600, 14, Maximum, 40, 0, 0, 14},
                      // Less than the score strip: no rows, never a negative count.
                      Layout{600, 13, Maximum, 40, 0, 0, 13}, Layout{600, 0, Maximum, 40, 0, 0, 7},
                      Layout{0, 0, Maximum, 0, 0, 0, 7}, Layout{15, 29, Compact, 0, 0, 7, 21}));

TEST(NewGame, ReadsTheSettingsAndSeedsWithTheSecondsSinceMidnight)
{
    FakePlatform platform;
    platform.profile["settings/oneclick"] = 1;
    platform.profile["settings/style"] = 7;
    platform.time = {1, 2, 3};
    Board board;
    board.clientRect = {0, 0, 600, 414};

    NewGame(board, platform, false);

    EXPECT_EQ(board.gameSize, Maximum);  // default when missing
    EXPECT_EQ(board.oneClick, 1u);
    EXPECT_EQ(board.tileStyle, 7);
    EXPECT_EQ(platform.lastSeed, 3u + (2u + 1u * 60u) * 60u);
    EXPECT_EQ(platform.events.front(), "read settings/gamesize");

    platform.time = {23, 59, 59};
    NewGame(board, platform, false);
    EXPECT_EQ(platform.lastSeed, 86399u);
}

TEST(NewGame, SameSecondAndSizeGiveTheSameBoard)
{
    FakePlatform first, second;
    first.time = second.time = {9, 30, 15};
    Board a, b;
    a.clientRect = b.clientRect = {0, 0, 600, 414};
    NewGame(a, first, false);
    NewGame(b, second, false);
    EXPECT_EQ(Picture(a), Picture(b));

    second.time = {9, 30, 16};
    NewGame(b, second, false);
    EXPECT_NE(Picture(a), Picture(b));
}

TEST(NewGame, StartsFreshButKeepsClickSeenAndUndoScore)
{
    FakePlatform platform;
    Board board;
    board.clientRect = {0, 0, 600, 414};
    NewGame(board, platform, false);
    board.score = 300;
    board.undoScore = 120;
    board.clickSeen = 1;
    board.markGrid[5] = Selected;
    board.undoGrid.reset(new CellColour[board.cellCount]);

    NewGame(board, platform, true);

    EXPECT_EQ(board.score, 0u);
    EXPECT_EQ(board.undoScore, 120u);
    EXPECT_FALSE(CanUndo(board));
    EXPECT_EQ(board.clickSeen, 1u);
    for (std::uint32_t i = 0; i < board.cellCount; ++i) {
        ASSERT_EQ(board.markGrid[i], Unmarked) << "cell " << i;
        ASSERT_LE(board.colourGrid[i], 3) << "cell " << i;
    }
}

TEST(NewGame, RepaintsOnlyOnceTheViewIsReady)
{
    FakePlatform platform;
    Board board;
    board.clientRect = {0, 0, 240, 268};
    NewGame(board, platform, false);
    EXPECT_EQ(platform.repaints, 0);
    NewGame(board, platform, true);
    EXPECT_EQ(platform.repaints, 1);
}

TEST(NewGame, KeepsTheFirstClientRectangleForLaterBoards)
{
    FakePlatform platform;
    Board board;
    board.clientRect = {0, 0, 600, 414};
    NewGame(board, platform, false);
    platform.profile["settings/gamesize"] = Compact;
    NewGame(board, platform, true);
    EXPECT_EQ(board.columns, 24u);
    EXPECT_EQ(board.rows, 15u);
    EXPECT_EQ(board.clientRect.right, 600);
    EXPECT_EQ(board.clientRect.bottom, 414);
}

// One draw per cell in index order; every possible draw once, so the
// thresholds and the shares of the four colours show exactly.
TEST(NewGame, ColourDistributionOverAllDraws)
{
    FakePlatform platform;
    Board board;
    board.clientRect = {0, 0, 256 * 15, 128 * 15 + 14};  // 32768 cells
    for (int draw = 0; draw <= RuntimeRandom::Max; ++draw)
        platform.scriptedDraws.push_back(draw);

    NewGame(board, platform, false);

    ASSERT_EQ(board.cellCount, 32768u);
    std::array<int, 4> counts{};
    for (std::uint32_t i = 0; i < board.cellCount; ++i) {
        ASSERT_GE(board.colourGrid[i], 0);
        ASSERT_LE(board.colourGrid[i], 3);
        ++counts[board.colourGrid[i]];
    }
    EXPECT_EQ(counts, (std::array<int, 4>{8191, 8191, 8195, 8191}));
    EXPECT_EQ(board.colourGrid[8190], 0);
    EXPECT_EQ(board.colourGrid[8191], 1);
    EXPECT_EQ(board.colourGrid[16381], 1);
    EXPECT_EQ(board.colourGrid[16382], 2);
    EXPECT_EQ(board.colourGrid[24572], 2);
    EXPECT_EQ(board.colourGrid[24573], 3);
    EXPECT_EQ(board.colourGrid[32763], 3);
    EXPECT_EQ(board.colourGrid[32764], 2);
    EXPECT_EQ(board.colourGrid[32767], 2);
}

// The generator must be the Windows C runtime's, so that a seed gives the same
// board in every build.
TEST(RuntimeRandom, ReproducesTheWindowsRuntimeSequence)
{
    RuntimeRandom random;
    random.Seed(1);
    EXPECT_EQ(random.Next(), 41);
    EXPECT_EQ(random.Next(), 18467);
    EXPECT_EQ(random.Next(), 6334);
    EXPECT_EQ(random.Next(), 26500);
    EXPECT_EQ(random.Next(), 19169);
    for (int i = 0; i < 100000; ++i) {
        const int draw = random.Next();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, RuntimeRandom::Max);
    }
}

TEST(Text, FormatsTheOnePlaceholder)
{
    EXPECT_EQ(NarrowAscii(FormatDecimal(QTEXT("hiscore%d"), 2)), "hiscore2");
    EXPECT_EQ(NarrowAscii(FormatDecimal(QTEXT("Score: %d"), 0)), "Score: 0");
    EXPECT_EQ(NarrowAscii(FormatDecimal(QTEXT("a%db"), -2147483648LL)), "a-2147483648b");
    EXPECT_EQ(NarrowAscii(FormatDecimal(QTEXT("%d!"), 4294967295LL)), "4294967295!");
    EXPECT_EQ(sizeof(TextChar), TEXT_CHAR_BYTES);
}

}  // namespace
