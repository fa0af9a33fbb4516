#pragma once
// What the game shows the world: command ids, registry places, theme colours.
// Written down here from the game's description, not taken from its sources,
// so that a wrong id or colour in the game fails the tests.

#include <cstdlib>
#include <cstring>
#include <string>

#include "screen_picture.h"

namespace game {

constexpr unsigned MenuResource = 128;
constexpr int ViewId = 59648;

constexpr unsigned IdNewGame = 32771;
constexpr unsigned IdScores = 32772;
constexpr unsigned IdSettings = 32773;
constexpr unsigned IdThemeDefault = 32774;
constexpr unsigned IdThemeLondon = 32775;
constexpr unsigned IdThemeRattlesnake = 32776;
constexpr unsigned IdEditCopy = 57634;
constexpr unsigned IdEditCut = 57635;
constexpr unsigned IdEditPaste = 57637;
constexpr unsigned IdEditUndo = 57643;
constexpr unsigned IdAppAbout = 57664;
constexpr unsigned IdAppExit = 57665;
constexpr unsigned IdNextPane = 57680;
constexpr unsigned IdPrevPane = 57681;

constexpr int CommandBarId = 59392;

const char* const Title = "Quenlark";
const char* const DesktopProfileKey = "Software\\Local AppWizard-Generated Applications\\Quenlark";
const char* const HandheldProfileKey = "Software\\Zandravex\\Quenlark";

// The build under test: QUENLARK_TARGET=handheld names the handheld build,
// anything else the desktop build.
inline bool HandheldUnderTest()
{
    const char* target = std::getenv("QUENLARK_TARGET");
    return target != nullptr && std::strcmp(target, "handheld") == 0;
}
inline std::string ProfileKey() { return HandheldUnderTest() ? HandheldProfileKey : DesktopProfileKey; }
inline std::string SectionKey(const std::string& section) { return ProfileKey() + "\\" + section; }
inline std::string HighScoreKey(int gameSize) { return SectionKey("hiscore" + std::to_string(gameSize)); }

struct Theme {
    const char* name;
    unsigned command;
    e2e::Rgb colours[4];
};

constexpr Theme DefaultTheme = {"Default", IdThemeDefault,
    {e2e::MakeRgb(255, 99, 0), e2e::MakeRgb(255, 206, 0), e2e::MakeRgb(0, 128, 255), e2e::MakeRgb(90, 128, 57)}};
constexpr Theme LondonTheme = {"London", IdThemeLondon,
    {e2e::MakeRgb(0, 0, 255), e2e::MakeRgb(255, 0, 0), e2e::MakeRgb(255, 255, 255), e2e::MakeRgb(255, 255, 55)}};
constexpr Theme RattlesnakeTheme = {"Rattlesnake", IdThemeRattlesnake,
    {e2e::MakeRgb(239, 214, 132), e2e::MakeRgb(173, 107, 57), e2e::MakeRgb(165, 140, 107),
     e2e::MakeRgb(255, 255, 255)}};

}  // namespace game
