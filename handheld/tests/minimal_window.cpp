// The smallest UTF-16 window program this toolchain builds in the project's
// C++: register a class, create a window, run the message loop, keeping its
// title in a standard string on the heap. What it imports is the start-up
// and the C and C++ runtime of the toolchain (allocation, and the exception
// and unwinding support behind it), which a CE toolchain replaces with its
// own; the import check sets these aside.
#include <windows.h>

#include <memory>
#include <string>

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
    const auto title = std::make_unique<std::wstring>(L"Minimal");
    HWND hWnd = CreateWindowExW(0, wc.lpszClassName, title->c_str(), WS_VISIBLE, CW_USEDEFAULT,
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
