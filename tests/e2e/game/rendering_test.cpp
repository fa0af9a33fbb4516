// What the board view draws: layout, tile colours and lines, circles, the
// score line and the three themes, pixel for pixel in both paint paths.

#include <gtest/gtest.h>

#include "game_fixture.h"
#include "runtime_random.h"

namespace game {
namespace {

using Rendering = GameTest;

TEST_F(Rendering, FreshBoardFillsTheLayoutWithDefaultTilesAndBlackLines)
{
    StartGame();
    const BoardLayout layout = LayoutFor(game_.width(), game_.height(), 2);
    ASSERT_GT(layout.Cells(), 0);
    const BoardState board = ReadShown(2);
    EXPECT_EQ(board.TileCount(), layout.Cells()) << "a fresh board has a tile in every cell";
    EXPECT_EQ(board.SelectedCount(), 0);

    const e2e::ScreenPicture view = game_.SettledView();
    // One-pixel black lines between square tiles, colour right inside them.
    for (int column = 0; column < layout.columns; ++column) {
        const int left = layout.CellLeft(column);
        const int y = layout.CellTop(0) + 8;
        EXPECT_EQ(e2e::RgbText(view.At(left, y)), e2e::RgbText(0)) << "column " << column;
        EXPECT_EQ(e2e::RgbText(view.At(left + 1, y)),
                  e2e::RgbText(DefaultTheme.colours[board.ColourAt(column, 0)]))
            << "column " << column;
    }
    // Nothing outside the board but the score line.
    if (layout.CellLeft(layout.columns) + 1 < game_.width()) {
        EXPECT_EQ(view.At(layout.CellLeft(layout.columns) + 1, layout.CellTop(0) + 8), 0u);
    }
    EXPECT_TRUE(ViewShows(board));
}

TEST_F(Rendering, CircleStyleDrawsEveryTileAsACircle)
{
    SetSetting("style", 1);
    StartGame();
    const BoardState board = ReadShown(2);
    const BoardLayout& layout = board.layout;
    const e2e::ScreenPicture view = game_.SettledView();
    // The corner of a circle's square is background; its middle is the tile.
    EXPECT_EQ(view.At(layout.CellLeft(0) + 1, layout.CellTop(0) + 1), 0u);
    EXPECT_EQ(view.At(layout.CellLeft(0) + 8, layout.CellTop(0) + 8),
              DefaultTheme.colours[board.ColourAt(0, 0)]);
    EXPECT_TRUE(ViewShows(board, DefaultTheme, true));
}

// Removes a group for a score, selects another, then runs through the themes
// from `current`: every tile changes colour at once, board, rings and score
// stay. Ends in Rattlesnake.
void CheckThemes(GameTest& test, QuenlarkGame& game, const BoardState& start, bool circles, const Theme& current)
{
    GameModel model(start, 2, false);
    const BoardLayout& layout = start.layout;
    auto click = [&](int index) {
        ASSERT_TRUE(game.ClickCell(layout, index));
        model.Click(layout.CentreX(index % layout.columns), layout.CentreY(index / layout.columns));
    };
    const int removed = FindGroup(start);
    ASSERT_GE(removed, 0);
    click(removed);
    click(removed);
    const int selected = FindGroup(model.State(), true);
    ASSERT_GE(selected, 0);
    click(selected);
    const BoardState expected = model.State();
    ASSERT_GT(expected.score, 0u);
    ASSERT_GT(expected.SelectedCount(), 1);
    ASSERT_TRUE(test.ViewShowsFor(expected, current, circles, "before-themes"));

    for (const Theme* theme : {&LondonTheme, &RattlesnakeTheme, &DefaultTheme, &RattlesnakeTheme}) {
        ASSERT_TRUE(game.Command(theme->command));
        EXPECT_TRUE(test.ViewShowsFor(expected, *theme, circles, theme->name)) << theme->name;
        BoardState shown;
        std::string problem;
        EXPECT_TRUE(game.Read(2, *theme, &shown, &problem)) << problem;
        EXPECT_EQ(shown, expected) << theme->name << " shows another board";
    }
}

TEST_F(Rendering, ThemesRecolourEveryTileKeepingBoardSelectionAndScore)
{
    StartGame();
    CheckThemes(*this, game_, ReadShown(2), false, DefaultTheme);
    if (HasFatalFailure())
        return;

    // The theme outlasts New Game and Undo. The next board comes in
    // Rattlesnake, and in circles: the style is read by New Game.
    SetSetting("style", 1);
    const e2e::ScreenPicture squares = game_.SettledView();
    ASSERT_TRUE(game_.Command(IdNewGame));
    ASSERT_TRUE(e2e::WaitUntil([&] { return game_.View() != squares; }, 3000))
        << "New Game did not change the picture";
    const BoardState next = ReadShown(2, RattlesnakeTheme);
    ASSERT_TRUE(ViewShows(next, RattlesnakeTheme, true, "new-game"));
    GameModel model(next, 2, false);
    const int group = FindGroup(next);
    ASSERT_GE(group, 0);
    Click(model, group);
    ASSERT_TRUE(ViewShows(Click(model, group), RattlesnakeTheme, true, "removed"));
    ASSERT_TRUE(game_.Command(IdEditUndo));
    ASSERT_TRUE(ViewShows(next, RattlesnakeTheme, true, "undone"));

    CheckThemes(*this, game_, next, true, RattlesnakeTheme);
}

// Seconds since local midnight.
int SecondsOfDay()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return (now.wHour * 60 + now.wMinute) * 60 + now.wSecond;
}

// The board the runtime's generator gives for a seed: one draw per cell in
// row-major order, 0..32767 scaled by 1/8191, a 4 halved to 2.
std::vector<int> GeneratedColours(unsigned seed, int cells)
{
    RuntimeRandom random;
    random.Seed(seed);
    std::vector<int> colours;
    for (int i = 0; i < cells; ++i) {
        int v = static_cast<int>(random.Next() * (1.0 / 8191.0));
        if (v > 3)
            v = static_cast<int>(v * 0.5);
        colours.push_back(v);
    }
    return colours;
}

TEST_F(Rendering, FreshBoardComesFromTheGeneratorSeededWithTheSecondsSinceMidnight)
{
    const int before = SecondsOfDay();
    StartGame();
    const int after = SecondsOfDay();
    const BoardState board = ReadShown(2);
    bool found = false;
    for (int seed = before - 1; seed <= after + 1 && !found; ++seed)
        found = seed >= 0 && GeneratedColours(static_cast<unsigned>(seed), board.layout.Cells()) == board.colours;
    EXPECT_TRUE(found) << "no seed from " << before - 1 << " to " << after + 1
                       << " gives the board shown:\n" << board.Describe();
    EXPECT_TRUE(ViewShows(board)) << "tiles, lines and score line as drawn for that board";

    // New Game draws again from the clock: a board of the same layout.
    const int again = SecondsOfDay();
    ASSERT_TRUE(game_.Command(IdNewGame));
    const BoardState next = ReadShown(2);
    found = false;
    for (int seed = again - 1; seed <= SecondsOfDay() + 1 && !found; ++seed)
        found = seed >= 0 && GeneratedColours(static_cast<unsigned>(seed), next.layout.Cells()) == next.colours;
    EXPECT_TRUE(found) << "New Game did not lay out a generated board";
}

}  // namespace
}  // namespace game
