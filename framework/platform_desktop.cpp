#include "platform.h"

namespace afx_platform {

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

bool HandleDialogFrameMessage(HWND, UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

}  // namespace afx_platform
