// Settings in the registry that the game did not write itself: wrong value
// types, negative and huge numbers, a game size out of range. The game must
// start, lay out and play as the rules for such values say.

#include <gtest/gtest.h>

#include "dialog_text.h"
#include "game_fixture.h"

namespace game {
namespace {

using BadRegistry = GameTest;

TEST_F(BadRegistry, WrongValueTypesFallBackToTheDefaults)
{
    const std::string settings = SectionKey("settings");
    ASSERT_TRUE(e2e::SetRegistryString(HKEY_CURRENT_USER, settings, "style", "1"));
    ASSERT_TRUE(e2e::SetRegistryBinary(HKEY_CURRENT_USER, settings, "oneclick", {1, 0, 0, 0}));
    ASSERT_TRUE(e2e::SetRegistryString(HKEY_CURRENT_USER, settings, "gamesize", "0"));
    StartGame();
    // Maximum layout, squares, two clicks to clear.
    const BoardState start = ReadShown(2);
    EXPECT_EQ(start.TileCount(), start.layout.Cells());
    EXPECT_TRUE(ViewShows(start, DefaultTheme, false, "start"));
    GameModel model(start, 2, false);
    const int group = FindGroup(start);
    ASSERT_GE(group, 0);
    const BoardState selected = Click(model, group);
    EXPECT_GT(selected.SelectedCount(), 1);
    EXPECT_TRUE(ViewShows(selected, DefaultTheme, false, "selected"));
}

TEST_F(BadRegistry, NegativeAndHugeNumbersCountAsAnyOtherNumber)
{
    SetSetting("gamesize", 0xFFFFFFFF);  // -1: laid out like Maximum
    SetSetting("style", 0x80000000);     // non-zero: circles
    SetSetting("oneclick", 0x7FFFFFFF);  // non-zero: one click clears
    StartGame();
    const BoardState start = ReadShown(-1);
    EXPECT_EQ(start.layout.columns, LayoutFor(game_.width(), game_.height(), 2).columns);
    EXPECT_TRUE(ViewShows(start, DefaultTheme, true, "start"));
    GameModel model(start, -1, true);
    const int group = FindGroup(start);
    ASSERT_GE(group, 0);
    const BoardState after = Click(model, group);
    EXPECT_LT(after.TileCount(), start.TileCount()) << "one click did not clear the group";
    EXPECT_TRUE(ViewShows(after, DefaultTheme, true, "after"));
}

TEST_F(BadRegistry, GameSizeFiveLaysOutLikeMaximumAndScoresInItsOwnSection)
{
    SetSetting("gamesize", 5);
    StartGame();
    GameModel model(ReadShown(5), 5, false);
    EXPECT_TRUE(ViewShows(model.State(), DefaultTheme, false, "start"));
    const int last = PlayUntilLastMove(model, DefaultTheme, false, false);
    ASSERT_GE(last, 0);
    EXPECT_TRUE(ViewShows(model.State(), DefaultTheme, false, "before-last"));
    Click(model, last);
    const BoardLayout layout = model.State().layout;
    model.Click(layout.CentreX(last % layout.columns), layout.CentreY(last / layout.columns));
    game_.PostClickCell(layout, last);

    HWND box = game_.WaitForMessageBox(10000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageBoxText(box), "Game Over. Well done, you have the highest score of " +
                                            std::to_string(model.Score()) + "!");
    e2e::PressDialogButton(box, IDOK);
    ASSERT_TRUE(Closes(box));
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, HighScoreKey(5), "score1"), DWORD{model.Score()});
    EXPECT_FALSE(e2e::RegistryKeyExists(HKEY_CURRENT_USER, HighScoreKey(2)));
    EXPECT_TRUE(ViewShows(model.State(), DefaultTheme, false, "final"));
}

using HighScores = GameTest;

TEST_F(HighScores, ASecondPlaceIsReadFromTheRegistryAndTheOldSecondMovesDown)
{
    const std::string table = HighScoreKey(0);
    ASSERT_TRUE(e2e::SetRegistryDword(HKEY_CURRENT_USER, table, "score1", 0x7FFFFFFF));
    ASSERT_TRUE(e2e::SetRegistryDword(HKEY_CURRENT_USER, table, "score2", 10));
    ASSERT_TRUE(e2e::SetRegistryString(HKEY_CURRENT_USER, table, "score3", "junk"));
    SetSetting("gamesize", 0);
    StartGame();
    GameModel model(ReadShown(0), 0, false);
    const std::string message = PlayToTheEnd(model, false);
    ASSERT_GE(model.Score(), 10u);
    EXPECT_EQ(message, "Game Over. Well done, you have the 2nd highest score of " +
                           std::to_string(model.Score()) + "!");
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, table, "score1"), DWORD{0x7FFFFFFF});
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, table, "score2"), DWORD{model.Score()});
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, table, "score3"), DWORD{10});
}

TEST_F(HighScores, AScoreBelowAllThreePlacesWritesNothing)
{
    const std::string table = HighScoreKey(0);
    for (const char* place : {"score1", "score2", "score3"})  // as unsigned, the largest there are
        ASSERT_TRUE(e2e::SetRegistryDword(HKEY_CURRENT_USER, table, place, 0xFFFFFFFF));
    SetSetting("gamesize", 0);
    StartGame();
    GameModel model(ReadShown(0), 0, false);
    EXPECT_EQ(PlayToTheEnd(model, false), "Game Over");
    for (const char* place : {"score1", "score2", "score3"})
        EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, table, place), DWORD{0xFFFFFFFF}) << place;
}

}  // namespace
}  // namespace game
