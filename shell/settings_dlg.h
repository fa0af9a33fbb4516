#pragma once
// CSettingsDlg: the Settings dialog. Each member is the index of the checked
// button of one radio group, -1 when none is checked.
#include "afxwin.h"
#include "data_exchange.h"

class CSettingsDlg : public CDialog {
public:
    explicit CSettingsDlg(CWnd* pParent = nullptr);

    int m_oneClick = 0;
    int m_gameSize = 0;
    int m_tileStyle = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
