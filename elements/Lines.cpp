// A block of 100 line elements of one direction kind.
#include "elements/Lines.h"

#include "elements/BlockArchive.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CLines, CObject, 0)

CLines::CLines() : m_direction(4), m_count(0), m_pen(0) {}

CLines::~CLines() = default;

void CLines::CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const
{
    CheckBlockIndices(m_slots, m_count, m_pen, penCount, layerCount, groupCount, stringCount);
}

void CLines::Serialize(CArchive& ar)
{
    ArchiveU8(ar, m_direction);
    SerializeBlockSlots(ar, m_count, m_slots, m_pen);
}
