// Menus as data, their update handlers and the popup menu through the window-layer services.
#include "platform/ui/Menu.h"

#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/Wnd.h"

namespace {

void CopyResource(CMenu& menu, const CResMenuItem& res)
{
    for (const CResMenuItem& r : res.items) {
        if (r.flags & MF_POPUP) {
            CMenu* sub = new CMenu;
            sub->CreatePopupMenu();
            CopyResource(*sub, r);
            menu.AppendMenu(MF_POPUP | (r.flags & (MF_GRAYED | MF_CHECKED)), reinterpret_cast<UINT_PTR>(sub->m_hMenu), r.text);
        } else if (r.flags & MF_SEPARATOR) {
            menu.AppendMenu(MF_SEPARATOR);
        } else {
            menu.AppendMenu(MF_STRING | (r.flags & (MF_GRAYED | MF_CHECKED)), r.id, r.text);
        }
    }
}

// The item states a popup shows, as update handlers leave them.
class CMenuCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
    }
    void SetCheck(int nCheck) override
    {
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
    void SetText(LPCTSTR lpszText) override
    {
        CMenu::Item* it = m_pMenu->FindItem(m_nIndex, MF_BYPOSITION);
        if (it) {
            it->text = lpszText ? lpszText : "";
            m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | (it->flags & ~MF_POPUP), it->id, it->text);
        }
    }
};

void Flatten(const CMenu& menu, int depth, std::vector<CPopupItem>& out)
{
    for (const CMenu::Item& it : menu.Items()) {
        CPopupItem p;
        p.id = it.popup ? 0 : it.id;
        p.text = it.text;
        p.flags = it.flags;
        p.depth = depth;
        out.push_back(p);
        if (it.popup)
            Flatten(*it.popup, depth + 1, out);
    }
}

} // namespace

CMenu::CMenu() = default;

CMenu::~CMenu()
{
    DestroyMenu();
}

void CMenu::Touch()
{
    for (CMenu* m = this; m; m = m->m_parent)
        ++m->m_revision;
}

BOOL CMenu::CreateMenu()
{
    m_items.clear();
    m_hMenu = reinterpret_cast<HMENU>(this);
    Touch();
    return TRUE;
}

BOOL CMenu::CreatePopupMenu()
{
    return CreateMenu();
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    m_items.clear();
    m_hMenu = nullptr;
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    const CResMenuItem* res = CResources::Get().FindMenu(nIDResource);
    if (!res)
        return FALSE;
    CreateMenu();
    CopyResource(*this, *res);
    return TRUE;
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    if (nPos < 0 || nPos >= static_cast<int>(m_items.size()))
        return nullptr;
    return m_items[static_cast<size_t>(nPos)].popup.get();
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (nPos < 0 || nPos >= static_cast<int>(m_items.size()))
        return static_cast<UINT>(-1);
    const Item& it = m_items[static_cast<size_t>(nPos)];
    if (it.popup)
        return static_cast<UINT>(-1);
    return (it.flags & MF_SEPARATOR) ? 0 : it.id;
}

