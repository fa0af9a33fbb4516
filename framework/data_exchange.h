#pragma once
// Dialog data exchange: each DDX_ routine moves one control's state to a
// member (pDX->m_bSaveAndValidate TRUE) or a member's value to the control
// (FALSE). A missing control fails the exchange, so UpdateData yields FALSE.
#include "dialog.h"

// Binds a control object to the dialog's control nIDC (once).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Check box: 0 cleared, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Radio group starting at nIDC (up to the next control with WS_GROUP): the
// index of the checked button, -1 when none is checked.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Window text of the control, as it stands.
void DDX_Text(CDataExchange* pDX, int nIDC, tstring& value);
// Window text as a decimal number; text that is no number fails the exchange
// and leaves the member unchanged.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);

// Shows or hides the dialog's control nID; FALSE when there is none.
BOOL AfxShowDlgItem(CWnd* pDlg, int nID, BOOL bShow);
