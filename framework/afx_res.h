#pragma once
// Standard resource, command and window ids of the framework. Safe to include
// from resource scripts: only #defines outside the RC_INVOKED block.

// Controls that need no id of their own
#ifndef IDC_STATIC
#define IDC_STATIC              (-1)
#endif

// Strings
#define AFX_IDS_APP_TITLE       57344   // the application's name
#define AFX_IDS_IDLEMESSAGE     57345   // "Ready"

// File, edit and window commands
#define ID_FILE_NEW             57600
#define ID_FILE_OPEN            57601
#define ID_FILE_CLOSE           57602
#define ID_FILE_SAVE            57603
#define ID_EDIT_CLEAR           57632
#define ID_EDIT_CLEAR_ALL       57633
#define ID_EDIT_COPY            57634
#define ID_EDIT_CUT             57635
#define ID_EDIT_FIND            57636
#define ID_EDIT_PASTE           57637
#define ID_EDIT_REPEAT          57640
#define ID_EDIT_REPLACE         57641
#define ID_EDIT_SELECT_ALL      57642
#define ID_EDIT_UNDO            57643
#define ID_EDIT_REDO            57644
#define ID_WINDOW_SPLIT         57653
#define ID_APP_ABOUT            57664
#define ID_APP_EXIT             57665
#define ID_NEXT_PANE            57680
#define ID_PREV_PANE            57681

// Status bar indicators
#define ID_INDICATOR_EXT        59136
#define ID_INDICATOR_CAPS       59137
#define ID_INDICATOR_NUM        59138
#define ID_INDICATOR_SCRL       59139
#define ID_INDICATOR_OVR        59140
#define ID_INDICATOR_REC        59141

// Child window ids that frames lay out
#define AFX_IDW_TOOLBAR         59392   // a bar along the frame's top
#define AFX_IDW_PANE_FIRST      59648   // the frame's client pane

#ifndef RC_INVOKED
// Frame style bit: the title is the resource title alone.
#define FWS_ADDTOTITLE          0x00008000L

// Control bar styles
#define CBRS_SIZE_FIXED         0x0002L
#define CBRS_TOOLTIPS           0x0010L
#define CBRS_FLYBY              0x0020L
#define CBRS_ALIGN_TOP          0x2000L
#define CBRS_BORDER_BOTTOM      0x0800L
#define CBRS_TOP                (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#endif
