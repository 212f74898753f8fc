// A block of 100 circle elements.
#include "elements/Circles.h"

#include "elements/BlockArchive.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CCircles, CObject, 0)

CCircles::CCircles() : m_count(0), m_pen(0) {}

CCircles::~CCircles() = default;

void CCircles::CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const
{
    CheckBlockIndices(m_slots, m_count, m_pen, penCount, layerCount, groupCount, stringCount);
}

void CCircles::Serialize(CArchive& ar)
{
    SerializeBlockSlots(ar, m_count, m_slots, m_pen);
}
