#include "game_model.h"

#include <algorithm>

namespace game {

GameModel::GameModel(const BoardState& shown, int gameSize, bool oneClick)
    : layout_(shown.layout)
{
    board_.gameSize = gameSize;
    board_.oneClick = oneClick ? 1 : 0;
    board_.columns = static_cast<std::uint32_t>(layout_.columns);
    board_.rows = static_cast<std::uint32_t>(layout_.rows);
    board_.cellCount = board_.columns * board_.rows;
    board_.cellWidth = 15;
    board_.cellHeight = 15;
    board_.originX = layout_.originX;
    board_.originY = layout_.originY;
    board_.score = shown.score;
    board_.colourGrid.reset(new CellColour[board_.cellCount]);
    board_.markGrid.reset(new CellMark[board_.cellCount]);
    for (std::uint32_t i = 0; i < board_.cellCount; ++i) {
        board_.colourGrid[i] = static_cast<CellColour>(shown.colours[i]);
        board_.markGrid[i] = shown.selected[i] ? Selected : Unmarked;
    }
}

GameModel::GameModel(const GameModel& other)
    : GameModel(other.State(), other.board_.gameSize, other.board_.oneClick != 0)
{
    if (other.board_.undoGrid) {
        board_.undoGrid.reset(new CellColour[board_.cellCount]);
        std::copy(other.board_.undoGrid.get(), other.board_.undoGrid.get() + board_.cellCount,
                  board_.undoGrid.get());
    }
    board_.undoScore = other.board_.undoScore;
    platform_ = other.platform_;
}

void GameModel::Click(int x, int y)
{
    BoardClick(board_, platform_, x, y);
}

void GameModel::UndoLast()
{
    Undo(board_, platform_);
}

BoardState GameModel::State() const
{
    BoardState state;
    state.layout = layout_;
    state.score = board_.score;
    state.colours.resize(board_.cellCount);
    state.selected.resize(board_.cellCount);
    for (std::uint32_t i = 0; i < board_.cellCount; ++i) {
        state.colours[i] = board_.colourGrid[i];
        state.selected[i] = board_.markGrid[i] == Selected;
    }
    return state;
}

}  // namespace game
