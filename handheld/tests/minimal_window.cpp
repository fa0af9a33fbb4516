// The smallest UTF-16 window program this toolchain builds in the project's
// C++: register a class, create a window, run the message loop, keeping its
// title in a standard string on the heap. What it imports is the start-up
// and the C and C++ runtime of the toolchain (allocation, and the exception
// and unwinding support behind it), which a CE toolchain replaces with its
// own; the import check sets these aside.
#include "test_window.h"

namespace {

LRESULT CALLBACK MinimalWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow)
{
    return RunTestWindow(hInstance, MinimalWndProc, L"MinimalWindow", nCmdShow);
}
