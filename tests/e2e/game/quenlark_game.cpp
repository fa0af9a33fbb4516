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
    e2e::GuiProcess::Environment environment;
    if (!paint.empty())
        environment.push_back({"QUENLARK_PAINT", paint});
    return Launch(ProgramPath(), environment, error);
}

bool QuenlarkGame::StartProgram(const std::string& program, std::string* error)
{
    return Launch(program, {}, error);
}

bool QuenlarkGame::Launch(const std::string& program, const e2e::GuiProcess::Environment& environment,
                          std::string* error)
{
    std::string ignored;
    std::string& why = error ? *error : ignored;
    if (!process_.Start(program, {}, environment)) {
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
    // The first paint happens before the message loop; once the view answers
    // a sent message, it has painted. The screen shows it a little later:
    // wait for the score line and for tiles around the middle of the view
    // (which lies on the board whatever its size), then for a still picture.
    SendMessageTimeoutA(view_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr);
    auto shows = [](const e2e::ScreenPicture& picture, int left, int top, int width, int height,
                    bool (*wanted)(e2e::Rgb)) {
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
                if (picture.Contains(x, y) && wanted(picture.At(x, y)))
                    return true;
        return false;
    };
    const bool painted = e2e::WaitUntil(
        [&] {
            const auto view = View();
            return shows(view, 0, 0, 140, 14, [](e2e::Rgb c) { return c == 0xFFFFFF; }) &&
                   shows(view, view.width() / 2 - 15, 14 + (view.height() - 14) / 2 - 15, 30, 30,
                         [](e2e::Rgb c) { return c != 0; });
        },
        10000);
    if (!painted) {
        why = "the view never showed a score line over a board";
        return false;
    }
    // The size the board was laid out for: the view's size at its first paint,
    // which has happened by now.
    RECT client{};
    GetClientRect(view_, &client);
    width_ = client.right;
    height_ = client.bottom;
    SettledView();
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

void QuenlarkGame::PostCommand(unsigned id) const
{
    PostMessageA(frame_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

HWND QuenlarkGame::WaitForDialog(const char* caption, DWORD timeoutMs) const
{
    return process_.WaitForWindow(caption, timeoutMs);
}

HWND QuenlarkGame::WaitForMessageBox(DWORD timeoutMs) const
{
    return process_.WaitForWindowOfClass("#32770", timeoutMs);
}

e2e::ScreenPicture QuenlarkGame::SettledView() const
{
    e2e::ScreenPicture last = View();
    int agreeing = 0;
    e2e::WaitUntil(
        [&] {
            e2e::ScreenPicture next = View();
            agreeing = next == last ? agreeing + 1 : 0;
            last = std::move(next);
            return agreeing >= 2;
        },
        3000, 60);
    return last;
}

bool QuenlarkGame::ViewStays(const e2e::ScreenPicture& expected, DWORD waitMs) const
{
    // The area a closed dialog covered is repainted only after it is gone, and
    // later still on a busy machine: judge the view once that is done.
    if (!Idle() || !ViewBecomes(expected, 3000))
        return false;
    for (DWORD waited = 0; waited < waitMs; waited += 100) {
        if (View() != expected)
            return false;
        Sleep(100);
    }
    return View() == expected;
}

bool QuenlarkGame::Idle(DWORD timeoutMs) const
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool QuenlarkGame::ViewBecomes(const e2e::ScreenPicture& expected, DWORD timeoutMs) const
{
    return e2e::WaitUntil([&] { return View() == expected; }, timeoutMs);
}

}  // namespace game
