// The text element's data, copies, bookkeeping and archive form. Its geometry, drawing and
// layout live in their own files.
#include "elements/Text.h"

#include "elements/ElementCommon.h"
#include "elements/ElementSettings.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CText, CObject, 0)

CText::CText()
    : m_state(1), m_mark(0), m_swapped(0), m_color(CreationColor()), m_alignment(8),
      m_layer(0), m_group(-1), m_role(0)
{
}

CText::CText(const CText& other)
    : CObject(), m_state(other.m_state), m_mark(other.m_mark), m_text(other.m_text),
      m_point(other.m_point), m_underlineStart(other.m_underlineStart),
      m_underlineEnd(other.m_underlineEnd), m_swapped(other.m_swapped), m_color(other.m_color),
      m_alignment(other.m_alignment), m_layer(other.m_layer), m_group(other.m_group),
      m_role(other.m_role)
{
}

CText::CText(const CText* other) : CText(*other) {}

CText::~CText() = default;

void CText::Reset()
{
    m_state = 1;
    m_mark = 0;
    m_text.Empty();
    m_point = CPointD();
    m_underlineStart = CPointD();
    m_underlineEnd = CPointD();
    m_swapped = 0;
    m_color = CreationColor();
    m_alignment = 8;
    m_layer = 0;
    m_group = -1;
    m_role = 0;
    m_attrStrings.RemoveAll();
}

void CText::Assign(CText text)
{
    m_state = text.m_state;
    m_mark = text.m_mark;
    m_text = text.m_text;
    m_point = text.m_point;
    m_underlineStart = text.m_underlineStart;
    m_underlineEnd = text.m_underlineEnd;
    m_swapped = text.m_swapped;
    m_color = text.m_color;
    m_alignment = text.m_alignment;
    m_layer = text.m_layer;
    m_group = text.m_group;
    m_role = text.m_role;
}

void CText::Translate(double dx, double dy, int add)
{
    if (add == 0) {
        dx = -dx;
        dy = -dy;
    }
    for (CPointD* p : {&m_point, &m_underlineStart, &m_underlineEnd}) {
        p->m_x += dx;
        p->m_y += dy;
    }
}

int CText::Select(CZelkDoc* doc, int useGroups)
{
    return SelectElement(doc, ELEM_TEXT, m_state, m_mark, m_group, useGroups);
}

IMPLEMENT_ELEMENT_LINKS(CText, ELEM_TEXT)

void CText::Serialize(CArchive& ar)
{
    ArchiveU8(ar, m_state);
    ArchiveU8(ar, m_mark);
    if (ar.IsStoring())
        ar << m_text;
    else
        ar >> m_text;
    ArchivePoint(ar, m_point);
    ArchivePoint(ar, m_underlineStart);
    ArchivePoint(ar, m_underlineEnd);
    ArchiveI32(ar, m_swapped);
    ArchiveU32(ar, m_color);
    ArchiveI32(ar, m_alignment);
    // Archive order as every element: layer, group, role, then the list.
    ArchiveElementTail(ar, m_layer, m_group, m_role, m_attrStrings);
}
