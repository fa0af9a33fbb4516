#ifndef QUENLARK_RESOURCE_H
#define QUENLARK_RESOURCE_H
// Resource, control and command ids of the desktop game. The framework's
// standard ids (ID_APP_EXIT, ID_EDIT_UNDO, AFX_IDS_APP_TITLE, ...) come from
// afx_res.h.
#include "afx_res.h"

// Dialogs
#define IDD_ABOUTBOX            100
#define IDD_SETTINGS            130
#define IDD_SCORES              131

// Menu, accelerators, icon and title string of the main frame
#define IDR_MAINFRAME           128

// Controls of the Settings dialog, by group
#define IDC_STYLE_SQUARE        1000
#define IDC_STYLE_CIRCLE        1001
#define IDC_CLICK_TWO           1002
#define IDC_CLICK_ONE           1003
#define IDC_SIZE_COMPACT        1005
#define IDC_SIZE_MEDIUM         1006
#define IDC_SIZE_MAXIMUM        1007

// Control of the High Score Table dialog
#define IDC_SCORE_LIST          1013

// Menu commands: File, Edit, Theme (consecutive within Theme)
#define ID_FILE_NEWGAME         32771
#define ID_FILE_SCORES          32772
#define ID_EDIT_SETTINGS        32773
#define ID_THEME_DEFAULT        32774
#define ID_THEME_LONDON         32775
#define ID_THEME_RATTLESNAKE    32776

#endif
