#pragma once
// CListCtrl: a thin wrapper over a list-view control.
#include <windows.h>
#include <commctrl.h>

#include "wnd.h"

class CListCtrl : public CWnd {
public:
    // nWidth -1: no width given; nSubItem -1: no sub-item given. Returns the
    // new column's index, -1 on failure.
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                   LPARAM lParam);
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    tstring GetItemText(int nItem, int nSubItem) const;
};
