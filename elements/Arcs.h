// A block of 100 arc elements sharing one pen.
#pragma once

#include <cstdint>

#include "elements/Arc.h"
#include "platform/core/BlockMemory.h"
#include "platform/core/Object.h"

class CArcs : public CObject {
    DECLARE_SERIAL(CArcs)
public:
    ZELK_BLOCK_MEMORY
    static constexpr int SlotCount = 100;

    std::int16_t m_count;
    CArc m_slots[SlotCount];
    std::int16_t m_pen;

    CArcs();
    CArcs(const CArcs&) = delete;
    CArcs& operator=(const CArcs&) = delete;
    ~CArcs() override;

    void CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const;

    // used count, all 100 slots, pen index
    void Serialize(CArchive& ar) override;
};
