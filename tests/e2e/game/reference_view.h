#pragma once
// The picture the view must show for a board, drawn here with plain GDI into
// memory: black background, each tile a 16 x 16 square (or the circle inside
// it) in its theme colour outlined by the default black pen at 15-pixel steps,
// three outlines (at 0, 1 and 3 pixels inside) on a selected tile, and
// "Score: n" in white in the default font at the top left, cut at 140 x 14.

#include "board_state.h"
#include "game_facts.h"
#include "screen_picture.h"

namespace game {

e2e::ScreenPicture DrawReferenceView(int width, int height, const BoardState& board,
                                     const Theme& theme, bool circles);

}  // namespace game
