#pragma once
// Mouse and keyboard input through the system's input path (SendInput), as a
// player would give it: it reaches whatever window lies under the cursor or
// holds the focus, in any process of the session.

#include <windows.h>

#include <initializer_list>

namespace e2e {

POINT ScreenPoint(HWND window, int clientX, int clientY);

void MoveMouseTo(POINT screen);
// One click; waits first, when needed, so that it is not taken together with
// the previous click as a double-click.
void ClickAt(POINT screen);
// Two presses at once at the same point: a double-click.
void DoubleClickAt(POINT screen);

// Presses the keys in order and releases them in reverse: {VK_CONTROL, 'Z'}.
void PressKeys(std::initializer_list<WORD> keys);

// Brings a top-level window to the front so that keys reach it.
bool BringToFront(HWND window);

}  // namespace e2e
