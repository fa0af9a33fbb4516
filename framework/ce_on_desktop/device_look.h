#pragma once
// What the stand-ins draw as the device would: its screen and its buttons.
#include <windows.h>

namespace ce_on_desktop {

// The device: a 240 x 320 screen with a 26-pixel task bar along its bottom.
constexpr int ScreenWidth = 240;
constexpr int ScreenHeight = 320;
constexpr int TaskBarHeight = 26;

// A button's raised edge, from one-pixel strips in the 3-D colours.
void DrawRaisedEdge(HDC dc, const RECT& rect);

}  // namespace ce_on_desktop
