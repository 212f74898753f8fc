// A block of 10 text elements.
#include "elements/Texts.h"

#include "elements/BlockArchive.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CTexts, CObject, 0)

CTexts::CTexts() : m_count(0), m_pen(0) {}

CTexts::~CTexts() = default;

void CTexts::CheckIndices(int fontCount, int layerCount, int groupCount, int stringCount) const
{
    CheckBlockIndices(m_slots, m_count, m_pen, fontCount, layerCount, groupCount, stringCount);
}

void CTexts::Serialize(CArchive& ar)
{
    SerializeBlockSlots(ar, m_count, m_slots, m_pen);
}
