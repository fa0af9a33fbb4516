// Plays thousands of random games against a plain model of the rules (flood
// fill for groups, tile-by-tile falling, column-by-column closing) and checks
// the engine against it, and the board's invariants, after every operation.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "board_pictures.h"

namespace {

struct Model {
    std::uint32_t columns = 0, rows = 0;
    std::vector<CellColour> tiles;
    std::vector<bool> selected;
    std::uint32_t score = 0;

    CellColour& At(std::uint32_t k, std::uint32_t r) { return tiles[r * columns + k]; }

    static Model Of(const Board& board)
    {
        Model m;
        m.columns = board.columns;
        m.rows = board.rows;
        m.tiles.assign(board.colourGrid.get(), board.colourGrid.get() + board.cellCount);
        for (std::uint32_t i = 0; i < board.cellCount; ++i)
            m.selected.push_back(board.markGrid[i] == Selected);
        m.score = board.score;
        return m;
    }

    std::vector<bool> Group(std::uint32_t start) const
    {
        std::vector<bool> in(tiles.size(), false);
        std::vector<std::uint32_t> todo{start};
        in[start] = true;
        while (!todo.empty()) {
            const std::uint32_t i = todo.back();
            todo.pop_back();
            const std::uint32_t k = i % columns, r = i / columns;
            auto visit = [&](std::uint32_t j) {
                if (!in[j] && tiles[j] == tiles[start]) {
                    in[j] = true;
                    todo.push_back(j);
                }
            };
            if (k > 0) visit(i - 1);
            if (k + 1 < columns) visit(i + 1);
            if (r > 0) visit(i - columns);
            if (r + 1 < rows) visit(i + columns);
        }
        return in;
    }

    // Returns true when the game is over afterwards.
    bool Remove()
    {
        std::uint32_t increment = 5;
        for (std::uint32_t i = 0; i < tiles.size(); ++i) {
            if (!selected[i]) continue;
            score += increment;
            increment += 10;
            std::int64_t j = static_cast<std::int64_t>(i) - columns;
            if (j < 0) tiles[i] = Empty;
            for (; j >= 0; j -= columns) {
                tiles[j + columns] = tiles[j];
                tiles[j] = Empty;
            }
        }
        for (std::uint32_t m = 0; m < columns; ++m) {
            bool empty = true;
            for (std::uint32_t r = 0; r < rows; ++r) empty = empty && At(m, r) == Empty;
            if (!empty) continue;
            for (std::uint32_t k = m + 1; k < columns; ++k) {
                bool holds = false;
                for (std::uint32_t r = 0; r < rows; ++r) holds = holds || At(k, r) != Empty;
                if (!holds) continue;
                for (std::uint32_t r = 0; r < rows; ++r) {
                    At(m, r) = At(k, r);
                    At(k, r) = Empty;
                }
                break;
            }
        }
        selected.assign(tiles.size(), false);
        for (std::uint32_t r = 0; r < rows; ++r)
            for (std::uint32_t k = 0; k < columns; ++k) {
                const CellColour c = At(k, r);
                if (c == Empty) continue;
                if (k + 1 < columns && At(k + 1, r) == c) return false;
                if (r + 1 < rows && At(k, r + 1) == c) return false;
            }
        return true;
    }

