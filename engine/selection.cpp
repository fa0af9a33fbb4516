#include <cstring>

#include "board.h"

namespace {

constexpr unsigned WayLeft = 1, WayRight = 2, WayUp = 4, WayDown = 8;

bool IsSingleWay(unsigned mask)
{
    return mask == WayLeft || mask == WayRight || mask == WayUp || mask == WayDown;
}

// One path of the walk. Every cell it marks BranchPending lowers
// `firstPending`, so the caller's search for branch points never has to look
// in front of it.
std::uint32_t WalkPath(Board& board, std::int32_t column, std::int32_t row, CellColour colour,
                       std::uint32_t& firstPending)
{
    std::uint32_t steps = 0;
    for (;;) {
        unsigned mask = 0;
        if (MatchesAt(board, column - 1, row, colour)) mask |= WayLeft;
        if (MatchesAt(board, column + 1, row, colour)) mask |= WayRight;
        if (MatchesAt(board, column, row - 1, colour)) mask |= WayUp;
        if (MatchesAt(board, column, row + 1, colour)) mask |= WayDown;
        if (mask == 0)
            return steps;
        ++steps;

        const std::uint32_t here = static_cast<std::uint32_t>(row) * board.columns + column;
        if (!IsSingleWay(mask)) {
            board.markGrid[here] = BranchPending;
            if (here < firstPending)
                firstPending = here;
        }

        if (mask & WayLeft) --column;
        else if (mask & WayRight) ++column;
        else if (mask & WayUp) --row;
        else ++row;
        board.markGrid[static_cast<std::uint32_t>(row) * board.columns + column] = Selected;
    }
}

// Marks the group of the tile at `index`; returns how many cells beyond the
// first were added.
std::uint32_t SelectGroup(Board& board, std::uint32_t index)
{
    std::memset(board.markGrid.get(), Unmarked, board.cellCount);
    board.markGrid[index] = Selected;
    const CellColour colour = board.colourGrid[index];

    std::uint32_t total = 0;
    std::uint32_t start = index;
    std::uint32_t firstPending = board.cellCount;  // no branch point known yet
    for (;;) {
        const auto column = static_cast<std::int32_t>(start % board.columns);
        const auto row = static_cast<std::int32_t>(start / board.columns);
        std::uint32_t steps;
        do {
            steps = WalkPath(board, column, row, colour, firstPending);
            total += steps;
        } while (steps != 0);

        // The first BranchPending from index 0: nothing before firstPending can be one.
        const CellMark* marks = board.markGrid.get();
        const void* found = firstPending < board.cellCount
            ? std::memchr(marks + firstPending, BranchPending, board.cellCount - firstPending)
            : nullptr;
        if (found == nullptr)
            return total;
        start = static_cast<std::uint32_t>(static_cast<const CellMark*>(found) - marks);
        board.markGrid[start] = Selected;
        firstPending = start + 1;
    }
}

}  // namespace

bool MatchesAt(const Board& board, std::int32_t column, std::int32_t row, CellColour colour)
{
    if (column < 0 || row < 0)
        return false;
    if (static_cast<std::uint32_t>(column) >= board.columns ||
        static_cast<std::uint32_t>(row) >= board.rows)
        return false;
    const std::uint32_t i = static_cast<std::uint32_t>(row) * board.columns + column;
    return board.colourGrid[i] == colour && board.markGrid[i] < Selected;
}

std::uint32_t WalkGroup(Board& board, std::int32_t column, std::int32_t row, CellColour colour)
{
    std::uint32_t firstPending = 0;
    return WalkPath(board, column, row, colour, firstPending);
}

void BoardClick(Board& board, BoardPlatform& platform, std::int32_t x, std::int32_t y)
{
    board.clickSeen = 1;

    const std::int64_t dx = static_cast<std::int64_t>(x) - board.originX;
    const std::int64_t dy = static_cast<std::int64_t>(y) - board.originY;
    const bool onBoard = dx >= 0 && dx < static_cast<std::int64_t>(board.columns) * board.cellWidth &&
                         dy >= 0 && dy < static_cast<std::int64_t>(board.rows) * board.cellHeight;
    if (onBoard) {
        const auto column = static_cast<std::uint32_t>(dx / board.cellWidth);
        const auto row = static_cast<std::uint32_t>(dy / board.cellHeight);
        const std::uint32_t i = row * board.columns + column;

        if (board.colourGrid[i] == Empty)
            return;

        if (board.markGrid[i] == Selected) {
            RemoveGroup(board, platform);
        } else {
            if (SelectGroup(board, i) < 1)
                board.markGrid[i] = Unmarked;  // a lone tile is never selected
            if (board.oneClick && board.markGrid[i] == Selected)
                RemoveGroup(board, platform);
        }
    }
    platform.RepaintNow();
}
