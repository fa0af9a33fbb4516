#include "engine_scenario.h"

#include <cstdint>

#include "board.h"
#include "fake_platform.h"

namespace {

struct Game {
    TimeOfDay time;  // the generator's seed is the time in seconds since midnight
    GameSize size;
    int oneClick;
    ClientRect view;
    int actions;
};

// The device's board view (240 x 268 below the command bar), others of the
// desktop's, off-origin and degenerate views, each game size and click mode.
const Game kGames[] = {
    {{0, 0, 0}, Maximum, 0, {0, 0, 240, 268}, 60},
    {{23, 59, 59}, Medium, 0, {0, 0, 240, 268}, 40},
    {{12, 34, 56}, Compact, 0, {0, 0, 240, 268}, 30},
    {{7, 0, 1}, Maximum, 1, {0, 0, 240, 268}, 60},
    {{18, 5, 42}, Maximum, 0, {0, 0, 480, 334}, 60},
    {{3, 14, 15}, Medium, 1, {10, 20, 257, 301}, 40},
    {{9, 9, 9}, Maximum, 0, {0, 0, 31, 45}, 8},
    {{1, 2, 3}, Maximum, 0, {0, 0, 20, 20}, 4},
    {{4, 5, 6}, Compact, 0, {0, 0, -5, -5}, 4},
};

std::string Number(long long value) { return std::to_string(value); }

std::string Grid(const Board& board, bool marks)
{
    std::string text;
    for (std::uint32_t i = 0; i < board.cellCount; ++i) {
        if (i && i % board.columns == 0)
            text += '/';
        const int cell = marks ? board.markGrid[i] : board.colourGrid[i];
        text += static_cast<char>(cell < 10 ? '0' + cell : 'a' + cell - 10);
    }
    return text;
}

// A pseudo-random sequence of its own for choosing where to click, the same
// on both sides.
struct Chooser {
    std::uint32_t state;
    std::uint32_t Next(std::uint32_t bound)
    {
        state = state * 1664525u + 1013904223u;
        return bound ? (state >> 8) % bound : 0;
    }
};

void PlayGame(const Game& game, int number, FakePlatform& platform, void (*write)(const std::string&))
{
    platform.time = game.time;
    platform.profile["settings/gamesize"] = game.size;
    platform.profile["settings/oneclick"] = game.oneClick;
    platform.events.clear();

    Board board;
    board.clientRect = game.view;
    NewGame(board, platform, false);
    write("game " + Number(number) + " layout " + Number(board.columns) + "x" + Number(board.rows) + " at " +
          Number(board.originX) + "," + Number(board.originY) + " cells " + Number(board.cellCount));
    write("tiles " + Grid(board, false));

    Chooser chooser{static_cast<std::uint32_t>(number) * 7919u};
    for (int action = 0; action < game.actions; ++action) {
        const std::uint32_t choice = chooser.Next(10);
        std::string line;
        if (choice == 0 && CanUndo(board)) {
            Undo(board, platform);
            line = "undo";
        } else if (choice == 1) {
            // Off the board: left of it, in the score strip, past its corner.
            const std::int32_t x = chooser.Next(2) ? board.originX - 1 : game.view.right + 3;
            const std::int32_t y = chooser.Next(2) ? board.originY - 2 : game.view.bottom;
            BoardClick(board, platform, x, y);
            line = "click " + Number(x) + "," + Number(y);
        } else {
            const std::uint32_t column = chooser.Next(board.columns);
            const std::uint32_t row = chooser.Next(board.rows);
            const auto x = static_cast<std::int32_t>(board.originX + column * board.cellWidth + chooser.Next(15));
            const auto y = static_cast<std::int32_t>(board.originY + row * board.cellHeight + chooser.Next(15));
            BoardClick(board, platform, x, y);
            line = "click " + Number(x) + "," + Number(y);
        }
        write(line + " score " + Number(board.score) + " undo " + (CanUndo(board) ? "yes" : "no") +
              " moves " + (HasMoveLeft(board) ? "yes" : "no"));
        write("marks " + Grid(board, true));
        if (action % 8 == 7)
            write("tiles " + Grid(board, false));
    }
    write("tiles " + Grid(board, false));

    // A settings change before any click of a fresh board lays it out anew.
    Board fresh;
    fresh.clientRect = game.view;
    NewGame(fresh, platform, true);
    ApplySettings(fresh, platform, GameSettings{game.oneClick, (game.size + 1) % 3, 1}, true);
    write("resized " + Number(fresh.columns) + "x" + Number(fresh.rows) + " tiles " + Grid(fresh, false));

    std::string events;
    for (const std::string& event : platform.events)
        events += event + ";";
    write("events " + events);
}

}  // namespace

void PlayEngineScenario(void (*writeLine)(const std::string& line))
{
    FakePlatform platform;
    int number = 0;
    for (const Game& game : kGames)
        PlayGame(game, ++number, platform, writeLine);
    // The high score tables the games left, in the profile store.
    for (const auto& [key, value] : platform.profile)
        writeLine("profile " + key + "=" + Number(value));
}
