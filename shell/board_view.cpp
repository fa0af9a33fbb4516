#include "board_view.h"

#include "about_dlg.h"
#include "build_traits.h"
#include "resource.h"
#include "scores_dlg.h"
#include "settings_dlg.h"

BEGIN_MESSAGE_MAP(CBoardView, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_COMMAND(ID_FILE_NEWGAME, &CBoardView::OnNewGame)
    ON_COMMAND(ID_FILE_SCORES, &CBoardView::OnScores)
    ON_COMMAND(ID_EDIT_UNDO, &CBoardView::OnEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, &CBoardView::OnUpdateEditUndo)
    ON_COMMAND(ID_EDIT_SETTINGS, &CBoardView::OnSettings)
    ON_COMMAND(ID_APP_ABOUT, &CBoardView::OnAppAbout)
    ON_COMMAND(ID_THEME_DEFAULT, &CBoardView::OnThemeDefault)
    ON_COMMAND(ID_THEME_LONDON, &CBoardView::OnThemeLondon)
    ON_COMMAND(ID_THEME_RATTLESNAKE, &CBoardView::OnThemeRattlesnake)
END_MESSAGE_MAP()

CBoardView::CBoardView() : m_painter(build::ChosenPaintMode()) {}

CBoardView::~CBoardView()
{
    // The grids first: only the engine reads them, and no drawing object
    // refers to them.
    m_board.colourGrid.reset();
    m_board.markGrid.reset();
    m_board.undoGrid.reset();
    // The brushes may go before the painter: its paints select each brush
    // back out of its device contexts before they return, and a GDI object
    // must not be deleted while selected.
    for (CBrush& brush : m_tileBrushes)
        brush.DeleteObject();
    // m_painter, destroyed after this body, selects its bitmaps out of its
    // device contexts, then deletes the bitmaps and the device contexts.
}

BOOL CBoardView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle |= build::ViewExStyle;
    cs.style &= ~WS_BORDER;
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, build::ViewCursor(),
                                       build::ViewBackground(), nullptr);
    return TRUE;
}

void CBoardView::CreateTileBrushes(const Theme& theme)
{
    for (int colour = 0; colour < TileColourCount; ++colour)
        m_tileBrushes[colour].CreateSolidBrush(theme.tileColours[colour]);
}

void CBoardView::PrepareFirstPaint()
{
    CRect client;
    GetClientRect(&client);
    m_board.clientRect = {client.left, client.top, client.right, client.bottom};
    CreateTileBrushes(themes::Default);
    // The paint in progress draws this first board: NewGame must not repaint.
    NewGame(m_board, *this, false);
    m_viewReady = true;
}

void CBoardView::OnPaint()
{
    CPaintDC dc(this);
    if (!m_viewReady)
        PrepareFirstPaint();
    // Off-screen first, then one copy to the window.
    m_painter.Paint(dc, m_board, m_tileBrushes);
}

BOOL CBoardView::OnEraseBkgnd(CDC*)
{
    // The paint covers the picture completely; erasing would only flicker.
    return TRUE;
}

void CBoardView::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    BoardClick(m_board, *this, point.x, point.y);
}

void CBoardView::OnNewGame()
{
    NewGame(m_board, *this, m_viewReady);
}

void CBoardView::OnScores()
{
    CScoresDlg dialog(AfxGetMainWnd());
    dialog.DoModal();
}

void CBoardView::OnEditUndo()
{
    Undo(m_board, *this);
}

void CBoardView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanUndo(m_board));
}

void CBoardView::OnSettings()
{
    const GameSettings stored = ReadSettings(*this);
    CSettingsDlg dialog;
    dialog.m_oneClick = stored.oneClick;
    dialog.m_gameSize = stored.gameSize;
    dialog.m_tileStyle = stored.tileStyle;
    if (dialog.DoModal() != IDOK)
        return;
    ApplySettings(m_board, *this, {dialog.m_oneClick, dialog.m_gameSize, dialog.m_tileStyle}, m_viewReady);
}

void CBoardView::OnAppAbout()
{
    CAboutDlg dialog;
    dialog.DoModal();
}

void CBoardView::ChangeTheme(const Theme& theme)
{
    for (CBrush& brush : m_tileBrushes)
        brush.DeleteObject();
    CreateTileBrushes(theme);
    m_painter.BrushesChanged();
    RepaintNow();
}

void CBoardView::OnThemeDefault()
{
    ChangeTheme(themes::Default);
}

void CBoardView::OnThemeLondon()
{
    ChangeTheme(themes::London);
}

void CBoardView::OnThemeRattlesnake()
{
    ChangeTheme(themes::Rattlesnake);
}

std::int32_t CBoardView::GetProfileInt(const TextChar* section, const TextChar* key, std::int32_t defaultValue)
{
    return static_cast<std::int32_t>(AfxGetApp()->GetProfileInt(section, key, defaultValue));
}

void CBoardView::WriteProfileInt(const TextChar* section, const TextChar* key, std::int32_t value)
{
    AfxGetApp()->WriteProfileInt(section, key, value);
}

TimeOfDay CBoardView::LocalTimeOfDay()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return TimeOfDay{now.wHour, now.wMinute, now.wSecond};
}

void CBoardView::SeedRandom(std::uint32_t seed)
{
    m_random.Seed(seed);
}

int CBoardView::DrawRandom()
{
    return m_random.Next();
}

void CBoardView::RepaintNow()
{
    if (m_hWnd == nullptr)
        return;  // a null window would mean every window
    InvalidateRect(nullptr, TRUE);
    build::Redraw(*this);
}

void CBoardView::ShowMessage(const TextChar* text)
{
    MessageBox(text, nullptr, MB_OK);
}
