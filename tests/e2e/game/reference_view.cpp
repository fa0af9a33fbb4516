#include "reference_view.h"

#include <windows.h>

#include <string>

namespace game {

e2e::ScreenPicture DrawReferenceView(int width, int height, const BoardState& board,
                                     const Theme& theme, bool circles)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);

    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    HBRUSH brushes[4];
    for (int c = 0; c < 4; ++c)
        brushes[c] = CreateSolidBrush(RGB((theme.colours[c] >> 16) & 0xFF,
                                          (theme.colours[c] >> 8) & 0xFF, theme.colours[c] & 0xFF));
    HGDIOBJ oldBrush = SelectObject(dc, brushes[0]);
    const BoardLayout& layout = board.layout;
    for (int row = 0; row < layout.rows; ++row)
        for (int column = 0; column < layout.columns; ++column) {
            const int colour = board.ColourAt(column, row);
            if (colour < 0 || colour > 3)
                continue;
            SelectObject(dc, brushes[colour]);
            RECT tile{layout.CellLeft(column), layout.CellTop(row), layout.CellLeft(column) + 16,
                      layout.CellTop(row) + 16};
            const int insets[3] = {0, 1, 3};
            const int shapes = board.selected[board.Index(column, row)] ? 3 : 1;
            for (int shape = 0; shape < shapes; ++shape) {
                RECT r{tile.left + insets[shape], tile.top + insets[shape],
                       tile.right - insets[shape], tile.bottom - insets[shape]};
                if (circles)
                    Ellipse(dc, r.left, r.top, r.right, r.bottom);
                else
                    Rectangle(dc, r.left, r.top, r.right, r.bottom);
            }
        }
    SelectObject(dc, oldBrush);
    for (HBRUSH brush : brushes)
        DeleteObject(brush);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const std::string line = "Score: " + std::to_string(board.score);
    RECT strip{0, 0, 140, 14};
    DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &strip, 0);

    e2e::ScreenPicture picture = e2e::ScreenPicture::FromDC(dc, width, height);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return picture;
}

}  // namespace game
