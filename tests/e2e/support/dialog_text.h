#pragma once
// Texts of another process's message boxes and dialogs, which Wine hands
// across processes like Windows does.

#include <windows.h>

#include <string>

namespace e2e {

std::string WindowText(HWND window);
std::string ClassName(HWND window);

// The message of a message box: its static control 0xFFFF, else the longest
// text of its static controls (the icon is a static without text).
std::string MessageBoxText(HWND box);

// Presses a button of a dialog the way the button itself would (WM_COMMAND
// with its id); IDOK closes a message box with an OK button.
void PressDialogButton(HWND dialog, int buttonId);

}  // namespace e2e
