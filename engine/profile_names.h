#pragma once
// Names in the profile store, shared by the engine and the shell.
#include "text.h"

namespace profile {
inline const TextChar* const Settings = QTEXT("settings");
inline const TextChar* const Style = QTEXT("style");
inline const TextChar* const OneClick = QTEXT("oneclick");
inline const TextChar* const GameSizeKey = QTEXT("gamesize");

constexpr int DefaultStyle = 0;
constexpr int DefaultOneClick = 0;
constexpr int DefaultGameSize = 2;

constexpr int HighScorePlaces = 3;

// The section of the high score table of one game size: "hiscore%d".
inline Text HighScoreSection(std::int32_t gameSize) { return FormatDecimal(QTEXT("hiscore%d"), gameSize); }
// The value of one place in that table, 1 the highest: "score%d".
inline Text ScoreKey(int place) { return FormatDecimal(QTEXT("score%d"), place); }
}  // namespace profile
