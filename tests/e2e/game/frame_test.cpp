// The desktop build's main frame: title, menu and accelerator resources, the
// view's window, and the grey state of Undo seen in the opened Edit menu.

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

}  // namespace
}  // namespace game
