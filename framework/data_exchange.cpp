#include "data_exchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

bool IsRadioButton(HWND hWnd)
{
    return (::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

}  // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (hCtrl != nullptr)
        rControl.Attach(hCtrl);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (hCtrl == nullptr)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessage(hCtrl, BM_GETCHECK, 0, 0));
    } else {
        const WPARAM state = (value >= 0 && value <= 2) ? static_cast<WPARAM>(value) : 0;
        ::SendMessage(hCtrl, BM_SETCHECK, state, 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (hCtrl == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    do {
        if (IsRadioButton(hCtrl)) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessage(hCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessage(hCtrl, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        hCtrl = ::GetWindow(hCtrl, GW_HWNDNEXT);
    } while (hCtrl != nullptr && (::GetWindowLong(hCtrl, GWL_STYLE) & WS_GROUP) == 0);
}

void DDX_Text(CDataExchange* pDX, int nIDC, tstring& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (hCtrl == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = AfxGetWindowText(hCtrl);
    else
        ::SetWindowText(hCtrl, value.c_str());
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hCtrl = pDX->PrepareCtrl(nIDC);
    if (hCtrl == nullptr)
        return;
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowText(hCtrl, AfxFormatInt(value).c_str());
        return;
    }
    const tstring text = AfxGetWindowText(hCtrl);
    TCHAR* end = nullptr;
    errno = 0;
    const long number = _tcstol(text.c_str(), &end, 10);
    while (end != nullptr && (*end == _T(' ') || *end == _T('\t')))
        ++end;
    if (text.empty() || end == nullptr || *end != _T('\0') || errno == ERANGE || number < INT_MIN ||
        number > INT_MAX) {
        pDX->Fail();
        return;
    }
    value = static_cast<int>(number);
}

BOOL AfxShowDlgItem(CWnd* pDlg, int nID, BOOL bShow)
{
    HWND hItem = pDlg != nullptr ? ::GetDlgItem(pDlg->m_hWnd, nID) : nullptr;
    if (hItem == nullptr)
        return FALSE;
    ::ShowWindow(hItem, bShow ? SW_SHOW : SW_HIDE);
    return TRUE;
}
