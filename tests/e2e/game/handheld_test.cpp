// What only the handheld build does: the device-sized frame with its command
// bar over the board view, taps, every command reached through the command
// bar, its close button, the About box's caption OK, and a profile of its own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "dialog_text.h"
#include "game_fixture.h"
#include "menu_picture.h"
#include "real_input.h"

namespace game {
namespace {

class Handheld : public GameTest {
protected:
    void SetUp() override
    {
        if (!HandheldUnderTest())
            GTEST_SKIP() << "for the handheld build only";
    }

    // Chooses item `item` of command bar menu `menu` (File 0, Edit 1, Theme 2).
    ::testing::AssertionResult Choose(size_t menu, size_t item)
    {
        if (e2e::ChooseMenuItem(game_.frame(), menu, item, 3, game_.commandBar()))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "menu " << menu << " did not open to choose item " << item;
    }
};

RECT WindowBounds(HWND window)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds;
}

TEST_F(Handheld, DeviceFrameHoldsTheCommandBarOverTheSixteenBySixteenBoard)
{
    StartGame();
    EXPECT_EQ(e2e::WindowText(game_.frame()), "Quenlark");
    // The screen of the device above its 26-pixel task bar, with no caption.
    const RECT frame = WindowBounds(game_.frame());
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, 240);
    EXPECT_EQ(frame.bottom, 320 - 26);
    EXPECT_EQ(GetWindowLongPtrA(game_.frame(), GWL_STYLE) & WS_CAPTION, 0);

    HWND bar = game_.commandBar();
    ASSERT_NE(bar, nullptr) << "no command bar";
    const RECT barBounds = WindowBounds(bar);
    EXPECT_EQ(barBounds.top, frame.top);
    EXPECT_EQ(barBounds.bottom - barBounds.top, 26);
    EXPECT_EQ(barBounds.right - barBounds.left, 240);

