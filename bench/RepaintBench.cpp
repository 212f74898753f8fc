// The drawing window's cost on generated drawings of 10^4 to 10^5 elements in a window of
// 1000 x 800 pixels: the full paint after show all, and the redraw after one element's mark
// changed (the document's redraw of changed elements, which walks the whole drawing).
#include "bench/BenchPicture.h"
#include "elements/Lines.h"

namespace {

using namespace bench;

void BM_RepaintAtShowAll(benchmark::State& state)
{
    AppScope scope;
    ShownDrawing shown(Generate(static_cast<int>(state.range(0))));
    // Every paint has a device context of its own, as a window's paint does.
    for (auto _ : state)
        shown.view.PaintWindow();
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RepaintAtShowAll)->Apply(DrawingSizes);

void BM_RedrawOneChangedElement(benchmark::State& state)
{
    AppScope scope;
    ShownDrawing shown(Generate(static_cast<int>(state.range(0))));
    auto* block = static_cast<CLines*>(shown.doc->m_lineBlocks[0]);
    CLine& line = block->m_slots[0];
    for (auto _ : state) {
        line.m_mark ^= 0x02;
        line.m_mark |= 0x80;
        shown.doc->RedrawChangedElements(1);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RedrawOneChangedElement)->Apply(DrawingSizes);

}  // namespace
