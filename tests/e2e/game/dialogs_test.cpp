// The game's three dialogs worked through their windows: Settings (what it
// shows, what a confirmed choice changes at once and what waits for the next
// game, what Escape and the close box leave alone), the High Score Table read
// from its list control, and the About box.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "dialog_text.h"
#include "game_fixture.h"
#include "real_input.h"

namespace game {
namespace {

// Controls of the Settings dialog and the High Score Table.
constexpr int IdcSquare = 1000, IdcCircle = 1001, IdcTwoClicks = 1002, IdcOneClick = 1003;
constexpr int IdcCompact = 1005, IdcMedium = 1006, IdcMaximum = 1007;
constexpr int IdcScoreList = 1013;
const char* const SizeNote = "Please note: The game size setting will only take affect in the next game";

class Dialogs : public GameTest {
protected:
    HWND Open(unsigned command, const char* caption)
    {
        game_.PostCommand(command);
        return game_.WaitForDialog(caption);
    }

    // The radio buttons of the Settings dialog that show checked, in id order.
    static std::vector<int> CheckedButtons(HWND dialog)
    {
        std::vector<int> checked;
        for (int id : {IdcSquare, IdcCircle, IdcTwoClicks, IdcOneClick, IdcCompact, IdcMedium, IdcMaximum}) {
            DWORD_PTR state = 0;
            SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
            if (state == BST_CHECKED)
                checked.push_back(id);
        }
        return checked;
    }

    // A click on a radio button, as the button takes it.
    static void Choose(HWND dialog, int id)
    {
        SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    }

    ::testing::AssertionResult Confirm(HWND dialog)
    {
        e2e::PressDialogButton(dialog, IDOK);
        return Closes(dialog);
    }

    // Escape, typed into the dialog as the player would.
    ::testing::AssertionResult Escape(HWND dialog)
    {
        e2e::BringToFront(dialog);
        e2e::PressKeys({VK_ESCAPE});
        return Closes(dialog);
    }

    ::testing::AssertionResult CloseBox(HWND dialog)
    {
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        return Closes(dialog);
    }

    // The three settings as stored: oneclick, gamesize, style.
    static std::vector<std::optional<DWORD>> StoredSettings()
    {
        std::vector<std::optional<DWORD>> values;
        for (const char* name : {"oneclick", "gamesize", "style"})
            values.push_back(e2e::ReadRegistryDword(HKEY_CURRENT_USER, SectionKey("settings"), name));
        return values;
    }

    // A group removed and another selected, so there is a score and a selection.
    BoardState ScoreAndSelect(GameModel& model)
    {
        const int removed = FindGroup(model.State());
        EXPECT_GE(removed, 0);
        Click(model, removed);
        Click(model, removed);
        const int selected = FindGroup(model.State(), true);
        EXPECT_GE(selected, 0);
        return Click(model, selected);
    }
};

using Settings = Dialogs;
using Scores = Dialogs;
using About = Dialogs;

TEST_F(Settings, ShowsTheStoredValuesAndEscapeOrTheCloseBoxWritesNothing)
{
    SetSetting("oneclick", 1);
    SetSetting("gamesize", 1);
    SetSetting("style", 1);
    StartGame();
    const e2e::ScreenPicture before = game_.SettledView();
    const auto stored = StoredSettings();

    for (const bool byEscape : {true, false}) {
        SCOPED_TRACE(byEscape ? "Escape" : "close box");
        HWND dialog = Open(IdSettings, "Settings");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(CheckedButtons(dialog), (std::vector<int>{IdcCircle, IdcOneClick, IdcMedium}));
        Choose(dialog, IdcSquare);
        Choose(dialog, IdcTwoClicks);
        Choose(dialog, IdcCompact);
        ASSERT_EQ(CheckedButtons(dialog), (std::vector<int>{IdcSquare, IdcTwoClicks, IdcCompact}));
        ASSERT_TRUE(byEscape ? Escape(dialog) : CloseBox(dialog));
        EXPECT_EQ(StoredSettings(), stored);
        EXPECT_TRUE(game_.ViewStays(before)) << game_.View().Difference(before);
    }
}

TEST_F(Settings, ValuesOutsideTheirGroupsShowUncheckedAndAreStoredAsMinusOne)
{
    SetSetting("gamesize", 7);
    SetSetting("style", 0xFFFFFFFF);
    StartGame();
    HWND dialog = Open(IdSettings, "Settings");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(CheckedButtons(dialog), std::vector<int>{IdcTwoClicks});
    ASSERT_TRUE(Confirm(dialog));
    EXPECT_EQ(StoredSettings(), (std::vector<std::optional<DWORD>>{0u, 0xFFFFFFFFu, 0xFFFFFFFFu}));

    // Still playable: a size of -1 lays out like Maximum, a style of -1 draws circles.
    GameModel model(ReadShown(-1), -1, false);
    ASSERT_TRUE(ViewShows(model.State(), DefaultTheme, true, "start"));
    const BoardState selected = ScoreAndSelect(model);
    EXPECT_TRUE(ViewShows(selected, DefaultTheme, true, "played"));
}

TEST_F(Settings, ClickModeAloneChangesTheNextClickAndNothingOnScreen)
{
    StartGame();
    const BoardState start = ReadShown(2);
    const e2e::ScreenPicture before = game_.SettledView();
    HWND dialog = Open(IdSettings, "Settings");
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, IdcOneClick);
    ASSERT_TRUE(Confirm(dialog));
    EXPECT_EQ(StoredSettings(), (std::vector<std::optional<DWORD>>{1u, 2u, 0u}));
    EXPECT_TRUE(game_.ViewStays(before)) << game_.View().Difference(before);

