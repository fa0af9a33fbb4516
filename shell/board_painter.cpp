#include "board_painter.h"

#include <algorithm>
#include <cstring>

#include "platform.h"
#include "text.h"

namespace {
constexpr int TileSize = static_cast<int>(CellSize) + 1;
constexpr int SpriteCount = 2 * TileColourCount;
const CRect ScoreLineRect(0, 0, 140, ScoreStripHeight);

constexpr std::uint32_t BlackPixel = 0;

HBRUSH BlackBrush()
{
    return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
}

// The sprite of a cell: colour * 2 + selected, or -1 when no tile is drawn.
std::int8_t SpriteIndex(const Board& board, std::uint32_t index)
{
    const CellColour colour = board.colourGrid[index];
    if (colour < 0 || colour >= TileColourCount)
        return -1;
    return static_cast<std::int8_t>(colour * 2 + (board.markGrid[index] == Selected ? 1 : 0));
}
}  // namespace

CRect TileRect(const Board& board, std::uint32_t column, std::uint32_t row)
{
    const int left = board.originX + static_cast<int>(column * board.cellWidth);
    const int top = board.originY + static_cast<int>(row * board.cellHeight);
    return CRect(left, top, left + static_cast<int>(board.cellWidth) + 1, top + static_cast<int>(board.cellHeight) + 1);
}

void DrawTile(CDC& dc, CRect rect, CBrush& brush, bool circles, bool selected)
{
    dc.SelectObject(&brush);
    auto draw = [&] {
        if (circles)
            dc.Ellipse(&rect);
        else
            dc.Rectangle(&rect);
    };
    draw();
    if (selected) {
        // Rings 1 and 3 pixels inside the tile's own outline.
        rect.DeflateRect(1, 1);
        draw();
        rect.DeflateRect(2, 2);
        draw();
    }
}

void DrawScoreLine(CDC& dc, std::uint32_t score)
{
    const Text line = FormatScore(QTEXT("Score: %d"), score);
    CRect rect = ScoreLineRect;
    dc.DrawText(line.c_str(), static_cast<int>(line.size()), &rect, 0);
}

HBITMAP MakeDibSection(HDC dc, const BITMAPINFO* info, void** bits)
{
    return ::CreateDIBSection(dc, info, DIB_RGB_COLORS, bits, nullptr, 0);
}

bool COffscreen::Create(CDC& compatibleWith, int width, int height, DibSectionMaker makeDibSection)
{
    Free();
    if (!m_dc.CreateCompatibleDC(&compatibleWith))
        return false;
    if (makeDibSection != nullptr) {
        // Explicit colour masks: Windows CE takes 32-bit DIB sections only as
        // BI_BITFIELDS; on the desktop these masks are BI_RGB's own layout.
        struct {
            BITMAPINFOHEADER header;
            DWORD masks[3];  // red, green, blue
        } info{};
        info.header.biSize = sizeof info.header;
        info.header.biWidth = width;
        info.header.biHeight = -height;  // top-down: line 0 first
        info.header.biPlanes = 1;
        info.header.biBitCount = 32;
        info.header.biCompression = BI_BITFIELDS;
        info.masks[0] = 0x00FF0000;
        info.masks[1] = 0x0000FF00;
        info.masks[2] = 0x000000FF;
        void* bits = nullptr;
        m_bitmap.Attach(makeDibSection(m_dc, reinterpret_cast<const BITMAPINFO*>(&info), &bits));
        if (m_bitmap.m_hObject != nullptr)
            m_pixels = static_cast<std::uint32_t*>(bits);
    }
    if (m_bitmap.m_hObject == nullptr && !m_bitmap.CreateCompatibleBitmap(&compatibleWith, width, height)) {
        Free();
        return false;
    }
    m_originalBitmap = m_dc.SelectObject(&m_bitmap);
    m_dc.SetBkMode(TRANSPARENT);
    m_dc.SetTextColor(RGB(255, 255, 255));
    m_width = width;
    m_height = height;
    return true;
}

void COffscreen::Free()
{
    if (m_dc.GetSafeHdc() != nullptr && m_originalBitmap != nullptr)
        m_dc.SelectObject(m_originalBitmap);
    m_originalBitmap = nullptr;
    m_bitmap.DeleteObject();
    m_dc.DeleteDC();
    m_pixels = nullptr;
    m_width = m_height = 0;
}

