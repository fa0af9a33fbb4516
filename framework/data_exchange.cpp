#include "data_exchange.h"

#include <charconv>
#include <string>

namespace {

// Blanks, an optional sign, decimal digits, blanks: the number, if it fits
// an int. The digits are read with from_chars, which knows no locale.
bool ParseDecimal(const tstring& text, int& value)
{
    std::string narrow;
    for (const TCHAR c : text) {
        if (static_cast<unsigned>(c) > 0x7F)
            return false;
        narrow.push_back(static_cast<char>(c));
    }
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    size_t first = 0;
    while (first < narrow.size() && isBlank(narrow[first]))
        ++first;
    size_t last = narrow.size();
    while (last > first && isBlank(narrow[last - 1]))
        --last;
    if (first < last && narrow[first] == '+')
        ++first;
    int number = 0;
    const char* const begin = narrow.data() + first;
    const char* const end = narrow.data() + last;
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (begin == end || error != std::errc() || stop != end)
        return false;
    value = number;
    return true;
}

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
    if (!ParseDecimal(AfxGetWindowText(hCtrl), value))
        pDX->Fail();
}

BOOL AfxShowDlgItem(CWnd* pDlg, int nID, BOOL bShow)
{
    HWND hItem = pDlg != nullptr ? ::GetDlgItem(pDlg->m_hWnd, nID) : nullptr;
    if (hItem == nullptr)
        return FALSE;
    ::ShowWindow(hItem, bShow ? SW_SHOW : SW_HIDE);
    return TRUE;
}
