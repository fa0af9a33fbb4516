// The engine natively, driven by commands on standard input, one a line; the
// emulated handheld program's play test compares what the device's screen
// shows with the boards this prints.
//
//   view W H            the board view's client size
//   time H M S          the clock for the next new game
//   profile S/K V       a stored setting ("settings/oneclick 1")
//   new                 a new game (the view is ready)
//   click X Y           a tap at client pixel (X, Y)
//   undo
//   settings C G T      the Settings dialog confirmed with click mode C,
//                       game size G and tile style T
//   themes              prints "theme N C0 C1 C2 C3": each theme's tile
//                       colours (COLORREF), Default, London, Rattlesnake
//   pick                prints "pick X Y": the centre of the first tile, in
//                       board order, that has a neighbour of its colour
//   finish              taps picked tiles (twice in two-click mode) until no
//                       move is left, printing "tap X Y" for each tap
//
// After every command but view, time and profile: one line
//   board CxR at X,Y score S undo yes|no tiles ROW/ROW/... marks ROW/ROW/...
// (a digit per cell: its colour, 9 for none; its mark, 9 for selected), and
// "message TEXT" for every message the engine showed meanwhile.

#include <iostream>
#include <sstream>
#include <string>

#include "board.h"
#include "fake_platform.h"
#include "themes.h"

namespace {

std::string Grid(const Board& board, bool marks)
{
    std::string text;
    for (std::uint32_t i = 0; i < board.cellCount; ++i) {
        if (i && i % board.columns == 0)
            text += '/';
        text += static_cast<char>('0' + (marks ? board.markGrid[i] : board.colourGrid[i]) % 10);
    }
    return text;
}

void Print(const Board& board, FakePlatform& platform)
{
    std::cout << "board " << board.columns << "x" << board.rows << " at " << board.originX << "," << board.originY
              << " cell " << board.cellWidth << " score " << board.score << " undo " << (CanUndo(board) ? "yes" : "no") << " tiles "
              << Grid(board, false) << " marks " << Grid(board, true) << "\n";
    for (const std::string& message : platform.messages)
        std::cout << "message " << message << "\n";
    platform.messages.clear();
}

bool Pick(const Board& board, std::int32_t& x, std::int32_t& y)
{
    for (std::uint32_t i = 0; i < board.cellCount; ++i) {
        const CellColour colour = board.colourGrid[i];
        const std::uint32_t column = i % board.columns, row = i / board.columns;
        if (colour >= TileColourCount)
            continue;
        const bool right = column + 1 < board.columns && board.colourGrid[i + 1] == colour;
        const bool below = row + 1 < board.rows && board.colourGrid[i + board.columns] == colour;
        if (right || below) {
            x = board.originX + static_cast<std::int32_t>(column * board.cellWidth + board.cellWidth / 2);
            y = board.originY + static_cast<std::int32_t>(row * board.cellHeight + board.cellHeight / 2);
            return true;
        }
    }
    return false;
}

}  // namespace

int main()
{
    FakePlatform platform;
    Board board;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "view") {
            words >> board.clientRect.right >> board.clientRect.bottom;
            continue;
        }
        if (command == "time") {
            words >> platform.time.hour >> platform.time.minute >> platform.time.second;
            continue;
        }
        if (command == "profile") {
            std::string key;
            std::int32_t value = 0;
            words >> key >> value;
            platform.profile[key] = value;
            continue;
        }
        if (command == "new") {
            NewGame(board, platform, true);
        } else if (command == "click") {
            std::int32_t x = 0, y = 0;
            words >> x >> y;
            BoardClick(board, platform, x, y);
        } else if (command == "undo") {
            Undo(board, platform);
        } else if (command == "settings") {
            GameSettings chosen;
            words >> chosen.oneClick >> chosen.gameSize >> chosen.tileStyle;
            ApplySettings(board, platform, chosen, true);
        } else if (command == "themes") {
            int number = 0;
            for (const Theme& theme : {themes::Default, themes::London, themes::Rattlesnake}) {
                std::cout << "theme " << number++;
                for (COLORREF colour : theme.tileColours)
                    std::cout << " " << colour;
                std::cout << "\n";
            }
            continue;
        } else if (command == "pick") {
            std::int32_t x = 0, y = 0;
            if (Pick(board, x, y))
                std::cout << "pick " << x << " " << y << "\n";
        } else if (command == "finish") {
            std::int32_t x = 0, y = 0;
            while (HasMoveLeft(board) && Pick(board, x, y)) {
                for (int tap = 0; tap < (board.oneClick ? 1 : 2); ++tap) {
                    std::cout << "tap " << x << " " << y << "\n";
                    BoardClick(board, platform, x, y);
                }
            }
        } else {
            std::cerr << "unknown command: " << line << "\n";
            return 2;
        }
        Print(board, platform);
    }
    return 0;
}
