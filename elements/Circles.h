// A block of 100 circle elements sharing one pen.
#pragma once

#include <cstdint>

#include "elements/Circle.h"
#include "platform/core/BlockMemory.h"
#include "platform/core/Object.h"

class CCircles : public CObject {
    DECLARE_SERIAL(CCircles)
public:
    ZELK_BLOCK_MEMORY
    static constexpr int SlotCount = 100;

    std::int16_t m_count;
    CCircle m_slots[SlotCount];
    std::int16_t m_pen;

    CCircles();
    CCircles(const CCircles&) = delete;
    CCircles& operator=(const CCircles&) = delete;
    ~CCircles() override;

    void CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const;

    // used count, all 100 slots, pen index
    void Serialize(CArchive& ar) override;
};
