// The arc element's data, copies, bookkeeping and archive form. Its geometry and drawing live
// in their own files.
#include "elements/Arc.h"

#include "elements/ElementCommon.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CArc, CObject, 0)

CArc::CArc()
    : m_state(1), m_mark(0), m_radius(0.0), m_startAngle(0.0), m_endAngle(0.0), m_arcFlag(1),
      m_layer(0), m_group(-1), m_role(0)
{
}

CArc::CArc(const CPointD& centre, double radius, const CPointD& angles) : CArc()
{
    m_centre = centre;
    m_radius = radius;
    m_startAngle = angles.m_x;
    m_endAngle = angles.m_y;
}

CArc::CArc(const CArc& other)
    : CObject(), m_state(other.m_state), m_mark(other.m_mark), m_centre(other.m_centre),
      m_radius(other.m_radius), m_startAngle(other.m_startAngle), m_endAngle(other.m_endAngle),
      m_arcFlag(other.m_arcFlag), m_layer(other.m_layer), m_group(other.m_group),
      m_role(other.m_role)
{
}

CArc::CArc(const CArc* other) : CArc(*other) {}

CArc::~CArc() = default;

void CArc::Reset()
{
    m_state = 1;
    m_mark = 0;
    m_centre = CPointD();
    m_radius = 0.0;
    m_startAngle = 0.0;
    m_endAngle = 0.0;
    m_arcFlag = 1;
    m_layer = 0;
    m_group = -1;
    m_attrStrings.RemoveAll();
    m_role = 0;
}

void CArc::Assign(CArc arc)
{
    m_state = arc.m_state;
    m_mark = arc.m_mark;
    m_centre = arc.m_centre;
    m_radius = arc.m_radius;
    m_startAngle = arc.m_startAngle;
    m_endAngle = arc.m_endAngle;
    m_layer = arc.m_layer;
    m_group = arc.m_group;
    m_role = arc.m_role;
}

int CArc::Select(CZelkDoc* doc, int useGroups)
{
    return SelectElement(doc, ELEM_ARC, m_state, m_mark, m_group, useGroups);
}

IMPLEMENT_ELEMENT_LINKS(CArc, ELEM_ARC)

void CArc::Serialize(CArchive& ar)
{
    ArchiveU8(ar, m_state);
    ArchiveU8(ar, m_mark);
    ArchivePoint(ar, m_centre);
    ArchiveDouble(ar, m_radius);
    ArchiveDouble(ar, m_startAngle);
    ArchiveDouble(ar, m_endAngle);
    ArchiveI32(ar, m_arcFlag);
    ArchiveElementTail(ar, m_layer, m_group, m_role, m_attrStrings);
}
