#pragma once
// Test fixture: a fresh Quenlark in this session's empty registry, with the
// settings a test writes first, in the paint path the test names.

#include <gtest/gtest.h>

#include <string>

#include "board_state.h"
#include "dialog_text.h"
#include "game_model.h"
#include "game_facts.h"
#include "quenlark_game.h"
#include "reference_view.h"
#include "registry_values.h"

namespace game {

class GameTest : public ::testing::Test {
protected:
public:
    // ViewShows for helpers outside the fixture.
    ::testing::AssertionResult ViewShowsFor(const BoardState& board, const Theme& theme, bool circles,
                                            const char* label)
    {
        return ViewShows(board, theme, circles, label);
    }

protected:
    // The window (a dialog or box of the game) goes away, and the game has
    // finished what its closing started (settings are written after a dialog
    // ends), so the registry and the view can be read.
    ::testing::AssertionResult Closes(HWND window)
    {
        if (!e2e::WaitUntil([&] { return !IsWindow(window); }, 5000))
            return ::testing::AssertionFailure() << "\"" << e2e::WindowText(window) << "\" stayed open";
        if (!game_.Idle())
            return ::testing::AssertionFailure() << "the game did not answer after the window closed";
        return ::testing::AssertionSuccess();
    }

    // Settings as the game reads them at start; call before StartGame.
    static void SetSetting(const char* name, DWORD value)
    {
        ASSERT_TRUE(e2e::SetRegistryDword(HKEY_CURRENT_USER, SectionKey("settings"), name, value));
    }

    // paint: "steps" or "fast"; empty keeps what QUENLARK_PAINT of the test says.
    void StartGame(const std::string& paint = "")
    {
        std::string error;
        ASSERT_TRUE(game_.Start(paint, &error)) << error;
    }

    // Reads the board; fails the test when the picture shows no such board.
    BoardState ReadShown(int gameSize, const Theme& theme = DefaultTheme, unsigned score = 0)
    {
        BoardState board;
        std::string problem;
        EXPECT_TRUE(game_.Read(gameSize, theme, &board, &problem)) << problem;
        board.score = score;
        return board;
    }

    // The view equals the reference picture of `board`; keeps both pictures
    // as artifacts when it does not.
    ::testing::AssertionResult ViewShows(const BoardState& board, const Theme& theme = DefaultTheme,
                                         bool circles = false, const char* label = "view")
    {
        const e2e::ScreenPicture expected =
            DrawReferenceView(game_.width(), game_.height(), board, theme, circles);
        if (game_.ViewBecomes(expected))
            return ::testing::AssertionSuccess();
        const e2e::ScreenPicture shown = game_.View();
        e2e::SaveArtifact(shown, std::string(label) + "-shown");
        e2e::SaveArtifact(expected, std::string(label) + "-expected");
        return ::testing::AssertionFailure()
               << label << " differs from the expected picture: " << shown.Difference(expected);
    }

    // A sent click on a cell, replayed on the model; the model's board after it.
    BoardState Click(GameModel& model, int index)
    {
        const BoardLayout& layout = model.State().layout;
        EXPECT_TRUE(game_.ClickCell(layout, index)) << "the game did not answer a click";
        model.Click(layout.CentreX(index % layout.columns), layout.CentreY(index / layout.columns));
        return model.State();
    }

    // Plays two-click moves on the first group from the top until the model
    // says the next removal ends the game; `checkEachMove` compares the view
    // with the model after every removal. Returns the cell of the last group.
    int PlayUntilLastMove(GameModel& model, const Theme& theme, bool circles, bool checkEachMove)
    {
        for (int moves = 0;; ++moves) {
            const BoardState board = model.State();
            const int group = FindGroup(board);
            if (group < 0) {
                ADD_FAILURE() << "no group left before the game ended";
                return -1;
            }
            // Would removing this group end the game?
            GameModel trial = model;
            const BoardLayout& layout = board.layout;
            const int x = layout.CentreX(group % layout.columns);
            const int y = layout.CentreY(group / layout.columns);
            trial.Click(x, y);
            trial.Click(x, y);
            if (!trial.MoveLeft())
                return group;
            Click(model, group);
            const BoardState after = Click(model, group);
            if (::testing::Test::HasFailure())
                return -1;
            if (checkEachMove) {
                const auto shown = ViewShows(after, theme, circles, "move");
                if (!shown) {
                    ADD_FAILURE() << "after move " << moves << ": " << shown.message();
                    return -1;
                }
            }
        }
    }

    // Plays the game to its end and closes the end-of-game message box;
    // returns the box's text ("" when none appeared).
    std::string PlayToTheEnd(GameModel& model, bool circles)
    {
        const int last = PlayUntilLastMove(model, DefaultTheme, circles, false);
        if (last < 0)
            return {};
        Click(model, last);
        const BoardLayout layout = model.State().layout;
        model.Click(layout.CentreX(last % layout.columns), layout.CentreY(last / layout.columns));
        game_.PostClickCell(layout, last);
        HWND box = game_.WaitForMessageBox(10000);
        if (!box) {
            ADD_FAILURE() << "no message box at the end of the game";
            return {};
        }
        const std::string text = e2e::MessageBoxText(box);
        e2e::PressDialogButton(box, IDOK);
        EXPECT_TRUE(Closes(box));
        return text;
    }

    QuenlarkGame game_;
};

}  // namespace game
