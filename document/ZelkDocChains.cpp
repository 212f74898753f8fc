// Walks from element to element along shared end points, for the loop command: chains of lines
// and arcs without branches, and the test whether a line's end is shared.
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "geometry/Numeric.h"

namespace {

// The last live element of the blocks, other than the current one, with an end at the point
// (within 0.1); counts them all.
struct Continuation {
    int count = 0;
    int block = -1;
    int slot = -1;
    CPointD other;
    std::uint8_t endFlag = 0;
};

template <class Block, class EndsOf>
Continuation FindAt(const CObArray& blocks, int kind, CPointD p, int curKind, int curBlock,
                    int curSlot, EndsOf ends)
{
    Continuation c;
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const Block* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s) {
            const auto& e = block->m_slots[s];
            if (e.m_state & STATE_DELETED)
                continue;
            if (kind == curKind && b == curBlock && s == curSlot)
                continue;
            CPointD first, last;
            ends(e, first, last);
            if (PointsEqualWithinDecimals(first, p, 1)) {
                ++c.count;
                c.block = b;
                c.slot = s;
                c.other = last;
                c.endFlag = 2;
            } else if (PointsEqualWithinDecimals(last, p, 1)) {
                ++c.count;
                c.block = b;
                c.slot = s;
                c.other = first;
                c.endFlag = 1;
            }
        }
    }
    return c;
}

void LineEnds(const CLine& l, CPointD& first, CPointD& last)
{
    first = l.m_start;
    last = l.m_end;
}

void ArcEnds(const CArc& a, CPointD& first, CPointD& last)
{
    first = a.KeyPoint(-1);
    last = a.KeyPoint(-2);
}

}  // namespace

int CZelkDoc::ListHoldsElement(const CElemRef& entry, const std::vector<CElemRef>& entries)
{
    for (const CElemRef& e : entries)
        if (e.IsSameElement(entry))
            return 1;
    return 0;
}

CPointD CZelkDoc::FollowChain(CPointD start, int kind, int block, int slot,
                              std::vector<CElemRef>& entries)
{
    CPointD p = start;
    for (int step = 0; step < 100; ++step) {
        const Continuation lines =
            FindAt<CLines>(m_lineBlocks, ELEM_LINE, p, kind, block, slot, LineEnds);
        const Continuation arcs =
            FindAt<CArcs>(m_arcBlocks, ELEM_ARC, p, kind, block, slot, ArcEnds);
        Continuation next;
        int nextKind;
        if (lines.count == 1 && arcs.count == 0) {
            next = lines;
            nextKind = ELEM_LINE;
        } else if (arcs.count == 1 && lines.count == 0) {
            next = arcs;
            nextKind = ELEM_ARC;
        } else {
            break;
        }
        CElemRef e;
        e.Init(static_cast<std::int16_t>(nextKind), static_cast<std::int16_t>(next.block),
               static_cast<std::int16_t>(next.slot), 1, 1);
        e.m_extra = next.endFlag;
        if (ListHoldsElement(e, entries))
            break;
        entries.push_back(e);
        kind = nextKind;
        block = next.block;
        slot = next.slot;
        p = next.other;
    }
    return p;
}

int CZelkDoc::IsLineEndShared(CPointD point, int block, int slot)
{
    for (int b = 0; b < m_lineBlocks.GetSize(); ++b) {
        const CLines* lines = LineBlockAt(b);
        for (int s = 0; s < lines->m_count; ++s) {
            const CLine& l = lines->m_slots[s];
            if ((l.m_state & STATE_DELETED) || (b == block && s == slot))
                continue;
            if (PointsEqualWithinDecimals(l.m_start, point, 1) ||
                PointsEqualWithinDecimals(l.m_end, point, 1))
                return 1;
        }
    }
    return 0;
}
