// A block of 10 text elements sharing one font.
#pragma once

#include <cstdint>

#include "elements/Text.h"
#include "platform/core/BlockMemory.h"
#include "platform/core/Object.h"

class CTexts : public CObject {
    DECLARE_SERIAL(CTexts)
public:
    ZELK_BLOCK_MEMORY
    static constexpr int SlotCount = 10;

    std::int16_t m_count;
    CText m_slots[SlotCount];
    std::int16_t m_pen;   // for texts: index into the document's font table

    CTexts();
    CTexts(const CTexts&) = delete;
    CTexts& operator=(const CTexts&) = delete;
    ~CTexts() override;

    void CheckIndices(int fontCount, int layerCount, int groupCount, int stringCount) const;

    // used count, all 10 slots, font index
    void Serialize(CArchive& ar) override;
};
