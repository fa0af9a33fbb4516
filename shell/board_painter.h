#pragma once
// CBoardPainter draws the whole game picture of a Board into its own
// off-screen picture and copies that to the window in one BitBlt: black
// background, the tiles in the theme's brushes as squares or circles, three
// outlines on selected tiles, the score line.
//
// Two paths give the same pixels:
// - Steps: every paint draws every tile with Rectangle/Ellipse into a bitmap
//   compatible with the window.
// - Fast: the picture is a 32-bit DIB section the painter writes itself. The
//   eight tile pictures (four colours, plain and selected) of the current
//   brushes and shape are drawn once into a sprite strip (also a DIB section)
//   with the same GDI calls. A full redraw builds every pixel line of the
//   picture once, from black and the sprite lines that cross it, in the
//   order the steps path draws; other paints copy only the cells (and the
//   score line) that changed since the last paint. The partial copies rely
//   on the one-pixel border a tile shares with its neighbours always being
//   black: a square's outline, or an ellipse's outline or the background
//   beside it.
// Each build chooses the path once per run (build::ChosenPaintMode).
#include <cstdint>
#include <vector>

#include "afxwin.h"
#include "board.h"

enum class PaintMode { Steps, Fast };

// The tile rectangle of the cell in column k, row r: 16 x 16 pixels, right
// and bottom exclusive, overlapping its right and lower neighbours by one.
CRect TileRect(const Board& board, std::uint32_t column, std::uint32_t row);

// Makes the DIB section `info` describes, for `dc`, and gives its pixels in
// `bits`; null when it cannot. MakeDibSection is CreateDIBSection; the
// painter's tests hand in one that fails.
using DibSectionMaker = HBITMAP (*)(HDC dc, const BITMAPINFO* info, void** bits);
HBITMAP MakeDibSection(HDC dc, const BITMAPINFO* info, void** bits);

// A bitmap selected into its own memory device context for as long as both
// live: a bitmap compatible with another device context, or a 32-bit
// top-down DIB section whose pixels (0x00RRGGBB, `width` to a line) the
// program may write. The device context draws white text on a transparent
// background.
class COffscreen {
public:
    COffscreen() = default;
    COffscreen(const COffscreen&) = delete;
    COffscreen& operator=(const COffscreen&) = delete;
    ~COffscreen() { Free(); }

    // Replaces what was held: a DIB section from makeDibSection when one is
    // given, else (or when it fails) a bitmap compatible with
    // `compatibleWith`, whose `pixels` stay null. False, holding nothing,
    // when no bitmap could be made.
    bool Create(CDC& compatibleWith, int width, int height, DibSectionMaker makeDibSection);
    // Selects the original bitmap back before the bitmap is deleted (a GDI
    // object still selected into a device context cannot be deleted), then
    // deletes the device context.
    void Free();

    CDC& dc() { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    std::uint32_t* pixels() const { return m_pixels; }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_originalBitmap = nullptr;
    std::uint32_t* m_pixels = nullptr;
    int m_width = 0;
    int m_height = 0;
};

class CBoardPainter {
public:
    explicit CBoardPainter(PaintMode mode, DibSectionMaker makeDibSection = MakeDibSection)
        : m_mode(mode), m_makeDibSection(makeDibSection)
    {
    }
    CBoardPainter(const CBoardPainter&) = delete;
    CBoardPainter& operator=(const CBoardPainter&) = delete;
    // The sprite strip and the picture free themselves (COffscreen).
    ~CBoardPainter() = default;

    PaintMode Mode() const { return m_mode; }

    // Draws `board` into the picture, which keeps what this painter drew last
    // (the fast path reuses it), and copies the picture to (0, 0) of dc, as
    // wide and high as the board's clientRect. The picture is made at the
    // first paint, compatible with dc; without a DIB section the fast path
    // paints step by step, and without any picture the paint draws straight
    // into dc and the next paint tries again.
    void Paint(CDC& dc, const Board& board, CBrush (&tileBrushes)[TileColourCount]);

    // The brushes were replaced: the next paint redraws everything.
    void BrushesChanged();

private:
    struct Layout {
        std::int32_t originX = 0, originY = 0;
        std::uint32_t columns = 0, rows = 0, cellWidth = 0, cellHeight = 0;
        bool circles = false;
        bool operator==(const Layout& o) const
        {
            return originX == o.originX && originY == o.originY && columns == o.columns && rows == o.rows &&
                   cellWidth == o.cellWidth && cellHeight == o.cellHeight && circles == o.circles;
        }
    };
    // The part of a tile's 16 pixels of a line that lies inside the picture.
    struct Span {
        int x = 0;       // first picture column
        int skip = 0;    // sprite pixels left of the picture
        int count = 0;   // pixels inside
    };

    void PaintSteps(CDC& dc, const Board& board, CBrush (&tileBrushes)[TileColourCount]);
    void PaintFast(const Board& board, CBrush (&tileBrushes)[TileColourCount]);
    void BuildSprites(bool circles, CBrush (&tileBrushes)[TileColourCount]);
    // Cells whose tile differs from what the picture shows (same layout).
    std::uint32_t ChangedCells(const Board& board) const;
    void DrawAllTiles();
    // One line of the tiles of `row` into a picture line; onBlack: also the
    // black background wherever these tiles leave it showing.
    void DrawTileLine(std::uint32_t* line, std::uint32_t row, int spriteLine, bool onBlack) const;
    void CopyTile(const CRect& rect, std::int8_t sprite);

    PaintMode m_mode;
    DibSectionMaker m_makeDibSection;
    COffscreen m_picture;

    // Fast path: what the picture shows.
    bool m_pictureValid = false;
    Layout m_layout;
    std::vector<Span> m_columnSpans;        // per board column, for m_layout
    std::vector<std::int8_t> m_shownTiles;  // sprite index per cell, -1 for no tile
    std::uint32_t m_shownScore = 0;

    COffscreen m_sprites;
    bool m_spritesValid = false;
    bool m_spriteCircles = false;
};

// Draws one tile of `colour` (0..3) in rect with the current pen, as a
// circle or a square, with the three outlines of a selected tile.
void DrawTile(CDC& dc, CRect rect, CBrush& brush, bool circles, bool selected);

// Draws "Score: %d" in the score strip.
void DrawScoreLine(CDC& dc, std::uint32_t score);
