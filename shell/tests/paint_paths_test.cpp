// The fast paint path must give exactly the pixels of the step-by-step path:
// boards are played with the engine, and after every change both paths
// paint into 32-bit surfaces that are compared pixel for pixel. Theme, shape
// and new-game steps come regularly, since each redraws the whole picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

#include "board_painter.h"
#include "fake_platform.h"
#include "themes.h"

namespace {

// Each new game of a played board starts a second later, so it differs.
TimeOfDay SecondsSinceMidnight(int seconds)
{
    return TimeOfDay{seconds / 3600 % 24, seconds / 60 % 60, seconds % 60};
}

// A 32-bit top-down surface in a memory device context: the window the
// painters copy their pictures to.
class Surface {
public:
    Surface(int width, int height) : width_(width), height_(height)
    {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Attach(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const std::uint32_t*>(bits);
        oldBitmap_ = dc.SelectObject(bitmap_.m_hObject);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(255, 255, 255));
    }
    ~Surface() { dc.SelectObject(oldBitmap_); }

    bool Valid() const { return bits_ != nullptr; }
    std::uint32_t Pixel(int x, int y) const { return bits_[y * width_ + x]; }

    // Empty when equal, else where and how the first pixel differs.
    std::string Compare(const Surface& other) const
    {
        ::GdiFlush();
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                if (Pixel(x, y) != other.Pixel(x, y)) {
                    std::ostringstream out;
                    out << "first difference at (" << x << ", " << y << "): steps 0x" << std::hex << Pixel(x, y)
                        << ", fast 0x" << other.Pixel(x, y);
                    return out.str();
                }
            }
        }
        return std::string();
    }

    CDC dc;

private:
    int width_;
    int height_;
    CBitmap bitmap_;
    const std::uint32_t* bits_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
};

void CreateBrushes(CBrush (&brushes)[TileColourCount], const Theme& theme)
{
    for (int i = 0; i < TileColourCount; ++i)
        brushes[i].CreateSolidBrush(theme.tileColours[i]);
}

struct Case {
    int width;
    int height;
    int gameSize;
    int style;
    bool dibSectionsFail = false;  // the fast painter gets no DIB section
};

std::string Describe(const Case& c)
{
    std::ostringstream out;
    out << c.width << "x" << c.height << " size " << c.gameSize << (c.style ? " circles" : " squares")
        << (c.dibSectionsFail ? " without DIB sections" : "");
    return out.str();
}

// A DIB section maker that always fails, as CreateDIBSection does when
// memory runs short; it keeps the last header it was asked for.
int refusedDibSections = 0;
struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
} refusedHeader{};

HBITMAP RefuseDibSection(HDC, const BITMAPINFO* info, void** bits)
{
    ++refusedDibSections;
    std::memcpy(&refusedHeader, info, sizeof refusedHeader);
    *bits = nullptr;
    return nullptr;
}

// Plays one board with random clicks, undo, theme, shape and new games, and
// checks both paths after every step.
void PlayAndCompare(const Case& c, unsigned seed)
{
    SCOPED_TRACE(Describe(c));
    FakePlatform platform;
    int clock = static_cast<int>(seed * 7919 % 86400);
    platform.time = SecondsSinceMidnight(clock);
    platform.WriteProfileInt(QTEXT("settings"), QTEXT("gamesize"), c.gameSize);
    platform.WriteProfileInt(QTEXT("settings"), QTEXT("style"), c.style);
    Board board;
    board.clientRect = {0, 0, c.width, c.height};
    NewGame(board, platform, false);

    Surface steps(c.width, c.height);
    Surface fast(c.width, c.height);
    ASSERT_TRUE(steps.Valid() && fast.Valid());
    CBoardPainter stepsPainter(PaintMode::Steps);
    CBoardPainter fastPainter(PaintMode::Fast, c.dibSectionsFail ? RefuseDibSection : MakeDibSection);
    const Theme* themeList[] = {&themes::Default, &themes::London, &themes::Rattlesnake};
    CBrush brushes[TileColourCount];
    CreateBrushes(brushes, themes::Default);

    std::mt19937 random(seed);
    auto paintBoth = [&](const std::string& what) {
        stepsPainter.Paint(steps.dc, board, brushes);
        fastPainter.Paint(fast.dc, board, brushes);
        const std::string difference = steps.Compare(fast);
        ASSERT_TRUE(difference.empty()) << "after " << what << ": " << difference;
    };

    paintBoth("the first paint");
    for (int step = 1; step <= 90 && !::testing::Test::HasFatalFailure(); ++step) {
        // Every eighth step redraws the whole picture: a theme, a shape, a new game in turn.
        const int action = step % 8 == 0 ? 1 + step / 8 % 3 : static_cast<int>(random() % 20);
        if (action == 0 && CanUndo(board)) {
            Undo(board, platform);
            paintBoth("undo");
        } else if (action == 1) {
            for (CBrush& brush : brushes)
                brush.DeleteObject();
            CreateBrushes(brushes, *themeList[random() % 3]);
            fastPainter.BrushesChanged();
            paintBoth("a theme change");
        } else if (action == 2) {
            board.tileStyle = board.tileStyle != 0 ? 0 : 7;  // any non-zero value draws circles
            paintBoth("a shape change");
        } else if (action == 3) {
            platform.WriteProfileInt(QTEXT("settings"), QTEXT("gamesize"), static_cast<int>(random() % 3));
            platform.time = SecondsSinceMidnight(++clock);
            NewGame(board, platform, true);
            board.tileStyle = c.style;
            paintBoth("a new game");
        } else if (action == 4 && board.cellCount > 0) {
            // A value outside the four colours shows the background.
            board.colourGrid[random() % board.cellCount] = 5;
            paintBoth("an odd colour value");
        } else if (action == 5) {
            board.score = static_cast<std::uint32_t>(random());  // wide scores are cut off at 140 pixels
            paintBoth("a large score");
        } else {
            // Mostly clicks on cells, sometimes anywhere in the view.
            int x = static_cast<int>(random() % static_cast<unsigned>(c.width));
            int y = static_cast<int>(random() % static_cast<unsigned>(c.height));
            if (board.columns > 0 && board.rows > 0 && random() % 4 != 0) {
                x = board.originX + static_cast<int>(random() % board.columns) * 15 + 7;
                y = board.originY + static_cast<int>(random() % board.rows) * 15 + 7;
            }
            BoardClick(board, platform, x, y);
            paintBoth("a click");
            if (random() % 2 == 0) {
                BoardClick(board, platform, x, y);  // the same group again: removal
                paintBoth("a second click");
            }
        }
    }
}

