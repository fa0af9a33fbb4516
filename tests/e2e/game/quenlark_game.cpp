#include "quenlark_game.h"

#include <cstdlib>
#include <utility>

namespace game {

std::string QuenlarkGame::ProgramPath()
{
    const char* path = std::getenv("QUENLARK_EXE");
    return path ? path : "";
}

bool QuenlarkGame::Start(const std::string& paint, std::string* error)
{
    std::string ignored;
    std::string& why = error ? *error : ignored;
    e2e::GuiProcess::Environment environment;
    if (!paint.empty())
        environment.push_back({"QUENLARK_PAINT", paint});
    if (!process_.Start(ProgramPath(), {}, environment)) {
        why = process_.error();
        return false;
    }
    frame_ = process_.WaitForWindow(Title, 20000);
    if (!frame_) {
        why = "no window titled \"Quenlark\" appeared";
        return false;
    }
    view_ = GetDlgItem(frame_, ViewId);
    if (!view_) {
        why = "the frame has no child window with id 59648";
        return false;
    }
    RECT client{};
    GetClientRect(view_, &client);
    width_ = client.right;
    height_ = client.bottom;
    // The first paint happens before the message loop; once the view answers
    // a sent message, it has painted, and the screen shows the score line.
    SendMessageTimeoutA(view_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr);
    if (!e2e::WaitUntil(
            [&] {
                const auto strip = e2e::ScreenPicture::CaptureClient(view_).Crop(0, 0, 140, 14);
                for (int y = 0; y < strip.height(); ++y)
                    for (int x = 0; x < strip.width(); ++x)
                        if (strip.At(x, y) == e2e::MakeRgb(255, 255, 255))
                            return true;
                return false;
            },
            10000)) {
        why = "the view never showed a score line";
        return false;
    }
    return true;
}

bool QuenlarkGame::Read(int gameSize, const Theme& theme, BoardState* board,
                        std::string* problem) const
{
    return ReadBoard(SettledView(), LayoutFor(width_, height_, gameSize), theme, board, problem);
}

bool QuenlarkGame::Click(int x, int y) const
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(view_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), SMTO_NORMAL,
                               10000, &result) != 0;
}

bool QuenlarkGame::ClickCell(const BoardLayout& layout, int index) const
{
    return Click(layout.CentreX(index % layout.columns), layout.CentreY(index / layout.columns));
}

void QuenlarkGame::PostClick(int x, int y) const
{
    PostMessageA(view_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void QuenlarkGame::PostClickCell(const BoardLayout& layout, int index) const
{
    PostClick(layout.CentreX(index % layout.columns), layout.CentreY(index / layout.columns));
}

bool QuenlarkGame::Command(unsigned id) const
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(frame_, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_NORMAL, 10000,
                               &result) != 0;
}

HWND QuenlarkGame::WaitForMessageBox(DWORD timeoutMs) const
{
    return process_.WaitForWindowOfClass("#32770", timeoutMs);
}

e2e::ScreenPicture QuenlarkGame::SettledView() const
{
    e2e::ScreenPicture last = View();
    e2e::WaitUntil(
        [&] {
            e2e::ScreenPicture next = View();
            const bool settled = next == last;
            last = std::move(next);
            return settled;
        },
        3000, 60);
    return last;
}

bool QuenlarkGame::ViewStays(const e2e::ScreenPicture& expected, DWORD waitMs) const
{
    for (DWORD waited = 0; waited < waitMs; waited += 100) {
        if (View() != expected)
            return false;
        Sleep(100);
    }
    return View() == expected;
}

bool QuenlarkGame::ViewBecomes(const e2e::ScreenPicture& expected, DWORD timeoutMs) const
{
    return e2e::WaitUntil([&] { return View() == expected; }, timeoutMs);
}

}  // namespace game
