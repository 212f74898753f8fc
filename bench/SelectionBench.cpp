// Selection over generated drawings of 10^4 to 10^5 elements, an eighth of them bound in groups
// of four: marking the elements a box meets and collecting the selection, deleting it, giving
// the whole drawing an attribute string and taking it away again, and collecting every element.
#include "bench/BenchDrawing.h"
#include "document/UndoHistory.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "geometry/Clipping.h"

#include <vector>

namespace {

using namespace bench;

template <class Block, class Visit>
void EachElement(const CObArray& blocks, Visit visit)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        Block* block = static_cast<Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s)
            visit(block->m_slots[s], b, s);
    }
}

// Calls visit(element, kind, block, slot) for every element of the four generated kinds.
template <class Visit>
void EachElement(CZelkDoc& doc, Visit visit)
{
    EachElement<CLines>(doc.m_lineBlocks, [&](CLine& e, int b, int s) { visit(e, ELEM_LINE, b, s); });
    EachElement<CCircles>(doc.m_circleBlocks, [&](CCircle& e, int b, int s) { visit(e, ELEM_CIRCLE, b, s); });
    EachElement<CArcs>(doc.m_arcBlocks, [&](CArc& e, int b, int s) { visit(e, ELEM_ARC, b, s); });
    EachElement<CTexts>(doc.m_textBlocks, [&](CText& e, int b, int s) { visit(e, ELEM_TEXT, b, s); });
}

// Binds the elements of every other block's first eight slots in groups of four.
void AddGroups(CZelkDoc& doc)
{
    CGroup* group = nullptr;
    int groupIndex = -1;
    EachElement(doc, [&](auto& e, int kind, int b, int s) {
        if (b % 2 != 0 || s >= 8)
            return;
        if (s % 4 == 0) {
            group = new CGroup;
            groupIndex = doc.m_groups.Add(group);
        }
        CElemRef r;
        r.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(b),
               static_cast<std::int16_t>(s), e.m_state, e.m_mark);
        group->m_members.push_back(r);
        e.m_group = static_cast<std::int16_t>(groupIndex);
    });
}

std::unique_ptr<CZelkDoc> GenerateGrouped(int n)
{
    auto doc = Generate(n);
    AddGroups(*doc);
    return doc;
}

void ClearMarks(CZelkDoc& doc)
{
    EachElement(doc, [](auto& e, int, int, int) { e.m_mark = 0; });
    for (int i = 0; i < doc.m_groups.GetSize(); ++i)
        doc.GetGroup(i)->m_mark = 0;
}

// The left half of the drawing, in the screen sense (top is the larger y).
CRectD LeftHalf(const CZelkDoc& doc)
{
    const CRectD& e = doc.m_extents;
    CRectD r;
    r.Init(e.m_left - 1, e.m_top + 1, (e.m_left + e.m_right) / 2, e.m_bottom - 1);
    return r;
}

bool Inside(const CPointD& p, const CRectD& r)
{
    return p.m_x >= r.m_left && p.m_x <= r.m_right && p.m_y >= r.m_bottom && p.m_y <= r.m_top;
}

// Marks every element the box meets, with its groups; the number marked.
int SelectInBox(CZelkDoc& doc, const CRectD& box)
{
    int hits = 0;
    EachElement<CLines>(doc.m_lineBlocks, [&](CLine& e, int, int) {
        if (SegmentCrossesRectD(e.m_start, e.m_end, box))
            hits += e.Select(&doc, 1);
    });
    EachElement<CCircles>(doc.m_circleBlocks, [&](CCircle& e, int, int) {
        if (CircleCrossesRectD(e.m_centre, e.m_radius, box))
            hits += e.Select(&doc, 1);
    });
    EachElement<CArcs>(doc.m_arcBlocks, [&](CArc& e, int, int) {
        if (ArcInsideRectD(e.m_centre, e.m_radius, At(e.m_startAngle, e.m_endAngle), box))
            hits += e.Select(&doc, 1);
    });
    EachElement<CTexts>(doc.m_textBlocks, [&](CText& e, int, int) {
        if (Inside(e.m_point, box))
            hits += e.Select(&doc, 1);
    });
    return hits;
}

void BM_SelectInBox(benchmark::State& state)
{
    AppScope scope;
    auto doc = GenerateGrouped(static_cast<int>(state.range(0)));
    const CRectD box = LeftHalf(*doc);
    for (auto _ : state) {
        if (SelectInBox(*doc, box) == 0)
            state.SkipWithError("nothing in the box");
        if (!doc->CollectSelection())
            state.SkipWithError("nothing collected");
        state.PauseTiming();
        ClearMarks(*doc);
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

// Brings every element and group back to life, unmarked, with an empty undo history.
void Revive(CZelkDoc& doc)
{
    EachElement(doc, [](auto& e, int, int, int) {
        e.m_state = STATE_LIVE;
        e.m_mark = 0;
    });
    for (int i = 0; i < doc.m_groups.GetSize(); ++i) {
        doc.GetGroup(i)->m_state = STATE_LIVE;
        doc.GetGroup(i)->m_mark = 0;
    }
    delete doc.m_undoHistory;
    doc.m_undoHistory = new CUndoHistory(&doc);
}

void BM_DeleteBoxSelection(benchmark::State& state)
{
    AppScope scope;
    auto doc = GenerateGrouped(static_cast<int>(state.range(0)));
    const CRectD box = LeftHalf(*doc);
    for (auto _ : state) {
        state.PauseTiming();
        Revive(*doc);
        SelectInBox(*doc, box);
        state.ResumeTiming();
        if (!doc->DeleteSelected(1))
            state.SkipWithError("nothing deleted");
    }
    state.SetComplexityN(state.range(0));
}

void SelectAll(CZelkDoc& doc)
{
    EachElement(doc, [](auto& e, int, int, int) { e.m_mark |= MARK_SELECTED; });
}

void BM_AttributeStringOnAll(benchmark::State& state)
{
    AppScope scope;
    auto doc = Generate(static_cast<int>(state.range(0)));
    const int index = doc->m_attrStrings.Add(new CDataString("BENCH"));
    CDataString* string = doc->GetString(index);
    for (auto _ : state) {
        SelectAll(*doc);
        doc->ApplyAttributeStringToSelection(index, 0);
        if (string->m_refs.size() != static_cast<size_t>(state.range(0)))
            state.SkipWithError("not every element carries the string");
        SelectAll(*doc);
        doc->ApplyAttributeStringToSelection(index, 1);
        if (!string->m_refs.empty())
            state.SkipWithError("the string is still carried");
    }
    state.SetComplexityN(state.range(0));
}

void BM_CollectElements(benchmark::State& state)
{
    AppScope scope;
    auto doc = Generate(static_cast<int>(state.range(0)));
    const int allKinds = ELEM_POINT | ELEM_LINE | ELEM_CIRCLE | ELEM_ARC | ELEM_TEXT |
                         ELEM_CONIC | ELEM_CURVE;
    for (auto _ : state) {
        CPtrArray refs;
        doc->CollectElements(-1, allKinds, 0x1F, refs);
        if (refs.GetSize() != state.range(0))
            state.SkipWithError("not every element collected");
        CZelkDoc::FreeRefList(refs);
    }
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_SelectInBox)->Apply(DrawingSizes);
BENCHMARK(BM_DeleteBoxSelection)->Apply(DrawingSizes);
BENCHMARK(BM_AttributeStringOnAll)->Apply(DrawingSizes);
BENCHMARK(BM_CollectElements)->Apply(DrawingSizes);
