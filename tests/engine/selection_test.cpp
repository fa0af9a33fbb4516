#include <gtest/gtest.h>

#include "board_pictures.h"

namespace {

using Rows = std::vector<std::string>;

TEST(WalkGroup, TwoByTwoBlockFollowsTheWorkedSteps)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"001",
                     "002",
                     "123"});
    board.markGrid[0] = Selected;

    // Right and down are open at (0, 0): it becomes a branch point; the path
    // then runs right, down, left and stops after three steps.
    EXPECT_EQ(WalkGroup(board, 0, 0, 0), 3u);
    EXPECT_EQ(Marks(board), (Rows{"+#.", "##.", "..."}));
    // From the same start nothing is left to walk.
    EXPECT_EQ(WalkGroup(board, 0, 0, 0), 0u);

    // A click finishes the walk from the branch point: the whole block.
    LayBoard(board, {"001", "002", "123"});
    ClickCell(board, platform, 1, 1);
    EXPECT_EQ(Marks(board), (Rows{"##.", "##.", "..."}));
}

TEST(WalkGroup, AnUnmarkedStartIsOpenToTheWalk)
{
    Board board;
    LayBoard(board, {"00", "12"});
    // Nothing marks (0, 0): the path goes right and comes back to it.
    EXPECT_EQ(WalkGroup(board, 0, 0, 0), 2u);
    EXPECT_EQ(Marks(board), (Rows{"##", ".."}));
    // Off the board nothing is walked.
    EXPECT_EQ(WalkGroup(board, -1, 0, 0), 0u);
    EXPECT_EQ(WalkGroup(board, 0, 2, 1), 0u);
}

TEST(MatchesAt, OnlyUnvisitedCellsOfTheColourOnTheBoard)
{
    Board board;
    LayBoard(board, {"01", "11"});
    EXPECT_TRUE(MatchesAt(board, 1, 1, 1));
    EXPECT_FALSE(MatchesAt(board, 0, 0, 1));
    EXPECT_FALSE(MatchesAt(board, -1, 0, 0));
    EXPECT_FALSE(MatchesAt(board, 0, -1, 0));
    EXPECT_FALSE(MatchesAt(board, 2, 0, 1));
    EXPECT_FALSE(MatchesAt(board, 0, 2, 1));
    board.markGrid[3] = BranchPending;
    EXPECT_FALSE(MatchesAt(board, 1, 1, 1));
    board.markGrid[3] = Selected;
    EXPECT_FALSE(MatchesAt(board, 1, 1, 1));
}

TEST(BoardClick, SelectsExactlyTheConnectedGroup)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"1110",
                     "1211",
                     "1112",
                     "0011"});
    // A ring around a tile of another colour, clicked anywhere on it, gives
    // the ring without the inside; diagonal neighbours do not join.
    ClickCell(board, platform, 2, 2);
    EXPECT_EQ(Marks(board), (Rows{"###.",
                                  "#.##",
                                  "###.",
                                  "..##"}));
    EXPECT_EQ(platform.repaints, 1);
    EXPECT_EQ(board.clickSeen, 1u);

    // Another group replaces the selection.
    ClickCell(board, platform, 0, 3);
    EXPECT_EQ(Marks(board), (Rows{"....", "....", "....", "##.."}));
}

TEST(BoardClick, SelectsAGroupFromTheTopLeftCell)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"3312", "3022", "3333"});
    ClickCell(board, platform, 0, 0);
    EXPECT_EQ(Marks(board), (Rows{"##..", "#...", "####"}));
}

TEST(BoardClick, LoneTileSelectsNothingAndDropsTheSelection)
{
    for (std::uint32_t oneClick : {0u, 1u}) {
        FakePlatform platform;
        Board board;
        LayBoard(board, {"0012", "3333"});
        board.oneClick = 0;
        ClickCell(board, platform, 0, 0);
        ASSERT_EQ(Marks(board), (Rows{"##..", "...."}));
        board.oneClick = oneClick;

        ClickCell(board, platform, 2, 0);

        EXPECT_EQ(Marks(board), (Rows{"....", "...."})) << "one click " << oneClick;
        EXPECT_EQ(Picture(board), (Rows{"0012", "3333"}));
        EXPECT_EQ(board.score, 0u);
        EXPECT_FALSE(CanUndo(board));
    }
}

