// Repainting of an embedded object's area in the views of its drawing.
#include "view/ZelkOleObj.h"

#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "app/ZelkCntrItem.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementCommon.h"
#include "geometry/RectD.h"
#include "platform/gdi/DC.h"
#include "platform/core/Archive.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

IMPLEMENT_SERIAL(CZelkOleObj, CZelkObj, 0)

void CZelkOleObj::Serialize(CArchive& ar)
{
    CZelkObj::Serialize(ar);
    std::int32_t cx = m_extent.cx;
    std::int32_t cy = m_extent.cy;
    ArchiveI32(ar, cx);
    ArchiveI32(ar, cy);
    ArchiveI32(ar, m_itemIndex);
    m_extent.cx = cx;
    m_extent.cy = cy;
}

CZelkCntrItem* CZelkOleObj::GetItem() const
{
    if (!m_pDocument || m_itemIndex < 0 ||
        m_itemIndex >= static_cast<std::int32_t>(m_pDocument->m_oleItems.size()))
        return nullptr;
    return m_pDocument->m_oleItems[static_cast<size_t>(m_itemIndex)];
}

void CZelkOleObj::Draw(CZelkView* view, CDC* dc, const RECT& clip)
{
    CZelkCntrItem* item = GetItem();
    if (!view || !dc || !item)
        return;
    RECT r;
    if (!GetViewRect(view, r))
        item->Draw(dc, &r, DVASPECT_CONTENT);
    if (dc->IsPrinting())
        return;
    CRectD frame;
    frame.SetFromPoints(m_topLeft, m_bottomRight);
    frame.Draw(dc, view->m_origin, view->m_zoom, clip);
}

int CZelkOleObj::PrintItem(CDC* dc, const CPointD& origin, double zoom, const RECT& clip,
                           double xOffset, double yOffset, double scale)
{
    CZelkCntrItem* item = GetItem();
    RECT r;
    if (!item || GetPrintRect(origin, zoom, clip, xOffset, yOffset, scale, r) < 0)
        return 0;
    item->Draw(dc, &r, DVASPECT_CONTENT);
    return 1;
}

void CZelkOleObj::MoveTo(const RECT& rect, CZelkView* view)
{
    CZelkView* frame = MappingView(view);
    if (!frame)
        return;
    RECT r;
    if (GetViewRect(frame, r) || (r.left == rect.left && r.top == rect.top && r.right == rect.right &&
                                    r.bottom == rect.bottom))
        return;
    CZelkObj::MoveTo(rect, view);
    // An item active in place keeps its window over the object.
    if (CZelkCntrItem* item = GetItem()) {
        const int state = item->GetItemState();
        if (state == COleClientItem::activeState || state == COleClientItem::activeUIState)
            item->SetItemRects();
    }
}

CZelkOleObj* CZelkOleObj::Clone(CZelkDoc* doc)
{
    auto* copy = new CZelkOleObj;
    const double dx = (m_bottomRight.m_x - m_topLeft.m_x) / 2;
    const double dy = (m_bottomRight.m_y - m_topLeft.m_y) / 2;
    copy->m_topLeft.Init(m_topLeft.m_x + dx, m_topLeft.m_y + dy);
    copy->m_bottomRight.Init(m_bottomRight.m_x + dx, m_bottomRight.m_y + dy);
    copy->m_extent = m_extent;
    doc->InvalidateObjectInViews(copy);
    copy->m_aspect = m_aspect;
    copy->m_group = m_group;
    const int condition = g_pApp ? g_pApp->m_appElem.m_layerCondition : 0;
    std::int16_t layer;
    if (condition == 2) {
        doc->m_writeLayer = doc->FindOrCreateLayer("");
        layer = doc->m_writeLayer;
    } else if (condition == 1) {
        layer = m_layer;
    } else {
        layer = doc->m_writeLayer;
    }
    copy->m_layer = copy->m_savedLayer = layer;
    copy->m_savedGroup = copy->m_group;
    copy->m_itemIndex = m_itemIndex;
    const int index = doc->AddObject(copy);
    doc->m_undoHistory->RecordChange(1, 128, index, 0, 8);
    doc->m_undoHistory->Commit(1);
    copy->AttachToItem();
    return copy;
}

namespace {

// Joins the list of the item of the index in the given items, once.
void AttachTo(CZelkOleObj* object, const std::vector<CZelkCntrItem*>& items)
{
    const std::int32_t index = object->m_itemIndex;
    if (index < 0 || index >= static_cast<std::int32_t>(items.size()) || !items[static_cast<size_t>(index)])
        return;
    CZelkCntrItem* item = items[static_cast<size_t>(index)];
    for (int i = 0; i < item->m_placedObjects.GetSize(); ++i)
        if (item->m_placedObjects[i] == object)
            return;
    item->m_placedObjects.Add(object);
}

}  // namespace

void CZelkOleObj::AttachToItem()
{
    if (m_pDocument)
        AttachTo(this, m_pDocument->m_oleItems);
}

void CZelkOleObj::AttachToStagedItem()
{
    if (m_pDocument)
        AttachTo(this, m_pDocument->m_oleItems2);
}

void CZelkOleObj::OnOpen(CZelkView* view)
{
    CZelkCntrItem* item = GetItem();
    if (!item)
        return;
    CWaitCursorScope wait;
    item->DoVerb((GetKeyState(VK_CONTROL) & 0x8000) ? OLEIVERB_OPEN : OLEIVERB_PRIMARY, view);
}

void CZelkOleObj::DrawForServer(CDC* dc)
{
    CZelkCntrItem* item = GetItem();
    if (!item || !dc)
        return;
    RECT r;
    const int clipped = GetActiveViewRect(r);
    const POINT scroll = g_pApp ? g_pApp->m_viewScrollPos : POINT{0, 0};
    r.left -= scroll.x;
    r.right -= scroll.x;
    r.top -= scroll.y;
    r.bottom -= scroll.y;
    if (!clipped)
        item->Draw(dc, &r, DVASPECT_CONTENT);
}
