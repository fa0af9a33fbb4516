// The device's own side of ce_system.h: the calls a Windows CE 3.0 device
// answers itself, and the device's answers to what platform.h leaves to it.
// Linked into the ARM program only.
#include "ce_system.h"
#include "platform.h"

#include <commctrl.h>

#include <vector>

namespace ce_system {

HWND CreateCommandBar(HINSTANCE instance, HWND parent, int id)
{
    return ::CommandBar_Create(instance, parent, id);
}

BOOL InsertMenuBar(HWND bar, HINSTANCE instance, WORD menuId, WORD button)
{
    return ::CommandBar_InsertMenubar(bar, instance, menuId, button);
}

BOOL AddAdornments(HWND bar, DWORD flags)
{
    return ::CommandBar_AddAdornments(bar, flags, 0);
}

void PlaceTopLevelWindow(CREATESTRUCT&) {}

}  // namespace ce_system

namespace afx_platform {

// The device takes system colours in their flagged form as they are.
HBRUSH ClassBackground(HBRUSH background)
{
    return background;
}

// The device shows "System" in its own dialog face.
const DLGTEMPLATE* DialogTemplate(HINSTANCE, HRSRC, const DLGTEMPLATE* stored, std::vector<WORD>&)
{
    return stored;
}

// The caption's OK button is the device's own.
bool HandleDialogFrameMessage(HWND, UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

// The device draws at once.
void FlushDrawing() {}

REGSAM ProfileReadAccess()
{
    return 0;  // RegOpenKeyEx on Windows CE: samDesired not supported, set to 0
}

}  // namespace afx_platform
