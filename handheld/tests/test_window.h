#pragma once
// The window the import check's test programs share: register a class,
// create a window titled from a standard string on the heap, run the message
// loop. Its imports are the start-up baseline; each program adds its own
// calls in its window procedure.
#include <windows.h>

#include <memory>
#include <string>

inline int RunTestWindow(HINSTANCE instance, WNDPROC procedure, const wchar_t* name, int showCommand)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    if (RegisterClassW(&wc) == 0)
        return 1;
    const auto title = std::make_unique<std::wstring>(name);
    HWND window = CreateWindowExW(0, wc.lpszClassName, title->c_str(), WS_VISIBLE, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                                  nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, showCommand);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
