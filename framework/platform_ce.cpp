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

HBRUSH ClassBackground(HBRUSH background)
{
    return ce_system::ClassBackground(background);
}

void FlushDrawing()
{
    ce_system::FlushDrawing();
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

const DLGTEMPLATE* DialogTemplate(HINSTANCE instance, LPCTSTR name, std::vector<WORD>& copy)
{
    HRSRC found = ::FindResource(instance, name, RT_DIALOG);
    HGLOBAL loaded = found != nullptr ? ::LoadResource(instance, found) : nullptr;
    const auto* stored = loaded != nullptr ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
    if (stored == nullptr)
        return nullptr;
    return ce_system::DialogTemplate(stored, ::SizeofResource(instance, found) / sizeof(WORD), copy);
}

bool HandleDialogFrameMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ce_system::HandleDialogFrameMessage(dialog, message, wParam, lParam, result);
}

}  // namespace afx_platform