CMenu::Item* CMenu::FindItem(UINT nIDOrPos, UINT nFlags, CMenu** owner)
{
    if (nFlags & MF_BYPOSITION) {
        if (nIDOrPos >= m_items.size())
            return nullptr;
        if (owner)
            *owner = this;
        return &m_items[nIDOrPos];
    }
    for (Item& it : m_items) {
        if (!it.popup && !(it.flags & MF_SEPARATOR) && it.id == nIDOrPos) {
            if (owner)
                *owner = this;
            return &it;
        }
        if (it.popup)
            if (Item* found = it.popup->FindItem(nIDOrPos, nFlags, owner))
                return found;
    }
    return nullptr;
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    Item* it = const_cast<CMenu*>(this)->FindItem(nID, nFlags);
    if (!it)
        return static_cast<UINT>(-1);
    return it->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    Item* it = const_cast<CMenu*>(this)->FindItem(nIDItem, nFlags);
    rString = it ? it->text : CString();
    return rString.GetLength();
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    Item item;
    item.flags = nFlags & ~MF_BYPOSITION;
    item.text = lpszNewItem ? lpszNewItem : "";
    if (nFlags & MF_POPUP) {
        CMenu* sub = FromHandle(reinterpret_cast<HMENU>(nIDNewItem));
        // The popup becomes part of this menu; its items move into an owned copy.
        auto owned = std::make_unique<CMenu>();
        owned->CreatePopupMenu();
        if (sub) {
            owned->m_items = std::move(sub->m_items);
            for (Item& child : owned->m_items)
                if (child.popup)
                    child.popup->m_parent = owned.get();
            if (sub != owned.get() && sub->m_hMenu && !sub->m_parent)
                delete sub;
        }
        owned->m_parent = this;
        item.popup = std::move(owned);
    } else {
        item.id = static_cast<UINT>(nIDNewItem);
    }
    size_t pos = m_items.size();
    if (nPosition != static_cast<UINT>(-1)) {
        if (nFlags & MF_BYPOSITION) {
            pos = std::min<size_t>(nPosition, m_items.size());
        } else {
            for (size_t i = 0; i < m_items.size(); ++i)
                if (!m_items[i].popup && m_items[i].id == nPosition) {
                    pos = i;
                    break;
                }
        }
    }
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(pos), std::move(item));
    Touch();
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    return InsertMenu(static_cast<UINT>(-1), nFlags | MF_BYPOSITION, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem)
{
    CMenu* owner = nullptr;
    Item* it = FindItem(nPosition, nFlags, &owner);
    if (!it)
        return FALSE;
    if (!(nFlags & MF_POPUP))
        it->id = static_cast<UINT>(nIDNewItem);
    it->flags = (nFlags & ~MF_BYPOSITION) | (it->popup ? MF_POPUP : 0);
    if (lpszNewItem)
        it->text = lpszNewItem;
    owner->Touch();
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    CMenu* owner = nullptr;
    Item* it = FindItem(nPosition, nFlags, &owner);
    if (!it)
        return FALSE;
    owner->m_items.erase(owner->m_items.begin() + (it - owner->m_items.data()));
    owner->Touch();
    return TRUE;
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
{
    return SetItemState(nIDCheckItem, nCheck, MF_CHECKED);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return SetItemState(nIDEnableItem, nEnable, MF_GRAYED | MF_DISABLED);
}

// Sets the state bits of `mask` from nFlags and returns their old value. Only a real change
// bumps the revision, so that update handlers run at idle time do not rebuild the menu bar.
UINT CMenu::SetItemState(UINT nID, UINT nFlags, UINT mask)
{
    CMenu* owner = nullptr;
    Item* it = FindItem(nID, nFlags, &owner);
    if (!it)
        return static_cast<UINT>(-1);
    UINT old = it->flags & mask;
    it->flags = (it->flags & ~mask) | (nFlags & mask);
    if (old != (it->flags & mask))
        owner->Touch();
    return old;
}

void AfxUpdateMenuItems(CMenu* pMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pMenu || !pTarget)
        return;
    CMenuCmdUI ui;
    ui.m_pMenu = pMenu;
    ui.m_nIndexMax = pMenu->GetMenuItemCount();
    for (UINT i = 0; i < ui.m_nIndexMax; ++i) {
        CMenu::Item* it = pMenu->FindItem(i, MF_BYPOSITION);
        if (it->popup) {
            AfxUpdateMenuItems(it->popup.get(), pTarget, bDisableIfNoHndler);
            continue;
        }
        if (it->flags & MF_SEPARATOR)
            continue;
        ui.m_nIndex = i;
        ui.m_nID = it->id;
        ui.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT)
{
    if (!pWnd)
        return FALSE;
    // The frame's update handlers run first, as WM_INITMENUPOPUP makes them run on Windows.
    CCmdTarget* route = pWnd;
    if (CFrameWnd* frame = dynamic_cast<CFrameWnd*>(pWnd))
        route = frame;
    else if (CFrameWnd* parent = pWnd->GetParentFrame())
        route = parent;
    AfxUpdateMenuItems(this, route, TRUE);
    std::vector<CPopupItem> items;
    Flatten(*this, 0, items);
    UINT chosen = UiServices().TrackPopupMenu(items, POINT{ x, y }, nFlags);
    if (chosen != 0) {
        // A grayed item cannot be chosen.
        Item* it = FindItem(chosen, MF_BYCOMMAND);
        if (!it || (it->flags & (MF_GRAYED | MF_DISABLED)))
            chosen = 0;
    }
    if (nFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen && !(nFlags & TPM_NONOTIFY))
        pWnd->PostMessage(WM_COMMAND, chosen, 0);
    return TRUE;
}
