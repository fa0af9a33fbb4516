#include <gtest/gtest.h>

#include "board_pictures.h"

namespace {

using Rows = std::vector<std::string>;

// Marks the given cells and removes them, as the second click would.
void RemoveCells(Board& board, FakePlatform& platform, const Rows& marks)
{
    for (std::uint32_t r = 0; r < board.rows; ++r)
        for (std::uint32_t k = 0; k < board.columns; ++k)
            board.markGrid[r * board.columns + k] = marks[r][k] == '#' ? Selected : Unmarked;
    RemoveGroup(board, platform);
}

TEST(RemoveGroup, ScoresFiveTimesTheSquareOfTheGroupSize)
{
    struct Case {
        Rows board, marks;
        std::uint32_t score;
    };
    const Case cases[] = {
        {{"00", "12"}, {"##", ".."}, 20},
        {{"01", "01", "01"}, {"#.", "#.", "#."}, 45},
        {{"0012", "0312"}, {"##..", "##.."}, 80},
        // Ten tiles spread over rows and columns, in no particular order.
        {{"00000", "01110", "00000"}, {"#####", "#...#", "##.#."}, 500},
    };
    for (const Case& c : cases) {
        FakePlatform platform;
        Board board;
        LayBoard(board, c.board);
        board.score = 7;
        RemoveCells(board, platform, c.marks);
        EXPECT_EQ(board.score, 7 + c.score) << c.board[0];
        EXPECT_EQ(board.undoScore, 7u);
    }
}

TEST(RemoveGroup, TilesAboveFallByTheNumberRemovedBelowThem)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"21",
                     "30",
                     "11",
                     "11",
                     "12",
                     "02"});
    RemoveCells(board, platform, {"..",
                                  "..",
                                  "##",
                                  "#.",
                                  "#.",
                                  ".."});
    EXPECT_EQ(Picture(board), (Rows{"..",
                                    ".1",
                                    ".0",
                                    "21",
                                    "32",
                                    "02"}));
    EXPECT_EQ(Marks(board), (Rows{"..", "..", "..", "..", "..", ".."}));
}

TEST(RemoveGroup, ClosesEmptiedColumnsSideBySideAndApart)
{
    {
        FakePlatform platform;
        Board board;
        LayBoard(board, {"0111011", "1222133"});
        RemoveCells(board, platform, {"..###..", "..###.."});
        EXPECT_EQ(Picture(board), (Rows{"0111...", "1233..."}));
    }
    {
        FakePlatform platform;
        Board board;
        LayBoard(board, {"03133", "02123"});
        RemoveCells(board, platform, {".#.#.", ".#.#."});  // apart, as the engine is told
        EXPECT_EQ(Picture(board), (Rows{"013..", "013.."}));
    }
    {
        // A column emptied at the left edge and one at the right edge.
        FakePlatform platform;
        Board board;
        LayBoard(board, {"21102", "21112"});
        RemoveCells(board, platform, {"#...#", "#...#"});
        EXPECT_EQ(Picture(board), (Rows{"110..", "111.."}));
    }
}

TEST(RemoveGroup, GameGoesOnWhileAnyTwoNeighboursMatch)
{
    struct Case {
        Rows board, marks;
        bool over;
    };
    const Case cases[] = {
        // Two tiles stacked in the rightmost column.
        {{"0012", "1202"}, {"##..", "...."}, false},
        // Two side by side in the bottom row.
        {{"0132", "1022"}, {"....", "...."}, false},
        // A single column: goes on while two stacked tiles match...
        {{"2", "1", "1", "3", "3"}, {".", "#", "#", ".", "."}, false},
        // ...and ends when none do.
        {{"2", "1", "1", "3"}, {".", "#", "#", "."}, true},
        // No equal neighbours left anywhere.
        {{"0101", "1010"}, {"....", "...."}, true},
        // The whole board cleared.
        {{"22", "22"}, {"##", "##"}, true},
    };
    for (const Case& c : cases) {
        FakePlatform platform;
        Board board;
        LayBoard(board, c.board);
        // An empty mark grid removes nothing but still runs the end test.
        RemoveCells(board, platform, c.marks);
        EXPECT_EQ(platform.messages.size(), c.over ? 1u : 0u) << c.board[0] << "/" << c.board.size();
        EXPECT_EQ(CanUndo(board), !c.over);
    }
}

