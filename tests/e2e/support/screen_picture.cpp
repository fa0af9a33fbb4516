#include "screen_picture.h"

#include <cstdio>
#include <cstdlib>

#include "gui_process.h"

namespace e2e {

std::string RgbText(Rgb colour)
{
    char text[32];
    std::snprintf(text, sizeof text, "(%u, %u, %u)", (colour >> 16) & 0xFF, (colour >> 8) & 0xFF,
                  colour & 0xFF);
    return text;
}

ScreenPicture::ScreenPicture(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill)
{
}

ScreenPicture ScreenPicture::Capture(int left, int top, int width, int height)
{
    HDC screen = GetDC(nullptr);
    ScreenPicture picture = FromDC(screen, left, top, width, height);
    ReleaseDC(nullptr, screen);
    return picture;
}

ScreenPicture ScreenPicture::FromDC(HDC dc, int width, int height)
{
    return FromDC(dc, 0, 0, width, height);
}

ScreenPicture ScreenPicture::FromDC(HDC source, int left, int top, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;

    ScreenPicture picture(width, height);
    HDC memory = CreateCompatibleDC(source);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!memory || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (memory)
            DeleteDC(memory);
        return {};
    }
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const BOOL copied = BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    if (copied) {
        // 32-bit DIB pixels are B, G, R, unused in memory: 0x00RRGGBB as a number.
        const auto* source32 = static_cast<const std::uint32_t*>(bits);
        for (size_t i = 0; i < picture.pixels_.size(); ++i)
            picture.pixels_[i] = source32[i] & 0xFFFFFF;
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return copied ? picture : ScreenPicture{};
}

ScreenPicture ScreenPicture::CaptureClient(HWND window)
{
    RECT client{};
    if (!GetClientRect(window, &client))
        return {};
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return Capture(origin.x, origin.y, client.right, client.bottom);
}

ScreenPicture ScreenPicture::CaptureWindow(HWND window)
{
    RECT bounds{};
    if (!GetWindowRect(window, &bounds))
        return {};
    return Capture(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
}

ScreenPicture ScreenPicture::Crop(int left, int top, int width, int height) const
{
    ScreenPicture part(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (Contains(left + x, top + y))
                part.Set(x, y, At(left + x, top + y));
    return part;
}

std::string ScreenPicture::Difference(const ScreenPicture& expected, int maxListed) const
{
    if (width_ != expected.width_ || height_ != expected.height_)
        return "picture is " + std::to_string(width_) + "x" + std::to_string(height_) +
               ", expected " + std::to_string(expected.width_) + "x" +
               std::to_string(expected.height_);
    long differing = 0;
    std::string listed;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (At(x, y) != expected.At(x, y)) {
                if (differing++ < maxListed)
                    listed += " at (" + std::to_string(x) + ", " + std::to_string(y) + ") " +
                              RgbText(At(x, y)) + " instead of " + RgbText(expected.At(x, y)) +
                              ";";
            }
    if (differing == 0)
        return {};
    return std::to_string(differing) + " pixels differ:" + listed;
}

bool ScreenPicture::SavePpm(const std::string& path) const
{
    std::FILE* file = std::fopen(WindowsPath(path).c_str(), "wb");
    if (!file)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width_, height_);
    for (Rgb pixel : pixels_) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                      static_cast<unsigned char>(pixel >> 8),
                                      static_cast<unsigned char>(pixel)};
        std::fwrite(rgb, 1, 3, file);
    }
    return std::fclose(file) == 0;
}

std::string SaveArtifact(const ScreenPicture& picture, const std::string& name)
{
    const char* folder = std::getenv("WINE_SESSION_ARTIFACTS");
    if (!folder || !*folder)
        return {};
    const std::string path = std::string(folder) + "/" + name + ".ppm";
    return picture.SavePpm(path) ? path : std::string{};
}

}  // namespace e2e