void CBoardPainter::Paint(CDC& dc, const Board& board, CBrush (&tileBrushes)[TileColourCount])
{
    const int width = board.clientRect.right - board.clientRect.left;
    const int height = board.clientRect.bottom - board.clientRect.top;
    if (m_picture.dc().GetSafeHdc() == nullptr || m_picture.width() != width || m_picture.height() != height) {
        m_pictureValid = false;
        if (!m_picture.Create(dc, width, height, m_mode == PaintMode::Fast ? m_makeDibSection : nullptr)) {
            // No picture at all: the board goes straight to the window.
            const int oldMode = dc.SetBkMode(TRANSPARENT);
            const COLORREF oldColour = dc.SetTextColor(RGB(255, 255, 255));
            PaintSteps(dc, board, tileBrushes);
            dc.SetTextColor(oldColour);
            dc.SetBkMode(oldMode);
            return;
        }
    }
    if (m_picture.pixels() == nullptr)
        PaintSteps(m_picture.dc(), board, tileBrushes);  // also the fast path's way out without a DIB section
    else
        PaintFast(board, tileBrushes);
    dc.BitBlt(0, 0, width, height, &m_picture.dc(), 0, 0, SRCCOPY);
}

void CBoardPainter::PaintSteps(CDC& dc, const Board& board, CBrush (&tileBrushes)[TileColourCount])
{
    const CRect client(board.clientRect.left, board.clientRect.top, board.clientRect.right, board.clientRect.bottom);
    dc.FillRect(&client, BlackBrush());
    HGDIOBJ oldBrush = dc.SelectObject(&tileBrushes[0]);
    const bool circles = board.tileStyle != 0;
    for (std::uint32_t row = 0; row < board.rows; ++row) {
        for (std::uint32_t column = 0; column < board.columns; ++column) {
            const std::uint32_t index = row * board.columns + column;
            const CellColour colour = board.colourGrid[index];
            if (colour < 0 || colour >= TileColourCount)
                continue;
            DrawTile(dc, TileRect(board, column, row), tileBrushes[colour], circles,
                     board.markGrid[index] == Selected);
        }
    }
    DrawScoreLine(dc, board.score);
    dc.SelectObject(oldBrush);
}

void CBoardPainter::BuildSprites(bool circles, CBrush (&tileBrushes)[TileColourCount])
{
    // Tried again at every paint until the strip is a DIB section.
    if (m_sprites.pixels() == nullptr)
        m_sprites.Create(m_picture.dc(), SpriteCount * TileSize, TileSize, m_makeDibSection);
    m_spriteCircles = circles;
    m_spritesValid = m_sprites.pixels() != nullptr;
    if (!m_spritesValid)
        return;
    CDC& dc = m_sprites.dc();
    const CRect strip(0, 0, SpriteCount * TileSize, TileSize);
    dc.FillRect(&strip, BlackBrush());
    HGDIOBJ oldBrush = dc.SelectObject(&tileBrushes[0]);
    for (int sprite = 0; sprite < SpriteCount; ++sprite) {
        const CRect rect(sprite * TileSize, 0, (sprite + 1) * TileSize, TileSize);
        DrawTile(dc, rect, tileBrushes[sprite / 2], circles, sprite % 2 == 1);
    }
    dc.SelectObject(oldBrush);
}

void CBoardPainter::PaintFast(const Board& board, CBrush (&tileBrushes)[TileColourCount])
{
    Layout layout;
    layout.originX = board.originX;
    layout.originY = board.originY;
    layout.columns = board.columns;
    layout.rows = board.rows;
    layout.cellWidth = board.cellWidth;
    layout.cellHeight = board.cellHeight;
    layout.circles = board.tileStyle != 0;

    if (!m_spritesValid || m_spriteCircles != layout.circles) {
        BuildSprites(layout.circles, tileBrushes);
        m_pictureValid = false;
    }
    if (!m_spritesValid) {
        PaintSteps(m_picture.dc(), board, tileBrushes);
        return;
    }
    // The sprites' GDI drawing and the last paint's score line must be in
    // the memory before it is read and written here.
    afx_platform::FlushDrawing();

    // A paint that changes most cells (a new game) is quicker as one pass.
    const bool redrawAll =
        !m_pictureValid || !(layout == m_layout) || ChangedCells(board) > board.cellCount / 4;
    if (redrawAll) {
        m_layout = layout;
        m_shownTiles.resize(board.cellCount);
        for (std::uint32_t index = 0; index < board.cellCount; ++index)
            m_shownTiles[index] = SpriteIndex(board, index);
        m_columnSpans.resize(layout.columns);
        for (std::uint32_t column = 0; column < layout.columns; ++column) {
            const int left = layout.originX + static_cast<int>(column * layout.cellWidth);
            Span& span = m_columnSpans[column];
            span.x = std::max(left, 0);
            span.skip = span.x - left;
            span.count = std::max(0, std::min(left + TileSize, m_picture.width()) - span.x);
        }
        DrawAllTiles();
    } else {
        for (std::uint32_t row = 0; row < board.rows; ++row) {
            for (std::uint32_t column = 0; column < board.columns; ++column) {
                const std::uint32_t index = row * board.columns + column;
                const std::int8_t sprite = SpriteIndex(board, index);
                if (sprite == m_shownTiles[index])
                    continue;
                CopyTile(TileRect(board, column, row), sprite);
                m_shownTiles[index] = sprite;
            }
        }
    }

    if (redrawAll || board.score != m_shownScore) {
        if (!redrawAll)
            m_picture.dc().FillRect(&ScoreLineRect, BlackBrush());
        DrawScoreLine(m_picture.dc(), board.score);
        m_shownScore = board.score;
    }
    m_pictureValid = true;
}

