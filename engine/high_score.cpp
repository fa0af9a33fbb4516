#include "board.h"
#include "profile_names.h"

namespace {

const TextChar* const FirstPlace = QTEXT("Game Over. Well done, you have the highest score of %d!");
const TextChar* const SecondPlace = QTEXT("Game Over. Well done, you have the 2nd highest score of %d!");
const TextChar* const ThirdPlace = QTEXT("Game Over. Well done, you have the 3rd highest score of %d!");
const TextChar* const NoPlace = QTEXT("Game Over");

}  // namespace

void RecordHighScore(Board& board, BoardPlatform& platform)
{
    const Text section = profile::HighScoreSection(board.gameSize);
    const Text score1 = profile::ScoreKey(1);
    const Text score2 = profile::ScoreKey(2);
    const Text score3 = profile::ScoreKey(3);
    Text message = NoPlace;
    const std::uint32_t s = board.score;

    // Every stored value is read afresh when it is compared or copied.
    auto stored = [&](const Text& key) {
        return static_cast<std::uint32_t>(platform.GetProfileInt(section.c_str(), key.c_str(), 0));
    };
    auto store = [&](const Text& key, std::uint32_t value) {
        platform.WriteProfileInt(section.c_str(), key.c_str(), static_cast<std::int32_t>(value));
    };

    if (s >= stored(score1)) {
        message = FormatScore(FirstPlace, s);
        store(score3, stored(score2));
        store(score2, stored(score1));
        store(score1, s);
    } else if (s >= stored(score2)) {
        message = FormatScore(SecondPlace, s);
        store(score3, stored(score2));
        store(score2, s);
    } else if (s >= stored(score3)) {
        message = FormatScore(ThirdPlace, s);
        store(score3, s);
    }

    board.undoGrid.reset();
    platform.ShowMessage(message.c_str());
}
