// Adding 10^4 to 10^5 elements to an empty drawing the way an import does: every element looks
// up its layer by name and its pen (font for texts) by value before it is added. With a fixed
// handful of layers, pens and fonts, and with tables that grow with the drawing (a pen, a layer
// and a text angle for every hundred elements). Both should grow about linearly.
#include "bench/BenchDrawing.h"

#include <vector>

namespace {

using namespace bench;

// Layer names, pen colors and text angles for the i-th element among `distinct` of each.
struct Lookups {
    std::vector<CString> layerNames;
    int distinct;

    explicit Lookups(int count) : distinct(count)
    {
        for (int i = 0; i < count; ++i) {
            char name[24];
            std::snprintf(name, sizeof name, "LAYER-%d", i);
            layerNames.emplace_back(name);
        }
    }

    void Add(CZelkDoc& doc, int i, const LOGFONT& font) const
    {
        const int k = (i / 4) % distinct;
        const std::int16_t layer = doc.GetLayerIndex(layerNames[static_cast<size_t>(k)]);
        const COLORREF color = RGB(k % 256, k / 256, 0);
        std::int16_t pen = doc.FindOrAddPen(i % 3, 1, color, 0, 70);
        std::int16_t textFont = -1;
        if (i % kKindCount == kText) {
            // An angle of its own for every distinct entry, as labels along a road take.
            const double angle = 0.5 * k;
            LOGFONT lf = font;
            lf.lfEscapement = static_cast<LONG>(-10.0 * angle);
            textFont = doc.FindOrAddFont(lf, 20, 30, 1, angle);
        }
        AddElement(doc, i, layer, pen, textFont);
    }
};

void RunAdds(benchmark::State& state, int distinct)
{
    AppScope scope;
    const int n = static_cast<int>(state.range(0));
    const Lookups lookups(distinct);
    const LOGFONT font = BenchFont();
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CZelkDoc>();
        state.ResumeTiming();
        for (int i = 0; i < n; ++i)
            lookups.Add(*doc, i, font);
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}

void BM_AddElements(benchmark::State& state)
{
    RunAdds(state, 4);
}

void BM_AddElementsGrowingTables(benchmark::State& state)
{
    RunAdds(state, static_cast<int>(state.range(0) / 100));
}

}  // namespace

BENCHMARK(BM_AddElements)->Apply(DrawingSizes);
BENCHMARK(BM_AddElementsGrowingTables)->Apply(DrawingSizes);