    // The view right under the bar, without a sunken edge or a border.
    EXPECT_EQ(WindowBounds(game_.view()).top, barBounds.bottom);
    EXPECT_EQ(game_.width(), 240);
    EXPECT_EQ(game_.height(), 268);
    EXPECT_FALSE(GetWindowLongPtrA(game_.view(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongPtrA(game_.view(), GWL_STYLE) & WS_BORDER);

    const BoardState board = ReadShown(2);
    EXPECT_EQ(board.layout.columns, 16);
    EXPECT_EQ(board.layout.rows, 16);
    EXPECT_EQ(board.layout.originX, 0);
    EXPECT_EQ(board.layout.originY, 21);
    EXPECT_EQ(board.TileCount(), 256);
    EXPECT_TRUE(ViewShows(board));
}

TEST_F(Handheld, ATapOnTheTopLeftCellActsAsAClick)
{
    StartGame();
    BoardState board = ReadShown(2);
    // A board whose top-left tile has a neighbour of its colour, so that the
    // tap has a group to select: new games until one comes (a new second
    // gives a new board).
    for (int tries = 0; tries < 12 && board.ColourAt(0, 0) != board.ColourAt(1, 0) &&
                        board.ColourAt(0, 0) != board.ColourAt(0, 1);
         ++tries) {
        Sleep(1000);
        ASSERT_TRUE(game_.Command(IdNewGame));
        board = ReadShown(2);
    }
    ASSERT_TRUE(board.ColourAt(0, 0) == board.ColourAt(1, 0) || board.ColourAt(0, 0) == board.ColourAt(0, 1))
        << "no board with a group in its top-left corner came";

    GameModel model(board, 2, false);
    // The tile's own top-left pixel, through the system's input path.
    e2e::ClickAt(e2e::ScreenPoint(game_.view(), board.layout.originX, board.layout.originY));
    model.Click(board.layout.originX, board.layout.originY);
    const BoardState selected = model.State();
    ASSERT_TRUE(selected.selected[0]);
    EXPECT_TRUE(ViewShows(selected, DefaultTheme, false, "tapped"));
}

// The OK that the About box carries in its caption, found in the caption's
// picture: the leftmost stretch of button face, on the first caption row that
// has one (above the button's text).
POINT CaptionOkButton(HWND dialog)
{
    RECT window{};
    GetWindowRect(dialog, &window);
    POINT client{0, 0};
    ClientToScreen(dialog, &client);
    const int captionTop = window.top + GetSystemMetrics(SM_CYDLGFRAME);
    const e2e::ScreenPicture caption =
        e2e::ScreenPicture::Capture(window.left, captionTop, window.right - window.left, client.y - captionTop);
    const e2e::Rgb face = e2e::FromColorRef(GetSysColor(COLOR_BTNFACE));
    for (int y = 0; y < caption.height(); ++y) {
        for (int x = 0; x < caption.width(); ++x) {
            int end = x;
            while (end < caption.width() && caption.At(end, y) == face)
                ++end;
            if (end - x >= 12)
                return {window.left + (x + end) / 2, (captionTop + client.y) / 2};
            x = end;
        }
    }
    return {-1, -1};
}

TEST_F(Handheld, CommandBarReachesEveryCommand)
{
    StartGame();
    const BoardState start = ReadShown(2);
    GameModel model(start, 2, false);

    // Theme: each item recolours the board.
    for (const auto& [item, theme] : {std::pair<size_t, const Theme*>{1, &LondonTheme}, {2, &RattlesnakeTheme},
                                      {0, &DefaultTheme}}) {
        ASSERT_TRUE(Choose(2, item));
        EXPECT_TRUE(ViewShows(start, *theme, false, theme->name));
    }

    // Edit > Undo takes back a removal.
    const int group = FindGroup(start);
    ASSERT_GE(group, 0);
    Click(model, group);
    ASSERT_TRUE(ViewShows(Click(model, group), DefaultTheme, false, "removed"));
    ASSERT_TRUE(Choose(1, 0));
    EXPECT_TRUE(ViewShows(start, DefaultTheme, false, "undone"));

    // Edit > Settings ... and Edit > About ..., closed by its caption OK.
    ASSERT_TRUE(Choose(1, 1));
    HWND settings = game_.WaitForDialog("Settings");
    ASSERT_NE(settings, nullptr);
    PostMessageA(settings, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Closes(settings));
    ASSERT_TRUE(Choose(1, 2));
    HWND about = game_.WaitForDialog("About Quenlark");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetDlgItem(about, IDOK), nullptr) << "an OK button among the controls";
    // The caption is drawn a moment after the dialog appears.
    POINT ok{-1, -1};
    e2e::WaitUntil([&] { return (ok = CaptionOkButton(about)).x >= 0; }, 5000);
    ASSERT_GE(ok.x, 0) << "no OK in the caption";
    e2e::ClickAt(ok);
    EXPECT_TRUE(Closes(about));

    // File > Scores, File > New Game, File > Exit.
    ASSERT_TRUE(Choose(0, 1));
    HWND scores = game_.WaitForDialog("High Score Table");
    ASSERT_NE(scores, nullptr);
    PostMessageA(scores, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Closes(scores));
    Sleep(1000);  // a new second: a new board
    const e2e::ScreenPicture before = game_.SettledView();
    ASSERT_TRUE(Choose(0, 0));
    EXPECT_TRUE(e2e::WaitUntil([&] { return game_.View() != before; }, 3000)) << "New Game changed nothing";
    ASSERT_TRUE(Choose(0, 2));
    DWORD exitCode = 1;
    EXPECT_TRUE(game_.process().WaitForExit(10000, &exitCode)) << "Exit did not end the program";
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(Handheld, CloseButtonOfTheCommandBarEndsTheProgram)
{
    StartGame();
    // The bar shows File, Edit, Theme and, at its right end, the close button.
    const std::vector<POINT> buttons = e2e::MenuBarCaptions(game_.frame(), game_.commandBar());
    ASSERT_EQ(buttons.size(), 4u);
    e2e::ClickAt(buttons.back());
    DWORD exitCode = 1;
    EXPECT_TRUE(game_.process().WaitForExit(10000, &exitCode)) << "the close button did not end the program";
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(Handheld, ProfileLiesApartFromTheDesktopBuilds)
{
    const std::string desktopSettings = std::string(DesktopProfileKey) + "\\settings";
    ASSERT_TRUE(e2e::SetRegistryDword(HKEY_CURRENT_USER, desktopSettings, "gamesize", 0));
    SetSetting("gamesize", 1);

    StartGame();
    GameModel model(ReadShown(1), 1, false);
    EXPECT_TRUE(ViewShows(model.State(), DefaultTheme, false, "medium")) << "not laid out from its own profile";
    game_.PostCommand(IdSettings);
    HWND dialog = game_.WaitForDialog("Settings");
    ASSERT_NE(dialog, nullptr);
    SendMessageTimeoutA(GetDlgItem(dialog, 1007), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    e2e::PressDialogButton(dialog, IDOK);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, SectionKey("settings"), "gamesize"), 2u);
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, desktopSettings, "gamesize"), 0u);
    game_.process().Close();

    // The desktop build reads its own: Compact.
    const char* desktopProgram = std::getenv("QUENLARK_DESKTOP_EXE");
    ASSERT_NE(desktopProgram, nullptr) << "QUENLARK_DESKTOP_EXE is not set";
    QuenlarkGame desktop;
    std::string error;
    ASSERT_TRUE(desktop.StartProgram(desktopProgram, &error)) << error;
    BoardState compact;
    std::string problem;
    EXPECT_TRUE(desktop.Read(0, DefaultTheme, &compact, &problem)) << problem;
}

}  // namespace
}  // namespace game
