#include "board_state.h"

namespace game {

int BoardState::TileCount() const
{
    int count = 0;
    for (int colour : colours)
        count += colour != NoTile;
    return count;
}

int BoardState::SelectedCount() const
{
    int count = 0;
    for (bool mark : selected)
        count += mark;
    return count;
}

std::string BoardState::Describe() const
{
    std::string text;
    for (int row = 0; row < layout.rows; ++row) {
        for (int column = 0; column < layout.columns; ++column) {
            const int colour = ColourAt(column, row);
            text += colour == NoTile ? '.' : static_cast<char>('0' + colour);
            text += selected[Index(column, row)] ? '*' : ' ';
        }
        text += '\n';
    }
    return text;
}

void PrintTo(const BoardState& board, std::ostream* out)
{
    *out << "board of " << board.layout.columns << " x " << board.layout.rows << ", score "
         << board.score << ":\n"
         << board.Describe();
}

bool ReadBoard(const e2e::ScreenPicture& view, const BoardLayout& layout, const Theme& theme,
               BoardState* board, std::string* problem)
{
    board->layout = layout;
    board->colours.assign(layout.Cells(), NoTile);
    board->selected.assign(layout.Cells(), false);
    problem->clear();
    int unknown = 0;
    for (int row = 0; row < layout.rows; ++row)
        for (int column = 0; column < layout.columns; ++column) {
            const int x = layout.CellLeft(column) + 8;
            const int y = layout.CellTop(row) + 8;
            if (!view.Contains(x, y)) {
                *problem = "the board reaches beyond the view";
                return false;
            }
            const e2e::Rgb middle = view.At(x, y);
            const int index = board->Index(column, row);
            if (middle == 0)
                continue;
            int colour = -1;
            for (int c = 0; c < 4; ++c)
                if (theme.colours[c] == middle)
                    colour = c;
            if (colour < 0) {
                if (unknown++ < 5)
                    *problem += "cell (" + std::to_string(column) + ", " + std::to_string(row) +
                                ") shows " + e2e::RgbText(middle) + ", no " + theme.name +
                                " colour; ";
                continue;
            }
            board->colours[index] = colour;
            board->selected[index] = view.At(layout.CellLeft(column) + 3, y) == 0;
        }
    if (unknown > 0)
        *problem += std::to_string(unknown) + " cells in all";
    return unknown == 0;
}

std::vector<int> GroupAt(const BoardState& board, int column, int row)
{
    const int colour = board.ColourAt(column, row);
    std::vector<int> group;
    if (colour == NoTile)
        return group;
    std::vector<bool> seen(board.colours.size(), false);
    std::vector<int> pending{board.Index(column, row)};
    seen[pending[0]] = true;
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        group.push_back(index);
        const int c = index % board.layout.columns;
        const int r = index / board.layout.columns;
        const int neighbours[4][2] = {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}};
        for (const auto& n : neighbours) {
            if (n[0] < 0 || n[1] < 0 || n[0] >= board.layout.columns || n[1] >= board.layout.rows)
                continue;
            const int next = board.Index(n[0], n[1]);
            if (!seen[next] && board.colours[next] == colour) {
                seen[next] = true;
                pending.push_back(next);
            }
        }
    }
    return group;
}

int FindGroup(const BoardState& board, bool largest)
{
    int best = -1;
    size_t bestSize = 1;
    for (int index = 0; index < static_cast<int>(board.colours.size()); ++index) {
        const size_t size =
            GroupAt(board, index % board.layout.columns, index / board.layout.columns).size();
        if (size > bestSize) {
            best = index;
            bestSize = size;
            if (!largest)
                break;
        }
    }
    return best;
}

int FindLoneTile(const BoardState& board)
{
    for (int index = 0; index < static_cast<int>(board.colours.size()); ++index)
        if (board.colours[index] != NoTile &&
            GroupAt(board, index % board.layout.columns, index / board.layout.columns).size() == 1)
            return index;
    return -1;
}

}  // namespace game
