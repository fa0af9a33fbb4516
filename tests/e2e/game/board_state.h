#pragma once
// A board as the player sees it: the tile colour and selection of every cell
// and the score, read back from the picture of the view or predicted.

#include <ostream>
#include <string>
#include <vector>

#include "board_layout.h"
#include "game_facts.h"
#include "screen_picture.h"

namespace game {

constexpr int NoTile = 9;

struct BoardState {
    BoardLayout layout;
    std::vector<int> colours;     // 0..3, or NoTile; row-major
    std::vector<bool> selected;   // rings drawn on the cell
    unsigned score = 0;

    int Index(int column, int row) const { return row * layout.columns + column; }
    int ColourAt(int column, int row) const { return colours[Index(column, row)]; }
    int TileCount() const;
    int SelectedCount() const;
    // Same tiles and rings; the score is checked through the picture.
    bool operator==(const BoardState& other) const
    {
        return colours == other.colours && selected == other.selected;
    }
    std::string Describe() const;  // rows of digits, '.' for no tile, '*' after a selected tile
};

// How GoogleTest shows a board in a failed comparison.
void PrintTo(const BoardState& board, std::ostream* out);

// Reads colours and rings from a picture of the whole view. The middle of a
// tile shows its colour; the pixel 3 to the right of its left edge, halfway
// down, is black only on a selected tile (its innermost ring). Fails, with
// the cells and colours that fit no tile of `theme`, on anything else.
bool ReadBoard(const e2e::ScreenPicture& view, const BoardLayout& layout, const Theme& theme,
               BoardState* board, std::string* problem);

// The cells of the group of same-coloured tiles around (column, row), found by
// a plain flood fill through left, right, up and down neighbours.
std::vector<int> GroupAt(const BoardState& board, int column, int row);

// The cell of some group of two or more tiles; -1 when no move is left.
// `largest` picks the biggest group, otherwise the first one from the top.
int FindGroup(const BoardState& board, bool largest = false);

// A tile with no neighbour of its own colour; -1 when there is none.
int FindLoneTile(const BoardState& board);

}  // namespace game