    // The click on a cell; returns true when it ended the game.
    bool Click(std::uint32_t i, bool oneClick)
    {
        if (tiles[i] == Empty) return false;
        if (selected[i]) return Remove();
        selected = Group(i);
        std::uint32_t size = 0;
        for (bool s : selected) size += s;
        if (size < 2) selected.assign(tiles.size(), false);
        else if (oneClick) return Remove();
        return false;
    }
};

std::string Describe(const Board& board)
{
    std::ostringstream out;
    for (const auto& line : Picture(board)) out << line << '\n';
    return out.str();
}

void ExpectInvariants(const Board& board, const std::string& where)
{
    const std::uint32_t columns = board.columns, rows = board.rows;
    std::uint32_t selectedCount = 0, first = 0;
    for (std::uint32_t i = 0; i < board.cellCount; ++i) {
        const CellMark m = board.markGrid[i];
        ASSERT_TRUE(m == Unmarked || m == Selected) << where;
        const CellColour c = board.colourGrid[i];
        ASSERT_TRUE((c >= 0 && c <= 3) || c == Empty) << where;
        if (m == Selected && selectedCount++ == 0) first = i;
    }
    if (selectedCount > 0) {
        ASSERT_GE(selectedCount, 2u) << where;
        const Model model = Model::Of(board);
        const std::vector<bool> group = model.Group(first);
        for (std::uint32_t i = 0; i < board.cellCount; ++i)
            ASSERT_EQ(group[i], board.markGrid[i] == Selected) << where << " cell " << i;
    }
    bool emptyColumnSeen = false;
    for (std::uint32_t k = 0; k < columns; ++k) {
        bool tileSeen = false;
        for (std::uint32_t r = 0; r < rows; ++r) {
            const bool tile = board.colourGrid[r * columns + k] != Empty;
            ASSERT_TRUE(tile || !tileSeen) << where << ": gap under a tile in column " << k << "\n"
                                           << Describe(board);
            tileSeen = tileSeen || tile;
        }
        if (rows == 0) continue;
        ASSERT_FALSE(tileSeen && emptyColumnSeen) << where << ": column " << k << " right of an empty one";
        emptyColumnSeen = emptyColumnSeen || !tileSeen;
    }
}

void ExpectSameAsModel(const Board& board, const Model& model, const std::string& where)
{
    ASSERT_EQ(board.score, model.score) << where;
    for (std::uint32_t i = 0; i < board.cellCount; ++i) {
        ASSERT_EQ(board.colourGrid[i], model.tiles[i]) << where << " cell " << i << "\n" << Describe(board);
        ASSERT_EQ(board.markGrid[i] == Selected, model.selected[i]) << where << " mark " << i;
    }
}

TEST(RandomPlay, EngineFollowsTheRulesInThousandsOfGames)
{
    std::mt19937 rng(20261208);
    int removals = 0, gamesEnded = 0, undos = 0;
    for (int game = 0; game < 3000; ++game) {
        FakePlatform platform;
        Board board;
        const std::uint32_t columns = std::uniform_int_distribution<std::uint32_t>(0, 14)(rng) + (game % 7 != 0);
        const std::uint32_t rows = std::uniform_int_distribution<std::uint32_t>(0, 12)(rng) + (game % 11 != 0);
        const int palette = std::uniform_int_distribution<int>(1, 4)(rng);
        std::vector<std::string> picture(rows, std::string(columns, '0'));
        for (auto& line : picture)
            for (char& c : line) c = static_cast<char>('0' + std::uniform_int_distribution<int>(0, palette - 1)(rng));
        LayBoard(board, picture);
        board.originX = std::uniform_int_distribution<std::int32_t>(0, 20)(rng);
        board.originY = ScoreStripHeight + std::uniform_int_distribution<std::int32_t>(0, 20)(rng);

        std::vector<CellColour> undoTiles;
        std::uint32_t undoScore = 0;
        for (int step = 0; step < 80; ++step) {
            const std::string where = "game " + std::to_string(game) + " step " + std::to_string(step);
            const int action = std::uniform_int_distribution<int>(0, 19)(rng);
            if (action == 0) {
                board.oneClick = !board.oneClick;
            } else if (action == 1 && CanUndo(board)) {
                Undo(board, platform);
                ++undos;
                ASSERT_EQ(board.score, undoScore) << where;
                ASSERT_TRUE(std::equal(undoTiles.begin(), undoTiles.end(), board.colourGrid.get())) << where;
                ASSERT_FALSE(CanUndo(board)) << where;
            } else {
                // Mostly on the board, sometimes in the margins or the strip.
                const std::int32_t x = std::uniform_int_distribution<std::int32_t>(
                    -5, board.originX + static_cast<std::int32_t>(columns * 15) + 5)(rng);
                const std::int32_t y = std::uniform_int_distribution<std::int32_t>(
                    0, board.originY + static_cast<std::int32_t>(rows * 15) + 5)(rng);
                Model model = Model::Of(board);
                const std::vector<CellColour> before = model.tiles;
                const std::uint32_t scoreBefore = board.score;
                bool ended = false;
                const std::int64_t dx = x - board.originX, dy = y - board.originY;
                if (dx >= 0 && dy >= 0 && dx < columns * 15 && dy < rows * 15)
                    ended = model.Click(static_cast<std::uint32_t>(dy / 15 * columns + dx / 15), board.oneClick);
                const std::size_t messages = platform.messages.size();

                BoardClick(board, platform, x, y);

                ASSERT_NO_FATAL_FAILURE(ExpectSameAsModel(board, model, where));
                ASSERT_EQ(platform.messages.size(), messages + (ended ? 1 : 0)) << where;
                if (board.score != scoreBefore) {
                    std::uint32_t n = 0;
                    for (std::uint32_t i = 0; i < board.cellCount; ++i)
                        n += (before[i] != Empty) - (board.colourGrid[i] != Empty);
                    ASSERT_EQ(board.score - scoreBefore, 5 * n * n) << where;
                    ++removals;
                    undoTiles = before;
                    undoScore = scoreBefore;
                    ASSERT_EQ(CanUndo(board), !ended) << where;
                }
                gamesEnded += ended;
            }
            ASSERT_NO_FATAL_FAILURE(ExpectInvariants(board, where));
        }
    }
    // The run must really have exercised the rules.
    EXPECT_GT(removals, 10000);
    EXPECT_GT(gamesEnded, 500);
    EXPECT_GT(undos, 1000);
}

TEST(RandomPlay, NewGameBoardsFromTheClockKeepTheInvariants)
{
    std::mt19937 rng(7);
    FakePlatform platform;
    Board board;
    for (int game = 0; game < 500; ++game) {
        board.clientRect = {0, 0, std::uniform_int_distribution<std::int32_t>(0, 700)(rng),
                            std::uniform_int_distribution<std::int32_t>(0, 500)(rng)};
        platform.profile["settings/gamesize"] = std::uniform_int_distribution<int>(-1, 3)(rng);
        platform.time = {game % 24, game % 60, (game * 7) % 60};
        NewGame(board, platform, true);
        ASSERT_EQ(board.cellCount, board.columns * board.rows);
        ASSERT_LE(board.originX + static_cast<std::int64_t>(board.columns) * 15, board.clientRect.right);
        ASSERT_GE(board.originY, board.rows ? ScoreStripHeight : 0);
        for (int click = 0; click < 30; ++click) {
            BoardClick(board, platform, std::uniform_int_distribution<std::int32_t>(-1, 701)(rng),
                       std::uniform_int_distribution<std::int32_t>(-1, 501)(rng));
            ASSERT_NO_FATAL_FAILURE(ExpectInvariants(board, "game " + std::to_string(game)));
        }
    }
}

}  // namespace
