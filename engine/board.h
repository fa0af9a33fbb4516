#pragma once
// The game engine: one Board record and the operations that play it.
// Platform-free; the platform is reached through BoardPlatform.

#include <cstdint>
#include <memory>

#include "board_platform.h"
#include "text.h"

using CellColour = std::int8_t;
using CellMark = std::int8_t;
using GameSize = std::int32_t;

// Colours 0..3 are tiles; Empty is no tile.
constexpr CellColour Empty = 9;
constexpr int TileColourCount = 4;

constexpr CellMark Unmarked = 0;
constexpr CellMark Selected = 9;
constexpr CellMark BranchPending = 10;  // only while a selection walk runs

constexpr GameSize Compact = 0;
constexpr GameSize Medium = 1;
constexpr GameSize Maximum = 2;

// The top strip of the view that holds the score line.
constexpr std::int32_t ScoreStripHeight = 14;
constexpr std::uint32_t CellSize = 15;

struct ClientRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The whole state of one game. Grids are row-major: index = row * columns + column,
// row 0 at the top.
struct Board {
    std::uint32_t clickSeen = 0;
    GameSize gameSize = 0;
    std::uint32_t oneClick = 0;
    std::int32_t tileStyle = 0;
    ClientRect clientRect;
    std::unique_ptr<CellColour[]> undoGrid;  // absent when no undo is possible
    std::unique_ptr<CellColour[]> colourGrid;
    std::unique_ptr<CellMark[]> markGrid;
    std::uint32_t undoScore = 0;
    std::uint32_t score = 0;
    std::int32_t originX = 0;
    std::int32_t originY = 0;
    std::uint32_t cellCount = 0;
    std::uint32_t columns = 0;
    std::uint32_t rows = 0;
    std::uint32_t cellWidth = 0;
    std::uint32_t cellHeight = 0;

    Board() = default;
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;
    // Frees the colour grid, the mark grid and the undo snapshot, in that order.
    ~Board();
};

// Lays out a new board for clientRect and the stored game size, fills it from a
// generator seeded with the seconds since local midnight, resets the score.
// Repaints only when the view is ready (not during the first paint).
void NewGame(Board& board, BoardPlatform& platform, bool viewReady);

// A left click at client pixel (x, y): selects the clicked tile's group, or
// removes the selected group.
void BoardClick(Board& board, BoardPlatform& platform, std::int32_t x, std::int32_t y);

// True when (column, row) is on the board, holds `colour` and is not yet visited.
bool MatchesAt(const Board& board, std::int32_t column, std::int32_t row, CellColour colour);

// Follows one path through the group from (column, row), marking as it goes;
// returns the number of steps taken.
std::uint32_t WalkGroup(Board& board, std::int32_t column, std::int32_t row, CellColour colour);

// Removes the selected group: fall, score 5 * n * n, column closing, end-of-game test.
void RemoveGroup(Board& board, BoardPlatform& platform);

// Restores tiles and score from before the last removal. Does nothing without a snapshot.
void Undo(Board& board, BoardPlatform& platform);

inline bool CanUndo(const Board& board) { return board.undoGrid != nullptr; }

// True while two neighbouring cells hold the same tile colour.
bool HasMoveLeft(const Board& board);

// The three settings as the profile store holds them: click mode, game size
// and tile style (the Settings dialog shows and returns these).
struct GameSettings {
    std::int32_t oneClick = 0;
    std::int32_t gameSize = 0;
    std::int32_t tileStyle = 0;
};

// The stored settings, each with its default when missing.
GameSettings ReadSettings(BoardPlatform& platform);

// A confirmed Settings dialog: stores the three values; the click mode and the
// tile style take effect at once (a new style repaints); a new game size lays
// out a new board at once before the first click of the run, and otherwise
// shows a note and waits for the next new game.
void ApplySettings(Board& board, BoardPlatform& platform, const GameSettings& chosen, bool viewReady);

// End of a game: the score goes into the high score table of the board's size,
// the undo snapshot is dropped, and the player is told the result.
void RecordHighScore(Board& board, BoardPlatform& platform);
