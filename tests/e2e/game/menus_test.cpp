// The game's menus as the player sees them opened, on the desktop frame's
// menu bar or the handheld build's command bar: Undo greyed exactly while
// there is nothing to undo, and no check marks on the theme items.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_text.h"
#include "game_fixture.h"
#include "menu_picture.h"

namespace game {
namespace {

class Menus : public GameTest {
protected:
    // Every menu of the game holds three items. The handheld build shows
    // them on its command bar, the desktop build on the frame's menu bar.
    e2e::ScreenPicture OpenedMenu(size_t index)
    {
        return e2e::CaptureOpenedMenu(game_.frame(), index, 3, game_.commandBar());
    }

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
    ASSERT_TRUE(Closes(box));
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

}  // namespace
}  // namespace game
