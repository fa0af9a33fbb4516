#include "dialog.h"

#include "platform.h"
#include "win_app.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hCtrl = m_pDlgWnd != nullptr ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (hCtrl == nullptr)
        Fail();
    return hCtrl;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate))
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_lpszTemplateName(lpszTemplateName)
{
}

INT_PTR CDialog::DoModal()
{
    CWnd* parent = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    HWND owner = parent != nullptr && parent != this ? parent->m_hWnd : nullptr;
    owner = AfxGetTopLevelWindow(owner);
    afx_platform::InitCommonControlsOnce();
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC found = ::FindResource(instance, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL loaded = found != nullptr ? ::LoadResource(instance, found) : nullptr;
    const auto* stored = loaded != nullptr ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
    if (stored == nullptr)
        return -1;
    std::vector<WORD> copy;
    const DLGTEMPLATE* dialogTemplate = afx_platform::DialogTemplate(instance, found, stored, copy);
    return ::DialogBoxIndirectParam(instance, dialogTemplate, owner, DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::CenterIfNotPlaced(const RECT& before)
{
    // Not for a dialog that placed or showed itself in OnInitDialog, nor for
    // a modeless one whose owner is still enabled.
    if (::IsWindowVisible(m_hWnd))
        return;
    RECT now{};
    ::GetWindowRect(m_hWnd, &now);
    if (now.left != before.left || now.top != before.top)
        return;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr && ::IsWindowEnabled(owner))
        return;
    CenterWindow();
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.Failed() ? FALSE : TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // DefDlgProc calls DialogProc first; the flag makes it answer "not
    // handled" for this message, so the system's own processing runs.
    const UINT savedMessage = m_defaultMessage;
    const bool savedInDefault = m_inDefault;
    m_defaultMessage = message;
    m_inDefault = true;
    const LRESULT result = ::DefDlgProc(m_hWnd, message, wParam, lParam);
    m_defaultMessage = savedMessage;
    m_inDefault = savedInDefault;
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtr(hDlg, DWLP_USER, lParam);
        dialog->BindToHandle(hDlg);
        RECT before{};
        ::GetWindowRect(hDlg, &before);
        const BOOL result = dialog->OnInitDialog();
        dialog->CenterIfNotPlaced(before);
        return result;
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtr(hDlg, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    if (dialog->m_inDefault && message == dialog->m_defaultMessage)
        return FALSE;

    LRESULT result = 0;
    if (afx_platform::HandleDialogFrameMessage(hDlg, message, wParam, lParam, &result)) {
        ::SetWindowLongPtr(hDlg, DWLP_MSGRESULT, result);
        return TRUE;
    }
    const BOOL handled = dialog->OnWndMsg(message, wParam, lParam, &result);

    if (message == afx_platform::FinalMessage()) {
        ::SetWindowLongPtr(hDlg, DWLP_USER, 0);
        AfxEndOfWindow(dialog);
    }
    if (!handled)
        return FALSE;
    switch (message) {
    // These answer through the return value itself.
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    default:
        ::SetWindowLongPtr(hDlg, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