    GameModel model(start, 2, true);
    const int group = FindGroup(start);
    ASSERT_GE(group, 0);
    const BoardState after = Click(model, group);
    EXPECT_LT(after.TileCount(), start.TileCount()) << "one click did not clear the group";
    EXPECT_TRUE(ViewShows(after, DefaultTheme, false, "after"));
}

TEST_F(Settings, TileStyleAloneRedrawsAtOnceKeepingSelectionAndScore)
{
    StartGame();
    GameModel model(ReadShown(2), 2, false);
    const BoardState played = ScoreAndSelect(model);
    ASSERT_GT(played.score, 0u);
    ASSERT_TRUE(ViewShows(played, DefaultTheme, false, "squares"));
    HWND dialog = Open(IdSettings, "Settings");
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, IdcCircle);
    ASSERT_TRUE(Confirm(dialog));
    EXPECT_TRUE(ViewShows(played, DefaultTheme, true, "circles"));
}

TEST_F(Settings, NewSizeTakesEffectAtOnceOnlyBeforeTheFirstClick)
{
    StartGame();
    const e2e::ScreenPicture maximum = game_.SettledView();

    // Before any click: a Compact board at once, with a score of 0.
    HWND dialog = Open(IdSettings, "Settings");
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, IdcCompact);
    ASSERT_TRUE(Confirm(dialog));
    ASSERT_TRUE(e2e::WaitUntil([&] { return game_.View() != maximum; }, 3000)) << "no new board";
    const BoardState compact = ReadShown(0);
    EXPECT_EQ(compact.TileCount(), compact.layout.Cells());
    ASSERT_TRUE(ViewShows(compact, DefaultTheme, false, "compact"));

    // After a click: the note, and the board stays.
    GameModel model(compact, 0, false);
    const int group = FindGroup(compact);
    ASSERT_GE(group, 0);
    const BoardState selected = Click(model, group);
    dialog = Open(IdSettings, "Settings");
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, IdcMedium);
    ASSERT_TRUE(Confirm(dialog));
    HWND note = game_.WaitForMessageBox(10000);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(e2e::WindowText(note), "Quenlark");
    EXPECT_EQ(e2e::MessageBoxText(note), SizeNote);
    e2e::PressDialogButton(note, IDOK);
    ASSERT_TRUE(Closes(note));
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, SectionKey("settings"), "gamesize"), 1u);
    EXPECT_TRUE(ViewShows(selected, DefaultTheme, false, "kept"));

    // Reopened, the dialog shows the size waiting for the next game; choosing
    // the size in play again needs no note.
    dialog = Open(IdSettings, "Settings");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(CheckedButtons(dialog), (std::vector<int>{IdcSquare, IdcTwoClicks, IdcMedium}));
    Choose(dialog, IdcCompact);
    ASSERT_TRUE(Confirm(dialog));
    EXPECT_EQ(game_.WaitForMessageBox(1000), nullptr) << "a note for the size in play";
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, SectionKey("settings"), "gamesize"), 0u);

    // Medium once more; New Game then lays it out.
    dialog = Open(IdSettings, "Settings");
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, IdcMedium);
    ASSERT_TRUE(Confirm(dialog));
    note = game_.WaitForMessageBox(10000);
    ASSERT_NE(note, nullptr);
    e2e::PressDialogButton(note, IDOK);
    ASSERT_TRUE(Closes(note));
    EXPECT_TRUE(ViewShows(selected, DefaultTheme, false, "kept-again"));
    ASSERT_TRUE(game_.Command(IdNewGame));
    const BoardState next = ReadShown(1);
    EXPECT_EQ(next.TileCount(), next.layout.Cells());
    EXPECT_TRUE(ViewShows(next, DefaultTheme, false, "next-game"));
}

