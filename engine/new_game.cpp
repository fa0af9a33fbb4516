#include <cmath>

#include "board.h"
#include "profile_names.h"

Board::~Board()
{
    colourGrid.reset();
    markGrid.reset();
    undoGrid.reset();
}

namespace {

// Floor of value / 15, as a multiplication by 1/15 in double precision. Never
// below zero: a client area too small for one cell gives no cells.
std::uint32_t WholeCells(std::int32_t pixels)
{
    const double cells = std::floor(static_cast<double>(pixels) * (1.0 / 15.0));
    return cells > 0 ? static_cast<std::uint32_t>(cells) : 0;
}

std::uint32_t Scale(std::uint32_t count, double factor)
{
    return static_cast<std::uint32_t>(static_cast<double>(count) * factor);
}

CellColour ColourFromDraw(int draw)
{
    int v = static_cast<int>(static_cast<double>(draw) * (1.0 / 8191.0));
    if (v > 3)
        v = static_cast<int>(static_cast<double>(v) * 0.5);
    return static_cast<CellColour>(v);
}

}  // namespace

void NewGame(Board& board, BoardPlatform& platform, bool viewReady)
{
    board.colourGrid.reset();
    board.markGrid.reset();
    board.undoGrid.reset();

    board.gameSize = platform.GetProfileInt(profile::Settings, profile::GameSizeKey,
                                            profile::DefaultGameSize);
    board.cellWidth = CellSize;
    board.cellHeight = CellSize;

    const std::int32_t width = board.clientRect.right - board.clientRect.left;
    const std::int32_t height = board.clientRect.bottom - board.clientRect.top;
    board.rows = WholeCells(height - ScoreStripHeight);
    board.columns = WholeCells(width);

    if (board.gameSize == Compact) {
        board.columns = Scale(board.columns, 0.6);
        board.rows = Scale(board.rows, 0.6);
    } else if (board.gameSize == Medium) {
        board.columns = Scale(board.columns, 0.8);
        board.rows = Scale(board.rows, 0.8);
    }

    const auto boardWidth = static_cast<std::int64_t>(board.columns) * board.cellWidth;
    const auto boardHeight = static_cast<std::int64_t>(board.rows) * board.cellHeight;
    board.originX = static_cast<std::int32_t>(static_cast<double>(width - boardWidth) * 0.5);
    board.originY = static_cast<std::int32_t>(
        static_cast<double>(height - boardHeight - ScoreStripHeight) * 0.5 + ScoreStripHeight);

    board.cellCount = board.rows * board.columns;
    board.colourGrid.reset(new CellColour[board.cellCount]);
    board.markGrid.reset(new CellMark[board.cellCount]);

    board.oneClick = static_cast<std::uint32_t>(
        platform.GetProfileInt(profile::Settings, profile::OneClick, profile::DefaultOneClick));
    board.tileStyle =
        platform.GetProfileInt(profile::Settings, profile::Style, profile::DefaultStyle);

    const TimeOfDay now = platform.LocalTimeOfDay();
    platform.SeedRandom(static_cast<std::uint32_t>(now.second + (now.minute + now.hour * 60) * 60));
    for (std::uint32_t i = 0; i < board.cellCount; ++i) {
        board.colourGrid[i] = ColourFromDraw(platform.DrawRandom());
        board.markGrid[i] = Unmarked;
    }

    board.score = 0;
    if (viewReady)
        platform.RepaintNow();
}
