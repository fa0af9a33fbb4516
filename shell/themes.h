#pragma once
// The three colour themes: one colour per tile colour 0..3.
#include <windows.h>

#include "board.h"

struct Theme {
    COLORREF tileColours[TileColourCount];
};

namespace themes {
constexpr Theme Default = {{RGB(255, 99, 0), RGB(255, 206, 0), RGB(0, 128, 255), RGB(90, 128, 57)}};
constexpr Theme London = {{RGB(0, 0, 255), RGB(255, 0, 0), RGB(255, 255, 255), RGB(255, 255, 55)}};
constexpr Theme Rattlesnake = {{RGB(239, 214, 132), RGB(173, 107, 57), RGB(165, 140, 107), RGB(255, 255, 255)}};
}  // namespace themes