TEST_F(Scores, TableShowsTheStoredScoresAndNothingOfTheGameInPlay)
{
    // Only the Medium table exists; the other two read as zeros.
    ASSERT_TRUE(e2e::SetRegistryDword(HKEY_CURRENT_USER, HighScoreKey(1), "score1", 0xFFFFFFFF));
    ASSERT_TRUE(e2e::SetRegistryDword(HKEY_CURRENT_USER, HighScoreKey(1), "score2", 2147483648u));
    ASSERT_TRUE(e2e::SetRegistryDword(HKEY_CURRENT_USER, HighScoreKey(1), "score3", 45));
    StartGame();
    GameModel model(ReadShown(2), 2, false);
    const BoardState played = ScoreAndSelect(model);
    ASSERT_GT(played.score, 0u);
    const e2e::ScreenPicture before = game_.SettledView();

    HWND dialog = Open(IdScores, "High Score Table");
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, IdcScoreList);
    ASSERT_NE(list, nullptr);
    const char* const headings[] = {"Compact", "Medium", "Maximum"};
    for (int column = 0; column < 3; ++column) {
        e2e::ListViewColumn shown;
        ASSERT_TRUE(e2e::ReadListViewColumn(list, column, &shown)) << "column " << column;
        EXPECT_EQ(shown.heading, headings[column]);
        EXPECT_EQ(shown.width, 71) << headings[column];
        EXPECT_EQ(shown.format, LVCFMT_CENTER) << headings[column];
    }
    ASSERT_EQ(e2e::ListViewRowCount(list), 3);
    const std::vector<std::vector<std::string>> expected = {
        {"0", "4294967295", "0"}, {"0", "2147483648", "0"}, {"0", "45", "0"}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(e2e::ListViewCell(list, row, column), expected[row][column])
                << "rank " << row + 1 << ", " << headings[column];

    ASSERT_TRUE(Escape(dialog));
    EXPECT_TRUE(game_.ViewStays(before)) << game_.View().Difference(before);
    EXPECT_FALSE(e2e::RegistryKeyExists(HKEY_CURRENT_USER, SectionKey("settings")));
    EXPECT_FALSE(e2e::RegistryKeyExists(HKEY_CURRENT_USER, HighScoreKey(2)));
    EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, HighScoreKey(1), "score3"), 45u);
}

// The picture of the game's icon 128 at 32 x 32 on the dialog's face colour,
// drawn here from the program file.
e2e::ScreenPicture GameIconPicture()
{
    e2e::ScreenPicture picture;
    HMODULE module = LoadLibraryExA(QuenlarkGame::ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return picture;
    HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(MenuResource), IMAGE_ICON, 32, 32, 0));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, 32, 32};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (icon)
        DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    picture = e2e::ScreenPicture::FromDC(dc, 32, 32);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    if (icon)
        DestroyIcon(icon);
    FreeLibrary(module);
    return picture;
}

TEST_F(About, ShowsIconNameVersionAndMakerCentredOverTheFrame)
{
    StartGame();
    GameModel model(ReadShown(2), 2, false);
    ScoreAndSelect(model);
    const e2e::ScreenPicture before = game_.SettledView();

    HWND dialog = Open(IdAppAbout, "About Quenlark");
    ASSERT_NE(dialog, nullptr);
    std::vector<HWND> statics;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        statics.push_back(child);
    ASSERT_EQ(statics.size(), 4u) << "icon and three lines, no buttons";
    EXPECT_EQ(e2e::WindowText(statics[1]), "Quenlark Version 1.2");
    EXPECT_FALSE(e2e::WindowText(statics[2]).empty()) << "the notice line";
    EXPECT_EQ(e2e::WindowText(statics[3]), "Zandravex Software");

    // The icon as the program file holds it, at the top left of the box.
    RECT iconBounds{};
    GetWindowRect(statics[0], &iconBounds);
    const e2e::ScreenPicture expectedIcon = GameIconPicture();
    ASSERT_FALSE(expectedIcon.empty()) << "no icon 128 in the program file";
    EXPECT_TRUE(e2e::WaitUntil(
        [&] { return e2e::ScreenPicture::Capture(iconBounds.left, iconBounds.top, 32, 32) == expectedIcon; }, 3000))
        << e2e::ScreenPicture::Capture(iconBounds.left, iconBounds.top, 32, 32).Difference(expectedIcon);

    RECT box{}, frame{};
    GetWindowRect(dialog, &box);
    GetWindowRect(game_.frame(), &frame);
    EXPECT_LE(std::abs((box.left + box.right) - (frame.left + frame.right)), 2) << "not centred across";
    EXPECT_LE(std::abs((box.top + box.bottom) - (frame.top + frame.bottom)), 2) << "not centred down";

    ASSERT_TRUE(CloseBox(dialog));
    EXPECT_TRUE(game_.ViewStays(before)) << game_.View().Difference(before);
    EXPECT_FALSE(e2e::RegistryKeyExists(HKEY_CURRENT_USER, SectionKey("settings")));
}

}  // namespace
}  // namespace game
