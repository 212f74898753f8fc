// What a user waits for in the drawing window on generated drawings of 10^4 to 10^6 elements:
// the paint of the whole window at show all and zoomed in to a hundredth of the drawing's area,
// a box selection over the left half of the drawing, select all and the deletion of the
// selection with their redraws. Each runs with the blocks' boxes and with a walk of every
// element, as before the boxes, in the same run.
#include "bench/BenchPicture.h"
#include "document/UndoHistory.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "input/PickList.h"

namespace {

using namespace bench;

void BM_PaintShowAll(benchmark::State& state)
{
    AppScope scope;
    ShownDrawing shown(Generate(static_cast<int>(state.range(0))));
    const IndexSwitch index(state);
    for (auto _ : state)
        shown.view.PaintWindow();
    // What the blocks' boxes take beside what the blocks take.
    std::size_t blocks = 0;
    blocks += sizeof(CLines) * static_cast<std::size_t>(shown.doc->m_lineBlocks.GetSize());
    blocks += sizeof(CCircles) * static_cast<std::size_t>(shown.doc->m_circleBlocks.GetSize());
    blocks += sizeof(CArcs) * static_cast<std::size_t>(shown.doc->m_arcBlocks.GetSize());
    blocks += sizeof(CTexts) * static_cast<std::size_t>(shown.doc->m_textBlocks.GetSize());
    state.counters["blockBytes"] = static_cast<double>(blocks);
    state.counters["boxBytes"] = static_cast<double>(shown.doc->m_blockExtents.MemoryBytes());
}
BENCHMARK(BM_PaintShowAll)->Apply(WindowSizes);

// A tenth of the width and height of show all: a hundredth of the area.
void BM_PaintZoomed(benchmark::State& state)
{
    AppScope scope;
    ShownDrawing shown(Generate(static_cast<int>(state.range(0))));
    shown.view.ZoomAboutCentre(10);
    const IndexSwitch index(state);
    for (auto _ : state)
        shown.view.PaintWindow();
}
BENCHMARK(BM_PaintZoomed)->Apply(WindowSizes);

// The left half of the shown drawing in view units (the box a user drags).
CRectD LeftHalfOnScreen(const ShownDrawing& shown)
{
    const CRectD& e = shown.doc->m_extents;
    CPointD lo, hi;
    lo.Init(e.m_left - 1, e.m_bottom - 1);
    hi.Init((e.m_left + e.m_right) / 2, e.m_top + 1);
    const CPointD a = lo.WorldToScreen(shown.view.m_origin, shown.view.m_zoom);
    const CPointD b = hi.WorldToScreen(shown.view.m_origin, shown.view.m_zoom);
    CRectD r;
    r.Init(a.m_x, b.m_y, b.m_x, a.m_y);
    return r;
}

template <class Visit>
void EachLine(CZelkDoc& doc, Visit visit)
{
    for (int b = 0; b < doc.m_lineBlocks.GetSize(); ++b) {
        auto* block = static_cast<CLines*>(doc.m_lineBlocks[b]);
        for (int s = 0; s < block->m_count; ++s)
            visit(block->m_slots[s]);
    }
}

// Every element and group unmarked and live again, the undo history empty.
void Revive(CZelkDoc& doc)
{
    auto revive = [](auto& e) {
        e.m_state = STATE_LIVE;
        e.m_mark = 0;
    };
    EachLine(doc, revive);
    for (int b = 0; b < doc.m_circleBlocks.GetSize(); ++b)
        for (int s = 0; s < doc.CircleBlockAt(b)->m_count; ++s)
            revive(*doc.GetCircleElem(b, s));
    for (int b = 0; b < doc.m_arcBlocks.GetSize(); ++b)
        for (int s = 0; s < doc.ArcBlockAt(b)->m_count; ++s)
            revive(*doc.GetArcElem(b, s));
    for (int b = 0; b < doc.m_textBlocks.GetSize(); ++b)
        for (int s = 0; s < doc.TextBlockAt(b)->m_count; ++s)
            revive(*doc.GetTextElem(b, s));
    for (int i = 0; i < doc.m_groups.GetSize(); ++i)
        revive(*doc.GetGroup(i));
    delete doc.m_undoHistory;
    doc.m_undoHistory = new CUndoHistory(&doc);
}

// The box selection of the view over the left half: the elements inside marked with their
// groups, and redrawn selected.
void BM_BoxSelectHalf(benchmark::State& state)
{
    AppScope scope;
    ShownDrawing shown(Generate(static_cast<int>(state.range(0))));
    const CRectD box = LeftHalfOnScreen(shown);
    const IndexSwitch index(state);
    int n = 0;
    for (auto _ : state) {
        n = shown.view.PickElements(box, 2, 1);
        state.PauseTiming();
        Revive(*shown.doc);
        state.ResumeTiming();
    }
    state.counters["selected"] = n;
}
BENCHMARK(BM_BoxSelectHalf)->Apply(WindowSizes);

// A drawing of n lines on the grid of Generate.
std::unique_ptr<CZelkDoc> GenerateLines(int n)
{
    auto doc = std::make_unique<CZelkDoc>();
    const DrawingTables t(*doc);
    for (int i = 0; i < n; ++i) {
        const double x = i % 1000;
        const double y = i / 1000;
        doc->AddLine(At(x, y), At(x + 3, y + 1 + i % 5), t.layers[i / 7 % 4], t.pens[i % 4]);
    }
    doc->ComputeExtents();
    return doc;
}

// The select-all command of the view on a drawing of lines, with its redraw.
void BM_SelectAllLines(benchmark::State& state)
{
    AppScope scope;
    ShownDrawing shown(GenerateLines(static_cast<int>(state.range(0))));
    const IndexSwitch index(state);
    for (auto _ : state) {
        shown.view.SelectAllElements();
        state.PauseTiming();
        Revive(*shown.doc);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SelectAllLines)->Apply(WindowSizes);

// The deletion of every line, selected, with its undo records and its redraw.
void BM_DeleteAllLines(benchmark::State& state)
{
    AppScope scope;
    ShownDrawing shown(GenerateLines(static_cast<int>(state.range(0))));
    const IndexSwitch index(state);
    for (auto _ : state) {
        state.PauseTiming();
        Revive(*shown.doc);
        EachLine(*shown.doc, [](CLine& l) { l.m_mark = MARK_SELECTED; });
        state.ResumeTiming();
        if (!shown.doc->DeleteSelected(1))
            state.SkipWithError("nothing deleted");
        shown.doc->RedrawChangedElements(1);
    }
}
BENCHMARK(BM_DeleteAllLines)->Apply(WindowSizes);

}  // namespace
