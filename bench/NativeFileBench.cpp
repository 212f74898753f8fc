// Writing and reading native drawing files of generated drawings: equal numbers of lines,
// circles and texts, 10^4 to 10^5 elements in all. Both should grow about linearly.
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "platform/core/ProgramFolder.h"
#include "view/ZelkView.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// A drawing of n elements: a third each lines, circles and texts, on four pens and two fonts.
std::unique_ptr<CZelkDoc> Generate(int n)
{
    auto doc = std::make_unique<CZelkDoc>();
    std::int16_t pens[4];
    for (int i = 0; i < 4; ++i)
        pens[i] = doc->FindOrAddPen(i % 3, static_cast<std::int16_t>(1 + i), 0, 0, 70);
    LOGFONT lf{};
    lf.lfHeight = -30;
    std::strcpy(lf.lfFaceName, "Gothic");
    const std::int16_t fonts[2] = {doc->FindOrAddFont(lf, 20, 30, 1, 0),
                                   doc->FindOrAddFont(lf, 30, 45, 1, 0)};
    for (int i = 0; i < n; ++i) {
        const double x = i % 1000;
        const double y = i / 1000;
        switch (i % 3) {
        case 0:
            doc->AddLine(At(x, y), At(x + 3, y + 1 + i % 5), 0, pens[i % 4]);
            break;
        case 1:
            doc->AddCircle(At(x, y), 1 + i % 7, 0, pens[i % 4]);
            break;
        default:
            doc->AddText(At(x, y), "文字列ABC", 0, 8, 0, fonts[i % 2]);
            break;
        }
    }
    return doc;
}

CString BenchPath()
{
    return ProgramFolder() + "bench-native.zel";
}

struct AppScope {
    AppScope() : app(std::make_unique<CZelkApp>()) { g_pApp = app.get(); }
    ~AppScope() { g_pApp = nullptr; }
    std::unique_ptr<CZelkApp> app;
};

void BM_WriteNative(benchmark::State& state)
{
    AppScope scope;
    auto doc = Generate(static_cast<int>(state.range(0)));
    CZelkView view;
    view.m_document = doc.get();
    for (auto _ : state) {
        if (!view.WriteNativeFile(BenchPath(), 0))
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
        view.WriteNativeFile(BenchPath(), 0);
        view.m_document = nullptr;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CZelkDoc>();
        state.ResumeTiming();
        if (!doc->LoadNativeFile(BenchPath()))
            state.SkipWithError("read failed");
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_WriteNative)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ReadNative)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

BENCHMARK_MAIN();
