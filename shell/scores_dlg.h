#pragma once
// CScoresDlg: the High Score Table, three places of each board size as the
// profile store holds them.
#include "afxwin.h"
#include "data_exchange.h"

class CScoresDlg : public CDialog {
public:
    explicit CScoresDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    CListCtrl m_scoreList;
};
