// Timing of the desktop game under Wine, run inside a Wine session whose
// virtual desktop is sized so that the game's view gets the client area to
// measure (scripts/wine-bench.sh works the sizes out).
//
//   wine_bench.exe --overhead
//       starts the game once and prints the frame size and the view's client
//       size, from which the desktop size for a wanted client area follows.
//   wine_bench.exe [--clicks N] [--redraws N] [--starts N]
//       for both tile shapes and both paint paths: click-to-picture times of
//       selecting clicks and of removing clicks (SendMessage of the press to the
//       view returns once the engine step and its paint are done); times of
//       the commands that redraw the whole board: a theme change and New Game
//       (sent, so timed to the end of their paint), and a tile-style change
//       (from the Settings dialog's OK until the screen shows the new shape,
//       beside the time the dialog takes to go when nothing changes);
//       the floor of a bare full-size BitBlt to a window, in this process and
//       through a minimal window program's click; and start-up times from
//       CreateProcess to the first board on the screen, against the minimal
//       program.
//
// The game comes from QUENLARK_EXE, the minimal program from HARNESS_PROBE_EXE.
// QUENLARK_BEFORE_EXE, when set, names an earlier build of the game: every
// game measurement then runs for it too, alternating with QUENLARK_EXE, and
// its lines are marked "before" (the others "after").

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "board_state.h"
#include "game_facts.h"
#include "gui_process.h"
#include "quenlark_game.h"
#include "registry_values.h"
#include "screen_picture.h"

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Summary {
    double median = 0;
    double p95 = 0;
    size_t count = 0;
};

Summary Summarise(std::vector<double> samples)
{
    Summary summary;
    summary.count = samples.size();
    if (samples.empty())
        return summary;
    std::sort(samples.begin(), samples.end());
    summary.median = samples[samples.size() / 2];
    const size_t rank = static_cast<size_t>(std::ceil(0.95 * static_cast<double>(samples.size())));
    summary.p95 = samples[std::min(samples.size(), std::max<size_t>(rank, 1)) - 1];
    return summary;
}

void Report(const char* what, const Summary& summary)
{
    std::printf("%-50s median %8.3f ms   p95 %8.3f ms   (n=%zu)\n", what, summary.median, summary.p95,
                summary.count);
    std::fflush(stdout);
}

const char* Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool SendPress(HWND view, int x, int y)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), SMTO_NORMAL, 20000,
                               &result) != 0;
}

// Two groups of the board, the first from the top and the largest.
bool TwoGroups(const game::BoardState& board, int* first, int* second)
{
    *first = game::FindGroup(board, false);
    *second = game::FindGroup(board, true);
    if (*first < 0 || *second < 0)
        return false;
    if (*first == *second) {
        // Any group elsewhere: search from the bottom row.
        const auto firstGroup = game::GroupAt(board, *first % board.layout.columns,
                                              *first / board.layout.columns);
        for (int index = static_cast<int>(board.colours.size()) - 1; index >= 0; --index) {
            if (std::find(firstGroup.begin(), firstGroup.end(), index) != firstGroup.end())
                continue;
            if (game::GroupAt(board, index % board.layout.columns, index / board.layout.columns).size() > 1) {
                *second = index;
                return true;
            }
        }
        return false;
    }
    return true;
}

// One build of the game to measure: its program file and its mark in the report.
struct Program {
    std::string file;
    const char* mark;
};

std::vector<Program> Programs()
{
    if (*Env("QUENLARK_BEFORE_EXE") == '\0')
        return {{Env("QUENLARK_EXE"), ""}};
    return {{Env("QUENLARK_BEFORE_EXE"), "before "}, {Env("QUENLARK_EXE"), "after "}};
}

bool StartGame(game::QuenlarkGame& quenlark, const Program& program, const char* path, std::string* error)
{
    SetEnvironmentVariableA("QUENLARK_PAINT", path);  // the game inherits it
    const bool started = quenlark.StartProgram(program.file, error);
    SetEnvironmentVariableA("QUENLARK_PAINT", nullptr);
    return started;
}

