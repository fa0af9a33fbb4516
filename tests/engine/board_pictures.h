#pragma once
// Boards drawn as text for the engine's tests, and a click in the middle of a cell.

#include <string>
#include <vector>

#include "board.h"
#include "fake_platform.h"

// Lays a board out from a picture, one string per row from the top: '0'..'3'
// are tiles, '.' is Empty. The board sits at (0, 14), right under the score strip.
inline void LayBoard(Board& board, const std::vector<std::string>& picture)
{
    board.rows = static_cast<std::uint32_t>(picture.size());
    board.columns = picture.empty() ? 0 : static_cast<std::uint32_t>(picture[0].size());
    board.cellCount = board.rows * board.columns;
    board.cellWidth = CellSize;
    board.cellHeight = CellSize;
    board.originX = 0;
    board.originY = ScoreStripHeight;
    board.clientRect = {0, 0, static_cast<std::int32_t>(board.columns * CellSize),
                        static_cast<std::int32_t>(board.rows * CellSize) + ScoreStripHeight};
    board.colourGrid.reset(new CellColour[board.cellCount]);
    board.markGrid.reset(new CellMark[board.cellCount]);
    board.undoGrid.reset();
    for (std::uint32_t r = 0; r < board.rows; ++r)
        for (std::uint32_t k = 0; k < board.columns; ++k) {
            const char c = picture[r][k];
            board.colourGrid[r * board.columns + k] = c == '.' ? Empty : static_cast<CellColour>(c - '0');
            board.markGrid[r * board.columns + k] = Unmarked;
        }
}

// The board's tiles as a picture, in LayBoard's notation.
inline std::vector<std::string> Picture(const Board& board)
{
    std::vector<std::string> rows;
    for (std::uint32_t r = 0; r < board.rows; ++r) {
        std::string line;
        for (std::uint32_t k = 0; k < board.columns; ++k) {
            const CellColour c = board.colourGrid[r * board.columns + k];
            line.push_back(c == Empty ? '.' : static_cast<char>('0' + c));
        }
        rows.push_back(line);
    }
    return rows;
}

// The selection as a picture: '#' Selected, '+' BranchPending, '.' Unmarked.
inline std::vector<std::string> Marks(const Board& board)
{
    std::vector<std::string> rows;
    for (std::uint32_t r = 0; r < board.rows; ++r) {
        std::string line;
        for (std::uint32_t k = 0; k < board.columns; ++k) {
            const CellMark m = board.markGrid[r * board.columns + k];
            line.push_back(m == Selected ? '#' : m == BranchPending ? '+' : m == Unmarked ? '.' : '?');
        }
        rows.push_back(line);
    }
    return rows;
}

// Client pixel at the middle of a cell.
inline void ClickCell(Board& board, BoardPlatform& platform, std::uint32_t column, std::uint32_t row)
{
    BoardClick(board, platform, board.originX + static_cast<std::int32_t>(column * board.cellWidth + 7),
               board.originY + static_cast<std::int32_t>(row * board.cellHeight + 7));
}
