// What the Windows CE window manager does for a program, played on the
// desktop: the device's screen for a frameless top-level window, system
// colours in CE's flagged form, the device's dialog face for "System", the
// OK button in the caption of a WS_EX_CAPTIONOKBTN dialog, drawing that
// has reached a DIB section's memory when the call returns, and the access
// rights the desktop's registry wants.
#include <cstddef>
#include <iterator>
#include <string>

#include "ce_system.h"
#include "device_look.h"
#include "platform.h"

namespace {

constexpr UINT_PTR SysColorIndexFlag = 0x40000000;                    // SYS_COLOR_INDEX_FLAG
constexpr LONG CaptionOkButtonStyle = static_cast<LONG>(0x80000000);  // WS_EX_CAPTIONOKBTN

bool HasCaptionOk(HWND dialog)
{
    return (::GetWindowLong(dialog, GWL_EXSTYLE) & CaptionOkButtonStyle) != 0;
}

// The caption OK button, in window coordinates: at the caption's right,
// left of the close box.
RECT CaptionOkRect(HWND dialog)
{
    RECT window{};
    ::GetWindowRect(dialog, &window);
    const int frame = ::GetSystemMetrics(SM_CXDLGFRAME);
    const int caption = ::GetSystemMetrics(SM_CYCAPTION);
    const int box = ::GetSystemMetrics(SM_CXSIZE);
    RECT button{};
    button.right = (window.right - window.left) - frame - box - 2;
    button.left = button.right - box - 8;
    button.top = frame + 2;
    button.bottom = frame + caption - 3;
    return button;
}

void DrawCaptionOk(HWND dialog)
{
    HDC dc = ::GetWindowDC(dialog);
    if (dc == nullptr)
        return;
    RECT button = CaptionOkRect(dialog);
    ::FillRect(dc, &button, ::GetSysColorBrush(COLOR_BTNFACE));
    ce_on_desktop::DrawRaisedEdge(dc, button);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawText(dc, TEXT("OK"), 2, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
    ::ReleaseDC(dialog, dc);
}

// The device shows a dialog font of "System" in its own small dialog face.
// This desktop has no such face, and its "System" is much wider; the
// stand-in uses the desktop dialogs' face, whose metrics the dialogs' layout
// fits.
const WCHAR DeviceDialogFace[] = L"MS Sans Serif";

// Past a name-or-ordinal field of a dialog template.
const WORD* SkipNameOrOrdinal(const WORD* at)
{
    if (*at == 0x0000)
        return at + 1;
    if (*at == 0xFFFF)
        return at + 2;
    while (*at != 0)
        ++at;
    return at + 1;
}

}  // namespace

namespace ce_on_desktop {

void DrawRaisedEdge(HDC dc, const RECT& rect)
{
    HBRUSH light = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    HBRUSH dark = ::GetSysColorBrush(COLOR_BTNSHADOW);
    const RECT top{rect.left, rect.top, rect.right - 1, rect.top + 1};
    const RECT left{rect.left, rect.top, rect.left + 1, rect.bottom - 1};
    const RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
    const RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
    ::FillRect(dc, &top, light);
    ::FillRect(dc, &left, light);
    ::FillRect(dc, &bottom, dark);
    ::FillRect(dc, &right, dark);
}

}  // namespace ce_on_desktop

namespace ce_system {

// The screen above the task bar, with no caption: a desktop would add one
// to a window without WS_POPUP.
void PlaceTopLevelWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_POPUP;
    cs.x = 0;
    cs.y = 0;
    cs.cx = ce_on_desktop::ScreenWidth;
    cs.cy = ce_on_desktop::ScreenHeight - ce_on_desktop::TaskBarHeight;
}

}  // namespace ce_system

namespace afx_platform {

HBRUSH ClassBackground(HBRUSH background)
{
    const auto value = reinterpret_cast<UINT_PTR>(background);
    if ((value & SysColorIndexFlag) == 0)
        return background;
    return reinterpret_cast<HBRUSH>(value & ~SysColorIndexFlag);
}

const DLGTEMPLATE* DialogTemplate(HINSTANCE instance, HRSRC found, const DLGTEMPLATE* stored,
                                  std::vector<WORD>& copy)
{
    const auto* words = reinterpret_cast<const WORD*>(stored);
    const std::size_t size = ::SizeofResource(instance, found) / sizeof(WORD);
    // Header: style, then menu, class and caption, then the font.
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    const DWORD style = extended ? words[6] | (DWORD{words[7]} << 16) : words[0] | (DWORD{words[1]} << 16);
    if ((style & DS_SETFONT) == 0)
        return stored;
    const WORD* at = words + (extended ? 13 : 9);
    at = SkipNameOrOrdinal(SkipNameOrOrdinal(SkipNameOrOrdinal(at)));
    at += extended ? 3 : 1;  // point size, and weight, italic and character set
    const WORD* const faceBegin = at;
    while (*at != 0)
        ++at;
    const std::wstring face(faceBegin, at);
    if (face != L"System")
        return stored;

    // The same template with the device's face; the items keep their
    // DWORD alignment from the template's start.
    const auto aligned = [](std::size_t index) { return (index + 1) / 2 * 2; };
    const std::size_t itemsBegin = aligned(static_cast<std::size_t>(at + 1 - words));
    copy.assign(words, faceBegin);
    copy.insert(copy.end(), DeviceDialogFace, DeviceDialogFace + std::size(DeviceDialogFace));
    copy.resize(aligned(copy.size()), 0);
    if (itemsBegin < size)
        copy.insert(copy.end(), words + itemsBegin, words + size);
    return reinterpret_cast<const DLGTEMPLATE*>(copy.data());
}

bool HandleDialogFrameMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (!HasCaptionOk(dialog))
        return false;
    switch (message) {
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        // The frame as the system draws it, then the button over the caption.
        *result = ::DefWindowProc(dialog, message, wParam, lParam);
        DrawCaptionOk(dialog);
        return true;
    case WM_NCLBUTTONDOWN: {
        RECT window{};
        ::GetWindowRect(dialog, &window);
        const RECT button = CaptionOkRect(dialog);
        const POINT at{static_cast<short>(LOWORD(lParam)) - window.left, static_cast<short>(HIWORD(lParam)) - window.top};
        if (!::PtInRect(&button, at))
            return false;
        ::PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        *result = 0;
        return true;
    }
    default:
        return false;
    }
}

// The desktop batches GDI calls.
void FlushDrawing()
{
    ::GdiFlush();
}

// The desktop's registry checks a key's access rights, which the device
// does not take.
REGSAM ProfileReadAccess()
{
    return KEY_QUERY_VALUE;
}

}  // namespace afx_platform