TEST(BoardClick, EmptyCellChangesNothingAndDoesNotRepaint)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"..1", "001"});
    ClickCell(board, platform, 2, 1);
    const int repaints = platform.repaints;
    board.clickSeen = 0;

    ClickCell(board, platform, 0, 0);

    EXPECT_EQ(Marks(board), (Rows{"..#", "..#"}));
    EXPECT_EQ(platform.repaints, repaints);
    EXPECT_EQ(board.clickSeen, 1u);
}

TEST(BoardClick, ClicksOffTheBoardKeepTheSelectionButRepaint)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"00", "11"});
    board.originX = 30;
    board.originY = 40;
    ClickCell(board, platform, 0, 0);
    ASSERT_EQ(Marks(board), (Rows{"##", ".."}));

    const std::int32_t right = board.originX + 2 * 15;   // one pixel past the last column
    const std::int32_t bottom = board.originY + 2 * 15;  // one pixel below the last row
    const std::pair<std::int32_t, std::int32_t> offBoard[] = {
        {5, 5}, {board.originX - 1, board.originY}, {board.originX, board.originY - 1},
        {right, board.originY}, {board.originX, bottom}, {-100000, -100000},
        {INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}};
    for (const auto& [x, y] : offBoard) {
        const int repaints = platform.repaints;
        board.clickSeen = 0;
        BoardClick(board, platform, x, y);
        EXPECT_EQ(Marks(board), (Rows{"##", ".."})) << x << "," << y;
        EXPECT_EQ(platform.repaints, repaints + 1) << x << "," << y;
        EXPECT_EQ(board.clickSeen, 1u);
    }
    // The last pixel of the board still belongs to it.
    BoardClick(board, platform, right - 1, bottom - 1);
    EXPECT_EQ(Marks(board), (Rows{"..", "##"}));
}

TEST(BoardClick, BoardWithoutCellsIgnoresEveryClick)
{
    FakePlatform platform;
    Board board;
    board.clientRect = {0, 0, 10, 10};
    NewGame(board, platform, false);
    ASSERT_EQ(board.cellCount, 0u);
    BoardClick(board, platform, 0, 0);
    BoardClick(board, platform, board.originX, board.originY);
    EXPECT_EQ(platform.repaints, 2);
    EXPECT_EQ(board.clickSeen, 1u);
}

TEST(BoardClick, SecondClickOnAnyTileOfTheGroupRemovesIt)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"2200", "1210"});
    ClickCell(board, platform, 0, 0);
    ClickCell(board, platform, 1, 1);  // another tile of the selected group
    EXPECT_EQ(Picture(board), (Rows{".00.", "110."}));
    EXPECT_EQ(board.score, 45u);
    EXPECT_EQ(Marks(board), (Rows{"....", "...."}));
}

TEST(BoardClick, OneClickModeRemovesAtOnce)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"1023", "1332"});
    board.oneClick = 1;
    ClickCell(board, platform, 0, 1);
    EXPECT_EQ(Picture(board), (Rows{"023.", "332."}));
    EXPECT_EQ(board.score, 20u);
    EXPECT_EQ(Marks(board), (Rows{"....", "...."}));
}

TEST(BoardClick, SelectionFromTwoClickModeIsRemovedByTheNextClickInOneClickMode)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"3300", "1201"});
    ClickCell(board, platform, 0, 0);
    board.oneClick = 1;
    ClickCell(board, platform, 1, 0);
    EXPECT_EQ(board.score, 20u);
    EXPECT_EQ(Picture(board), (Rows{"..00", "1201"}));
}

}  // namespace
