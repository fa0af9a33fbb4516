// Functions the emulator test calls by symbol (emulator_test.py), each doing
// one thing Windows CE refuses or does otherwise than the desktop, so the test
// can show the emulator refusing or doing it as the device does. What the
// window procedure sees goes to g_log for the test to read.

#include <windows.h>

#include <cstdint>

extern "C" {

// Used by these probes only, so declared here rather than in the program's headers.
#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001
#define SM_CXVIRTUALSCREEN 78
BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);

// (message, which window: 1 for the first made, 2 for the next...) pairs.
std::int32_t g_log[64][2];
int g_logCount;
// What ProbeProcedure fills a WM_PAINT with.
HBRUSH g_paintBrush;

namespace {

HWND g_windows[4];
int g_windowCount;

int WindowNumber(HWND window)
{
    for (int i = 0; i < g_windowCount; ++i)
        if (g_windows[i] == window)
            return i + 1;
    return 0;
}

void Log(UINT message, HWND window)
{
    if (g_logCount < 64) {
        g_log[g_logCount][0] = static_cast<std::int32_t>(message);
        g_log[g_logCount++][1] = WindowNumber(window);
    }
}

LRESULT WINAPI ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT all;
        GetClientRect(window, &all);
        FillRect(dc, &all, g_paintBrush);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_USER:
        // Whether its owner could take input while the message was dispatched.
        Log(IsWindowEnabled(window) ? WM_USER : WM_USER + 1, window);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_DESTROY:
        Log(message, window);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

// -- the machine -------------------------------------------------------------

const int g_readOnly = 7;
alignas(4) unsigned char g_bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};

int WriteToCode()
{
    *reinterpret_cast<volatile std::uint32_t*>(reinterpret_cast<std::uintptr_t>(&WriteToCode)) = 0;
    return 1;
}

int WriteToReadOnlyData()
{
    *const_cast<volatile int*>(&g_readOnly) = 8;
    return g_readOnly;
}

int WriteToHeaders()
{
    *reinterpret_cast<volatile std::uint16_t*>(GetModuleHandleW(nullptr)) = 0;
    return 1;
}

unsigned ReadAt(int bits, int offset)
{
    volatile unsigned char* at = g_bytes + offset;
    if (bits == 16)
        return *reinterpret_cast<volatile std::uint16_t*>(at);
    return *reinterpret_cast<volatile std::uint32_t*>(at);
}

// A kilobyte of stack for each level: the program asks for 64 KB.
int UseStack(int kilobytes)
{
    volatile char area[1024];
    area[0] = static_cast<char>(kilobytes);
    return kilobytes > 1 ? UseStack(kilobytes - 1) + area[0] - kilobytes + 1 : 1;  // the levels it went down
}

// -- the system --------------------------------------------------------------

LONG OpenWithAccessRights(REGSAM rights)
{
    HKEY key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, rights, &key);
}

LONG CreateWithoutDisposition()
{
    HKEY key;
    return RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Probe", 0, nullptr, 0, 0, nullptr, &key, nullptr);
}

int FillWith(HBRUSH brush)
{
    HDC dc = CreateCompatibleDC(nullptr);
    RECT all = {0, 0, 1, 1};
    const int filled = FillRect(dc, &all, brush);
    DeleteDC(dc);
    return filled;
}

ATOM RegisterProbeClass()
{
    WNDCLASSW probe{};
    probe.lpfnWndProc = ProbeProcedure;
    probe.hInstance = GetModuleHandleW(nullptr);
    probe.lpszClassName = L"Probe";
    return RegisterClassW(&probe);
}

// A visible 40 x 40 window at (x, y), of the probe class, owned by `owner`.
HWND MakeWindow(int x, int y, HWND owner)
{
    WNDCLASSW known;
    if (!GetClassInfoW(GetModuleHandleW(nullptr), L"Probe", &known))
        RegisterProbeClass();
    if (g_paintBrush == nullptr)
        g_paintBrush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    HWND window = CreateWindowExW(0, L"Probe", L"", WS_POPUP | WS_VISIBLE, x, y, 40, 40, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (g_windowCount < 4)
        g_windows[g_windowCount++] = window;
    return window;
}

// Paints a window black all over, then white where a small part is invalid.
HWND PaintPart()
{
    HWND window = MakeWindow(0, 0, nullptr);
    UpdateWindow(window);
    g_paintBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    const RECT part = {2, 2, 6, 6};
    InvalidateRect(window, &part, FALSE);
    UpdateWindow(window);
    return window;
}

// The box's answer, then whether the owner takes input again after it.
int MessageBoxOverOwner()
{
    HWND owner = MakeWindow(0, 0, nullptr);
    PostMessageW(owner, WM_USER, 0, 0);
    const int answer = MessageBoxW(owner, L"Over its owner", L"Probe", MB_OK);
    return answer * 10 + (IsWindowEnabled(owner) ? 1 : 0);
}

// The wParam of what each filtered call takes, in order, logged.
void FilteredMessages()
{
    HWND first = MakeWindow(0, 0, nullptr);
    HWND second = MakeWindow(50, 0, nullptr);
    PostMessageW(first, WM_USER, 1, 0);
    PostMessageW(second, WM_USER + 2, 2, 0);
    MSG message;
    GetMessageW(&message, second, 0, 0);  // the second window's, though posted later
    Log(message.message, message.hwnd);
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_REMOVE);
    Log(message.message, message.hwnd);
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // no posted message left: a paint
    Log(message.message, message.hwnd);
    PostQuitMessage(5);
    PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);  // the quit comes before any paint
    Log(message.message, static_cast<HWND>(nullptr));
    Log(static_cast<UINT>(message.wParam), static_cast<HWND>(nullptr));
    Log(static_cast<UINT>(PeekMessageW(&message, nullptr, WM_USER, WM_USER + 5, PM_NOREMOVE)), nullptr);
}

void MoveFocus()
{
    HWND first = MakeWindow(0, 0, nullptr);
    HWND second = MakeWindow(50, 0, nullptr);
    SetFocus(first);
    SetFocus(second);
}

void DestroyOwner()
{
    HWND owner = MakeWindow(0, 0, nullptr);
    MakeWindow(50, 0, owner);
    DestroyWindow(owner);
}

int Metric(int index) { return GetSystemMetrics(index); }

LONG ExtendedStyleAfterSetting(LONG style)
{
    HWND window = MakeWindow(0, 0, nullptr);
    SetWindowLongW(window, GWL_EXSTYLE, style);
    return GetWindowLongW(window, GWL_EXSTYLE);
}

int WinMain(HINSTANCE, HINSTANCE, wchar_t*, int) { return 0; }

}  // extern "C"
