// Readers of the drawing the line command's tests share: the live lines, the lines of the last
// logged operation, and a point compared to six decimals.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "geometry/PointD.h"

namespace line_tests {

inline CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// The live lines of the drawing in block order.
inline std::vector<CLine> LiveLines(const CZelkDoc& doc)
{
    std::vector<CLine> out;
    for (int b = 0; b < doc.m_lineBlocks.GetSize(); ++b) {
        const auto* block = static_cast<const CLines*>(doc.m_lineBlocks[b]);
        for (int s = 0; s < block->m_count && s < CLines::SlotCount; ++s)
            if (!(block->m_slots[s].m_state & STATE_DELETED))
                out.push_back(block->m_slots[s]);
    }
    return out;
}

// The lines of the operation last logged, in the order they were added.
inline std::vector<CLine> LoggedLines(const CZelkDoc& doc)
{
    std::vector<CLine> out;
    for (const auto& e : doc.m_creationLog->m_log)
        if (e->m_kind == ELEM_LINE)
            if (const CLine* l = doc.GetLineElem(e->m_block, e->m_slot))
                out.push_back(*l);
    return out;
}

} // namespace line_tests

#define EXPECT_POINT(p, x, y)              \
    do {                                   \
        EXPECT_NEAR((p).m_x, (x), 1e-6);   \
        EXPECT_NEAR((p).m_y, (y), 1e-6);   \
    } while (0)
