// The minimal window program plus calls the import check must reject: window
// properties and GetAncestor (not in CE 3.0), RedrawWindow (not in CE 3.0),
// getenv (no environment on CE), an 8-bit function, and DrawEdge (its CE 3.0
// page is not confirmed). The test expects exactly these offenders.
// Never run.
#include "test_window.h"

#include <cstdlib>

namespace {

LRESULT CALLBACK BadWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetPropW(hWnd, L"Bad", hWnd);
        return 0;
    case WM_LBUTTONDOWN:
        if (GetPropW(GetAncestor(hWnd, GA_ROOT), L"Bad") != nullptr)
            RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return 0;
    case WM_DESTROY:
        RemovePropW(hWnd, L"Bad");
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow)
{
    if (std::getenv("QUENLARK_BAD") != nullptr) {
        MessageBoxA(nullptr, "bad", "bad", MB_OK);
        RECT rc = {};
        DrawEdge(nullptr, &rc, EDGE_SUNKEN, BF_RECT);
    }
    return RunTestWindow(hInstance, BadWndProc, L"BadWindow", nCmdShow);
}
