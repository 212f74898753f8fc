// Walks from element to element along shared end points, for the loop command: chains of lines
// and arcs without branches, runs of nearly collinear lines, and the test whether a line's end
// is shared.
#include <cmath>

#include "commands/line/LoopCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/ElemKey.h"

namespace {

// The last live element of the blocks, other than the current one and the one the chain
// excludes throughout, with an end at the point (within 0.1); counts them all.
struct Continuation {
    int count = 0;
    int block = -1;
    int slot = -1;
    CPointD other;
    std::uint8_t endFlag = 0;
};

struct ElementAt {
    int kind, block, slot;
    bool Is(int k, int b, int s) const { return kind == k && block == b && slot == s; }
};

template <class Block, class EndsOf>
Continuation FindAt(const CObArray& blocks, int kind, CPointD p, ElementAt current, ElementAt excluded,
                    EndsOf ends)
{
    Continuation c;
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const Block* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s) {
            const auto& e = block->m_slots[s];
            if (e.m_state & STATE_DELETED)
                continue;
            if (current.Is(kind, b, s) || excluded.Is(kind, b, s))
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

// Calls fn for every live line other than (block, slot) until it answers true; true when one did.
template <class Fn>
bool AnyOtherLiveLine(const CZelkDoc& doc, int block, int slot, Fn fn)
{
    for (int b = 0; b < doc.m_lineBlocks.GetSize(); ++b) {
        const CLines* lines = doc.LineBlockAt(b);
        for (int s = 0; s < lines->m_count; ++s) {
            const CLine& l = lines->m_slots[s];
            if ((l.m_state & STATE_DELETED) || (b == block && s == slot))
                continue;
            if (fn(l, b, s))
                return true;
        }
    }
    return false;
}

// The angle between two directions in degrees, 0 to 180.
double DirectionDifference(double a, double b)
{
    const double d = std::fabs(a - b);
    return d >= 180.0 ? 360.0 - d : d;
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
    // The element the chain starts from never joins it, also when the chain comes back to it.
    const ElementAt excluded{ kind, block, slot };
    for (int step = 0; step < 100; ++step) {
        const ElementAt current{ kind, block, slot };
        const Continuation lines = FindAt<CLines>(m_lineBlocks, ELEM_LINE, p, current, excluded, LineEnds);
        const Continuation arcs = FindAt<CArcs>(m_arcBlocks, ELEM_ARC, p, current, excluded, ArcEnds);
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
    return AnyOtherLiveLine(*this, block, slot, [&](const CLine& l, int, int) {
        return PointsEqualWithinDecimals(l.m_start, point, 1) ||
               PointsEqualWithinDecimals(l.m_end, point, 1);
    }) ? 1 : 0;
}

CPointD CZelkDoc::FollowCollinearChain(CPointD start, int block, int slot,
                                       std::vector<CPointD>& vertices)
{
    CLoopCommand* loop = m_loopCmd;
    if (loop == nullptr || loop->m_runElems.empty() || loop->m_currentLoop == nullptr)
        return start;
    const CElemRef& last = loop->m_runElems.back();
    const CLine* lastLine = GetLineElem(last.m_block, last.m_slot);
    if (lastLine == nullptr)
        return start;
    double w = PointsNearlyEqual(start, lastLine->m_end)
                   ? PointsAngleDeg(lastLine->m_start, lastLine->m_end)
                   : PointsAngleDeg(lastLine->m_end, lastLine->m_start);
    const double tolerance = loop->m_values[0].value + 0.1;

    CPointD p = start;
    for (int step = 0; step < 200; ++step) {
        int count = 0;
        int nextBlock = -1, nextSlot = -1;
        bool enteredAtEnd = false;
        AnyOtherLiveLine(*this, block, slot, [&](const CLine& l, int b, int s) {
            bool atEnd;
            if (PointsEqualWithinDecimals(l.m_start, p, 2) &&
                DirectionDifference(PointsAngleDeg(l.m_start, l.m_end), w) <= tolerance)
                atEnd = false;
            else if (PointsEqualWithinDecimals(l.m_end, p, 2) &&
                     DirectionDifference(PointsAngleDeg(l.m_end, l.m_start), w) <= tolerance)
                atEnd = true;
            else
                return false;
            ++count;
            nextBlock = b;
            nextSlot = s;
            enteredAtEnd = atEnd;
            return false;
        });
        if (count != 1)
            break;

        const CLine& next = LineBlockAt(nextBlock)->m_slots[nextSlot];
        CElemRef entry;
        entry.Init(ELEM_LINE, static_cast<std::int16_t>(nextBlock),
                   static_cast<std::int16_t>(nextSlot), 1, 1);
        entry.m_extra = enteredAtEnd ? 1 : 2;
        loop->m_runElems.push_back(entry);
        const int copyIndex = loop->m_lineCopies.Add(new CLine(next));
        CElemRef* ref = new CElemRef;
        ref->Init(ELEM_LINE, static_cast<std::int16_t>(nextBlock),
                  static_cast<std::int16_t>(nextSlot), 1, 1);
        loop->m_lineRefs.Add(ref);
        CElemKey* key = new CElemKey;
        key->Set(ELEM_LINE, static_cast<std::int16_t>(copyIndex), enteredAtEnd ? 1 : 0);
        loop->m_currentLoop->Add(key);

        const CPointD& entered = enteredAtEnd ? next.m_end : next.m_start;
        p = enteredAtEnd ? next.m_start : next.m_end;
        w = PointsAngleDeg(entered, p);
        block = nextBlock;
        slot = nextSlot;
        vertices.push_back(p);
        for (std::size_t i = 0; i + 1 < vertices.size(); ++i)
            if (PointsEqualWithinDecimals(vertices[i], p, 2))
                return p;
    }
    return p;
}
