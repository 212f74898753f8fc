// The renumbering table of one element block made by the text-format writer: old slot -> new
// number, -1 for a slot that is not written.
#pragma once

#include <cstdint>

class CSlotIndexMap {
public:
    static constexpr int SlotCount = 100;

    std::int32_t m_count;
    std::int16_t m_newIndex[SlotCount];

    explicit CSlotIndexMap(std::int32_t count);
    int CountUsed() const;
};