void WaitForNextSecond()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const WORD second = now.wSecond;
    do {
        Sleep(5);
        GetLocalTime(&now);
    } while (now.wSecond == second);
}

// The Settings dialog opened, confirmed unchanged: the time from OK until the
// dialog is gone, the part of a tile-style change that is not the redraw.
double TimeSettingsClose(game::QuenlarkGame& quenlark)
{
    quenlark.PostCommand(game::IdSettings);
    HWND dialog = quenlark.WaitForDialog("Settings", 10000);
    if (!dialog)
        return -1;
    const double start = Now();
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    while (IsWindow(dialog) && Now() - start < 10000)
        Sleep(0);
    const double elapsed = Now() - start;
    quenlark.Idle();
    return elapsed;
}

// The Settings dialog opened, the other shape checked, OK pressed: the time
// until the screen shows the tile at (x, y) in the new shape. A square tile
// has its colour one pixel inside its top-left corner; a circle shows black
// there.
double TimeStyleChange(game::QuenlarkGame& quenlark, bool toCircles, int tileLeft, int tileTop)
{
    quenlark.PostCommand(game::IdSettings);
    HWND dialog = quenlark.WaitForDialog("Settings", 10000);
    if (!dialog)
        return -1;
    constexpr int IdcSquare = 1000, IdcCircle = 1001;
    SendMessageTimeoutA(GetDlgItem(dialog, toCircles ? IdcCircle : IdcSquare), BM_CLICK, 0, 0, SMTO_NORMAL,
                        5000, nullptr);
    POINT corner{tileLeft + 1, tileTop + 1};
    ClientToScreen(quenlark.view(), &corner);
    const double start = Now();
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    while (Now() - start < 10000) {
        const bool black = e2e::ScreenPicture::Capture(corner.x, corner.y, 1, 1).At(0, 0) == 0;
        if (black == toCircles)
            return Now() - start;
    }
    return -1;
}

void MeasureGame(bool circles, const char* path, const Program& program, int clicks, int redraws)
{
    e2e::SetRegistryDword(HKEY_CURRENT_USER, game::SectionKey("settings"), "style", circles ? 1 : 0);
    game::QuenlarkGame quenlark;
    std::string error;
    if (!StartGame(quenlark, program, path, &error)) {
        std::printf("game did not start: %s\n", error.c_str());
        return;
    }
    game::BoardState board;
    std::string problem;
    if (!quenlark.Read(2, game::DefaultTheme, &board, &problem)) {
        std::printf("board not read: %s\n", problem.c_str());
        return;
    }
    int a = -1, b = -1;
    if (!TwoGroups(board, &a, &b)) {
        std::printf("no two groups on the board\n");
        return;
    }
    const game::BoardLayout& layout = board.layout;
    auto x = [&](int index) { return layout.CentreX(index % layout.columns); };
    auto y = [&](int index) { return layout.CentreY(index / layout.columns); };

    std::vector<double> selecting;
    for (int i = 0; i < clicks; ++i) {
        const int cell = i % 2 ? b : a;
        const double start = Now();
        if (!SendPress(quenlark.view(), x(cell), y(cell)))
            break;
        selecting.push_back(Now() - start);
    }
    std::vector<double> removing;
    for (int i = 0; i < clicks / 4; ++i) {
        SendPress(quenlark.view(), x(a), y(a));  // select (the last loop may have left b selected)
        const double start = Now();
        if (!SendPress(quenlark.view(), x(a), y(a)))
            break;
        removing.push_back(Now() - start);
        quenlark.Command(game::IdEditUndo);
    }

    // Whole-board redraws on the same board: themes in turn (ending in
    // Default), the shape there and back, then new games.
    const unsigned themes[] = {game::IdThemeLondon, game::IdThemeRattlesnake, game::IdThemeDefault};
    std::vector<double> themeChanges, styleChanges, settingsCloses, newGames;
    for (int i = 0; i < redraws; ++i) {
        const double start = Now();
        if (!quenlark.Command(themes[i % 3]))
            break;
        themeChanges.push_back(Now() - start);
    }
    quenlark.Command(game::IdThemeDefault);
    const int tileLeft = layout.CellLeft(a % layout.columns), tileTop = layout.CellTop(a / layout.columns);
    for (int i = 0; i < redraws; ++i) {
        const double elapsed = TimeStyleChange(quenlark, (i % 2 == 0) != circles, tileLeft, tileTop);
        if (elapsed < 0)
            break;
        styleChanges.push_back(elapsed);
        const double close = TimeSettingsClose(quenlark);
        if (close >= 0)
            settingsCloses.push_back(close);
    }
    for (int i = 0; i < redraws; ++i) {
        // The game seeds each board from the time of day in seconds: a new
        // game in the same second would lay out the same board again.
        WaitForNextSecond();
        const double start = Now();
        if (!quenlark.Command(game::IdNewGame))
            break;
        newGames.push_back(Now() - start);
    }

    auto report = [&](const char* what, const std::vector<double>& samples) {
        char label[112];
        std::snprintf(label, sizeof label, "%s%s %s %dx%d: %s", program.mark, circles ? "circles" : "squares",
                      path, quenlark.width(), quenlark.height(), what);
        Report(label, Summarise(samples));
    };
    report("selecting click", selecting);
    report("removing click", removing);
    report("theme change", themeChanges);
    report("tile-style change", styleChanges);
    report("Settings OK unchanged, dialog gone", settingsCloses);
    report("New Game", newGames);
}

