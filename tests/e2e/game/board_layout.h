#pragma once
// Where the board lies in a view of a given client size, worked out from the
// layout rules on their own: 15-pixel cells under a 14-pixel score strip,
// scaled down for the smaller sizes, centred.

namespace game {

struct BoardLayout {
    int columns = 0;
    int rows = 0;
    int originX = 0;
    int originY = 0;

    int CellLeft(int column) const { return originX + 15 * column; }
    int CellTop(int row) const { return originY + 15 * row; }
    // The middle of a cell, where a click surely lands in it.
    int CentreX(int column) const { return CellLeft(column) + 7; }
    int CentreY(int row) const { return CellTop(row) + 7; }
    int Cells() const { return columns * rows; }
};

// gameSize 0 Compact, 1 Medium; any other number lays out like Maximum.
BoardLayout LayoutFor(int clientWidth, int clientHeight, int gameSize);

}  // namespace game
