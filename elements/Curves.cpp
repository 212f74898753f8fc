// A block of 10 curve elements.
#include "elements/Curves.h"

#include "elements/BlockArchive.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CCurves, CObject, 0)

CCurves::CCurves() : m_count(0), m_pen(0) {}

CCurves::~CCurves() = default;

void CCurves::CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const
{
    CheckBlockIndices(m_slots, m_count, m_pen, penCount, layerCount, groupCount, stringCount);
}

void CCurves::Serialize(CArchive& ar)
{
    SerializeBlockSlots(ar, m_count, m_slots, m_pen);
}
