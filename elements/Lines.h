// A block of 100 line elements of one pen and one direction kind.
#pragma once

#include <cstdint>

#include "elements/Line.h"
#include "platform/core/BlockMemory.h"
#include "platform/core/Object.h"

class CLines : public CObject {
    DECLARE_SERIAL(CLines)
public:
    ZELK_BLOCK_MEMORY
    static constexpr int SlotCount = 100;

    std::uint8_t m_direction;   // 1 horizontal, 2 vertical, 4 oblique: picks the drawing routine
    std::int16_t m_count;
    CLine m_slots[SlotCount];
    std::int16_t m_pen;

    CLines();
    CLines(const CLines&) = delete;
    CLines& operator=(const CLines&) = delete;
    ~CLines() override;

    void CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const;

    // direction kind, used count, all 100 slots, pen index
    void Serialize(CArchive& ar) override;
};
