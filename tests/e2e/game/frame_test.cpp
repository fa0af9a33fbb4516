// The main frame: title, menu and accelerator resources, the view's window,
// the grey state of Undo seen in the opened Edit menu, the Undo keys, and the
// end of the program.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_text.h"
#include "game_fixture.h"
#include "menu_picture.h"
#include "menu_resource.h"
#include "real_input.h"

namespace game {
namespace {

using Frame = GameTest;

struct ExpectedItem {
    const char* caption;
    unsigned id;
};

TEST_F(Frame, TitleMenuAcceleratorsAndWindowsAreTheGames)
{
    StartGame();
    EXPECT_EQ(e2e::WindowText(game_.frame()), "Quenlark");

    std::vector<e2e::MenuEntry> menu;
    std::string error;
    ASSERT_TRUE(e2e::ReadMenuResource(QuenlarkGame::ProgramPath(), MenuResource, &menu, &error)) << error;
    const std::vector<std::pair<const char*, std::vector<ExpectedItem>>> expected = {
        {"&File", {{"New Game", IdNewGame}, {"Scores", IdScores}, {"Exit", IdAppExit}}},
        {"&Edit", {{"Undo", IdEditUndo}, {"Settings ...", IdSettings}, {"About ...", IdAppAbout}}},
        {"T&heme",
         {{"Default", IdThemeDefault}, {"&London", IdThemeLondon}, {"&Rattlesnake", IdThemeRattlesnake}}}};
    ASSERT_EQ(menu.size(), expected.size());
    for (size_t m = 0; m < expected.size(); ++m) {
        EXPECT_EQ(menu[m].caption, expected[m].first);
        ASSERT_EQ(menu[m].items.size(), expected[m].second.size()) << menu[m].caption;
        for (size_t i = 0; i < expected[m].second.size(); ++i) {
            const e2e::MenuEntry& item = menu[m].items[i];
            EXPECT_EQ(item.caption, expected[m].second[i].caption);
            EXPECT_EQ(item.id, expected[m].second[i].id) << item.caption;
            EXPECT_FALSE(item.separator || item.checked || item.greyed) << item.caption;
            EXPECT_TRUE(item.items.empty()) << item.caption;
        }
    }

    std::vector<e2e::AcceleratorEntry> keys;
    ASSERT_TRUE(e2e::ReadAcceleratorResource(QuenlarkGame::ProgramPath(), MenuResource, &keys, &error))
        << error;
    auto command = [&](unsigned char modifiers, unsigned short key) {
        for (const auto& entry : keys)
            if (entry.flags == (FVIRTKEY | modifiers) && entry.key == key)
                return static_cast<unsigned>(entry.command);
        return 0u;
    };
    EXPECT_EQ(command(FCONTROL, 'Z'), IdEditUndo);
    EXPECT_EQ(command(FALT, VK_BACK), IdEditUndo);
    EXPECT_EQ(command(FCONTROL, 'C'), IdEditCopy);
    EXPECT_EQ(command(FCONTROL, VK_INSERT), IdEditCopy);
    EXPECT_EQ(command(FCONTROL, 'V'), IdEditPaste);
    EXPECT_EQ(command(FSHIFT, VK_INSERT), IdEditPaste);
    EXPECT_EQ(command(FCONTROL, 'X'), IdEditCut);
    EXPECT_EQ(command(FSHIFT, VK_DELETE), IdEditCut);
    EXPECT_EQ(command(0, VK_F6), IdNextPane);
    EXPECT_EQ(command(FSHIFT, VK_F6), IdPrevPane);
    EXPECT_EQ(keys.size(), 10u);

    EXPECT_EQ(e2e::ReadStringResource(QuenlarkGame::ProgramPath(), 128), "Quenlark");
    EXPECT_EQ(e2e::ReadStringResource(QuenlarkGame::ProgramPath(), 57344), "Quenlark");

    // The view: a child with a sunken edge and no border, filling the frame's client area.
    const LONG_PTR style = GetWindowLongPtrA(game_.view(), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(game_.view(), GWL_EXSTYLE);
    EXPECT_TRUE((style & WS_CHILD) && (style & WS_VISIBLE));
    EXPECT_FALSE(style & WS_BORDER);
    EXPECT_TRUE(exStyle & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongPtrA(game_.frame(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT frameClient{}, viewBounds{};
    GetClientRect(game_.frame(), &frameClient);
    GetWindowRect(game_.view(), &viewBounds);
    const POINT frameOrigin = e2e::ScreenPoint(game_.frame(), 0, 0);
    EXPECT_EQ(viewBounds.left, frameOrigin.x);
    EXPECT_EQ(viewBounds.top, frameOrigin.y);
    EXPECT_EQ(viewBounds.right - viewBounds.left, frameClient.right);
    EXPECT_EQ(viewBounds.bottom - viewBounds.top, frameClient.bottom);
}

class Menus : public GameTest {
protected:
    // Every menu of the game holds three items.
    e2e::ScreenPicture OpenedMenu(size_t index) { return e2e::CaptureOpenedMenu(game_.frame(), index, 3); }

    // The look of Undo, the first item of the Edit menu opened by a real click.
    std::string UndoLook()
    {
        const e2e::ScreenPicture menu = OpenedMenu(1);
        if (menu.empty())
            return "no Edit menu";
        const auto looks = e2e::MenuItemLooks(menu);
        if (looks.size() != 3 || looks[1] != e2e::MenuItemLook::Enabled ||
            looks[2] != e2e::MenuItemLook::Enabled)
            return "an Edit menu of " + std::to_string(looks.size()) + " items";
        return e2e::LookName(looks[0]);
    }

    void RemoveAGroup(GameModel& model)
    {
        const int group = FindGroup(model.State());
        ASSERT_GE(group, 0);
        Click(model, group);
        Click(model, group);
    }
};

TEST_F(Menus, UndoIsGreyedExactlyWhileThereIsNothingToUndo)
{
    StartGame();
    GameModel model(ReadShown(2), 2, false);
    EXPECT_EQ(UndoLook(), "greyed") << "at start";
    RemoveAGroup(model);
    EXPECT_EQ(UndoLook(), "enabled") << "after a removal";
    ASSERT_TRUE(game_.Command(IdEditUndo));
    EXPECT_EQ(UndoLook(), "greyed") << "after Undo";
    RemoveAGroup(model);
    EXPECT_EQ(UndoLook(), "enabled") << "after another removal";
    ASSERT_TRUE(game_.Command(IdNewGame));
    EXPECT_EQ(UndoLook(), "greyed") << "after New Game";
}

TEST_F(Menus, UndoIsGreyedAfterAFinishedGame)
{
    SetSetting("gamesize", 0);
    StartGame();
    GameModel model(ReadShown(0), 0, false);
    const int last = PlayUntilLastMove(model, DefaultTheme, false, false);
    ASSERT_GE(last, 0);
    EXPECT_EQ(UndoLook(), "enabled") << "before the last move";
    Click(model, last);
    game_.PostClickCell(model.State().layout, last);
    HWND box = game_.WaitForMessageBox(10000);
    ASSERT_NE(box, nullptr);
    e2e::PressDialogButton(box, IDOK);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box); }, 5000));
    EXPECT_EQ(UndoLook(), "greyed") << "after the end of the game";
}

TEST_F(Menus, ThemeItemsCarryNoCheckMarkWhicheverThemeIsInForce)
{
    StartGame();
    const std::vector<int> editLefts = e2e::MenuItemInkLeft(OpenedMenu(1));
    ASSERT_EQ(editLefts.size(), 3u) << "Edit menu not read";
    const int captionsBegin = *std::min_element(editLefts.begin(), editLefts.end());
    for (unsigned theme : {IdThemeDefault, IdThemeLondon, IdThemeRattlesnake}) {
        ASSERT_TRUE(game_.Command(theme));
        const std::vector<int> themeLefts = e2e::MenuItemInkLeft(OpenedMenu(2));
        ASSERT_EQ(themeLefts.size(), 3u) << "Theme menu not read";
        for (size_t item = 0; item < themeLefts.size(); ++item)
            EXPECT_GE(themeLefts[item], captionsBegin - 3)
                << "ink left of the captions (a check mark?) on Theme item " << item
                << " with theme " << theme << " in force";
    }
}

TEST_F(Frame, UndoKeysUndoARemovalAndTheOtherKeysDoNothing)
{
    StartGame();
    const BoardState start = ReadShown(2);
    const e2e::ScreenPicture startPicture = game_.SettledView();
    GameModel model(start, 2, false);
    e2e::BringToFront(game_.frame());

    for (WORD modifier : {WORD{VK_CONTROL}, WORD{VK_MENU}}) {
        const int group = FindGroup(start);
        ASSERT_GE(group, 0);
        Click(model, group);
        const BoardState removed = Click(model, group);
        ASSERT_TRUE(ViewShows(removed, DefaultTheme, false, "removed"));
        if (modifier == VK_CONTROL)
            e2e::PressKeys({VK_CONTROL, 'Z'});
        else
            e2e::PressKeys({VK_MENU, VK_BACK});
        EXPECT_TRUE(game_.ViewBecomes(startPicture, 3000))
            << (modifier == VK_CONTROL ? "Ctrl+Z" : "Alt+Backspace") << " did not undo";
        model.UndoLast();
    }

    // With a removal to undo, none of the other keys of the table changes anything.
    const int group = FindGroup(start);
    Click(model, group);
    const BoardState removed = Click(model, group);
    ASSERT_TRUE(ViewShows(removed, DefaultTheme, false, "removed-again"));
    const e2e::ScreenPicture removedPicture = game_.SettledView();
    e2e::PressKeys({VK_CONTROL, 'C'});
    e2e::PressKeys({VK_CONTROL, 'V'});
    e2e::PressKeys({VK_CONTROL, 'X'});
    e2e::PressKeys({VK_CONTROL, VK_INSERT});
    e2e::PressKeys({VK_SHIFT, VK_INSERT});
    e2e::PressKeys({VK_SHIFT, VK_DELETE});
    e2e::PressKeys({VK_F6});
    e2e::PressKeys({VK_SHIFT, VK_F6});
    EXPECT_TRUE(game_.ViewStays(removedPicture, 600)) << game_.View().Difference(removedPicture);
    // Keys are still heard: a last Ctrl+Z undoes.
    e2e::PressKeys({VK_CONTROL, 'Z'});
    EXPECT_TRUE(game_.ViewBecomes(startPicture, 3000)) << "Ctrl+Z after the other keys did not undo";
}

TEST_F(Frame, ExitEndsTheProgramAndKeepsNothingOfTheGame)
{
    StartGame();
    GameModel model(ReadShown(2), 2, false);
    const int group = FindGroup(model.State());
    ASSERT_GE(group, 0);
    Click(model, group);
    Click(model, group);
    PostMessageA(game_.frame(), WM_COMMAND, IdAppExit, 0);
    DWORD exitCode = 1;
    ASSERT_TRUE(game_.process().WaitForExit(10000, &exitCode)) << "Exit did not end the program";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(game_.WaitForMessageBox(0), nullptr);
    // Nothing but what a game ending or the settings would write.
    EXPECT_FALSE(e2e::RegistryKeyExists(HKEY_CURRENT_USER, HighScoreKey(2)));
    EXPECT_FALSE(e2e::RegistryKeyExists(HKEY_CURRENT_USER, SectionKey("settings")));
}

// The program has ended on its own with exit code 0.
::testing::AssertionResult EndsCleanly(QuenlarkGame& game)
{
    DWORD exitCode = 1;
    if (!game.process().WaitForExit(15000, &exitCode))
        return ::testing::AssertionFailure() << "the program did not end";
    if (exitCode != 0)
        return ::testing::AssertionFailure() << "the program ended with code " << exitCode;
    return ::testing::AssertionSuccess();
}

// A close request while one of the game's modal boxes is up: the box goes,
// the program ends cleanly, and what was stored before stays.
TEST_F(Frame, ClosingUnderAModalBoxEndsTheProgramCleanly)
{
    // Wine's checking heap turns any use of freed memory into a fault.
    SetEnvironmentVariableA("WINEDEBUG", "-all,warn+heap");

    {
        SCOPED_TRACE("WM_CLOSE to the frame under the end-of-game message");
        SetSetting("gamesize", 0);
        StartGame();
        GameModel model(ReadShown(0), 0, false);
        const int last = PlayUntilLastMove(model, DefaultTheme, false, false);
        ASSERT_GE(last, 0);
        Click(model, last);
        const BoardLayout layout = model.State().layout;
        model.Click(layout.CentreX(last % layout.columns), layout.CentreY(last / layout.columns));
        game_.PostClickCell(layout, last);
        ASSERT_NE(game_.WaitForMessageBox(10000), nullptr);
        PostMessageA(game_.frame(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(EndsCleanly(game_));
        EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, HighScoreKey(0), "score1"), DWORD{model.Score()});
    }
    {
        SCOPED_TRACE("File > Exit posted under the Settings dialog");
        QuenlarkGame game;
        std::string error;
        ASSERT_TRUE(game.Start("", &error)) << error;
        game.PostCommand(IdSettings);
        HWND dialog = game.WaitForDialog("Settings");
        ASSERT_NE(dialog, nullptr);
        SendMessageTimeoutA(GetDlgItem(dialog, 1006), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        game.PostCommand(IdAppExit);
        EXPECT_TRUE(EndsCleanly(game));
        EXPECT_EQ(e2e::ReadRegistryDword(HKEY_CURRENT_USER, SectionKey("settings"), "gamesize"), 0u)
            << "the dialog was not confirmed";
    }
    {
        SCOPED_TRACE("taskkill under the High Score Table");
        QuenlarkGame game;
        std::string error;
        ASSERT_TRUE(game.Start("", &error)) << error;
        game.PostCommand(IdScores);
        ASSERT_NE(game.WaitForDialog("High Score Table"), nullptr);
        e2e::GuiProcess taskkill;
        ASSERT_TRUE(taskkill.Start("C:\\windows\\system32\\taskkill.exe", "/pid " + std::to_string(game.process().Id())))
            << taskkill.error();
        EXPECT_TRUE(EndsCleanly(game));
    }
}

}  // namespace
}  // namespace game
