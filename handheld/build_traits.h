#pragma once
// Everything the handheld build of the game does where the desktop build
// differs, in one place; shell/desktop/build_traits.h holds the same names
// for the desktop build. The shared shell reads these; the handheld build
// adds its own main frame with the command bar (main_frame.h beside this file).
#include "afxwin.h"
#include "afxwince.h"
#include "board_painter.h"

namespace build {

// Start-up: no 3-D controls call, the profile under "Zandravex", a frame
// with none of the overlapped-window bits, shown as the system asked.
constexpr bool UsesThreeDControls = false;
inline const TCHAR* const RegistryKey = TEXT("Zandravex");
constexpr DWORD FrameStyle = FWS_ADDTOTITLE;
inline int FrameShowCommand(int startShowCommand) { return startShowCommand; }

// The board view's window: no sunken edge, no cursor (a stylus has none),
// the window colour in Windows CE's system-colour form.
constexpr DWORD ViewExStyle = 0;
inline HCURSOR ViewCursor() { return nullptr; }
inline HBRUSH ViewBackground()
{
    constexpr UINT_PTR SysColorIndexFlag = 0x40000000;
    return reinterpret_cast<HBRUSH>(SysColorIndexFlag | (COLOR_WINDOW + 1));
}

// After the view is invalidated: the platform's redraw operation, flags 0.
inline void Redraw(CWnd& view) { CeRedrawWindow(&view, nullptr, nullptr, 0); }

// No process environment on the device: always the fast paint path.
inline PaintMode ChosenPaintMode() { return PaintMode::Fast; }

}  // namespace build
