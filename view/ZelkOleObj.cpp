// Repainting of an embedded object's area in the views of its drawing.
#include "view/ZelkOleObj.h"

#include "app/ZelkCntrItem.h"
#include "document/ZelkDoc.h"
#include "elements/ElementCommon.h"
#include "platform/core/Archive.h"
#include "view/ZelkView.h"

IMPLEMENT_SERIAL(CZelkOleObj, CZelkObj, 0)

void CZelkOleObj::Serialize(CArchive& ar)
{
    CZelkObj::Serialize(ar);
    std::int32_t cx = m_lastExtent.cx;
    std::int32_t cy = m_lastExtent.cy;
    ArchiveI32(ar, cx);
    ArchiveI32(ar, cy);
    ArchiveI32(ar, m_itemIndex);
    m_lastExtent.cx = cx;
    m_lastExtent.cy = cy;
}

void CZelkOleObj::AttachToItem()
{
    if (!m_document || m_itemIndex < 0 ||
        m_itemIndex >= static_cast<std::int32_t>(m_document->m_oleItems.size()))
        return;
    CZelkCntrItem* item = m_document->m_oleItems[static_cast<size_t>(m_itemIndex)];
    if (!item)
        return;
    for (int i = 0; i < item->m_placedObjects.GetSize(); ++i)
        if (item->m_placedObjects[i] == this)
            return;
    item->m_placedObjects.Add(this);
}

void CZelkOleObj::Invalidate()
{
    if (!m_document)
        return;
    for (CZelkView* view : m_document->GetViews())
        view->InvalidateObject(this);
}
