// Playing the game through its board view: selecting, removing, undoing,
// double-clicks, one-click mode and a whole game to its end.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dialog_text.h"
#include "game_fixture.h"
#include "real_input.h"

namespace game {
namespace {

using Play = GameTest;

// Every column holds its tiles at the bottom, and no column with tiles lies
// right of an empty one.
std::string CollapseProblem(const BoardState& board)
{
    bool emptyColumnSeen = false;
    for (int column = 0; column < board.layout.columns; ++column) {
        bool tileSeen = false;
        for (int row = 0; row < board.layout.rows; ++row) {
            const bool tile = board.ColourAt(column, row) != NoTile;
            if (tileSeen && !tile)
                return "a gap under a tile in column " + std::to_string(column);
            tileSeen = tileSeen || tile;
        }
        if (tileSeen && emptyColumnSeen)
            return "column " + std::to_string(column) + " holds tiles right of an empty column";
        emptyColumnSeen = emptyColumnSeen || !tileSeen;
    }
    return {};
}

TEST_F(Play, TwoClicksSelectAndRemoveAGroupAndUndoBringsItBack)
{
    StartGame();
    const BoardState start = ReadShown(2);
    const e2e::ScreenPicture startPicture = game_.SettledView();
    GameModel model(start, 2, false);

    const int group = FindGroup(start, true);
    ASSERT_GE(group, 0);
    std::vector<int> cells = GroupAt(start, group % start.layout.columns, group / start.layout.columns);
    std::sort(cells.begin(), cells.end());
    const int n = static_cast<int>(cells.size());

    // First click: rings on exactly the group, nothing else changes.
    const BoardState selected = Click(model, group);
    ASSERT_TRUE(ViewShows(selected, DefaultTheme, false, "selected"));
    BoardState shown = ReadShown(2);
    std::vector<int> ringed;
    for (int i = 0; i < shown.layout.Cells(); ++i)
        if (shown.selected[i])
            ringed.push_back(i);
    EXPECT_EQ(ringed, cells) << "the rings are not on the clicked group";

    // Second click, on another tile of the group: it goes, the rest falls and closes up.
    const int otherTile = cells.back() == group ? cells.front() : cells.back();
    const BoardState removed = Click(model, otherTile);
    EXPECT_EQ(removed.score, static_cast<unsigned>(5 * n * n));
    EXPECT_EQ(removed.TileCount(), start.TileCount() - n);
    ASSERT_TRUE(ViewShows(removed, DefaultTheme, false, "removed"));
    shown = ReadShown(2, DefaultTheme, removed.score);
    EXPECT_EQ(shown, removed);
    EXPECT_EQ(CollapseProblem(shown), "");

    // Undo restores the very picture of the start, score line included.
    ASSERT_TRUE(game_.Command(IdEditUndo));
    EXPECT_TRUE(game_.ViewBecomes(startPicture)) << game_.View().Difference(startPicture);

    // A second Undo has nothing to restore.
    ASSERT_TRUE(game_.Command(IdEditUndo));
    EXPECT_TRUE(game_.ViewStays(startPicture));
}

TEST_F(Play, UndoAfterANewSelectionLeavesNothingSelected)
{
    StartGame();
    const BoardState start = ReadShown(2);
    GameModel model(start, 2, false);
    const int group = FindGroup(start);
    ASSERT_GE(group, 0);
    Click(model, group);
    Click(model, group);
    const int next = FindGroup(model.State());
    ASSERT_GE(next, 0);
    ASSERT_GT(Click(model, next).SelectedCount(), 1);

    ASSERT_TRUE(game_.Command(IdEditUndo));
    EXPECT_TRUE(ViewShows(start, DefaultTheme, false, "undone"));
}

TEST_F(Play, ClicksOffTheBoardKeepTheSelectionAndALoneTileDropsIt)
{
    SetSetting("gamesize", 0);  // a small board leaves margins all round
    StartGame();
    const BoardState start = ReadShown(0);
    const BoardLayout& layout = start.layout;
    ASSERT_GT(layout.originX, 0);
    GameModel model(start, 0, false);
    const int group = FindGroup(start);
    ASSERT_GE(group, 0);
    const BoardState selected = Click(model, group);

    // The score strip, the left margin, one pixel past the last column.
    const int offBoard[][2] = {{5, 5},
                               {layout.originX - 1, layout.CentreY(0)},
                               {layout.CellLeft(layout.columns), layout.CentreY(0)}};
    for (const auto& point : offBoard) {
        ASSERT_TRUE(game_.Click(point[0], point[1]));
        EXPECT_TRUE(ViewShows(selected, DefaultTheme, false, "off-board"))
            << "after a click at (" << point[0] << ", " << point[1] << ")";
    }

    const int lone = FindLoneTile(start);
    if (lone >= 0) {
        EXPECT_TRUE(ViewShows(Click(model, lone), DefaultTheme, false, "lone"));
        EXPECT_EQ(model.State().SelectedCount(), 0);
    }
}

TEST_F(Play, DoubleClickSelectsAGroupWithoutRemovingIt)
{
    StartGame();
    const BoardState start = ReadShown(2);
    GameModel model(start, 2, false);
    const int group = FindGroup(start);
    ASSERT_GE(group, 0);
    model.Click(start.layout.CentreX(group % start.layout.columns),
                start.layout.CentreY(group / start.layout.columns));
    const BoardState selected = model.State();

    e2e::BringToFront(game_.frame());
    e2e::DoubleClickAt(e2e::ScreenPoint(game_.view(), start.layout.CentreX(group % start.layout.columns),
                                        start.layout.CentreY(group / start.layout.columns)));
    ASSERT_TRUE(ViewShows(selected, DefaultTheme, false, "double-click"));
    // A second press taken as a click would remove the group within this time.
    EXPECT_TRUE(game_.ViewStays(game_.View(), 600)) << "the double-clicked group did not stay";
}

TEST_F(Play, OneClickModeRemovesAGroupAtOnce)
{
    SetSetting("oneclick", 1);
    StartGame();
    const BoardState start = ReadShown(2);
    GameModel model(start, 2, true);
    const int group = FindGroup(start, true);
    ASSERT_GE(group, 0);
    const int n = static_cast<int>(
        GroupAt(start, group % start.layout.columns, group / start.layout.columns).size());
    const BoardState after = Click(model, group);
    EXPECT_EQ(after.score, static_cast<unsigned>(5 * n * n));
    EXPECT_EQ(after.SelectedCount(), 0);
    EXPECT_TRUE(ViewShows(after, DefaultTheme, false, "one-click"));
}

TEST_F(Play, WholeCompactGameEndsWithTheHighScoreMessageOverTheFinalBoard)
{
    SetSetting("gamesize", 0);
    SetSetting("style", 1);  // circles, to cover their rings and gaps too
    StartGame();
    GameModel model(ReadShown(0), 0, false);
    const int last = PlayUntilLastMove(model, DefaultTheme, true, true);
    ASSERT_GE(last, 0);

    Click(model, last);  // select; the removal opens a message box inside the click
    const BoardLayout layout = model.State().layout;
    model.Click(layout.CentreX(last % layout.columns), layout.CentreY(last / layout.columns));
    const BoardState final = model.State();
    ASSERT_FALSE(model.MoveLeft());
    game_.PostClickCell(layout, last);

    HWND box = game_.WaitForMessageBox(10000);
    ASSERT_NE(box, nullptr) << "no message box at the end of the game";
    const std::string expected =
        "Game Over. Well done, you have the highest score of " + std::to_string(final.score) + "!";
    EXPECT_EQ(e2e::MessageBoxText(box), expected);
    EXPECT_EQ(e2e::WindowText(box), "Quenlark");

    // The final board is drawn before the box: everything around the box shows it.
    RECT boxRect{};
    GetWindowRect(box, &boxRect);
    POINT viewOrigin = e2e::ScreenPoint(game_.view(), 0, 0);
    e2e::ScreenPicture expectedPicture =
        DrawReferenceView(game_.width(), game_.height(), final, DefaultTheme, true);
    auto outsideBox = [&](e2e::ScreenPicture picture) {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (PtInRect(&boxRect, POINT{viewOrigin.x + x, viewOrigin.y + y}))
                    picture.Set(x, y, 0);
        return picture;
    };
    expectedPicture = outsideBox(expectedPicture);
    EXPECT_TRUE(e2e::WaitUntil([&] { return outsideBox(game_.View()) == expectedPicture; }, 3000))
        << "the final board is not under the box: " << outsideBox(game_.View()).Difference(expectedPicture);

    e2e::PressDialogButton(box, IDOK);
    ASSERT_TRUE(Closes(box));
    EXPECT_TRUE(ViewShows(final, DefaultTheme, true, "final"));

    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, HighScoreKey(0), "score1"), DWORD{final.score});
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, HighScoreKey(0), "score2"), DWORD{0});
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, HighScoreKey(0), "score3"), DWORD{0});
    EXPECT_FALSE(e2e::RegistryKeyExists(HKEY_CURRENT_USER, HighScoreKey(2)));

    // No move is left: clicks change nothing, and there is nothing to undo.
    ASSERT_TRUE(game_.Click(layout.CentreX(last % layout.columns), layout.CentreY(last / layout.columns)));
    ASSERT_TRUE(game_.Command(IdEditUndo));
    EXPECT_TRUE(ViewShows(final, DefaultTheme, true, "after-end"));
    EXPECT_EQ(game_.WaitForMessageBox(300), nullptr) << "a finished game was recorded twice";
}

}  // namespace
}  // namespace game