std::uint32_t CBoardPainter::ChangedCells(const Board& board) const
{
    std::uint32_t changed = 0;
    for (std::uint32_t index = 0; index < board.cellCount; ++index)
        changed += SpriteIndex(board, index) != m_shownTiles[index] ? 1 : 0;
    return changed;
}

void CBoardPainter::DrawAllTiles()
{
    // Each pixel line is finished before the next, covered in the order the
    // steps path covers it: black, then the tile rows that cross it, upper
    // row first, each left to right. The line stays in the cache while it
    // is built, and black is written only where the first of those rows
    // leaves the background showing.
    const int width = m_picture.width();
    const int cellHeight = static_cast<int>(m_layout.cellHeight);
    const int rows = static_cast<int>(m_layout.rows);
    for (int y = 0; y < m_picture.height(); ++y) {
        std::uint32_t* line = m_picture.pixels() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        const int below = y - m_layout.originY;
        const int lastRow = below >= 0 && cellHeight > 0 ? std::min(below / cellHeight, rows - 1) : -1;
        const int firstRow = below >= TileSize && cellHeight > 0 ? (below - TileSize) / cellHeight + 1 : 0;
        if (firstRow > lastRow || m_layout.columns == 0) {
            std::fill_n(line, width, BlackPixel);
            continue;
        }
        for (int row = firstRow; row <= lastRow; ++row)
            DrawTileLine(line, static_cast<std::uint32_t>(row), below - row * cellHeight, row == firstRow);
    }
}

void CBoardPainter::DrawTileLine(std::uint32_t* line, std::uint32_t row, int spriteLine, bool onBlack) const
{
    const std::uint32_t* sprites = m_sprites.pixels() + spriteLine * m_sprites.width();
    const std::int8_t* shown = m_shownTiles.data() + row * m_layout.columns;
    const int width = m_picture.width();
    int written = 0;  // with onBlack: the line is final left of this
    auto black = [&](int to) {
        to = std::min(to, width);
        if (to > written)
            std::fill_n(line + written, to - written, BlackPixel);
        written = std::max(written, to);
    };
    for (std::uint32_t column = 0; column < m_layout.columns; ++column) {
        const Span& span = m_columnSpans[column];
        const int sprite = shown[column];
        if (sprite >= 0) {
            if (onBlack)
                black(span.x);  // the background left of this tile, missing tiles' places included
            const std::uint32_t* from = sprites + sprite * TileSize + span.skip;
            if (span.count == TileSize)
                std::memcpy(line + span.x, from, TileSize * sizeof *line);  // the usual case, a fixed-size copy
            else if (span.count > 0)
                std::memcpy(line + span.x, from, static_cast<std::size_t>(span.count) * sizeof *line);
            written = std::max(written, span.x + span.count);
        }
    }
    if (onBlack)
        black(width);
}

void CBoardPainter::CopyTile(const CRect& rect, std::int8_t sprite)
{
    const int left = std::max<int>(rect.left, 0), right = std::min<int>(rect.right, m_picture.width());
    const int top = std::max<int>(rect.top, 0), bottom = std::min<int>(rect.bottom, m_picture.height());
    if (left >= right)
        return;
    const std::size_t count = static_cast<std::size_t>(right - left);
    for (int y = top; y < bottom; ++y) {
        std::uint32_t* to = m_picture.pixels() + static_cast<std::size_t>(y) * m_picture.width() + left;
        if (sprite < 0)
            std::fill_n(to, count, BlackPixel);
        else if (count == TileSize)
            std::memcpy(to, m_sprites.pixels() + (y - rect.top) * m_sprites.width() + sprite * TileSize,
                        TileSize * sizeof *to);  // the usual case, a fixed-size copy
        else
            std::memcpy(to,
                        m_sprites.pixels() + (y - rect.top) * m_sprites.width() + sprite * TileSize +
                            (left - rect.left),
                        count * sizeof *to);
    }
}

void CBoardPainter::BrushesChanged()
{
    m_spritesValid = false;
    m_pictureValid = false;
}
