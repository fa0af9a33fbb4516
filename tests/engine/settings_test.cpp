#include <gtest/gtest.h>

#include "board_pictures.h"

namespace {

const char* const Note = "Please note: The game size setting will only take affect in the next game";

// A Maximum board of 600 x 414 in play, laid out from the store.
void StartGame(Board& board, FakePlatform& platform)
{
    board.clientRect = {0, 0, 600, 414};
    NewGame(board, platform, true);
    platform.events.clear();
    platform.repaints = 0;
}

std::vector<std::string> Writes(const FakePlatform& platform)
{
    std::vector<std::string> writes;
    for (const auto& e : platform.events)
        if (e.rfind("write", 0) == 0)
            writes.push_back(e);
    return writes;
}

TEST(Settings, StoredValuesAndTheirDefaults)
{
    FakePlatform platform;
    const GameSettings fresh = ReadSettings(platform);
    EXPECT_EQ(fresh.oneClick, 0);
    EXPECT_EQ(fresh.gameSize, 2);
    EXPECT_EQ(fresh.tileStyle, 0);

    platform.profile = {{"settings/oneclick", 1}, {"settings/gamesize", 7}, {"settings/style", -1}};
    const GameSettings odd = ReadSettings(platform);
    EXPECT_EQ(odd.oneClick, 1);
    EXPECT_EQ(odd.gameSize, 7);
    EXPECT_EQ(odd.tileStyle, -1);
}

TEST(Settings, ClickModeAloneChangesTheNextClickAndNothingElse)
{
    FakePlatform platform;
    Board board;
    StartGame(board, platform);
    const auto tiles = Picture(board);

    ApplySettings(board, platform, {1, 2, 0}, true);
    EXPECT_EQ(Writes(platform), (std::vector<std::string>{"write settings/oneclick=1", "write settings/gamesize=2",
                                                           "write settings/style=0"}));
    // The mode is read back from the store after the writes.
    EXPECT_EQ(platform.events.back(), "read settings/oneclick");
    EXPECT_EQ(board.oneClick, 1u);
    EXPECT_EQ(platform.repaints, 0);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Picture(board), tiles);
}

TEST(Settings, TileStyleRepaintsOnceKeepingSelectionAndScore)
{
    FakePlatform platform;
    Board board;
    LayBoard(board, {"001", "122"});
    board.gameSize = Maximum;
    board.score = 45;
    ClickCell(board, platform, 0, 0);
    const auto marks = Marks(board);
    platform.repaints = 0;

    ApplySettings(board, platform, {0, 2, 1}, true);
    EXPECT_EQ(board.tileStyle, 1);
    EXPECT_EQ(platform.repaints, 1);
    EXPECT_EQ(Marks(board), marks);
    EXPECT_EQ(board.score, 45u);

    ApplySettings(board, platform, {0, 2, 1}, true);
    EXPECT_EQ(platform.repaints, 1) << "the same style again repaints nothing";
}

TEST(Settings, NewSizeBeforeTheFirstClickLaysOutANewBoardAtOnce)
{
    FakePlatform platform;
    Board board;
    StartGame(board, platform);
    ASSERT_EQ(board.columns, 40u);

    ApplySettings(board, platform, {0, 0, 0}, true);
    EXPECT_EQ(board.gameSize, Compact);
    EXPECT_EQ(board.columns, 24u);
    EXPECT_EQ(board.rows, 15u);
    EXPECT_EQ(board.score, 0u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.repaints, 1);
}

TEST(Settings, NewSizeAfterAClickWaitsForTheNextGameWithANote)
{
    FakePlatform platform;
    Board board;
    StartGame(board, platform);
    BoardClick(board, platform, 0, 0);  // in the score strip: still a click of the run
    NewGame(board, platform, true);     // and a new game does not forget it
    const auto tiles = Picture(board);

    ApplySettings(board, platform, {0, 1, 0}, true);
    EXPECT_EQ(platform.messages, std::vector<std::string>{Note});
    EXPECT_EQ(Picture(board), tiles);
    EXPECT_EQ(board.gameSize, Maximum);
    EXPECT_EQ(platform.Stored("settings/gamesize"), 1);

    // Confirming the pending size again shows the note again; the size in
    // play again shows none.
    ApplySettings(board, platform, {0, 1, 0}, true);
    EXPECT_EQ(platform.messages.size(), 2u);
    ApplySettings(board, platform, {0, 2, 0}, true);
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.Stored("settings/gamesize"), 2);

    ApplySettings(board, platform, {0, 1, 0}, true);
    NewGame(board, platform, true);
    EXPECT_EQ(board.columns, 32u) << "the next game has the new size";
}

TEST(Settings, ValuesOutsideTheirGroupsAreStoredAndPlayedAsAnyOther)
{
    FakePlatform platform;
    Board board;
    StartGame(board, platform);
    // A dialog with no button checked in a group returns -1 for it.
    ApplySettings(board, platform, {-1, -1, -1}, true);
    EXPECT_EQ(platform.Stored("settings/oneclick"), -1);
    EXPECT_EQ(platform.Stored("settings/gamesize"), -1);
    EXPECT_EQ(platform.Stored("settings/style"), -1);
    EXPECT_EQ(board.oneClick, 0xFFFFFFFFu) << "non-zero: one click clears";
    EXPECT_EQ(board.gameSize, -1);
    EXPECT_EQ(board.columns, 40u) << "laid out like Maximum";
    EXPECT_NE(board.tileStyle, 0) << "non-zero: circles";
}

}  // namespace
