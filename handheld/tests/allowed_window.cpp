// A window program that calls, beyond what the minimal window program calls,
// only functions on the allowed list: the import check must pass it. It shows
// the list is applied, not just the start-up baseline. Never run.
#include "test_window.h"

namespace {

// The window's user-data slot (CE 2.0 and later), through
// GetWindowLongW/SetWindowLongW as CE 3.0 names them.
constexpr int kUserData = GWL_USERDATA;

void Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, rc.right, rc.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
    HGDIOBJ oldBrush = SelectObject(memory, brush);
    Ellipse(memory, rc.left, rc.top, rc.right, rc.bottom);
    Rectangle(memory, rc.left, rc.top, rc.right / 2, rc.bottom / 2);
    SelectObject(memory, oldBrush);
    DeleteObject(brush);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, RGB(0, 0, 0));
    wchar_t text[32];
    LoadStringW(GetModuleHandleW(nullptr), 1, text, 32);
    DrawTextW(memory, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    BitBlt(dc, 0, 0, rc.right, rc.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(hWnd, &ps);
}

LRESULT CALLBACK AllowedWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(hWnd);
        return 0;
    case WM_LBUTTONDOWN: {
        SetWindowLongW(hWnd, kUserData, GetWindowLongW(hWnd, kUserData) + 1);
        RECT rc;
        GetClientRect(hWnd, &rc);
        InvalidateRect(hWnd, &rc, TRUE);
        UpdateWindow(hWnd);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow)
{
    return RunTestWindow(hInstance, AllowedWndProc, L"AllowedWindow", nCmdShow);
}
