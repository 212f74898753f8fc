// A block of 10 ellipse elements sharing one pen.
#pragma once

#include <cstdint>

#include "elements/Conic.h"
#include "platform/core/BlockMemory.h"
#include "platform/core/Object.h"

class CConics : public CObject {
    DECLARE_SERIAL(CConics)
public:
    ZELK_BLOCK_MEMORY
    static constexpr int SlotCount = 10;

    std::int16_t m_count;
    CConic m_slots[SlotCount];
    std::int16_t m_pen;

    CConics();
    CConics(const CConics&) = delete;
    CConics& operator=(const CConics&) = delete;
    ~CConics() override;

    void CheckIndices(int penCount, int layerCount, int groupCount, int stringCount) const;

    // used count, all 10 slots, pen index
    void Serialize(CArchive& ar) override;
};
