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

// A list-view control of another process: the text of one cell, and the
// heading, width and alignment (LVCFMT_*) of one column. The control's
// memory is reached through a block allocated in its process.
std::string ListViewCell(HWND list, int item, int subItem);
int ListViewRowCount(HWND list);
struct ListViewColumn {
    std::string heading;
    int width = 0;
    int format = 0;
};
bool ReadListViewColumn(HWND list, int column, ListViewColumn* out);

// Presses a button of a dialog the way the button itself would (WM_COMMAND
// with its id); IDOK closes a message box with an OK button.
void PressDialogButton(HWND dialog, int buttonId);

}  // namespace e2e