// In-process floor: a window of the same client size whose paint is one BitBlt
// of a ready picture, repainted with RedrawWindow(RDW_UPDATENOW).
HDC floorPicture = nullptr;
int floorWidth = 0, floorHeight = 0;

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        BitBlt(dc, 0, 0, floorWidth, floorHeight, floorPicture, 0, 0, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

void MeasureBitBltFloor(int width, int height, int repeats)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BitBltFloor";
    RegisterClassA(&windowClass);
    RECT bounds{0, 0, width, height};
    AdjustWindowRect(&bounds, WS_POPUP, FALSE);
    HWND window = CreateWindowExA(0, "BitBltFloor", "floor", WS_POPUP | WS_VISIBLE, 0, 0,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    HDC screen = GetDC(window);
    floorPicture = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(window, screen);
    HGDIOBJ old = SelectObject(floorPicture, bitmap);
    RECT all{0, 0, width, height};
    FillRect(floorPicture, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    floorWidth = width;
    floorHeight = height;
    UpdateWindow(window);
    std::vector<double> samples;
    for (int i = 0; i < repeats; ++i) {
        const double start = Now();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        samples.push_back(Now() - start);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    Report("floor: full-size BitBlt repaint, in process", Summarise(samples));
    DestroyWindow(window);
    SelectObject(floorPicture, old);
    DeleteObject(bitmap);
    DeleteDC(floorPicture);
}

// Cross-process floor: a click on the minimal program's view, whose paint is a
// fill and one full-size BitBlt.
void MeasureProbeClicks(int clicks)
{
    e2e::GuiProcess probe;
    if (!probe.Start(Env("HARNESS_PROBE_EXE"))) {
        std::printf("minimal program did not start: %s\n", probe.error().c_str());
        return;
    }
    HWND frame = probe.WaitForWindow("Harness Probe", 20000);
    HWND view = frame ? GetDlgItem(frame, game::ViewId) : nullptr;
    if (!view)
        return;
    RECT client;
    GetClientRect(view, &client);
    std::vector<double> samples;
    for (int i = 0; i < clicks; ++i) {
        const double start = Now();
        SendPress(view, 1, 1);  // the same point each time: the picture stays the same size
        samples.push_back(Now() - start);
    }
    char label[96];
    std::snprintf(label, sizeof label, "floor: minimal program's click %ldx%ld", client.right,
                  client.bottom);
    Report(label, Summarise(samples));
}

// Milliseconds from CreateProcess until `shown` holds for the program's window.
double TimeStart(const std::string& program, const char* title,
                 const std::function<bool(HWND)>& shown)
{
    e2e::GuiProcess process;
    std::string commandLine = "\"" + e2e::WindowsPath(program) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    const double start = Now();
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return -1;
    double elapsed = -1;
    while (Now() - start < 20000) {
        HWND window = FindWindowA(nullptr, title);
        if (window) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == info.dwProcessId && shown(window)) {
                elapsed = Now() - start;
                break;
            }
        }
        Sleep(1);
    }
    // End it: close its windows, or kill it.
    HWND window = FindWindowA(nullptr, title);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return elapsed;
}

bool ShowsColour(HWND view, int x, int y, int width, int height, e2e::Rgb colour)
{
    if (!view)
        return false;
    POINT origin{x, y};
    ClientToScreen(view, &origin);
    const auto strip = e2e::ScreenPicture::Capture(origin.x, origin.y, width, height);
    for (int row = 0; row < strip.height(); ++row)
        for (int column = 0; column < strip.width(); ++column)
            if (strip.At(column, row) == colour)
                return true;
    return false;
}

void MeasureStarts(int starts)
{
    e2e::SetRegistryDword(HKEY_CURRENT_USER, game::SectionKey("settings"), "style", 0);
    const std::vector<Program> programs = Programs();
    std::vector<std::vector<double>> gameStarts(programs.size());
    std::vector<double> probeStarts;
    for (int i = 0; i < starts; ++i) {
        for (size_t p = 0; p < programs.size(); ++p) {
            // The score line is drawn in the same paint as the board.
            const double game = TimeStart(programs[p].file, game::Title, [](HWND frame) {
                return ShowsColour(GetDlgItem(frame, game::ViewId), 0, 0, 60, 14, e2e::MakeRgb(255, 255, 255));
            });
            if (game >= 0)
                gameStarts[p].push_back(game);
        }
        const double probe = TimeStart(Env("HARNESS_PROBE_EXE"), "Harness Probe", [](HWND frame) {
            return ShowsColour(GetDlgItem(frame, game::ViewId), 10, 10, 16, 16, e2e::MakeRgb(255, 99, 0));
        });
        if (probe >= 0)
            probeStarts.push_back(probe);
    }
    const Summary probe = Summarise(probeStarts);
    for (size_t p = 0; p < programs.size(); ++p) {
        const Summary game = Summarise(gameStarts[p]);
        char label[96];
        std::snprintf(label, sizeof label, "%sstart-up to first board: Quenlark", programs[p].mark);
        Report(label, game);
        if (probe.median > 0)
            std::printf("%sstart-up ratio to the minimal program (medians): %.3f\n", programs[p].mark,
                        game.median / probe.median);
    }
    Report("start-up to first picture: minimal program", probe);
}

}  // namespace

