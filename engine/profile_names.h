#pragma once
// Names in the profile store, shared by the engine and the shell.
#include "text.h"

namespace profile {
inline const TextChar* const Settings = QTEXT("settings");
inline const TextChar* const Style = QTEXT("style");
inline const TextChar* const OneClick = QTEXT("oneclick");
inline const TextChar* const GameSizeKey = QTEXT("gamesize");
inline const TextChar* const HighScoreSection = QTEXT("hiscore%d");  // with the game size
inline const TextChar* const ScoreKey = QTEXT("score%d");            // with the place, 1..3

constexpr int DefaultStyle = 0;
constexpr int DefaultOneClick = 0;
constexpr int DefaultGameSize = 2;
}  // namespace profile
