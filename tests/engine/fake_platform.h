#pragma once
// An in-memory platform for the engine: profile store, clock, generator,
// repaint counter and message log, with one event log that keeps their order.

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "board.h"
#include "board_platform.h"
#include "runtime_random.h"

class FakePlatform : public BoardPlatform {
public:
    std::map<std::string, std::int32_t> profile;  // "section/key" -> value
    TimeOfDay time{12, 0, 0};
    std::optional<std::uint32_t> lastSeed;
    std::deque<int> scriptedDraws;  // used before the runtime generator, when not empty
    RuntimeRandom random;
    int repaints = 0;
    std::vector<std::string> messages;
    std::vector<std::string> events;  // "read s/k", "write s/k=v", "repaint", "message ..."

    static std::string Key(const TextChar* section, const TextChar* key)
    {
        return NarrowAscii(section) + "/" + NarrowAscii(key);
    }

    std::int32_t GetProfileInt(const TextChar* section, const TextChar* key,
                               std::int32_t defaultValue) override
    {
        const std::string k = Key(section, key);
        events.push_back("read " + k);
        const auto it = profile.find(k);
        return it == profile.end() ? defaultValue : it->second;
    }

    void WriteProfileInt(const TextChar* section, const TextChar* key, std::int32_t value) override
    {
        const std::string k = Key(section, key);
        events.push_back("write " + k + "=" + std::to_string(value));
        profile[k] = value;
    }

    TimeOfDay LocalTimeOfDay() override { return time; }

    void SeedRandom(std::uint32_t seed) override
    {
        lastSeed = seed;
        random.Seed(seed);
    }

    int DrawRandom() override
    {
        if (!scriptedDraws.empty()) {
            const int draw = scriptedDraws.front();
            scriptedDraws.pop_front();
            return draw;
        }
        return random.Next();
    }

    void RepaintNow() override
    {
        ++repaints;
        events.push_back("repaint");
    }

    void ShowMessage(const TextChar* text) override
    {
        messages.push_back(NarrowAscii(text));
        events.push_back("message " + messages.back());
    }

    std::int32_t Stored(const std::string& sectionKey, std::int32_t missing = -12345) const
    {
        const auto it = profile.find(sectionKey);
        return it == profile.end() ? missing : it->second;
    }
};

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
