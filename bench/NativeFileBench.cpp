// Writing and reading native drawing files of generated drawings, 10^4 to 10^5 elements. Both
// should grow about linearly.
#include "bench/BenchDrawing.h"
#include "view/ZelkView.h"

namespace {

using namespace bench;

void BM_WriteNative(benchmark::State& state)
{
    AppScope scope;
    auto doc = Generate(static_cast<int>(state.range(0)));
    CZelkView view;
    view.m_document = doc.get();
    for (auto _ : state) {
        if (!view.WriteNativeFile(BenchPath("bench-native.zel"), 0))
            state.SkipWithError("write failed");
    }
    state.SetComplexityN(state.range(0));
    view.m_document = nullptr;
}

void BM_ReadNative(benchmark::State& state)
{
    AppScope scope;
    {
        auto doc = Generate(static_cast<int>(state.range(0)));
        CZelkView view;
        view.m_document = doc.get();
        view.WriteNativeFile(BenchPath("bench-native.zel"), 0);
        view.m_document = nullptr;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CZelkDoc>();
        state.ResumeTiming();
        if (!doc->LoadNativeFile(BenchPath("bench-native.zel")))
            state.SkipWithError("read failed");
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_WriteNative)->Apply(DrawingSizes);
BENCHMARK(BM_ReadNative)->Apply(DrawingSizes);

BENCHMARK_MAIN();
