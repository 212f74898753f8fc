// The curve element's data, point merging, bookkeeping and archive form. Its geometry and
// drawing live in their own files.
#include "elements/Curve.h"

#include "elements/ElementCommon.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CCurve, CObject, 0)

CCurve::CCurve() : m_state(1), m_mark(0), m_kind(0), m_layer(0), m_group(-1), m_role(0) {}

CCurve::~CCurve() = default;

void CCurve::Reset()
{
    m_state = 1;
    m_mark = 0;
    m_kind = 0;
    m_pendingPoints.clear();
    m_points.clear();
    m_layer = 0;
    m_group = -1;
    m_attrStrings.RemoveAll();
    m_role = 0;
}

void CCurve::MergePendingPoints()
{
    // Merged whatever the kind: a curve of another kind read from a file would otherwise keep
    // its points pending, unseen, unsnapped and lost at the next save. Its kind byte stays.
    m_points.insert(m_points.begin(), m_pendingPoints.begin(), m_pendingPoints.end());
    std::vector<CPointD>().swap(m_pendingPoints);
}

int CCurve::Select(CZelkDoc* doc, int useGroups)
{
    return SelectElement(doc, ELEM_CURVE, m_state, m_mark, m_group, useGroups, 1);
}

IMPLEMENT_ELEMENT_LINKS(CCurve, ELEM_CURVE)

void CCurve::Serialize(CArchive& ar)
{
    ArchiveU8(ar, m_state);
    ArchiveU8(ar, m_mark);
    ArchiveU8(ar, m_kind);
    ArchiveI16(ar, m_layer);
    ArchiveI16(ar, m_group);
    ArchiveI16(ar, m_role);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_points.size()));
        for (CPointD& p : m_points)
            ArchivePoint(ar, p);
    } else {
        m_points.clear();
        DWORD count = ar.ReadCount();
        // Points are read one by one: a damaged count ends at the end of the data instead of
        // reserving memory for points that are not there.
        for (DWORD i = 0; i < count; i++) {
            CPointD p;
            ArchivePoint(ar, p);
            m_points.push_back(p);
        }
    }
    SerializeAttributeList(ar, m_attrStrings);
}
