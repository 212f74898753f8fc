// CMenu: a menu as the program builds and changes it (loaded from a menu resource, items by
// command id or position, check and gray states), shown as a Qt menu bar or popup menu.
#pragma once

#include "platform/ui/CmdTarget.h"

#include <memory>
#include <vector>

class CWnd;

class CMenu {
public:
    struct Item {
        UINT id = 0;
        CString text;
        UINT flags = 0;
        std::unique_ptr<CMenu> popup;
    };

    HMENU m_hMenu = nullptr;

    CMenu();
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    static CMenu* FromHandle(HMENU h) { return reinterpret_cast<CMenu*>(h); }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    BOOL LoadMenu(UINT nIDResource);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();

    CMenu* GetSubMenu(int nPos) const;
    UINT GetMenuItemCount() const { return static_cast<UINT>(m_items.size()); }
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags) { return DeleteMenu(nPosition, nFlags); }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);

    // Shows the menu as a popup at a screen point. The chosen command goes to pWnd as WM_COMMAND
    // (or is returned with TPM_RETURNCMD). Update handlers of pWnd's frame run first.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

    // Finds an item by command id (searching submenus) or position; null when none.
    Item* FindItem(UINT nIDOrPos, UINT nFlags, CMenu** owner = nullptr);
    std::vector<Item>& Items() { return m_items; }
    const std::vector<Item>& Items() const { return m_items; }
    // Bumped on every change, so a shown menu bar knows to rebuild.
    unsigned Revision() const { return m_revision; }

private:
    std::vector<Item> m_items;
    unsigned m_revision = 0;
    void Touch();
    UINT SetItemState(UINT nID, UINT nFlags, UINT mask);
    CMenu* m_parent = nullptr;
};

// Runs the update handlers of a popup's items through a command target (the frame's route).
void AfxUpdateMenuItems(CMenu* pMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
