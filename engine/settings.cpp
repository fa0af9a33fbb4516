#include "board.h"
#include "profile_names.h"

namespace {
const TextChar* const SizeChangeNote =
    QTEXT("Please note: The game size setting will only take affect in the next game");
}  // namespace

GameSettings ReadSettings(BoardPlatform& platform)
{
    GameSettings stored;
    stored.oneClick = platform.GetProfileInt(profile::Settings, profile::OneClick, profile::DefaultOneClick);
    stored.gameSize = platform.GetProfileInt(profile::Settings, profile::GameSizeKey, profile::DefaultGameSize);
    stored.tileStyle = platform.GetProfileInt(profile::Settings, profile::Style, profile::DefaultStyle);
    return stored;
}

void ApplySettings(Board& board, BoardPlatform& platform, const GameSettings& chosen, bool viewReady)
{
    platform.WriteProfileInt(profile::Settings, profile::OneClick, chosen.oneClick);
    platform.WriteProfileInt(profile::Settings, profile::GameSizeKey, chosen.gameSize);
    platform.WriteProfileInt(profile::Settings, profile::Style, chosen.tileStyle);

    // The next click follows the click mode as stored.
    board.oneClick = static_cast<std::uint32_t>(
        platform.GetProfileInt(profile::Settings, profile::OneClick, profile::DefaultOneClick));

    const std::int32_t oldStyle = board.tileStyle;
    board.tileStyle = chosen.tileStyle;
    if (board.tileStyle != oldStyle)
        platform.RepaintNow();

    if (chosen.gameSize == board.gameSize)
        return;
    // Once the player has clicked, the board in play is kept until the next new game.
    if (board.clickSeen != 0)
        platform.ShowMessage(SizeChangeNote);
    else
        NewGame(board, platform, viewReady);
}
