#pragma once
// CBoardPainter draws the whole game picture of a Board into the off-screen
// device context: black background, the tiles in the theme's brushes as
// squares or circles, three outlines on selected tiles, the score line.
//
// Two paths give the same pixels:
// - Steps: every paint draws every tile with Rectangle/Ellipse.
// - Fast: the eight tile pictures (four colours, plain and selected) of the
//   current brushes and shape are drawn once into a sprite strip with the
//   same GDI calls, and each paint copies into the kept off-screen picture
//   only the cells (and the score line) that changed since the last paint.
//   This relies on the one-pixel border a tile shares with its neighbours
//   always being black: a square's outline, or an ellipse's outline or the
//   background beside it.
// Each build chooses the path once per run (build::ChosenPaintMode).
#include <cstdint>
#include <vector>

#include "afxwin.h"
#include "board.h"

enum class PaintMode { Steps, Fast };

// The tile rectangle of the cell in column k, row r: 16 x 16 pixels, right
// and bottom exclusive, overlapping its right and lower neighbours by one.
CRect TileRect(const Board& board, std::uint32_t column, std::uint32_t row);

class CBoardPainter {
public:
    explicit CBoardPainter(PaintMode mode) : m_mode(mode) {}

    PaintMode Mode() const { return m_mode; }

    // Draws `board` into dc, whose selected bitmap holds the previous picture
    // this painter drew (the fast path reuses it). dc has the transparent
    // background mode and white text colour set.
    void Paint(CDC& dc, const Board& board, CBrush (&tileBrushes)[TileColourCount]);

    // The brushes were replaced: the next paint redraws everything.
    void BrushesChanged();

    // Frees the sprite strip.
    void Release();

private:
    struct Layout {
        std::int32_t originX = 0, originY = 0;
        std::uint32_t columns = 0, rows = 0;
        bool circles = false;
        bool operator==(const Layout& o) const
        {
            return originX == o.originX && originY == o.originY && columns == o.columns && rows == o.rows &&
                   circles == o.circles;
        }
    };

    void PaintSteps(CDC& dc, const Board& board, CBrush (&tileBrushes)[TileColourCount]);
    void PaintFast(CDC& dc, const Board& board, CBrush (&tileBrushes)[TileColourCount]);
    void BuildSprites(CDC& dc, bool circles, CBrush (&tileBrushes)[TileColourCount]);

    PaintMode m_mode;

    // Fast path: what the kept picture shows.
    bool m_pictureValid = false;
    Layout m_layout;
    std::vector<std::int8_t> m_shownTiles;  // sprite index per cell, -1 for no tile
    std::uint32_t m_shownScore = 0;

    CDC m_spriteDC;
    CBitmap m_spriteBitmap;
    HGDIOBJ m_spriteOldBitmap = nullptr;
    bool m_spritesValid = false;
    bool m_spriteCircles = false;
};

// Draws one tile of `colour` (0..3) in rect with the current pen, as a
// circle or a square, with the three outlines of a selected tile.
void DrawTile(CDC& dc, CRect rect, CBrush& brush, bool circles, bool selected);

// Draws "Score: %d" in the score strip.
void DrawScoreLine(CDC& dc, std::uint32_t score);
