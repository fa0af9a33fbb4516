#include "dialog_text.h"

namespace e2e {

std::string WindowText(HWND window)
{
    // WM_GETTEXT, unlike GetWindowText, reads controls of other processes too.
    char text[1024] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    text[sizeof text - 1] = '\0';
    return text;
}

std::string ClassName(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

namespace {

BOOL CALLBACK LongestStatic(HWND child, LPARAM param)
{
    auto* longest = reinterpret_cast<std::string*>(param);
    if (ClassName(child) == "Static") {
        std::string text = WindowText(child);
        if (text.size() > longest->size())
            *longest = text;
    }
    return TRUE;
}

}  // namespace

std::string MessageBoxText(HWND box)
{
    if (HWND message = GetDlgItem(box, 0xFFFF))
        return WindowText(message);
    std::string longest;
    EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&longest));
    return longest;
}

void PressDialogButton(HWND dialog, int buttonId)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

}  // namespace e2e
