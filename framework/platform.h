#pragma once
// Where the platform under the framework behaves differently on Windows CE
// 3.0 (the handheld build) than on desktop Windows. Each framework library
// links one of platform_desktop.cpp and platform_ce.cpp; the CE one leaves
// what the device's own system does to ce_system.h and the functions below
// that say so.
#include <windows.h>

#include <vector>

namespace afx_platform {

// A window's first message that carries its CREATESTRUCT, where the
// framework binds the window to its object: WM_NCCREATE, or WM_CREATE on
// Windows CE, which sends no WM_NCCREATE.
UINT FirstMessage();

// A window's last message: WM_NCDESTROY, or WM_DESTROY on Windows CE, which
// sends no WM_NCDESTROY.
UINT FinalMessage();

// Whether a frame window carries its menu as a window menu. Windows CE
// frames have none; their command bar shows the menu.
bool FramesHaveWindowMenus();

// The extended style a frame window proposes: a sunken client edge on the
// desktop, none on Windows CE.
DWORD FrameExStyle();

// A top-level window created without caption bits: on Windows CE it has no
// caption and takes the screen above the task bar.
void AdjustTopLevelWindow(CREATESTRUCT& cs);

// Registers the common controls' window classes (list views) once, before
// the first dialog. On the desktop the library is loaded only then, which
// keeps it off every program's start.
void InitCommonControlsOnce();

// What follows the Windows CE device decides itself, so the handheld builds
// take it from the side of ce_system.h they link: ce_system_device.cpp on the
// device, ce_on_desktop/ where the desktop plays the device.

// A class background as RegisterClass is to be given it. Windows CE takes
// system colours in its flagged form (SYS_COLOR_INDEX_FLAG | index, plus 1)
// as they are; the desktop knows no such flag.
HBRUSH ClassBackground(HBRUSH background);

// Has GDI finish drawing this thread asked for, before the program reads or
// writes a DIB section's memory itself. The desktop batches GDI calls;
// Windows CE draws at once and has no GdiFlush.
void FlushDrawing();

// The template the dialog manager is to build a dialog from, given the
// dialog's resource (`found` in `instance`) and its template as stored: that
// template, or a changed copy kept in `copy`. The device shows a dialog font
// of "System" in its own dialog face; the desktop that plays it substitutes
// a face of its own.
const DLGTEMPLATE* DialogTemplate(HINSTANCE instance, HRSRC found, const DLGTEMPLATE* stored,
                                  std::vector<WORD>& copy);

// Messages of a dialog that the window manager handles before the dialog
// does: the OK button that Windows CE puts in the caption of a dialog whose
// extended style holds WS_EX_CAPTIONOKBTN, which the device draws and
// answers itself. True when handled.
bool HandleDialogFrameMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// The access rights a profile key is opened with to read its values:
// KEY_QUERY_VALUE on the desktop. A Windows CE device takes none
// (RegOpenKeyEx: "samDesired: Not supported; set to 0"); the desktop that
// plays the device still checks them.
REGSAM ProfileReadAccess();

}  // namespace afx_platform
