#include "real_input.h"

#include <vector>

namespace e2e {

namespace {

// Absolute mouse input carries its own position, so a press cannot land where
// an earlier move had not yet arrived.
void SendMouse(POINT screen, DWORD flags)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, width > 1 ? width - 1 : 1);
    input.mi.dy = MulDiv(screen.y, 65535, height > 1 ? height - 1 : 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void Press(POINT screen)
{
    SendMouse(screen, MOUSEEVENTF_LEFTDOWN);
    SendMouse(screen, MOUSEEVENTF_LEFTUP);
}

bool clicked = false;
DWORD lastClickEnd = 0;

// Two separate clicks close together in time would be taken as one
// double-click; wait until the last one is out of the double-click time.
void WaitOutDoubleClickTime()
{
    const DWORD wait = GetDoubleClickTime() + 50;
    const DWORD since = GetTickCount() - lastClickEnd;
    if (clicked && since < wait)
        Sleep(wait - since);
}

}  // namespace

POINT ScreenPoint(HWND window, int clientX, int clientY)
{
    POINT point{clientX, clientY};
    ClientToScreen(window, &point);
    return point;
}

void MoveMouseTo(POINT screen)
{
    SendMouse(screen, 0);
}

void ClickAt(POINT screen)
{
    WaitOutDoubleClickTime();
    SendMouse(screen, 0);
    Press(screen);
    clicked = true;
    lastClickEnd = GetTickCount();
}

void DoubleClickAt(POINT screen)
{
    WaitOutDoubleClickTime();
    SendMouse(screen, 0);
    Press(screen);
    Press(screen);
    clicked = true;
    lastClickEnd = GetTickCount();
}

void PressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool BringToFront(HWND window)
{
    SetForegroundWindow(window);
    SetActiveWindow(window);
    return GetForegroundWindow() == window;
}

}  // namespace e2e
