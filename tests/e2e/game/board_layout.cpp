#include "board_layout.h"

namespace game {

namespace {

int FloorDiv15(int value)
{
    return value >= 0 ? value / 15 : -((-value + 14) / 15);
}

}  // namespace

BoardLayout LayoutFor(int clientWidth, int clientHeight, int gameSize)
{
    BoardLayout layout;
    layout.columns = FloorDiv15(clientWidth);
    layout.rows = FloorDiv15(clientHeight - 14);
    if (layout.columns < 0)
        layout.columns = 0;
    if (layout.rows < 0)
        layout.rows = 0;
    if (gameSize == 0) {
        layout.columns = layout.columns * 3 / 5;
        layout.rows = layout.rows * 3 / 5;
    } else if (gameSize == 1) {
        layout.columns = layout.columns * 4 / 5;
        layout.rows = layout.rows * 4 / 5;
    }
    // Half the spare room, rounded towards zero; the odd pixel goes right or down.
    layout.originX = (clientWidth - layout.columns * 15) / 2;
    layout.originY = (clientHeight - layout.rows * 15 - 14) / 2 + 14;
    return layout;
}

}  // namespace game
