// The ellipse element's data, bookkeeping and archive form. Its polyline, geometry and drawing
// live in their own files.
#include "elements/Conic.h"

#include "elements/ElementCommon.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CConic, CObject, 0)

CConic::CConic()
    : m_state(1), m_mark(0), m_majorRadius(0.0), m_ratio(1.0), m_startAngle(0.0),
      m_endAngle(360.0), m_tilt(0.0), m_layer(0), m_group(-1), m_role(0)
{
}

CConic::~CConic() = default;

void CConic::Reset()
{
    m_state = 1;
    m_mark = 0;
    m_centre = CPointD();
    m_majorRadius = 0.0;
    m_ratio = 1.0;
    m_startAngle = 0.0;
    m_endAngle = 360.0;
    m_tilt = 0.0;
    m_polyline.clear();
    m_layer = 0;
    m_group = -1;
    m_attrStrings.RemoveAll();
    m_role = 0;
}

int CConic::Select(CZelkDoc* doc, int useGroups)
{
    return SelectElement(doc, ELEM_CONIC, m_state, m_mark, m_group, useGroups);
}

IMPLEMENT_ELEMENT_LINKS(CConic, ELEM_CONIC)

void CConic::Serialize(CArchive& ar)
{
    // The cache belongs to the parameters held before; the document rebuilds it after loading.
    if (ar.IsLoading())
        m_polyline.clear();
    ArchiveU8(ar, m_state);
    ArchiveU8(ar, m_mark);
    ArchivePoint(ar, m_centre);
    ArchiveDouble(ar, m_majorRadius);
    // The tilt is written twice, here and after the angles; loading keeps the second.
    ArchiveDouble(ar, m_tilt);
    ArchiveDouble(ar, m_ratio);
    ArchiveDouble(ar, m_startAngle);
    ArchiveDouble(ar, m_endAngle);
    ArchiveDouble(ar, m_tilt);
    ArchiveElementTail(ar, m_layer, m_group, m_role, m_attrStrings);
}