TEST(PaintPaths, FastPathMatchesStepsOnPlayedBoards)
{
    const Case cases[] = {
        {600, 414, 2, 0}, {600, 414, 2, 1}, {632, 413, 1, 1}, {240, 268, 0, 0},
        {241, 269, 2, 1}, {47, 61, 2, 1},   {140, 30, 2, 0},  {20, 20, 2, 1},
        // Without DIB sections the fast painter falls back and still shows the board.
        {600, 414, 2, 1, true}, {47, 61, 2, 0, true},
    };
    unsigned seed = 1;
    for (const Case& c : cases) {
        PlayAndCompare(c, seed++);
        if (HasFatalFailure())
            return;
    }
    ASSERT_GT(refusedDibSections, 0) << "the fast painter never asked for a DIB section";
    // Windows CE takes 32-bit DIB sections only with explicit colour masks.
    EXPECT_EQ(refusedHeader.header.biBitCount, 32);
    EXPECT_EQ(refusedHeader.header.biCompression, static_cast<DWORD>(BI_BITFIELDS));
    EXPECT_EQ(refusedHeader.masks[0], 0x00FF0000u) << "red";
    EXPECT_EQ(refusedHeader.masks[1], 0x0000FF00u) << "green";
    EXPECT_EQ(refusedHeader.masks[2], 0x000000FFu) << "blue";
}

TEST(PaintPaths, SelectedTileShowsThreeOutlines)
{
    // One selected square tile on a 1 x 1 board: outlines at 0, 1 and 3
    // pixels inside its 16 x 16 rectangle, colour between and inside.
    Board board;
    board.clientRect = {0, 0, 15, 29};
    FakePlatform platform;
    NewGame(board, platform, false);
    ASSERT_EQ(board.cellCount, 1u);
    board.colourGrid[0] = 2;
    board.markGrid[0] = Selected;
    Surface surface(15, 29);
    CBrush brushes[TileColourCount];
    CreateBrushes(brushes, themes::Default);
    CBoardPainter painter(PaintMode::Fast);
    painter.Paint(surface.dc, board, brushes);
    ::GdiFlush();
    const std::uint32_t black = 0x000000, blue = 0x0080FF;  // RGB(0, 128, 255) as 0x00RRGGBB
    const int top = board.originY;
    const std::uint32_t expected[8] = {black, black, blue, black, blue, blue, blue, blue};
    for (int inset = 0; inset < 8; ++inset)
        EXPECT_EQ(surface.Pixel(7, top + inset), expected[inset]) << "row " << inset << " inside the tile";
}

}  // namespace

namespace {

TEST(PaintPaths, ScoreLineShowsScoresBeyondTheSignedRangeAsUnsignedNumbers)
{
    // The high score table and the end-of-game messages show these as
    // 4294967295 and 2147483648; the score line must agree.
    const std::pair<std::uint32_t, const char*> scores[] = {{0xFFFFFFFFu, "Score: 4294967295"},
                                                            {2147483648u, "Score: 2147483648"}};
    for (const auto& [score, text] : scores) {
        Surface drawn(140, 14), expected(140, 14);
        DrawScoreLine(drawn.dc, score);
        CRect rect(0, 0, 140, 14);
        expected.dc.DrawText(text, -1, &rect, 0);
        EXPECT_EQ(drawn.Compare(expected), "") << text;
    }
}

}  // namespace
