// A block of 10 curve elements sharing one pen.
#pragma once

#include <cstdint>

#include "elements/Curve.h"
#include "platform/core/BlockMemory.h"
#include "platform/core/Object.h"

class CCurves : public CObject {
    DECLARE_SERIAL(CCurves)
public:
    ZELK_BLOCK_MEMORY
    static constexpr int SlotCount = 10;

    std::int16_t m_count;
    CCurve m_slots[SlotCount];
    std::int16_t m_pen;

    CCurves();
    CCurves(const CCurves&) = delete;
    CCurves& operator=(const CCurves&) = delete;
    ~CCurves() override;

    void CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const;

    // used count, all 10 slots, pen index
    void Serialize(CArchive& ar) override;
};
