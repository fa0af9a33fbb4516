#pragma once
// Reading menus of another process from the screen. Under Wine GetMenu gives
// nothing usable across processes, so the menu bar and an opened popup menu
// are judged from their pictures: where the captions are, and whether an
// item's caption is drawn in the normal (black) or the greyed colour.

#include <windows.h>

#include <vector>

#include "screen_picture.h"

namespace e2e {

// Screen points at the middle of each caption of a frame's menu bar, left to
// right; with `bar`, of the captions (and buttons) on that bar window instead.
std::vector<POINT> MenuBarCaptions(HWND frame, HWND bar = nullptr);

enum class MenuItemLook { Enabled, Greyed };

// The looks of the items of a popup menu picture, top to bottom, one per
// caption found. Works for menus without separators or a highlighted item.
std::vector<MenuItemLook> MenuItemLooks(const ScreenPicture& popup);

const char* LookName(MenuItemLook look);

// The leftmost inked column of each item of a popup menu picture, top to
// bottom: a check mark shows as ink left of where the captions begin.
std::vector<int> MenuItemInkLeft(const ScreenPicture& popup);

// Opens menu `index` of the frame's menu bar (or of `bar`, as above) with a
// real click, waits until its popup shows `itemCount` captions and has stopped
// changing, captures it and closes the menu again. Tries up to four times, as
// under load a click can be lost or a menu close early. The last picture
// taken, or empty, on failure.
ScreenPicture CaptureOpenedMenu(HWND frame, size_t index, size_t itemCount, HWND bar = nullptr);

// Opens menu `index` as above and clicks its item `item` of `itemCount`, as
// a player chooses a command. False when the menu did not open.
bool ChooseMenuItem(HWND frame, size_t index, size_t item, size_t itemCount, HWND bar = nullptr);

// Ends the menu tracking of the window's thread (WM_CANCELMODE, which the
// default window procedure answers with EndMenu) and waits until no popup
// menu of its process is visible.
bool CloseMenus(HWND frame, DWORD timeoutMs);

}  // namespace e2e