TEST(RemoveGroup, FinalBoardIsDrawnBeforeTheMessage)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"11", "02"});
    ClickCell(board, platform, 0, 0);
    platform.events.clear();
    ClickCell(board, platform, 1, 0);

    ASSERT_EQ(platform.messages, (std::vector<std::string>{
                                     "Game Over. Well done, you have the highest score of 20!"}));
    const auto& e = platform.events;
    const auto firstRepaint = std::find(e.begin(), e.end(), "repaint");
    const auto message = std::find_if(e.begin(), e.end(), [](const std::string& s) {
        return s.rfind("message", 0) == 0;
    });
    ASSERT_NE(firstRepaint, e.end());
    EXPECT_LT(firstRepaint, message);
    EXPECT_EQ(e.back(), "repaint");  // the click repaints once more afterwards
    EXPECT_FALSE(CanUndo(board));
}

TEST(Undo, RestoresTilesAndScoreExactlyOnce)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"0011", "1200", "3322"});
    board.score = 40;
    const Rows before = Picture(board);
    EXPECT_FALSE(CanUndo(board));

    ClickCell(board, platform, 0, 2);
    ClickCell(board, platform, 0, 2);
    ASSERT_EQ(board.score, 60u);
    EXPECT_TRUE(CanUndo(board));

    // A selection made after the removal does not carry over.
    ClickCell(board, platform, 1, 2);
    ASSERT_EQ(Marks(board), (Rows{"....", "....", ".###"}));
    const int repaints = platform.repaints;
    Undo(board, platform);
    EXPECT_EQ(Picture(board), before);
    EXPECT_EQ(board.score, 40u);
    EXPECT_EQ(Marks(board), (Rows{"....", "....", "...."}));
    EXPECT_EQ(platform.repaints, repaints + 1);
    EXPECT_FALSE(CanUndo(board));

    // Without a snapshot Undo does nothing at all.
    board.score = 99;
    Undo(board, platform);
    EXPECT_EQ(board.score, 99u);
    EXPECT_EQ(platform.repaints, repaints + 1);
}

TEST(Undo, AvailabilityFollowsEveryStateOfTheGame)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"0011", "0022"});
    EXPECT_FALSE(CanUndo(board)) << "new board";

    ClickCell(board, platform, 0, 0);
    ClickCell(board, platform, 0, 0);
    EXPECT_TRUE(CanUndo(board)) << "after a removal";
    ASSERT_EQ(Picture(board), (Rows{"11..", "22.."}));

    // A further removal takes the snapshot afresh: Undo goes back one step only.
    ClickCell(board, platform, 0, 0);
    ClickCell(board, platform, 0, 0);
    EXPECT_TRUE(CanUndo(board));
    Undo(board, platform);
    EXPECT_EQ(Picture(board), (Rows{"11..", "22.."}));
    EXPECT_FALSE(CanUndo(board)) << "after undo";

    ClickCell(board, platform, 0, 0);
    ClickCell(board, platform, 0, 0);
    ClickCell(board, platform, 0, 1);
    ClickCell(board, platform, 0, 1);
    EXPECT_FALSE(CanUndo(board)) << "game over";
    EXPECT_EQ(platform.messages.size(), 1u);

    board.clientRect = {0, 0, 60, 44};
    NewGame(board, platform, true);
    EXPECT_FALSE(CanUndo(board)) << "new game";
}

}  // namespace
