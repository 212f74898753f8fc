// Generated drawings shared by the benchmarks: a headless application and documents of n
// elements of mixed kinds on a few layers, pens and fonts.
#pragma once

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "platform/core/ProgramFolder.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace bench {

// The sizes every drawing benchmark runs at.
inline void DrawingSizes(benchmark::internal::Benchmark* b)
{
    b->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
}

inline CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// The application object the document and the formats consult, for the life of a benchmark.
struct AppScope {
    AppScope() : app(std::make_unique<CZelkApp>()) { g_pApp = app.get(); }
    ~AppScope() { g_pApp = nullptr; }
    AppScope(const AppScope&) = delete;
    AppScope& operator=(const AppScope&) = delete;
    std::unique_ptr<CZelkApp> app;
};

// A file in the program folder for a benchmark's output.
inline CString BenchPath(const char* name)
{
    return ProgramFolder() + name;
}

inline LOGFONT BenchFont()
{
    LOGFONT lf{};
    lf.lfHeight = -30;
    std::strcpy(lf.lfFaceName, "Gothic");
    return lf;
}

// The element kinds in turn: line, circle, arc, text.
enum Kind { kLine, kCircle, kArc, kText, kKindCount };

// The i-th element of a generated drawing, on the pen (font for texts) and layer given. The
// elements stand on a grid 1000 wide, so a drawing of n elements is n / 1000 rows high.
inline void AddElement(CZelkDoc& doc, int i, std::int16_t layer, std::int16_t pen,
                       std::int16_t font)
{
    const double x = i % 1000;
    const double y = i / 1000;
    switch (i % kKindCount) {
    case kLine:
        doc.AddLine(At(x, y), At(x + 3, y + 1 + i % 5), layer, pen);
        break;
    case kCircle:
        doc.AddCircle(At(x, y), 1 + i % 7, layer, pen);
        break;
    case kArc:
        doc.AddArc(At(x, y), 2 + i % 3, At(15.0 * (i % 12), 200.0 + 10.0 * (i % 9)), layer, pen);
        break;
    default:
        doc.AddText(At(x, y), "文字列ABC", 0, 8, layer, font);
        break;
    }
}

// Tables of a generated drawing: four pens, two fonts and four named layers.
struct DrawingTables {
    std::int16_t pens[4];
    std::int16_t fonts[2];
    std::int16_t layers[4];

    explicit DrawingTables(CZelkDoc& doc)
    {
        for (int i = 0; i < 4; ++i)
            pens[i] = doc.FindOrAddPen(i % 3, static_cast<std::int16_t>(1 + i), 0, 0, 70);
        const LOGFONT lf = BenchFont();
        fonts[0] = doc.FindOrAddFont(lf, 20, 30, 1, 0);
        fonts[1] = doc.FindOrAddFont(lf, 30, 45, 1, 0);
        for (int i = 0; i < 4; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "LAYER-%d", i);
            layers[i] = doc.GetLayerIndex(name);
        }
    }
};

// A drawing of n elements: a quarter each lines, circles, arcs and texts.
inline std::unique_ptr<CZelkDoc> Generate(int n)
{
    auto doc = std::make_unique<CZelkDoc>();
    const DrawingTables t(*doc);
    for (int i = 0; i < n; ++i)
        AddElement(*doc, i, t.layers[i / 7 % 4], t.pens[i % 4], t.fonts[i / 4 % 2]);
    doc->ComputeExtents();
    return doc;
}

// The blocks' boxes used or not for the life of a benchmark (the second argument: 1 used, 0 a
// walk of every element, as before the boxes).
struct IndexSwitch {
    explicit IndexSwitch(const benchmark::State& state) { CBlockExtents::s_enabled = state.range(1) != 0; }
    ~IndexSwitch() { CBlockExtents::s_enabled = true; }
    IndexSwitch(const IndexSwitch&) = delete;
    IndexSwitch& operator=(const IndexSwitch&) = delete;
};

// 10^4, 10^5 and 10^6 elements, each with the walk of every element and with the boxes.
inline void WindowSizes(benchmark::internal::Benchmark* b)
{
    for (int n : {10000, 100000, 1000000})
        for (int indexed : {0, 1})
            b->Args({n, indexed});
    b->ArgNames({"n", "indexed"})->Unit(benchmark::kMillisecond);
}

}  // namespace bench
