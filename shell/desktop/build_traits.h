#pragma once
// Everything the desktop build of the game does where the handheld build
// differs, in one place; handheld/build_traits.h holds the same names for
// the handheld build. The shared shell reads these, and each build adds its
// own main frame (main_frame.h beside this file).
#include <cstdlib>
#include <cstring>

#include "afxwin.h"
#include "board_painter.h"

namespace build {

// Start-up: the 3-D look for dialog controls, the profile's registry key,
// an overlapped frame shown as it was created.
constexpr bool UsesThreeDControls = true;
inline const TCHAR* const RegistryKey = TEXT("Local AppWizard-Generated Applications");
constexpr DWORD FrameStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
inline int FrameShowCommand(int /*startShowCommand*/) { return SW_SHOW; }

// The board view's window: a sunken edge, the arrow cursor, the window colour.
constexpr DWORD ViewExStyle = WS_EX_CLIENTEDGE;
inline HCURSOR ViewCursor() { return ::LoadCursor(nullptr, IDC_ARROW); }
inline HBRUSH ViewBackground() { return reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1); }

// After the view is invalidated: have it painted before returning.
inline void Redraw(CWnd& view) { ::RedrawWindow(view.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

// QUENLARK_PAINT=steps in the environment selects the plain paint path (the
// tests compare both); anything else the fast one.
inline PaintMode ChosenPaintMode()
{
    const char* mode = std::getenv("QUENLARK_PAINT");
    return mode != nullptr && std::strcmp(mode, "steps") == 0 ? PaintMode::Steps : PaintMode::Fast;
}

}  // namespace build
