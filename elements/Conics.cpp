// A block of 10 ellipse elements.
#include "elements/Conics.h"

#include "elements/BlockArchive.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CConics, CObject, 0)

CConics::CConics() : m_count(0), m_pen(0) {}

CConics::~CConics() = default;

void CConics::CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const
{
    CheckBlockIndices(m_slots, m_count, m_pen, penCount, layerCount, groupCount, stringCount);
}

void CConics::Serialize(CArchive& ar)
{
    SerializeBlockSlots(ar, m_count, m_slots, m_pen);
}
