// The device's own side of ce_system.h: the calls a Windows CE 3.0 device
// answers itself. Linked into the ARM program only.
#include "ce_system.h"
#include "platform.h"

#include <commctrl.h>

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

HBRUSH ClassBackground(HBRUSH background)
{
    return background;
}

const DLGTEMPLATE* DialogTemplate(const DLGTEMPLATE* stored, std::size_t, std::vector<WORD>&)
{
    return stored;
}

bool HandleDialogFrameMessage(HWND, UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

void FlushDrawing() {}

}  // namespace ce_system

namespace afx_platform {

REGSAM ProfileReadAccess()
{
    return 0;  // RegOpenKeyEx on Windows CE: samDesired not supported, set to 0
}

}  // namespace afx_platform
