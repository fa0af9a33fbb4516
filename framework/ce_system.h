#pragma once
// The Windows CE system under the framework's CE layer: what the device's own
// common controls and window manager do for a program. This header is the
// one seam between the device and the desktop that plays it for the Wine
// tests. ce_system_device.cpp makes the device's own calls (the ARM build);
// ce_on_desktop/ stands in for them on a desktop (the desktop-hosted
// handheld build). Each program links exactly one of the two.
#include <windows.h>

#include <cstddef>
#include <vector>

namespace ce_system {

// The command bar of commctrl (CommandBar_Create, CommandBar_InsertMenubar,
// CommandBar_AddAdornments): a child bar along the top of its parent's
// client area that shows a menu bar and the close button. Its menu commands reach the parent as a window menu's
// do (WM_INITMENUPOPUP, WM_COMMAND); its close button sends the parent
// WM_CLOSE. Null or FALSE on failure.
HWND CreateCommandBar(HINSTANCE instance, HWND parent, int id);
BOOL InsertMenuBar(HWND bar, HINSTANCE instance, WORD menuId, WORD button);
BOOL AddAdornments(HWND bar, DWORD flags);

// A top-level window created without caption or frame bits that asks for
// the default place: the device's own default (the screen above the task
// bar) is left to the device.
void PlaceTopLevelWindow(CREATESTRUCT& cs);

// A class background as RegisterClass is to be given it. The device takes
// system colours in its flagged form (SYS_COLOR_INDEX_FLAG | index, plus 1)
// as they are.
HBRUSH ClassBackground(HBRUSH background);

// The template the dialog manager is to build a dialog from, given the
// resource as stored (`words` WORDs long). The device shows a dialog font
// of "System" in its own dialog face and takes the template as it is; a
// stand-in may return a changed copy kept in `copy`.
const DLGTEMPLATE* DialogTemplate(const DLGTEMPLATE* stored, std::size_t words, std::vector<WORD>& copy);

// A dialog's message that the window manager handles before the dialog
// does, such as a click on the OK button that WS_EX_CAPTIONOKBTN puts in
// the caption. The device does that itself: always false there.
bool HandleDialogFrameMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Has the drawing asked of GDI reach a DIB section's memory before the
// program reads or writes it. The device draws at once: nothing to do.
void FlushDrawing();

}  // namespace ce_system
