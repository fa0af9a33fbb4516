#include "settings_dlg.h"

#include "resource.h"

CSettingsDlg::CSettingsDlg(CWnd* pParent) : CDialog(IDD_SETTINGS, pParent) {}

void CSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_CLICK_TWO, m_oneClick);
    DDX_Radio(pDX, IDC_SIZE_COMPACT, m_gameSize);
    DDX_Radio(pDX, IDC_STYLE_SQUARE, m_tileStyle);
}
