#pragma once
// CBoardView: the child window that fills the main frame, holds the one
// Board of the game and its drawing objects, paints the board and turns
// clicks and menu commands into engine operations. It is also the engine's
// platform: profile store, clock, random numbers, repaint and message box.
#include <cstdint>

#include "afxwin.h"
#include "board.h"
#include "board_painter.h"
#include "runtime_random.h"
#include "themes.h"

class CBoardView : public CWnd, public BoardPlatform {
public:
    CBoardView();
    // Releases the board's grids, then the tile brushes; the painter, a
    // member, frees its sprite strip and off-screen picture after that.
    ~CBoardView() override;

    // BoardPlatform
    std::int32_t GetProfileInt(const TextChar* section, const TextChar* key, std::int32_t defaultValue) override;
    void WriteProfileInt(const TextChar* section, const TextChar* key, std::int32_t value) override;
    TimeOfDay LocalTimeOfDay() override;
    void SeedRandom(std::uint32_t seed) override;
    int DrawRandom() override;
    // Invalidates the whole view with erase and paints it before returning.
    void RepaintNow() override;
    void ShowMessage(const TextChar* text) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnNewGame();
    afx_msg void OnScores();
    afx_msg void OnEditUndo();
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    afx_msg void OnSettings();
    afx_msg void OnAppAbout();
    afx_msg void OnThemeDefault();
    afx_msg void OnThemeLondon();
    afx_msg void OnThemeRattlesnake();

    DECLARE_MESSAGE_MAP()

private:
    // The first paint: client rectangle, Default brushes, first game (the
    // painter makes its off-screen picture in the paint).
    void PrepareFirstPaint();
    void CreateTileBrushes(const Theme& theme);
    void ChangeTheme(const Theme& theme);

    Board m_board;
    bool m_viewReady = false;
    CBrush m_tileBrushes[TileColourCount];
    CBoardPainter m_painter;
    RuntimeRandom m_random;
};
