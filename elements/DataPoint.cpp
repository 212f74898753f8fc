// The point element's data, bookkeeping and archive form.
#include "elements/DataPoint.h"

#include "elements/ElementCommon.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CDataPoint, CObject, 0)

CDataPoint::CDataPoint() : m_state(1), m_mark(0), m_layer(0), m_group(-1), m_role(0) {}

CDataPoint::~CDataPoint() = default;

void CDataPoint::Reset()
{
    m_state = 1;
    m_mark = 0;
    m_position = CPointD();
    m_layer = 0;
    m_group = -1;
    m_attrStrings.RemoveAll();
    m_role = 0;
}

int CDataPoint::Select(CZelkDoc* doc, int useGroups)
{
    return SelectElement(doc, ELEM_POINT, m_state, m_mark, m_group, useGroups);
}

IMPLEMENT_ELEMENT_LINKS(CDataPoint, ELEM_POINT)

void CDataPoint::Serialize(CArchive& ar)
{
    ArchiveU8(ar, m_state);
    ArchiveU8(ar, m_mark);
    ArchivePoint(ar, m_position);
    ArchiveElementTail(ar, m_layer, m_group, m_role, m_attrStrings);
}
