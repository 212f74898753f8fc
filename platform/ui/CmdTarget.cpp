// Message-map lookup and the update-handler protocol of menu items, buttons and panes.
#include "platform/ui/CmdTarget.h"

#include "platform/ui/UiInternal.h"

#include <QWidget>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

// A map entry keeps every handler as one pointer type; the casts below restore the handler's own
// signature, which the entry's signature code names.
#pragma GCC diagnostic ignored "-Wcast-function-type"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, nullptr } };
    static const AFX_MSGMAP map = { nullptr, &entries[0] };
    return &map;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    const UINT code = static_cast<UINT>(nCode);
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->nMessage != WM_COMMAND || e->nCode != code || nID < e->nID || nID > e->nLastID)
                continue;
            // With handler info the caller only asks whether a handler exists.
            if (pHandlerInfo)
                return TRUE;
            switch (e->nSig) {
            case AfxSig_vv:
                (this->*(e->pfn))();
                return TRUE;
            case AfxSig_vw:
                (this->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(e->pfn))(nID);
                return TRUE;
            case AfxSig_bw:
                // A range handler returning FALSE passes the command on along the route.
                if ((this->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT)>(e->pfn))(nID))
                    return TRUE;
                continue;
            case AfxSig_vCmdUI:
            case AfxSig_vwCmdUI: {
                auto* ui = static_cast<CCmdUI*>(pExtra);
                if (!ui)
                    return TRUE; // only asked whether a handler exists
                ui->m_bContinueRouting = FALSE;
                (this->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(e->pfn))(ui);
                return !ui->m_bContinueRouting;
            }
            default:
                break;
            }
        }
    }
    return FALSE;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e)
            if (e->nMessage == message && e->nSig == AfxSig_lwl)
                return e;
    return nullptr;
}

LRESULT CCmdTarget::CallMessageEntry(const AFX_MSGMAP_ENTRY* entry, WPARAM wParam, LPARAM lParam)
{
    return (this->*reinterpret_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(entry->pfn))(wParam, lParam);
}

void CCmdTarget::BeginWaitCursor() { UiBeginWaitCursor(); }
void CCmdTarget::EndWaitCursor() { UiEndWaitCursor(); }
void CCmdTarget::RestoreWaitCursor() { UiRestoreWaitCursor(); }

void CCmdUI::Enable(BOOL) { m_bEnableChanged = TRUE; }
void CCmdUI::SetCheck(int) {}
void CCmdUI::SetText(LPCTSTR) {}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || !pTarget)
        return TRUE;
    m_bEnableChanged = FALSE;
    BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        // An item whose update handler says nothing of its state (one that only checks it, or
        // none) is enabled exactly when its command has a handler, asked every time: a button
        // disabled while a window without the handler was active comes back with its window.
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, nullptr, reinterpret_cast<void*>(1)));
    }
    return handled;
}
