#pragma once
// A rectangle of the screen copied into memory, pixel by pixel.
//
// Under Wine only the screen device context gives another process's pixels:
// GetDC of a foreign window and PrintWindow both read back black there. The
// screen shows a paint a little after the painting handler has returned (more
// so under load), so compare by polling rather than reading once.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// 0xRRGGBB, the order people write colours in.
using Rgb = std::uint32_t;
constexpr Rgb MakeRgb(int red, int green, int blue)
{
    return (static_cast<Rgb>(red) << 16) | (static_cast<Rgb>(green) << 8) | static_cast<Rgb>(blue);
}
constexpr Rgb FromColorRef(COLORREF colour)
{
    return MakeRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}
std::string RgbText(Rgb colour);  // "(255, 99, 0)"

class ScreenPicture {
public:
    ScreenPicture() = default;
    ScreenPicture(int width, int height, Rgb fill = 0);

    // Copies the screen rectangle at (left, top).
    static ScreenPicture Capture(int left, int top, int width, int height);
    // The client area of a window, wherever it is on the screen.
    static ScreenPicture CaptureClient(HWND window);
    static ScreenPicture CaptureWindow(HWND window);  // whole window rectangle
    // Copies the picture of a memory device context (for pictures a driver draws).
    static ScreenPicture FromDC(HDC dc, int width, int height);
    static ScreenPicture FromDC(HDC dc, int left, int top, int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    void Set(int x, int y, Rgb colour) { pixels_[static_cast<size_t>(y) * width_ + x] = colour; }
    ScreenPicture Crop(int left, int top, int width, int height) const;

    bool operator==(const ScreenPicture& other) const
    {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }
    bool operator!=(const ScreenPicture& other) const { return !(*this == other); }

    // Text for a failed comparison: how many pixels differ and the first few.
    // Empty when the pictures are equal.
    std::string Difference(const ScreenPicture& expected, int maxListed = 5) const;

    // Writes a binary PPM file; returns false when the file cannot be written.
    bool SavePpm(const std::string& path) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

// Saves a picture into the session's artifacts folder (WINE_SESSION_ARTIFACTS)
// under `name`.ppm, for a failing test to leave behind; returns the path or "".
std::string SaveArtifact(const ScreenPicture& picture, const std::string& name);

}  // namespace e2e
