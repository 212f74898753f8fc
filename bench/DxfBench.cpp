// DXF export and import of generated drawings, 10^4 to 10^5 elements of lines, circles, arcs
// and texts. Both should grow about linearly.
#include "bench/BenchDrawing.h"
#include "view/ZelkView.h"

namespace {

using namespace bench;

void BM_WriteDxf(benchmark::State& state)
{
    AppScope scope;
    auto doc = Generate(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!doc->WriteDxfFile(BenchPath("bench-export.dxf")))
            state.SkipWithError("write failed");
    }
    state.SetComplexityN(state.range(0));
}

void BM_ReadDxf(benchmark::State& state)
{
    AppScope scope;
    {
        auto doc = Generate(static_cast<int>(state.range(0)));
        if (!doc->WriteDxfFile(BenchPath("bench-import.dxf")))
            state.SkipWithError("write failed");
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CZelkDoc>();
        CZelkView view;
        view.m_document = doc.get();
        int replaced = 0;
        state.ResumeTiming();
        if (!view.ReadDxfData(BenchPath("bench-import.dxf"), &replaced))
            state.SkipWithError("read failed");
        doc->ComputeExtents();
        state.PauseTiming();
        view.m_document = nullptr;
        doc.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_WriteDxf)->Apply(DrawingSizes);
BENCHMARK(BM_ReadDxf)->Apply(DrawingSizes);
