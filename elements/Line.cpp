// The line element's data, copies, bookkeeping and archive form. Its geometry and drawing live
// in their own files.
#include "elements/Line.h"

#include "elements/ElementCommon.h"
#include "geometry/Numeric.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CLine, CObject, 0)

CLine::CLine(const CPointD& start, const CPointD& end) : CLine()
{
    m_start = start;
    m_end = end;
}

CLine::CLine(double x1, double y1, double x2, double y2) : CLine()
{
    m_start.Init(x1, y1);
    m_end.Init(x2, y2);
}

CLine::CLine(const CLine& other)
    : CObject(), m_state(other.m_state), m_mark(other.m_mark), m_start(other.m_start),
      m_end(other.m_end), m_swapped(other.m_swapped), m_layer(other.m_layer),
      m_group(other.m_group), m_role(other.m_role)
{
}

CLine::CLine(const CLine* other) : CLine(*other) {}

CLine::~CLine() = default;

void CLine::Reset()
{
    m_state = 1;
    m_mark = 0;
    m_start = CPointD();
    m_end = CPointD();
    m_swapped = 0;
    m_layer = 0;
    m_group = -1;
    m_attrStrings.RemoveAll();
    m_role = 0;
}

void CLine::Assign(CLine line)
{
    m_state = line.m_state;
    m_mark = line.m_mark;
    m_start = line.m_start;
    m_end = line.m_end;
    m_swapped = line.m_swapped;
    m_layer = line.m_layer;
    m_group = line.m_group;
    m_role = line.m_role;
}

int CLine::IsSameAs(CLine line) const
{
    return PointsNearlyEqual(m_start, line.m_start) && PointsNearlyEqual(m_end, line.m_end)
                   && m_layer == line.m_layer && m_group == line.m_group
               ? 1
               : 0;
}

int CLine::Select(CZelkDoc* doc, int useGroups)
{
    return SelectElement(doc, ELEM_LINE, m_state, m_mark, m_group, useGroups);
}

IMPLEMENT_ELEMENT_LINKS(CLine, ELEM_LINE)

void CLine::Serialize(CArchive& ar)
{
    ArchiveU8(ar, m_state);
    ArchiveU8(ar, m_mark);
    ArchivePoint(ar, m_start);
    ArchivePoint(ar, m_end);
    ArchiveI32(ar, m_swapped);
    ArchiveElementTail(ar, m_layer, m_group, m_role, m_attrStrings);
}
