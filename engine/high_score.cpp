#include "board.h"
#include "profile_names.h"

namespace {

const TextChar* const FirstPlace = QTEXT("Game Over. Well done, you have the highest score of %d!");
const TextChar* const SecondPlace = QTEXT("Game Over. Well done, you have the 2nd highest score of %d!");
const TextChar* const ThirdPlace = QTEXT("Game Over. Well done, you have the 3rd highest score of %d!");
const TextChar* const NoPlace = QTEXT("Game Over");

const TextChar* const Score1 = QTEXT("score1");
const TextChar* const Score2 = QTEXT("score2");
const TextChar* const Score3 = QTEXT("score3");

}  // namespace

void RecordHighScore(Board& board, BoardPlatform& platform)
{
    const Text section = FormatDecimal(profile::HighScoreSection, board.gameSize);
    Text message = NoPlace;
    const std::uint32_t s = board.score;

    // Every stored value is read afresh when it is compared or copied.
    auto stored = [&](const TextChar* key) {
        return static_cast<std::uint32_t>(platform.GetProfileInt(section.c_str(), key, 0));
    };
    auto store = [&](const TextChar* key, std::uint32_t value) {
        platform.WriteProfileInt(section.c_str(), key, static_cast<std::int32_t>(value));
    };

    if (s >= stored(Score1)) {
        message = FormatDecimal(FirstPlace, s);
        store(Score3, stored(Score2));
        store(Score2, stored(Score1));
        store(Score1, s);
    } else if (s >= stored(Score2)) {
        message = FormatDecimal(SecondPlace, s);
        store(Score3, stored(Score2));
        store(Score2, s);
    } else if (s >= stored(Score3)) {
        message = FormatDecimal(ThirdPlace, s);
        store(Score3, s);
    }

    board.undoGrid.reset();
    platform.ShowMessage(message.c_str());
}
