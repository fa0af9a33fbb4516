#include "game_app.h"

#include "build_traits.h"
#include "main_frame.h"
#include "resource.h"

// The one application object; the framework's WinMain runs it.
CGameApp theApp;

BEGIN_MESSAGE_MAP(CGameApp, CWinApp)
END_MESSAGE_MAP()

// No name given: the framework takes it from string AFX_IDS_APP_TITLE.
CGameApp::CGameApp() = default;
CGameApp::~CGameApp() = default;

BOOL CGameApp::InitInstance()
{
    if (build::UsesThreeDControls)
        Enable3dControls();
    SetRegistryKey(build::RegistryKey);

    auto* frame = new CMainFrame;  // deletes itself when its window is destroyed
    m_pMainWnd = frame;
    frame->LoadFrame(IDR_MAINFRAME, build::FrameStyle, nullptr, nullptr);

    // A frame whose creation failed after its window existed has deleted
    // itself and cleared m_pMainWnd; the loop then ends at once.
    if (m_pMainWnd != nullptr) {
        // The first paint creates the drawing objects and starts the first game.
        m_pMainWnd->ShowWindow(build::FrameShowCommand(m_nCmdShow));
        m_pMainWnd->UpdateWindow();
    }
    return TRUE;
}
