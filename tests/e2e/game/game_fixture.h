#pragma once
// Test fixture: a fresh Quenlark in this session's empty registry, with the
// settings a test writes first, in the paint path the test names.

#include <gtest/gtest.h>

#include <string>

#include "board_state.h"
#include "game_model.h"
#include "game_facts.h"
#include "quenlark_game.h"
#include "reference_view.h"
#include "registry_values.h"

namespace game {

class GameTest : public ::testing::Test {
protected:
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

    QuenlarkGame game_;
};

}  // namespace game