int main(int argc, char** argv)
{
    int clicks = 200;
    int redraws = 40;
    int starts = 5;
    bool overhead = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--overhead"))
            overhead = true;
        else if (!std::strcmp(argv[i], "--clicks") && i + 1 < argc)
            clicks = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--redraws") && i + 1 < argc)
            redraws = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--starts") && i + 1 < argc)
            starts = std::atoi(argv[++i]);
    }
    if (overhead) {
        game::QuenlarkGame quenlark;
        std::string error;
        if (!quenlark.Start("", &error)) {
            std::printf("game did not start: %s\n", error.c_str());
            return 1;
        }
        RECT frame;
        GetWindowRect(quenlark.frame(), &frame);
        std::printf("frame %ld %ld view %d %d\n", frame.right - frame.left, frame.bottom - frame.top,
                    quenlark.width(), quenlark.height());
        return 0;
    }

    // Warm up Wine's services and the program's pages first.
    {
        game::QuenlarkGame warmUp;
        std::string error;
        if (!warmUp.Start("", &error))
            std::printf("warm-up start: %s\n", error.c_str());
    }
    for (bool circles : {false, true})
        for (const char* path : {"steps", "fast"})
            for (const Program& program : Programs())
                MeasureGame(circles, path, program, clicks, redraws);
    game::QuenlarkGame sizeOnly;
    if (!sizeOnly.Start())
        return 1;
    const int width = sizeOnly.width(), height = sizeOnly.height();
    sizeOnly.process().Close();
    MeasureBitBltFloor(width, height, clicks);
    MeasureProbeClicks(clicks);
    if (starts > 0)
        MeasureStarts(starts);
    return 0;
}
