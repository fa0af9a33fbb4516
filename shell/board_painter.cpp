#include "board_painter.h"

#include <cstring>

#include "text.h"

namespace {
constexpr int TileSize = static_cast<int>(CellSize) + 1;
constexpr int SpriteCount = 2 * TileColourCount;
const CRect ScoreLineRect(0, 0, 140, ScoreStripHeight);

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

void CBoardPainter::Paint(CDC& dc, const Board& board, CBrush (&tileBrushes)[TileColourCount])
{
    if (m_mode == PaintMode::Steps)
        PaintSteps(dc, board, tileBrushes);
    else
        PaintFast(dc, board, tileBrushes);
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

void CBoardPainter::BuildSprites(CDC& dc, bool circles, CBrush (&tileBrushes)[TileColourCount])
{
    if (m_spriteDC.GetSafeHdc() == nullptr) {
        m_spriteDC.CreateCompatibleDC(&dc);
        m_spriteBitmap.CreateCompatibleBitmap(&dc, SpriteCount * TileSize, TileSize);
        m_spriteOldBitmap = m_spriteDC.SelectObject(&m_spriteBitmap);
    }
    const CRect strip(0, 0, SpriteCount * TileSize, TileSize);
    m_spriteDC.FillRect(&strip, BlackBrush());
    HGDIOBJ oldBrush = m_spriteDC.SelectObject(&tileBrushes[0]);
    for (int sprite = 0; sprite < SpriteCount; ++sprite) {
        const CRect rect(sprite * TileSize, 0, (sprite + 1) * TileSize, TileSize);
        DrawTile(m_spriteDC, rect, tileBrushes[sprite / 2], circles, sprite % 2 == 1);
    }
    m_spriteDC.SelectObject(oldBrush);
    m_spritesValid = true;
    m_spriteCircles = circles;
}

void CBoardPainter::PaintFast(CDC& dc, const Board& board, CBrush (&tileBrushes)[TileColourCount])
{
    Layout layout;
    layout.originX = board.originX;
    layout.originY = board.originY;
    layout.columns = board.columns;
    layout.rows = board.rows;
    layout.circles = board.tileStyle != 0;

    if (!m_spritesValid || m_spriteCircles != layout.circles) {
        BuildSprites(dc, layout.circles, tileBrushes);
        m_pictureValid = false;
    }
    const bool redrawAll = !m_pictureValid || !(layout == m_layout);
    if (redrawAll) {
        const CRect client(board.clientRect.left, board.clientRect.top, board.clientRect.right,
                           board.clientRect.bottom);
        dc.FillRect(&client, BlackBrush());
        m_shownTiles.assign(board.cellCount, -1);
        m_layout = layout;
    }

    for (std::uint32_t row = 0; row < board.rows; ++row) {
        for (std::uint32_t column = 0; column < board.columns; ++column) {
            const std::uint32_t index = row * board.columns + column;
            const std::int8_t sprite = SpriteIndex(board, index);
            if (!redrawAll && sprite == m_shownTiles[index])
                continue;
            const CRect rect = TileRect(board, column, row);
            if (sprite < 0) {
                if (!redrawAll)
                    dc.FillRect(&rect, BlackBrush());
            } else {
                dc.BitBlt(rect.left, rect.top, TileSize, TileSize, &m_spriteDC, sprite * TileSize, 0, SRCCOPY);
            }
            m_shownTiles[index] = sprite;
        }
    }

    if (redrawAll || board.score != m_shownScore) {
        if (!redrawAll)
            dc.FillRect(&ScoreLineRect, BlackBrush());
        DrawScoreLine(dc, board.score);
        m_shownScore = board.score;
    }
    m_pictureValid = true;
}

void CBoardPainter::BrushesChanged()
{
    m_spritesValid = false;
    m_pictureValid = false;
}

void CBoardPainter::Release()
{
    if (m_spriteDC.GetSafeHdc() != nullptr)
        m_spriteDC.SelectObject(m_spriteOldBitmap);
    m_spriteBitmap.DeleteObject();
    m_spriteDC.DeleteDC();
    m_spritesValid = false;
    m_pictureValid = false;
}
