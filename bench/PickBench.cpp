// Picks and point searches on generated drawings of every element kind (points, lines, circles,
// arcs, texts, ellipses and curves on four pens, fonts and layers, some bound in groups), at a
// crowded spot inside the drawing and at a sparse spot beside it, where the whole drawing is
// searched and nothing found. The clearing of marks and redraw bits that a marking pick adds are
// measured on their own.
#include "bench/BenchDrawing.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "input/PickList.h"
#include "input/PointSearch.h"
#include "view/ZelkView.h"

#include <vector>

namespace {

using namespace bench;

// A drawing of n elements, seven kinds in turn on the grid of Generate; every 50th line is bound
// with the next line in a group of two.
std::unique_ptr<CZelkDoc> GenerateAllKinds(int n)
{
    auto doc = std::make_unique<CZelkDoc>();
    doc->m_bAutoDelete = FALSE;
    const DrawingTables t(*doc);
    int pending = -1;
    for (int i = 0; i < n; ++i) {
        const double x = i % 1000;
        const double y = i / 1000;
        const std::int16_t layer = t.layers[i / 7 % 4];
        const std::int16_t pen = t.pens[i % 4];
        switch (i % 7) {
        case 0: doc->AddPoint(At(x, y), layer, pen); break;
        case 1: {
            std::int16_t block = 0, slot = 0;
            doc->AddLineWithPen(At(x, y), At(x + 3, y + 1 + i % 5), layer, pen, block, slot);
                        if (i % 350 == 1)
                pending = doc->m_groups.Add(new CGroup);
            else if (i % 350 != 8)
                break;
            CElemRef r;
            r.Init(ELEM_LINE, block, slot, 1, 0);
            doc->GetGroup(pending)->m_members.push_back(r);
            doc->GetLineElem(block, slot)->m_group = static_cast<std::int16_t>(pending);
            break;
        }
        case 2: doc->AddCircle(At(x, y), 1 + i % 7, layer, pen); break;
        case 3: doc->AddArc(At(x, y), 2 + i % 3, At(15.0 * (i % 12), 200.0 + 10.0 * (i % 9)), layer, pen); break;
        case 4: doc->AddText(At(x, y), "文字列ABC", 0, 8, layer, t.fonts[i / 4 % 2]); break;
        case 5: doc->AddConic(At(x, y), 2, 0.5, At(0, 360), 15.0 * (i % 6), layer, pen); break;
        default:
            doc->AddCurve(1, {At(x, y), At(x + 1, y + 1), At(x + 2, y), At(x + 3, y + 1)}, layer, pen);
            break;
        }
    }
    doc->ComputeExtents();
    return doc;
}

// A drawing with a view at zoom 10 that shows it, for the life of a benchmark.
struct PickScope {
    AppScope app;
    std::unique_ptr<CZelkDoc> doc;
    CZelkView view;

    explicit PickScope(int n) : doc(GenerateAllKinds(n))
    {
        view.m_document = doc.get();
        view.m_zoom = 10;
        view.m_clientRectLogical = RECT{0, 0, 10000, -6000};
        view.m_layerStates.SetSize(doc->m_layers.GetSize());
    }
    ~PickScope() { view.m_document = nullptr; }
    // The pick square of the default half size about a world point.
    CRectD Square(CPointD p) const
    {
        const CPointD c = p.WorldToScreen(view.m_origin, view.m_zoom);
        CRectD r;
        r.Init(c.m_x - 20, c.m_y + 20, c.m_x + 20, c.m_y - 20);
        return r;
    }
};

// Inside the drawing, among its elements; and beside it, where nothing lies.
CPointD Spot(int n, bool crowded)
{
    return crowded ? At(500.5, n / 2000 + 0.5) : At(1500, n / 2000);
}

void ClickPick(benchmark::State& state, bool crowded)
{
    const int n = static_cast<int>(state.range(0));
    PickScope s(n);
    const CRectD window = s.Square(Spot(n, crowded));
    CPickList& list = *s.doc->m_pickList;
    const IndexSwitch index(state);
    int found = 0;
    for (auto _ : state) {
        found = list.Search(&s.view, window, 2);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
}

void PointSearch(benchmark::State& state, bool crowded)
{
    const int n = static_cast<int>(state.range(0));
    PickScope s(n);
    const CPointD cursor = Spot(n, crowded);
    CPointSearch& search = *s.doc->m_pointSearch;
    const IndexSwitch index(state);
    int found = 0;
    for (auto _ : state) {
        search.Reset();
        found = search.Search(&s.view, cursor);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = found;
}

void BM_PickCrowded(benchmark::State& state) { ClickPick(state, true); }
void BM_PickSparse(benchmark::State& state) { ClickPick(state, false); }
void BM_PointSearchCrowded(benchmark::State& state) { PointSearch(state, true); }
void BM_PointSearchSparse(benchmark::State& state) { PointSearch(state, false); }

// What a marking pick adds besides the search: clearing the selection mark in the drawing, and
// the redraw's clearing of the redraw bits.
void BM_PickClearMarks(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    PickScope s(n);
    for (auto _ : state)
        s.doc->m_pickList->ClearMarks(MARK_SELECTED);
    state.SetComplexityN(n);
}

void BM_PickClearRedrawBits(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    PickScope s(n);
    for (auto _ : state)
        s.doc->ClearRedrawBits();
    state.SetComplexityN(n);
}

// The searches with the blocks' boxes and with a walk of every element (the second argument).
void PickSizes(benchmark::internal::Benchmark* b)
{
    for (int n : {10000, 30000, 100000, 1000000})
        for (int indexed : {0, 1})
            b->Args({n, indexed});
    b->ArgNames({"n", "indexed"})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_PickCrowded)->Apply(PickSizes);
BENCHMARK(BM_PickSparse)->Apply(PickSizes);
BENCHMARK(BM_PointSearchCrowded)->Apply(PickSizes);
BENCHMARK(BM_PointSearchSparse)->Apply(PickSizes);
void ClearSizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10000)->Arg(30000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond)->Complexity();
}

BENCHMARK(BM_PickClearMarks)->Apply(ClearSizes);
BENCHMARK(BM_PickClearRedrawBits)->Apply(ClearSizes);

}  // namespace
