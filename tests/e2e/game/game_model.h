#pragma once
// What the game must do next, worked out by the engine itself on a copy of
// the board read from the screen: the driver links the engine library and
// replays each click on its own Board with an in-memory platform.

#include <map>
#include <string>
#include <vector>

#include "board_state.h"  // brings <windows.h>

// <windows.h> maps these names to its own profile functions; here they are
// the engine's platform operations.
#undef GetProfileInt
#undef WriteProfileInt

#include "board.h"

namespace game {

class GameModel : public BoardPlatform {
public:
    GameModel(const BoardState& shown, int gameSize, bool oneClick);
    GameModel(const GameModel& other);

    void Click(int x, int y);
    void UndoLast();
    bool CanUndoNow() const { return CanUndo(board_); }
    bool MoveLeft() const { return HasMoveLeft(board_); }
    BoardState State() const;
    unsigned Score() const { return board_.score; }

    // Messages the engine showed, oldest first.
    const std::vector<std::string>& Messages() const { return messages_; }
    // Profile values written, by "section/key".
    const std::map<std::string, int>& Profile() const { return profile_; }

    std::int32_t GetProfileInt(const TextChar* section, const TextChar* key,
                               std::int32_t defaultValue) override;
    void WriteProfileInt(const TextChar* section, const TextChar* key, std::int32_t value) override;
    TimeOfDay LocalTimeOfDay() override { return {}; }
    void SeedRandom(std::uint32_t) override {}
    int DrawRandom() override { return 0; }
    void RepaintNow() override {}
    void ShowMessage(const TextChar* text) override { messages_.push_back(text); }

private:
    Board board_;
    BoardLayout layout_;
    std::map<std::string, int> profile_;
    std::vector<std::string> messages_;
};

}  // namespace game
