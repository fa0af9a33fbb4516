#pragma once
// CGameApp: the game's application object. Its start-up fixes the profile
// store's registry key and creates and shows the main frame.
#include "afxwin.h"

class CGameApp : public CWinApp {
public:
    CGameApp();
    ~CGameApp() override;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
