// A block of 100 point elements sharing one pen.
#pragma once

#include <cstdint>

#include "elements/DataPoint.h"
#include "platform/core/BlockMemory.h"
#include "platform/core/Object.h"

class CDataPoints : public CObject {
    DECLARE_SERIAL(CDataPoints)
public:
    ZELK_BLOCK_MEMORY
    static constexpr int SlotCount = 100;

    std::int16_t m_count;   // slots 0 .. m_count-1 are in use, live or deleted
    CDataPoint m_slots[SlotCount];
    std::int16_t m_pen;     // index into the document's pen table

    CDataPoints();
    CDataPoints(const CDataPoints&) = delete;
    CDataPoints& operator=(const CDataPoints&) = delete;
    ~CDataPoints() override;

    // Pen index and the indices of the used slots against the document's tables.
    void CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const;

    // used count, all 100 slots, pen index; loading throws on a used count beyond the slots
    void Serialize(CArchive& ar) override;
};
