#pragma once
// CSetupApp: the installer is one modal dialog; the program ends when it closes.

#include "win_app.h"

class CSetupApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
