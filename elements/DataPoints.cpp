// A block of 100 point elements.
#include "elements/DataPoints.h"

#include "elements/BlockArchive.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CDataPoints, CObject, 0)

CDataPoints::CDataPoints() : m_count(0), m_pen(0) {}

CDataPoints::~CDataPoints() = default;

void CDataPoints::CheckIndices(int penCount, int layerCount, int groupCount,
                               int stringCount) const
{
    CheckBlockIndices(m_slots, m_count, m_pen, penCount, layerCount, groupCount, stringCount);
}

void CDataPoints::Serialize(CArchive& ar)
{
    SerializeBlockSlots(ar, m_count, m_slots, m_pen);
}
