#pragma once
// CGameApp: the game's application object. Its start-up fixes the profile
// store's registry key and creates and shows the main frame, each as the
// build's traits say (build_traits.h).
#include "afxwin.h"

class CGameApp : public CWinApp {
public:
    CGameApp();
    ~CGameApp() override;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
