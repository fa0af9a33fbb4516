#include "platform.h"

#include <commctrl.h>

namespace afx_platform {

UINT FirstMessage()
{
    return WM_NCCREATE;
}

UINT FinalMessage()
{
    return WM_NCDESTROY;
}

DWORD FrameExStyle()
{
    return WS_EX_CLIENTEDGE;
}

bool FramesHaveWindowMenus()
{
    return true;
}

void AdjustTopLevelWindow(CREATESTRUCT&) {}

HBRUSH ClassBackground(HBRUSH background)
{
    return background;
}

void FlushDrawing()
{
    ::GdiFlush();
}

void InitCommonControlsOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    HMODULE library = ::LoadLibrary(TEXT("comctl32.dll"));
    using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = library != nullptr
                          ? reinterpret_cast<Init>(reinterpret_cast<void*>(::GetProcAddress(library, "InitCommonControlsEx")))
                          : nullptr;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    if (init != nullptr)
        init(&controls);
}

const DLGTEMPLATE* DialogTemplate(HINSTANCE, HRSRC, const DLGTEMPLATE* stored, std::vector<WORD>&)
{
    return stored;
}

bool HandleDialogFrameMessage(HWND, UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

REGSAM ProfileReadAccess()
{
    return KEY_QUERY_VALUE;
}

}  // namespace afx_platform
