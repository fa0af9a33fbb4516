#pragma once
// One run of Quenlark.exe under test: started with a chosen paint path and
// registry settings, its frame and board view found, its view read back from
// the screen, clicks and commands sent to it.

#include <windows.h>

#include <string>

#include "board_layout.h"
#include "board_state.h"
#include "game_facts.h"
#include "gui_process.h"
#include "screen_picture.h"

namespace game {

class QuenlarkGame {
public:
    // The program under test, from QUENLARK_EXE.
    static std::string ProgramPath();

    // paint: "steps", "fast" or "" (the game's own choice). Waits until the
    // frame exists and the view shows its first board.
    bool Start(const std::string& paint = "", std::string* error = nullptr);
    // The same for another program file (the other build of the game).
    bool StartProgram(const std::string& program, std::string* error = nullptr);

    HWND frame() const { return frame_; }
    HWND view() const { return view_; }
    // The handheld build's command bar, or null.
    HWND commandBar() const { return GetDlgItem(frame_, CommandBarId); }
    int width() const { return width_; }
    int height() const { return height_; }
    e2e::GuiProcess& process() { return process_; }

    // The view as the screen shows it now. The game's paint reaches the screen
    // a little after its handler returns, so compare with polling (ViewBecomes)
    // or read a settled picture.
    e2e::ScreenPicture View() const { return e2e::ScreenPicture::CaptureClient(view_); }
    // The view once three captures 60 ms apart agree (at most 3 s).
    e2e::ScreenPicture SettledView() const;
    // Reads the board in the layout of `gameSize` for this view, score taken from `score`.
    bool Read(int gameSize, const Theme& theme, BoardState* board, std::string* problem) const;

    // A press of the left button at client (x, y), sent: handled and painted
    // when it returns true. False when the game did not answer within 10 s
    // (for example because a message box is up).
    bool Click(int x, int y) const;
    bool ClickCell(const BoardLayout& layout, int index) const;
    // The same, posted: for the click that ends a game and opens its message box.
    void PostClick(int x, int y) const;
    void PostClickCell(const BoardLayout& layout, int index) const;

    // A menu command, sent to the frame as the menu would send it.
    bool Command(unsigned id) const;

    // The same, posted: for commands that open a modal dialog or box.
    void PostCommand(unsigned id) const;

    HWND WaitForMessageBox(DWORD timeoutMs) const;
    // A dialog of the game by its caption, once it shows.
    HWND WaitForDialog(const char* caption, DWORD timeoutMs = 10000) const;

    // True when the view comes to equal `expected` within `timeoutMs`.
    bool ViewBecomes(const e2e::ScreenPicture& expected, DWORD timeoutMs = 5000) const;
    // True when the view, once the game is idle and has repainted what a closed
    // window uncovered, equals `expected` and still does after `waitMs`.
    bool ViewStays(const e2e::ScreenPicture& expected, DWORD waitMs = 400) const;

    // True once the game has finished handling what it was sent or posted
    // before: a message sent to the frame is handled only when the game's
    // thread takes messages again (or sits in a modal box's loop).
    bool Idle(DWORD timeoutMs = 10000) const;

private:
    bool Launch(const std::string& program, const e2e::GuiProcess::Environment& environment, std::string* error);

    e2e::GuiProcess process_;
    HWND frame_ = nullptr;
    HWND view_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace game
