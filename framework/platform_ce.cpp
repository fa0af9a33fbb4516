// The framework's Windows CE layer: the rules a Windows CE 3.0 device sets
// a program, and its calls. What the device's own system does for the
// program goes through ce_system.h.
#include "platform.h"

#include <commctrl.h>

#include "ce_system.h"

namespace afx_platform {

UINT FirstMessage()
{
    return WM_CREATE;  // CE 3.0 sends no WM_NCCREATE
}

UINT FinalMessage()
{
    return WM_DESTROY;  // CE 3.0 sends no WM_NCDESTROY
}

DWORD FrameExStyle()
{
    return 0;
}

bool FramesHaveWindowMenus()
{
    return false;  // the command bar shows the menu
}

void AdjustTopLevelWindow(CREATESTRUCT& cs)
{
    const LONG anyFrame = WS_CHILD | WS_POPUP | WS_CAPTION | WS_THICKFRAME;
    if ((cs.style & anyFrame) == 0)
        ce_system::PlaceTopLevelWindow(cs);
}

void InitCommonControlsOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
}

}  // namespace afx_platform
