// The working tables of one native-file write: which elements, groups, attribute strings, pens
// and fonts are written and the numbers they get in the file. Built and freed by one call.
#pragma once

#include "geometry/SlotIndexMap.h"
#include "platform/core/WinTypes.h"

#include <cstdint>
#include <vector>

// Block arrays in the order of the slot maps.
enum NativeBlockKind {
    NATIVE_BLOCKS_POINT = 0,
    NATIVE_BLOCKS_LINE,
    NATIVE_BLOCKS_CIRCLE,
    NATIVE_BLOCKS_ARC,
    NATIVE_BLOCKS_TEXT,
    NATIVE_BLOCKS_CONIC,
    NATIVE_BLOCKS_CURVE,
    NATIVE_BLOCKS_COUNT
};

struct CNativeWriteTables {
    // Per block: the 1-based number of each written element among its block's written
    // elements, -1 for an element that is not written.
    std::vector<CSlotIndexMap> m_slotMaps[NATIVE_BLOCKS_COUNT];
    // While selecting: 1 used, 0 unused; afterwards the number in the file or -1.
    std::vector<std::int16_t> m_stringMap;
    std::vector<std::int16_t> m_groupMap;
    std::vector<std::int16_t> m_penMap;
    std::vector<std::int16_t> m_fontMap;
    // Set when an item does not fit into a record of 65535 bytes even on its own.
    int m_itemTooLarge = 0;
    // The "item" data, when there is any.
    std::vector<BYTE> m_itemData;

    int WrittenGroups() const;
    int WrittenStrings() const;
};
