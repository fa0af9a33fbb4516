#include <gtest/gtest.h>

#include "board_pictures.h"

namespace {

// Ends a game with the given score on a board of the given size.
std::string FinishGame(FakePlatform& platform, GameSize size, std::uint32_t score)
{
    Board board;
    LayBoard(board, {"01"});
    board.gameSize = size;
    board.score = score;
    board.undoGrid.reset(new CellColour[board.cellCount]);
    const std::size_t before = platform.messages.size();
    RecordHighScore(board, platform);
    EXPECT_FALSE(CanUndo(board));
    EXPECT_EQ(platform.messages.size(), before + 1);
    return platform.messages.back();
}

std::vector<std::int32_t> Table(const FakePlatform& platform, int size)
{
    const std::string section = "hiscore" + std::to_string(size) + "/score";
    return {platform.Stored(section + "1"), platform.Stored(section + "2"), platform.Stored(section + "3")};
}

constexpr std::int32_t Missing = -12345;

TEST(RecordHighScore, FirstGameTakesFirstPlaceAndWritesExplicitZeros)
{
    FakePlatform platform;
    EXPECT_EQ(FinishGame(platform, Maximum, 0), "Game Over. Well done, you have the highest score of 0!");
    EXPECT_EQ(Table(platform, 2), (std::vector<std::int32_t>{0, 0, 0}));
    // The writes run from the lowest place up, each shifted value read afresh.
    const std::vector<std::string> writes = [&] {
        std::vector<std::string> w;
        for (const auto& e : platform.events)
            if (e.rfind("write", 0) == 0) w.push_back(e);
        return w;
    }();
    EXPECT_EQ(writes, (std::vector<std::string>{"write hiscore2/score3=0", "write hiscore2/score2=0",
                                                 "write hiscore2/score1=0"}));
}

TEST(RecordHighScore, ScoresShiftDownThePlaces)
{
    FakePlatform platform;
    EXPECT_EQ(FinishGame(platform, Medium, 100), "Game Over. Well done, you have the highest score of 100!");
    EXPECT_EQ(FinishGame(platform, Medium, 300), "Game Over. Well done, you have the highest score of 300!");
    EXPECT_EQ(FinishGame(platform, Medium, 200), "Game Over. Well done, you have the 2nd highest score of 200!");
    EXPECT_EQ(Table(platform, 1), (std::vector<std::int32_t>{300, 200, 100}));

    EXPECT_EQ(FinishGame(platform, Medium, 150), "Game Over. Well done, you have the 3rd highest score of 150!");
    EXPECT_EQ(Table(platform, 1), (std::vector<std::int32_t>{300, 200, 150}));

    const std::size_t writes = platform.profile.size();
    EXPECT_EQ(FinishGame(platform, Medium, 149), "Game Over");
    EXPECT_EQ(Table(platform, 1), (std::vector<std::int32_t>{300, 200, 150}));
    EXPECT_EQ(platform.profile.size(), writes);
}

TEST(RecordHighScore, TiesTakeThePlace)
{
    FakePlatform platform;
    platform.profile = {{"hiscore0/score1", 500}, {"hiscore0/score2", 400}, {"hiscore0/score3", 300}};
    EXPECT_EQ(FinishGame(platform, Compact, 500), "Game Over. Well done, you have the highest score of 500!");
    EXPECT_EQ(Table(platform, 0), (std::vector<std::int32_t>{500, 500, 400}));

    platform.profile = {{"hiscore0/score1", 500}, {"hiscore0/score2", 400}, {"hiscore0/score3", 300}};
    EXPECT_EQ(FinishGame(platform, Compact, 400), "Game Over. Well done, you have the 2nd highest score of 400!");
    EXPECT_EQ(Table(platform, 0), (std::vector<std::int32_t>{500, 400, 400}));

    platform.profile = {{"hiscore0/score1", 500}, {"hiscore0/score2", 400}, {"hiscore0/score3", 300}};
    EXPECT_EQ(FinishGame(platform, Compact, 300), "Game Over. Well done, you have the 3rd highest score of 300!");
    EXPECT_EQ(Table(platform, 0), (std::vector<std::int32_t>{500, 400, 300}));
}

TEST(RecordHighScore, SizesKeepTheirOwnTables)
{
    FakePlatform platform;
    FinishGame(platform, Compact, 10);
    FinishGame(platform, Medium, 20);
    FinishGame(platform, Maximum, 30);
    FinishGame(platform, 5, 40);
    FinishGame(platform, -1, 50);
    EXPECT_EQ(Table(platform, 0)[0], 10);
    EXPECT_EQ(Table(platform, 1)[0], 20);
    EXPECT_EQ(Table(platform, 2)[0], 30);
    EXPECT_EQ(Table(platform, 5)[0], 40);
    EXPECT_EQ(Table(platform, -1)[0], 50);
    EXPECT_EQ(Table(platform, 3)[0], Missing);
}

TEST(RecordHighScore, ComparesAsUnsigned)
{
    // A stored value that reads negative is a huge unsigned score.
    FakePlatform platform;
    platform.profile["hiscore2/score1"] = -1;
    EXPECT_EQ(FinishGame(platform, Maximum, 1000), "Game Over. Well done, you have the 2nd highest score of 1000!");
    EXPECT_EQ(Table(platform, 2), (std::vector<std::int32_t>{-1, 1000, 0}));

    // Scores beyond the signed range show as the unsigned numbers they are.
    EXPECT_EQ(FinishGame(platform, Maximum, 0xFFFFFFFFu),
              "Game Over. Well done, you have the highest score of 4294967295!");
    EXPECT_EQ(FinishGame(platform, Maximum, 2147483648u),
              "Game Over. Well done, you have the 3rd highest score of 2147483648!");
}

}  // namespace
