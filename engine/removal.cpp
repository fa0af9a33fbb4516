#include <cstring>

#include "board.h"

namespace {

// Lets the tiles of every column fall onto the removed cells. Removing the
// marked cells from the top down, each time moving the column above one row
// down, leaves exactly the unmarked cells of the column packed at its bottom
// in their old order with Empty above them; that is built here in one pass
// per column.
std::uint32_t RemoveMarkedAndFall(Board& board)
{
    const std::uint32_t columns = board.columns;
    std::uint32_t removed = 0;
    for (std::uint32_t column = 0; column < columns; ++column) {
        std::uint32_t write = board.rows;  // one past the next row to fill
        for (std::uint32_t row = board.rows; row-- > 0;) {
            const std::uint32_t i = row * columns + column;
            if (board.markGrid[i] != Unmarked) {
                ++removed;
                continue;
            }
            --write;
            if (write != row)
                board.colourGrid[write * columns + column] = board.colourGrid[i];
        }
        for (std::uint32_t row = 0; row < write; ++row)
            board.colourGrid[row * columns + column] = Empty;
    }
    return removed;
}

bool ColumnIsEmpty(const Board& board, std::uint32_t column)
{
    for (std::uint32_t row = 0; row < board.rows; ++row)
        if (board.colourGrid[row * board.columns + column] != Empty)
            return false;
    return true;
}

// Moves every column that holds a tile to the left, whole and in order,
// leaving the emptied columns at the right.
void CloseEmptyColumns(Board& board)
{
    std::uint32_t target = 0;
    for (std::uint32_t column = 0; column < board.columns; ++column) {
        if (ColumnIsEmpty(board, column))
            continue;
        if (column != target) {
            for (std::uint32_t row = 0; row < board.rows; ++row) {
                CellColour* line = board.colourGrid.get() + row * board.columns;
                line[target] = line[column];
                line[column] = Empty;
            }
        }
        ++target;
    }
}

}  // namespace

bool HasMoveLeft(const Board& board)
{
    const CellColour* grid = board.colourGrid.get();
    for (std::uint32_t row = 0; row < board.rows; ++row) {
        const CellColour* line = grid + row * board.columns;
        const CellColour* below = row + 1 < board.rows ? line + board.columns : nullptr;
        for (std::uint32_t column = 0; column < board.columns; ++column) {
            const CellColour colour = line[column];
            if (colour == Empty)
                continue;
            if (column + 1 < board.columns && line[column + 1] == colour)
                return true;
            if (below != nullptr && below[column] == colour)
                return true;
        }
    }
    return false;
}

void RemoveGroup(Board& board, BoardPlatform& platform)
{
    if (!board.undoGrid)
        board.undoGrid.reset(new CellColour[board.cellCount]);
    std::memcpy(board.undoGrid.get(), board.colourGrid.get(), board.cellCount);
    board.undoScore = board.score;

    // The removed tiles earn 5, 15, 25, ... in turn: 5 * n * n for n tiles,
    // in the same unsigned 32-bit arithmetic as the running sum.
    const std::uint32_t removed = RemoveMarkedAndFall(board);
    board.score += 5u * removed * removed;

    CloseEmptyColumns(board);
    std::memset(board.markGrid.get(), Unmarked, board.cellCount);

    if (HasMoveLeft(board))
        return;
    platform.RepaintNow();  // the final board is drawn before the message
    RecordHighScore(board, platform);
}

void Undo(Board& board, BoardPlatform& platform)
{
    if (!board.undoGrid)
        return;
    std::memcpy(board.colourGrid.get(), board.undoGrid.get(), board.cellCount);
    board.undoGrid.reset();
    board.score = board.undoScore;
    std::memset(board.markGrid.get(), Unmarked, board.cellCount);
    platform.RepaintNow();
}
