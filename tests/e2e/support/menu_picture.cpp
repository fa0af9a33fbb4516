#include "menu_picture.h"

#include "gui_process.h"
#include "real_input.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

namespace e2e {

namespace {

int Brightness(Rgb colour)
{
    return (299 * static_cast<int>((colour >> 16) & 0xFF) +
            587 * static_cast<int>((colour >> 8) & 0xFF) + 114 * static_cast<int>(colour & 0xFF)) /
           1000;
}

Rgb CommonestColour(const ScreenPicture& picture)
{
    std::map<Rgb, int> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.At(x, y)];
    Rgb best = 0;
    int bestCount = -1;
    for (const auto& [colour, count] : counts)
        if (count > bestCount) {
            best = colour;
            bestCount = count;
        }
    return best;
}

// Runs of indices where `inked` holds, runs closer than `join` merged.
std::vector<std::pair<int, int>> Runs(const std::vector<bool>& inked, int join)
{
    std::vector<std::pair<int, int>> runs;
    for (int i = 0; i < static_cast<int>(inked.size()); ++i) {
        if (!inked[i])
            continue;
        if (!runs.empty() && i - runs.back().second <= join)
            runs.back().second = i;
        else
            runs.push_back({i, i});
    }
    return runs;
}

constexpr int InkContrast = 60;
constexpr int BlackText = 60;
constexpr int Border = 4;  // the popup's frame, skipped

}  // namespace

std::vector<POINT> MenuBarCaptions(HWND frame, HWND bar)
{
    RECT bounds{};
    int top = 0;
    int height = 0;
    if (bar != nullptr) {
        GetWindowRect(bar, &bounds);
        top = bounds.top + 2;
        height = bounds.bottom - bounds.top - 4;
    } else {
        GetWindowRect(frame, &bounds);
        POINT clientTop{0, 0};
        ClientToScreen(frame, &clientTop);
        const int barHeight = GetSystemMetrics(SM_CYMENU);
        top = clientTop.y - barHeight + 2;
        height = barHeight - 4;
    }
    const ScreenPicture strip = ScreenPicture::Capture(bounds.left, top, bounds.right - bounds.left, height);
    if (strip.empty())
        return {};
    const int background = Brightness(CommonestColour(strip));
    std::vector<bool> inked(strip.width(), false);
    for (int x = Border; x < strip.width() - Border; ++x)
        for (int y = 0; y < strip.height(); ++y)
            if (std::abs(Brightness(strip.At(x, y)) - background) > InkContrast)
                inked[x] = true;
    std::vector<POINT> captions;
    for (const auto& [first, last] : Runs(inked, 5))
        captions.push_back({bounds.left + (first + last) / 2, top + height / 2});
    return captions;
}

namespace {

// The vertical middle of each caption of a popup menu picture, top to bottom.
std::vector<int> MenuItemMiddles(const ScreenPicture& popup)
{
    const int background = Brightness(CommonestColour(popup));
    std::vector<bool> inked(popup.height(), false);
    for (int y = Border; y < popup.height() - Border; ++y)
        for (int x = Border; x < popup.width() - Border; ++x)
            if (std::abs(Brightness(popup.At(x, y)) - background) > InkContrast)
                inked[y] = true;
    std::vector<int> middles;
    for (const auto& [first, last] : Runs(inked, 3))
        middles.push_back((first + last) / 2);
    return middles;
}

}  // namespace

std::vector<MenuItemLook> MenuItemLooks(const ScreenPicture& popup)
{
    if (popup.width() <= 2 * Border || popup.height() <= 2 * Border)
        return {};
    const int background = Brightness(CommonestColour(popup));
    std::vector<bool> inked(popup.height(), false);
    for (int y = Border; y < popup.height() - Border; ++y)
        for (int x = Border; x < popup.width() - Border; ++x)
            if (std::abs(Brightness(popup.At(x, y)) - background) > InkContrast)
                inked[y] = true;
    std::vector<MenuItemLook> looks;
    for (const auto& [first, last] : Runs(inked, 3)) {
        int darkest = 255;
        for (int y = first; y <= last; ++y)
            for (int x = Border; x < popup.width() - Border; ++x)
                darkest = std::min(darkest, Brightness(popup.At(x, y)));
        looks.push_back(darkest < BlackText ? MenuItemLook::Enabled : MenuItemLook::Greyed);
    }
    return looks;
}

