#pragma once
// CPaintDC: BeginPaint when made, EndPaint when gone.
#include "dc.h"

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};
