#include <cstring>

#include "board.h"

namespace {

constexpr unsigned WayLeft = 1, WayRight = 2, WayUp = 4, WayDown = 8;

bool IsSingleWay(unsigned mask)
{
    return mask == WayLeft || mask == WayRight || mask == WayUp || mask == WayDown;
}

// The selection walk over one board and one colour: the grids and sizes it
// works on, and the neighbour tests.
class GroupWalk {
public:
    GroupWalk(Board& board, CellColour colour)
        : colours_(board.colourGrid.get()), marks_(board.markGrid.get()), columns_(board.columns),
          rows_(board.rows), colour_(colour)
    {
    }

    // MatchesAt for the four neighbours of a cell, as a mask of ways on.
    unsigned OpenWays(std::uint32_t column, std::uint32_t row, std::uint32_t here) const
    {
        unsigned mask = 0;
        if (column > 0) mask |= Open(here - 1) * WayLeft;
        if (column + 1 < columns_) mask |= Open(here + 1) * WayRight;
        if (row > 0) mask |= Open(here - columns_) * WayUp;
        if (row + 1 < rows_) mask |= Open(here + columns_) * WayDown;
        return mask;
    }

    // One path through the group, marking as it goes; the number of steps.
    // Every cell marked BranchPending lowers `firstPending`.
    std::uint32_t Walk(std::uint32_t column, std::uint32_t row, std::uint32_t& firstPending) const
    {
        // Copies in locals: the byte stores below could alias any member.
        const GroupWalk walk = *this;
        std::uint32_t lowestPending = firstPending;
        std::uint32_t here = row * columns_ + column;
        std::uint32_t steps = 0;
        for (;;) {
            const unsigned mask = walk.OpenWays(column, row, here);
            if (mask == 0)
                break;
            ++steps;
            if (!IsSingleWay(mask)) {
                walk.marks_[here] = BranchPending;
                if (here < lowestPending)
                    lowestPending = here;
            }
            if (mask & WayLeft) {
                --column;
                --here;
            } else if (mask & WayRight) {
                ++column;
                ++here;
            } else if (mask & WayUp) {
                --row;
                here -= walk.columns_;
            } else {
                ++row;
                here += walk.columns_;
            }
            walk.marks_[here] = Selected;
        }
        firstPending = lowestPending;
        return steps;
    }

    // Whether any of the cells around a run of eight cells in one row, from
    // `here` on, is open: the row above, the row below and both ends. The
    // rows are tested eight bytes at a time.
    bool AnyOpenAroundRun(std::uint32_t column, std::uint32_t row, std::uint32_t here) const
    {
        return (column > 0 && Open(here - 1)) || (column + RunLength < columns_ && Open(here + RunLength)) ||
               (row > 0 && AnyOpenInRun(here - columns_)) || (row + 1 < rows_ && AnyOpenInRun(here + columns_));
    }

    static constexpr std::uint32_t RunLength = 8;

private:
    static std::uint64_t Load8(const std::int8_t* bytes)
    {
        std::uint64_t value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

    // A byte of (colour ^ wanted) | mark is zero exactly where a cell is open.
    bool AnyOpenInRun(std::uint32_t i) const
    {
        constexpr std::uint64_t ones = 0x0101010101010101u, highs = 0x8080808080808080u;
        const std::uint64_t wanted = ones * static_cast<std::uint8_t>(colour_);
        const std::uint64_t x = (Load8(colours_ + i) ^ wanted) | Load8(marks_ + i);
        return ((x - ones) & ~x & highs) != 0;  // some byte of x is zero
    }

    // Same colour and unvisited, tested without a branch. Marks hold only
    // Unmarked (0), Selected and BranchPending while a walk runs, so
    // "unvisited" is a mark of zero.
    unsigned Open(std::uint32_t i) const { return ((colours_[i] ^ colour_) | marks_[i]) == 0; }

    const CellColour* colours_;
    CellMark* marks_;
    std::uint32_t columns_;
    std::uint32_t rows_;
    CellColour colour_;
};

// Marks the group of the tile at `index`; returns how many cells beyond the
// first were added. Walks from the start cell until a walk takes no step, then
// goes on from the first BranchPending cell, until none is left.
std::uint32_t SelectGroup(Board& board, std::uint32_t index)
{
    CellMark* const marks = board.markGrid.get();
    const std::uint32_t columns = board.columns;
    const std::uint32_t cellCount = board.cellCount;
    std::memset(marks, Unmarked, cellCount);
    marks[index] = Selected;
    const GroupWalk walk(board, board.colourGrid[index]);

    std::uint32_t total = 0;
    std::uint32_t start = index;
    // No cell before this one is BranchPending: every branch point a walk
    // marks lowers it, and the search moves it past what it has looked at.
    std::uint32_t firstPending = cellCount;
    for (;;) {
        std::uint32_t column = start % columns;
        std::uint32_t row = start / columns;
        std::uint32_t steps;
        do {
            steps = walk.Walk(column, row, firstPending);
            total += steps;
        } while (steps != 0);

        // The search for the first BranchPending. A branch point with no way
        // left would walk no step from it, so it is settled here and the
        // search goes on; only one with a way left starts a walk. Column and
        // row follow the index instead of being divided out for each cell.
        //
        // Large groups leave long runs of branch points. Eight of them side
        // by side in one row, with nothing open around the run, are settled
        // at once: settling a cell never opens a way, so taking them one by
        // one would find no way from any of them either.
        constexpr std::uint32_t run = GroupWalk::RunLength;
        constexpr std::uint64_t pendingRun = 0x0101010101010101u * BranchPending;
        std::uint32_t next = firstPending;
        column = next % columns;
        row = next / columns;
        for (;;) {
            if (next >= cellCount)
                return total;
            std::uint64_t marksAhead = 0;
            if (column + run <= columns)
                std::memcpy(&marksAhead, marks + next, run);
            if (marksAhead == pendingRun && !walk.AnyOpenAroundRun(column, row, next)) {
                std::memset(marks + next, Selected, run);
                next += run;
                column += run;
            } else {
                if (marks[next] == BranchPending) {
                    marks[next] = Selected;
                    if (walk.OpenWays(column, row, next) != 0)
                        break;
                }
                ++next;
                ++column;
            }
            if (column == columns) {
                column = 0;
                ++row;
            }
        }
        start = next;
        firstPending = next + 1;
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
    if (column < 0 || row < 0 || static_cast<std::uint32_t>(column) >= board.columns ||
        static_cast<std::uint32_t>(row) >= board.rows)
        return 0;
    const GroupWalk walk(board, colour);
    std::uint32_t firstPending = 0;
    return walk.Walk(static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row), firstPending);
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
