// CSlotIndexMap: the text writer's slot renumbering table.
#include "geometry/SlotIndexMap.h"

CSlotIndexMap::CSlotIndexMap(std::int32_t count) : m_count(count)
{
    for (int i = 0; i < SlotCount; ++i) {
        m_newIndex[i] = -1;
    }
}

int CSlotIndexMap::CountUsed() const
{
    // A count beyond the table is read as the whole table.
    int n = m_count < SlotCount ? m_count : SlotCount;
    int used = 0;
    for (int i = 0; i < n; ++i) {
        if (m_newIndex[i] != -1) {
            ++used;
        }
    }
    return used;
}