std::vector<int> MenuItemInkLeft(const ScreenPicture& popup)
{
    if (popup.width() <= 2 * Border || popup.height() <= 2 * Border)
        return {};
    const int background = Brightness(CommonestColour(popup));
    auto inked = [&](int x, int y) {
        return std::abs(Brightness(popup.At(x, y)) - background) > InkContrast;
    };
    std::vector<bool> inkedRows(popup.height(), false);
    for (int y = Border; y < popup.height() - Border; ++y)
        for (int x = Border; x < popup.width() - Border; ++x)
            if (inked(x, y))
                inkedRows[y] = true;
    std::vector<int> lefts;
    for (const auto& [first, last] : Runs(inkedRows, 3)) {
        int left = popup.width();
        for (int y = first; y <= last; ++y)
            for (int x = Border; x < left; ++x)
                if (inked(x, y)) {
                    left = x;
                    break;
                }
        lefts.push_back(left);
    }
    return lefts;
}

const char* LookName(MenuItemLook look)
{
    return look == MenuItemLook::Enabled ? "enabled" : "greyed";
}

namespace {

// A visible popup menu of the process that owns `frame`.
HWND VisiblePopup(HWND frame)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    HWND popup = FindWindowA("#32768", nullptr);
    for (; popup; popup = FindWindowExA(nullptr, popup, "#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(popup, &owner);
        if (owner == processId && IsWindowVisible(popup))
            return popup;
    }
    return nullptr;
}

}  // namespace

namespace {

// Opens menu `index` and waits until its popup shows `itemCount` captions and
// has stopped changing; leaves it open. The popup and its last picture, or a
// null popup when it did not open or settle.
HWND OpenSettledMenu(HWND frame, size_t index, size_t itemCount, HWND bar, ScreenPicture* last)
{
    const std::vector<POINT> captions = MenuBarCaptions(frame, bar);
    if (index >= captions.size())
        return nullptr;
    BringToFront(frame);
    ClickAt(captions[index]);
    HWND popup = nullptr;
    RECT bounds{};
    // The popup of this caption opens right under it; another one means the
    // click was taken by a menu loop still ending.
    const bool opened = WaitUntil(
        [&] {
            popup = VisiblePopup(frame);
            return popup && GetWindowRect(popup, &bounds) && bounds.left <= captions[index].x &&
                   captions[index].x < bounds.right && bounds.top > captions[index].y;
        },
        3000);
    if (!opened)
        return nullptr;
    // Drawn once all captions show and three captures a little apart agree.
    *last = ScreenPicture::CaptureWindow(popup);
    int agreeing = 0;
    WaitUntil(
        [&] {
            ScreenPicture next = ScreenPicture::CaptureWindow(popup);
            agreeing = !next.empty() && next == *last && MenuItemLooks(next).size() == itemCount ? agreeing + 1 : 0;
            *last = std::move(next);
            return agreeing >= 2;
        },
        5000, 100);
    return agreeing >= 2 ? popup : nullptr;
}

}  // namespace

ScreenPicture CaptureOpenedMenu(HWND frame, size_t index, size_t itemCount, HWND bar)
{
    ScreenPicture last;
    for (int attempt = 0; attempt < 4; ++attempt) {
        // The menu may close early or never finish drawing: then open it again.
        const HWND popup = OpenSettledMenu(frame, index, itemCount, bar, &last);
        CloseMenus(frame, 3000);
        if (popup)
            return last;
    }
    if (!last.empty())
        SaveArtifact(last, "menu-" + std::to_string(index) + "-unsettled");
    return last;
}

bool ChooseMenuItem(HWND frame, size_t index, size_t item, size_t itemCount, HWND bar)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        ScreenPicture picture;
        const HWND popup = OpenSettledMenu(frame, index, itemCount, bar, &picture);
        if (!popup) {
            CloseMenus(frame, 3000);
            continue;
        }
        const std::vector<int> middles = MenuItemMiddles(picture);
        RECT bounds{};
        GetWindowRect(popup, &bounds);
        if (item >= middles.size())
            return false;
        ClickAt({(bounds.left + bounds.right) / 2, bounds.top + middles[item]});
        return WaitUntil([&] { return VisiblePopup(frame) == nullptr; }, 3000);
    }
    return false;
}

bool CloseMenus(HWND frame, DWORD timeoutMs)
{
    SendMessageTimeoutA(frame, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, nullptr);
    const bool closed = WaitUntil([&] { return VisiblePopup(frame) == nullptr; }, timeoutMs);
    // The menu loop ends a moment after its popup is gone; a click before that
    // would go to it.
    Sleep(150);
    return closed;
}

}  // namespace e2e
