// The archive form and index checks shared by the element blocks: used count, every slot
// through its own Serialize (no object tags), pen or font index.
#pragma once

#include <cstdint>

#include "elements/ElementCommon.h"

template <class E, int N>
void SerializeBlockSlots(CArchive& ar, std::int16_t& count, E (&slots)[N], std::int16_t& pen)
{
    ArchiveI16(ar, count);
    // A used count outside the slots would make every later walk of the block index past it.
    if (count < 0 || count > N)
        ThrowBadArchive();
    for (E& slot : slots)
        slot.Serialize(ar);
    ArchiveI16(ar, pen);
}

template <class E, int N>
void CheckBlockIndices(const E (&slots)[N], std::int16_t count, std::int16_t pen, int penCount,
                       int layerCount, int groupCount, int stringCount)
{
    CheckTableIndex(pen, penCount);
    for (int i = 0; i < count && i < N; i++)
        slots[i].CheckIndices(layerCount, groupCount, stringCount);
}
