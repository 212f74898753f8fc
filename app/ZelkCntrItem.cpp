// Extents, notifications and the archive form of an embedded object.
#include "app/ZelkCntrItem.h"

#include "platform/core/Archive.h"
#include "platform/core/Services.h"
#include "view/ZelkOleObj.h"

IMPLEMENT_SERIAL(CZelkCntrItem, CObject, 1)

CZelkCntrItem::CZelkCntrItem(CZelkDoc* doc) : m_document(doc) {}

CZelkCntrItem::CZelkCntrItem(CZelkDoc* doc, CZelkOleObj* placed) : m_document(doc)
{
    m_placedObjects.Add(placed);
}

CZelkCntrItem::~CZelkCntrItem()
{
    m_placedObjects.RemoveAll();
}

void CZelkCntrItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_className;
        ar << static_cast<std::int32_t>(m_serverExtent.cx) << static_cast<std::int32_t>(m_serverExtent.cy);
        ar.WriteCount(static_cast<DWORD>(m_nativeData.size()));
        if (!m_nativeData.empty())
            ar.Write(m_nativeData.data(), static_cast<UINT>(m_nativeData.size()));
    } else {
        std::int32_t cx = 0;
        std::int32_t cy = 0;
        ar >> m_className;
        ar >> cx >> cy;
        m_serverExtent.cx = cx;
        m_serverExtent.cy = cy;
        // The data are taken in steps: a count beyond the data present ends at the end of the
        // archive as a broken archive, not in a huge allocation made before the data run out.
        constexpr DWORD kStep = 64 * 1024;
        DWORD left = ar.ReadCount();
        m_nativeData.clear();
        while (left > 0) {
            const DWORD step = left < kStep ? left : kStep;
            const size_t old = m_nativeData.size();
            m_nativeData.resize(old + step);
            if (ar.Read(m_nativeData.data() + old, step) != step)
                AfxThrowArchiveException(CArchiveException::endOfFile);
            left -= step;
        }
    }
}

BOOL CZelkCntrItem::GetExtent(SIZE* size)
{
    if (m_serverExtent.cx == 0 && m_serverExtent.cy == 0)
        return FALSE;
    *size = m_serverExtent;
    return TRUE;
}

int CZelkCntrItem::UpdateObjectExtents()
{
    for (int i = 0; i < m_placedObjects.GetSize(); ++i) {
        auto* obj = static_cast<CZelkOleObj*>(m_placedObjects[i]);
        SIZE extent;
        if (!GetExtent(&extent))
            return 0;
        if (extent.cx == obj->m_lastExtent.cx && extent.cy == obj->m_lastExtent.cy)
            return 0;
        if (extent.cx == 0)
            extent.cx = extent.cy;
        if (extent.cy == 0)
            extent.cy = extent.cx;
        const int state = GetItemState();
        if (obj->m_lastExtent.cx == 0 && obj->m_lastExtent.cy == 0) {
            obj->m_corner1.m_x = obj->m_corner2.m_x + extent.cx * 0.1;
            obj->m_corner1.m_y = obj->m_corner2.m_y - extent.cy * 0.1;
        } else if (state != activeState && state != activeUIState &&
                   (extent.cx != obj->m_lastExtent.cx || extent.cy != obj->m_lastExtent.cy)) {
            // A stored extent with a zero side cannot be scaled from; that side keeps its size.
            if (obj->m_lastExtent.cx != 0)
                obj->m_corner1.m_x = obj->m_corner2.m_x +
                                   (obj->m_corner1.m_x - obj->m_corner2.m_x) * extent.cx / obj->m_lastExtent.cx;
            if (obj->m_lastExtent.cy != 0)
                obj->m_corner1.m_y = obj->m_corner2.m_y +
                                   (obj->m_corner1.m_y - obj->m_corner2.m_y) * extent.cy / obj->m_lastExtent.cy;
        }
        obj->m_lastExtent = extent;
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
