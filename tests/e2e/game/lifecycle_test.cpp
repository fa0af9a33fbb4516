// What both builds of the game do alike at the edges of play: the Undo keys
// and the keys bound to nothing, Exit, and a close request while a modal box
// is up.

#include <gtest/gtest.h>

#include <string>

#include "dialog_text.h"
#include "game_fixture.h"
#include "real_input.h"

namespace game {
namespace {

using Lifecycle = GameTest;

TEST_F(Lifecycle, UndoKeysUndoARemovalAndTheOtherKeysDoNothing)
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
    e2e::PressKeys({VK_CONTROL, 'N'});
    e2e::PressKeys({VK_CONTROL, 'O'});
    e2e::PressKeys({VK_CONTROL, 'S'});
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

TEST_F(Lifecycle, ExitEndsTheProgramAndKeepsNothingOfTheGame)
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
TEST_F(Lifecycle, ClosingUnderAModalBoxEndsTheProgramCleanly)
{
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
