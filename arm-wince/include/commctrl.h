#pragma once
// The common controls of Windows CE (COMMCTRL.dll) that the program uses:
// their initialisation, the list view of the High Score Table, and the
// command bar.
#include <windows.h>

#define WC_LISTVIEW L"SysListView32"
#define LVS_REPORT 0x0001
#define LVS_SINGLESEL 0x0004
#define LVS_NOSORTHEADER 0x8000

#ifndef RC_INVOKED

CE_BEGIN_DECLS

#define ICC_LISTVIEW_CLASSES 0x00000001

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

// List view messages, in their UTF-16 forms.
#define LVM_FIRST 0x1000
#define LVM_GETITEMTEXTW (LVM_FIRST + 115)
#define LVM_SETITEMTEXTW (LVM_FIRST + 116)
#define LVM_INSERTITEMW (LVM_FIRST + 77)
#define LVM_INSERTCOLUMNW (LVM_FIRST + 97)
#define LVM_GETITEMTEXT LVM_GETITEMTEXTW
#define LVM_SETITEMTEXT LVM_SETITEMTEXTW
#define LVM_INSERTITEM LVM_INSERTITEMW
#define LVM_INSERTCOLUMN LVM_INSERTCOLUMNW

#define LVCF_FMT 0x0001
#define LVCF_WIDTH 0x0002
#define LVCF_TEXT 0x0004
#define LVCF_SUBITEM 0x0008
#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVIF_TEXT 0x0001

// The control reads the fields its mask names; iImage and iOrder of a
// column, and iIndent of an item, stay zero here.
typedef struct tagLVCOLUMNW {
    UINT mask;
    int fmt;
    int cx;
    LPWSTR pszText;
    int cchTextMax;
    int iSubItem;
    int iImage;
    int iOrder;
} LVCOLUMNW, *LPLVCOLUMNW;
typedef LVCOLUMNW LVCOLUMN;

typedef struct tagLVITEMW {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPWSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
} LVITEMW, *LPLVITEMW;
typedef LVITEMW LVITEM;

#ifdef __cplusplus
static_assert(sizeof(INITCOMMONCONTROLSEX) == 8, "INITCOMMONCONTROLSEX");
static_assert(sizeof(LVCOLUMNW) == 32 && offsetof(LVCOLUMNW, pszText) == 12 && offsetof(LVCOLUMNW, iSubItem) == 20,
              "LVCOLUMNW");
static_assert(sizeof(LVITEMW) == 40 && offsetof(LVITEMW, pszText) == 20 && offsetof(LVITEMW, lParam) == 32,
              "LVITEMW");
#endif

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* lpInitCtrls);

// The command bar.

HWND WINAPI CommandBar_Create(HINSTANCE hInst, HWND hwndParent, int idCmdBar);
BOOL WINAPI CommandBar_InsertMenubar(HWND hwndCB, HINSTANCE hInst, WORD idMenu, WORD iButton);
BOOL WINAPI CommandBar_AddAdornments(HWND hwndCB, DWORD dwFlags, DWORD dwReserved);

CE_END_DECLS

#endif  // RC_INVOKED
