// Harness probe: a frame with a menu and a child view that paints a fixed tile
// and a mark at every press (yellow) and double-click (blue) it receives, the
// way the game paints: off-screen first, then one copy to the window.
//
// It also carries a fault on purpose, for the tests of the crash detection:
// "Show message" notes the box's answer in an object that the frame deletes
// when it is destroyed. Closed while the box is up, the frame is destroyed
// under the box, and the note is written through a pointer read from freed
// memory when the box returns: Wine's checking heap fills freed blocks with
// 0xFEEE..., so the write is a page fault (without it, a silent corruption).

#include <windows.h>

#include <vector>

#include "probe_ids.h"

namespace {

struct Mark {
    POINT at;
    COLORREF colour;
};

std::vector<Mark> marks;
bool toggledEnabled = false;

// The answers of the message boxes, the last 16 of them.
struct Notes {
    int* answers = new int[16]();
    unsigned count = 0;
    ~Notes() { delete[] answers; }
    void Add(int answer) { answers[count++ % 16] = answer; }
};

Notes* notes = nullptr;

void Repaint(HWND view)
{
    RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void PaintView(HWND view)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(view, &paint);
    RECT client;
    GetClientRect(view, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HBRUSH tile = CreateSolidBrush(RGB(255, 99, 0));
    RECT tileRect{10, 10, 26, 26};
    FillRect(memory, &tileRect, tile);
    DeleteObject(tile);
    for (const Mark& mark : marks) {
        HBRUSH brush = CreateSolidBrush(mark.colour);
        RECT spot{mark.at.x - 1, mark.at.y - 1, mark.at.x + 2, mark.at.y + 2};
        FillRect(memory, &spot, brush);
        DeleteObject(brush);
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(view, &paint);
}

LRESULT CALLBACK ViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintView(view);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        marks.push_back({{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))},
                         message == WM_LBUTTONDOWN ? RGB(255, 206, 0) : RGB(0, 128, 255)});
        Repaint(view);
        return 0;
    }
    return DefWindowProcA(view, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        MoveWindow(GetDlgItem(frame, IDW_PROBE_VIEW), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_INITMENUPOPUP:
        EnableMenuItem(reinterpret_cast<HMENU>(wParam), ID_PROBE_TOGGLED,
                       MF_BYCOMMAND | (toggledEnabled ? MF_ENABLED : MF_GRAYED));
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case ID_PROBE_MESSAGE:
            notes->Add(MessageBoxA(frame, "Probe message", "Harness Probe", MB_OK));
            break;
        case ID_PROBE_EXIT:
            DestroyWindow(frame);
            break;
        case ID_PROBE_SWITCH:
            toggledEnabled = !toggledEnabled;
            break;
        case ID_PROBE_REGISTRY: {
            HKEY key;
            if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QuenlarkProbe", 0, nullptr, 0,
                                KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
                DWORD value = 7;
                RegSetValueExA(key, "written", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value),
                               sizeof value);
                RegCloseKey(key);
            }
            break;
        }
        }
        return 0;
    case WM_DESTROY:
        // Left dangling on purpose (see the top of this file).
        delete notes;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(frame, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA frameClass{};
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = instance;
    frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    frameClass.lpszClassName = "HarnessProbeFrame";
    RegisterClassA(&frameClass);

    WNDCLASSA viewClass{};
    viewClass.style = CS_DBLCLKS;
    viewClass.lpfnWndProc = ViewProc;
    viewClass.hInstance = instance;
    viewClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    viewClass.lpszClassName = "HarnessProbeView";
    RegisterClassA(&viewClass);

    notes = new Notes;

    HWND frame = CreateWindowExA(0, "HarnessProbeFrame", "Harness Probe", WS_OVERLAPPEDWINDOW,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 nullptr, LoadMenuA(instance, MAKEINTRESOURCEA(IDR_PROBE)),
                                 instance, nullptr);
    if (!frame)
        return 1;
    RECT client;
    GetClientRect(frame, &client);
    CreateWindowExA(WS_EX_CLIENTEDGE, "HarnessProbeView", nullptr, WS_CHILD | WS_VISIBLE, 0, 0,
                    client.right, client.bottom, frame,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDW_PROBE_VIEW)), instance,
                    nullptr);
    ShowWindow(frame, show == SW_HIDE ? SW_SHOW : show);
    UpdateWindow(frame);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
