// Selection over generated drawings of 10^4 to 10^5 elements, some of them bound in groups of
// four: marking the elements a box meets and collecting the selection, deleting it, giving
// the whole drawing an attribute string and taking it away again, and collecting every element.
// And a drawing grouped as a whole, of groups of four: selecting it through one element and
// deleting it.
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

// Binds every element in groups of four and all those groups in one.
void GroupWhole(CZelkDoc& doc)
{
    CGroup* whole = new CGroup;
    const int wholeIndex = doc.m_groups.Add(whole);
    CGroup* group = nullptr;
    int groupIndex = -1;
    EachElement(doc, [&](auto& e, int kind, int b, int s) {
        if (s % 4 == 0) {
            group = new CGroup;
            groupIndex = doc.m_groups.Add(group);
            group->m_parent = static_cast<std::int16_t>(wholeIndex);
            CElemRef r;
            r.Init(ELEM_GROUP, static_cast<std::int16_t>(groupIndex), 0, group->m_state,
                   group->m_mark);
            whole->m_members.push_back(r);
        }
        CElemRef r;
        r.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(b),
               static_cast<std::int16_t>(s), e.m_state, e.m_mark);
        group->m_members.push_back(r);
        e.m_group = static_cast<std::int16_t>(groupIndex);
    });
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

int SelectLeftHalf(CZelkDoc& doc)
{
    return SelectInBox(doc, LeftHalf(doc));
}

int SelectThroughFirstLine(CZelkDoc& doc)
{
    return static_cast<CLines*>(doc.m_lineBlocks[0])->m_slots[0].Select(&doc, 1);
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

// A drawing's groups and the selection made in it.
struct Selecting {
    void (*bind)(CZelkDoc&);
    int (*select)(CZelkDoc&);   // the number of elements marked
};

void RunSelect(benchmark::State& state, const Selecting& how)
{
    AppScope scope;
    auto doc = Generate(static_cast<int>(state.range(0)));
    how.bind(*doc);
    for (auto _ : state) {
        if (how.select(*doc) == 0 || !doc->CollectSelection())
            state.SkipWithError("nothing selected");
        state.PauseTiming();
        ClearMarks(*doc);
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

void RunDelete(benchmark::State& state, const Selecting& how)
{
    AppScope scope;
    auto doc = Generate(static_cast<int>(state.range(0)));
    how.bind(*doc);
    for (auto _ : state) {
        state.PauseTiming();
        Revive(*doc);
        how.select(*doc);
        state.ResumeTiming();
        if (!doc->DeleteSelected(1))
            state.SkipWithError("nothing deleted");
    }
    state.SetComplexityN(state.range(0));
}

constexpr Selecting kBoxOfSmallGroups{AddGroups, SelectLeftHalf};
constexpr Selecting kGroupedWhole{GroupWhole, SelectThroughFirstLine};

void BM_SelectInBox(benchmark::State& state)
{
    RunSelect(state, kBoxOfSmallGroups);
}

void BM_DeleteBoxSelection(benchmark::State& state)
{
    RunDelete(state, kBoxOfSmallGroups);
}

void BM_SelectGroupedWhole(benchmark::State& state)
{
    RunSelect(state, kGroupedWhole);
}

void BM_DeleteGroupedWhole(benchmark::State& state)
{
    RunDelete(state, kGroupedWhole);
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
BENCHMARK(BM_SelectGroupedWhole)->Apply(DrawingSizes);
BENCHMARK(BM_DeleteGroupedWhole)->Apply(DrawingSizes);
BENCHMARK(BM_AttributeStringOnAll)->Apply(DrawingSizes);
BENCHMARK(BM_CollectElements)->Apply(DrawingSizes);
