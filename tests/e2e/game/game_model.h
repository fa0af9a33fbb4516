#pragma once
// What the game must do next, worked out by the engine itself on a copy of
// the board read from the screen: the driver links the engine library and
// replays each click on its own Board with the in-memory platform.

#include "board_state.h"  // brings <windows.h>

// <windows.h> maps these names to its own profile functions; here they are
// the engine's platform operations.
#undef GetProfileInt
#undef WriteProfileInt

#include "board.h"
#include "fake_platform.h"

namespace game {

class GameModel {
public:
    GameModel(const BoardState& shown, int gameSize, bool oneClick);
    GameModel(const GameModel& other);

    void Click(int x, int y);
    void UndoLast();
    bool CanUndoNow() const { return CanUndo(board_); }
    bool MoveLeft() const { return HasMoveLeft(board_); }
    BoardState State() const;
    unsigned Score() const { return board_.score; }

private:
    Board board_;
    BoardLayout layout_;
    FakePlatform platform_;
};

}  // namespace game
