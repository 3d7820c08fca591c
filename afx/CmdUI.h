// CCmdUI: the update-UI state of one menu item, button or pane, handed to its ON_UPDATE_COMMAND_UI handler.
#pragma once
#include "AfxSetup.h"

class CCmdTarget;
class CMenu;
class CWnd;

// Update-UI state handed to ON_UPDATE_COMMAND_UI handlers. Subclasses (menu
// item, toolbar button, status pane) apply the state to their item.
class CCmdUI
{
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;         // menu item or button index
    CMenu* m_pMenu = nullptr;  // set for menu items
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;  // set for items of a window (toolbar, status bar)
    UINT m_nIndexMax = 0;      // count of items being updated (menus may grow while updated)
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's routing for a handler; with none and bDisableIfNoHndler
    // the item is disabled unless a command handler exists. TRUE if a handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
