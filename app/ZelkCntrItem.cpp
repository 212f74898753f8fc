// Extents, notifications and the archive form of an embedded object.
#include "app/ZelkCntrItem.h"

#include "platform/core/Archive.h"
#include "platform/core/Services.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "view/ZelkOleObj.h"
#include "view/ZelkView.h"

IMPLEMENT_SERIAL(CZelkCntrItem, COleClientItem, 1)

CZelkCntrItem::CZelkCntrItem(CZelkDoc* doc) : m_document(doc) {}

CZelkCntrItem::CZelkCntrItem(CZelkDoc* doc, CZelkOleObj* placed) : m_document(doc)
{
    m_placedObjects.Add(placed);
}

CZelkCntrItem::~CZelkCntrItem()
{
    m_placedObjects.RemoveAll();
}

int CZelkCntrItem::UpdateObjectExtents()
{
    for (int i = 0; i < m_placedObjects.GetSize(); ++i) {
        auto* obj = static_cast<CZelkOleObj*>(m_placedObjects[i]);
        SIZE extent;
        if (!GetExtent(&extent))
            return 0;
        if (extent.cx == obj->m_extent.cx && extent.cy == obj->m_extent.cy)
            return 0;
        if (extent.cx == 0)
            extent.cx = extent.cy;
        if (extent.cy == 0)
            extent.cy = extent.cx;
        const int state = GetItemState();
        if (obj->m_extent.cx == 0 && obj->m_extent.cy == 0) {
            obj->m_bottomRight.m_x = obj->m_topLeft.m_x + extent.cx * 0.1;
            obj->m_bottomRight.m_y = obj->m_topLeft.m_y - extent.cy * 0.1;
        } else if (state != activeState && state != activeUIState &&
                   (extent.cx != obj->m_extent.cx || extent.cy != obj->m_extent.cy)) {
            // A stored extent with a zero side cannot be scaled from; that side keeps its size.
            if (obj->m_extent.cx != 0)
                obj->m_bottomRight.m_x = obj->m_topLeft.m_x +
                                   (obj->m_bottomRight.m_x - obj->m_topLeft.m_x) * extent.cx / obj->m_extent.cx;
            if (obj->m_extent.cy != 0)
                obj->m_bottomRight.m_y = obj->m_topLeft.m_y +
                                   (obj->m_bottomRight.m_y - obj->m_topLeft.m_y) * extent.cy / obj->m_extent.cy;
        }
        obj->m_extent = extent;
        obj->Invalidate();
    }
    return 1;
}

void CZelkCntrItem::OnChange(int notification, DWORD)
{
    if (notification == changed || notification == stateChanged)
        UpdateObjectExtents();
    if (notification == changed || notification == stateChanged || notification == aspectChanged)
        for (int i = 0; i < m_placedObjects.GetSize(); ++i)
            static_cast<CZelkOleObj*>(m_placedObjects[i])->Invalidate();
}

BOOL CZelkCntrItem::CanActivate()
{
    return FALSE;
}

BOOL CZelkCntrItem::OnActivate()
{
    CString text = "このオブジェクトを作成したアプリケーションはこのシステムでは利用できません";
    if (!m_className.IsEmpty())
        text += " (" + m_className + ")";
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CZelkCntrItem::OnChangeItemPosition(const RECT& rect)
{
    auto* view = dynamic_cast<CZelkView*>(GetActiveView());
    if (!view)
        return FALSE;
    const RECT r = view->DeviceToLogicalRect(rect);
    const CPointD corner = ScreenXYToWorld(r.left, r.top, view->m_origin.m_x, view->m_origin.m_y, view->m_zoom);
    if (m_placedObjects.GetSize() > 0) {
        auto* obj = static_cast<CZelkOleObj*>(m_placedObjects[0]);
        if (!PointsNearlyEqual(corner, obj->m_topLeft)) {
            obj->Invalidate();
            // The object moves whole: its size is the item's, which a move does not change.
            obj->m_bottomRight.m_x += corner.m_x - obj->m_topLeft.m_x;
            obj->m_bottomRight.m_y += corner.m_y - obj->m_topLeft.m_y;
            obj->m_topLeft = corner;
            SIZE extent;
            if (GetExtent(&extent))
                obj->m_extent = extent;
            obj->Invalidate();
            if (m_document)
                m_document->SetModifiedFlag(TRUE);
        }
    }
    return COleClientItem::OnChangeItemPosition(rect);
}

void CZelkCntrItem::OnGetItemPosition(RECT& rect)
{
    if (m_placedObjects.GetSize() == 0)
        return;
    auto* obj = static_cast<CZelkOleObj*>(m_placedObjects[0]);
    if (PointsNearlyEqual(obj->m_topLeft, obj->m_bottomRight))
        UpdateObjectExtents();
    auto* view = dynamic_cast<CZelkView*>(GetActiveView());
    if (!view)
        return;
    RECT logical;
    obj->GetLogicalRect(view, logical);
    rect = view->LogicalToDeviceRect(logical);
}

void CZelkCntrItem::OnDeactivateUI(BOOL undoable)
{
    COleClientItem::OnDeactivateUI(undoable);
    if (GetMiscStatus(DVASPECT_CONTENT) & OLEMISC_INSIDEOUT)
        DoVerb(OLEIVERB_HIDE, nullptr);
}
