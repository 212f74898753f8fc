// The circle element's data, copies, bookkeeping and archive form. Its geometry and drawing
// live in their own files.
#include "elements/Circle.h"

#include "elements/Arc.h"
#include "elements/ElementCommon.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CCircle, CObject, 0)

CCircle::CCircle() : m_state(1), m_mark(0), m_radius(0.0), m_layer(0), m_group(-1), m_role(0) {}

CCircle::CCircle(const CCircle& other)
    : CObject(), m_state(other.m_state), m_mark(other.m_mark), m_centre(other.m_centre),
      m_radius(other.m_radius), m_layer(other.m_layer), m_group(other.m_group),
      m_role(other.m_role)
{
}

CCircle::CCircle(const CCircle* other) : CCircle(*other) {}

CCircle::CCircle(const CArc& arc)
    : CObject(), m_state(arc.m_state), m_mark(arc.m_mark), m_centre(arc.m_centre),
      m_radius(arc.m_radius), m_layer(arc.m_layer), m_group(arc.m_group), m_role(0)
{
}

CCircle::~CCircle() = default;

void CCircle::Reset()
{
    m_state = 1;
    m_mark = 0;
    m_centre = CPointD();
    m_radius = 0.0;
    m_layer = 0;
    m_group = -1;
    m_attrStrings.RemoveAll();
    m_role = 0;
}

void CCircle::Assign(CCircle circle)
{
    m_state = circle.m_state;
    m_mark = circle.m_mark;
    m_centre = circle.m_centre;
    m_radius = circle.m_radius;
    m_layer = circle.m_layer;
    m_group = circle.m_group;
}

void CCircle::AssignFromArc(CArc arc)
{
    m_state = arc.m_state;
    m_mark = arc.m_mark;
    m_centre = arc.m_centre;
    m_radius = arc.m_radius;
    m_layer = arc.m_layer;
    m_group = arc.m_group;
    m_role = arc.m_role;
}

int CCircle::Select(CZelkDoc* doc, int useGroups)
{
    return SelectElement(doc, ELEM_CIRCLE, m_state, m_mark, m_group, useGroups);
}

IMPLEMENT_ELEMENT_LINKS(CCircle, ELEM_CIRCLE)

void CCircle::Serialize(CArchive& ar)
{
    ArchiveU8(ar, m_state);
    ArchiveU8(ar, m_mark);
    ArchivePoint(ar, m_centre);
    ArchiveDouble(ar, m_radius);
    ArchiveElementTail(ar, m_layer, m_group, m_role, m_attrStrings);
}
