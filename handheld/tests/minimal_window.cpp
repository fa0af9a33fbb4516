// The smallest UTF-16 window program this toolchain builds: register a class,
// create a window, run the message loop. What it imports is the start-up and
// runtime of the toolchain, which the import check sets aside.
#include <windows.h>

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
    WNDCLASSW wc = {};
    wc.lpfnWndProc = MinimalWndProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = L"MinimalWindow";
    if (RegisterClassW(&wc) == 0)
        return 1;
    HWND hWnd = CreateWindowExW(0, wc.lpszClassName, L"Minimal", WS_VISIBLE, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                hInstance, nullptr);
    if (hWnd == nullptr)
        return 1;
    ShowWindow(hWnd, nCmdShow);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
