// A block of 100 arc elements.
#include "elements/Arcs.h"

#include "elements/BlockArchive.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CArcs, CObject, 0)

CArcs::CArcs() : m_count(0), m_pen(0) {}

CArcs::~CArcs() = default;

void CArcs::CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const
{
    CheckBlockIndices(m_slots, m_count, m_pen, penCount, layerCount, groupCount, stringCount);
}

void CArcs::Serialize(CArchive& ar)
{
    SerializeBlockSlots(ar, m_count, m_slots, m_pen);
}
