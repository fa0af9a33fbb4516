#pragma once
// The Windows CE system under the framework's CE layer: what the device's own
// common controls and window manager do for a program. This header is the
// one seam between the device and the desktop that plays it for the Wine
// tests. ce_system_device.cpp makes the device's own calls (the ARM build);
// ce_on_desktop/ stands in for them on a desktop (the desktop-hosted
// handheld build). Each program links exactly one of the two. Besides
// these, both sides implement the functions of platform.h that the device
// decides itself (ClassBackground, FlushDrawing, DialogTemplate,
// HandleDialogFrameMessage, ProfileReadAccess).
#include <windows.h>

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

}  // namespace ce_system
