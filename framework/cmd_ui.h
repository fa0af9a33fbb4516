#pragma once
// The state of one command as its update handler sees it: a menu item when a
// popup opens, or a bare test before a menu or accelerator command runs.
#include <windows.h>

class CCmdTarget;

class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;          // position in m_hMenu
    HMENU m_hMenu = nullptr;    // null when only the state is asked for
    BOOL m_bEnabled = TRUE;     // last state given to Enable
    BOOL m_bEnableChanged = FALSE;

    void Enable(BOOL bOn = TRUE);

    // Asks pTarget's update handler. Without one, and with
    // bDisableIfNoHandler, the item is enabled exactly when some command
    // handler exists for it.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};
