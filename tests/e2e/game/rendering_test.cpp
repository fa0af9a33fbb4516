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

    const e2e::ScreenPicture view = game_.View();
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
    const e2e::ScreenPicture view = game_.View();
    // The corner of a circle's square is background; its middle is the tile.
    EXPECT_EQ(view.At(layout.CellLeft(0) + 1, layout.CellTop(0) + 1), 0u);
    EXPECT_EQ(view.At(layout.CellLeft(0) + 8, layout.CellTop(0) + 8),
              DefaultTheme.colours[board.ColourAt(0, 0)]);
    EXPECT_TRUE(ViewShows(board, DefaultTheme, true));
}

TEST_F(Rendering, ThemesRecolourEveryTileKeepingBoardSelectionAndScore)
{
    StartGame();
    BoardState board = ReadShown(2);
    GameModel model(board, 2, false);
    // A removal for a score, then a selection to keep.
    int group = FindGroup(board);
    ASSERT_GE(group, 0);
    const BoardLayout& layout = board.layout;
    for (int click = 0; click < 2; ++click) {
        ASSERT_TRUE(game_.ClickCell(layout, group));
        model.Click(layout.CentreX(group % layout.columns), layout.CentreY(group / layout.columns));
    }
    board = model.State();
    group = FindGroup(board, true);
    ASSERT_GE(group, 0);
    ASSERT_TRUE(game_.ClickCell(layout, group));
    model.Click(layout.CentreX(group % layout.columns), layout.CentreY(group / layout.columns));
    const BoardState expected = model.State();
    ASSERT_GT(expected.score, 0u);
    ASSERT_GT(expected.SelectedCount(), 1);
    ASSERT_TRUE(ViewShows(expected, DefaultTheme, false, "before-themes"));

    for (const Theme* theme : {&LondonTheme, &RattlesnakeTheme, &DefaultTheme, &RattlesnakeTheme}) {
        ASSERT_TRUE(game_.Command(theme->command));
        BoardState shown = ReadShown(2, *theme, expected.score);
        EXPECT_EQ(shown, expected) << theme->name << " shows another board:\n" << shown.Describe();
        EXPECT_TRUE(ViewShows(expected, *theme, false, theme->name)) << theme->name;
    }
}

}  // namespace
}  // namespace game
