// CMenu: owner of a menu handle (destroyed with the object), or a temporary wrapper from FromHandle.
#pragma once
#include "Object.h"
#include "String.h"

class CWnd;

class CMenu : public CObject
{
    DECLARE_DYNCREATE(CMenu)
public:
    HMENU m_hMenu = nullptr;

    CMenu() = default;
    ~CMenu() override;

    // Temporary wrapper (freed at idle) for a menu this program doesn't own as a CMenu.
    static CMenu* FromHandle(HMENU hMenu);
    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const;

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(UINT nIDResource);
    BOOL DestroyMenu();

    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;  // -1 for a popup, 0 for a separator
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const;
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
};
