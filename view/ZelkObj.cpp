// Placed objects over the drawing.
#include "view/ZelkObj.h"

#include <algorithm>

#include "document/ZelkDoc.h"
#include "elements/ElementCommon.h"
#include "platform/core/Archive.h"
#include "view/ZelkView.h"

IMPLEMENT_SERIAL(CZelkObj, CObject, 0)

void CZelkObj::Serialize(CArchive& ar)
{
    ArchiveI16(ar, m_layer);
    ArchiveI16(ar, m_group);
    ArchivePoint(ar, m_corner2);
    ArchivePoint(ar, m_corner1);
    if (ar.IsStoring()) {
        ar << static_cast<BYTE>(m_state);
        return;
    }
    auto* doc = dynamic_cast<CZelkDoc*>(ar.m_pDocument);
    m_document = doc;
    // Data of the first versions carry no state byte.
    if (doc && (doc->m_dataVersion == "00.00A" || doc->m_dataVersion == "00.00B" ||
                doc->m_dataVersion == "00.00C"))
        return;
    ArchiveU8(ar, m_state);
}

int CZelkObj::IntersectsRect(CZelkView* view, const RECT& rect)
{
    if (!view)
        return 0;
    CPointD a = m_corner1.WorldToScreen(view->m_origin, view->m_zoom);
    CPointD b = m_corner2.WorldToScreen(view->m_origin, view->m_zoom);
    double left = std::min(a.m_x, b.m_x), right = std::max(a.m_x, b.m_x);
    double low = std::min(a.m_y, b.m_y), high = std::max(a.m_y, b.m_y);
    double rl = std::min(rect.left, rect.right), rr = std::max(rect.left, rect.right);
    double rlow = std::min(rect.top, rect.bottom), rhigh = std::max(rect.top, rect.bottom);
    return left <= rr && rl <= right && low <= rhigh && rlow <= high;
}

int CZelkObj::GetLogicalRect(CZelkView* view, RECT& rect)
{
    const CPointD a = m_corner1.WorldToScreen(view->m_origin, view->m_zoom);
    const CPointD b = m_corner2.WorldToScreen(view->m_origin, view->m_zoom);
    int clamped = 0;
    auto clamp = [&clamped](double v) {
        if (!(v >= -32768.0 && v <= 32767.0)) {
            clamped = 1;
            return v < 0 ? -32768 : 32767;
        }
        return static_cast<int>(v);
    };
    rect = RECT{clamp(a.m_x), clamp(a.m_y), clamp(b.m_x), clamp(b.m_y)};
    return clamped;
}
