// The drawing window's cost on generated drawings of 10^4 to 10^5 elements in a window of
// 1000 x 800 pixels: the full paint after show all, and the redraw after one element's mark
// changed (the document's redraw of changed elements, which walks the whole drawing).
#include "bench/BenchDrawing.h"
#include "bench/BenchGui.h"
#include "elements/Lines.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/ImageDC.h"
#include "view/ZelkView.h"

namespace {

using namespace bench;

constexpr int kWidth = 1000;
constexpr int kHeight = 800;

// A view without a window that paints into a picture of the window's size, scrolled where show
// all left it, as the window would be (a paint stores the scroll position a window-less view
// reads as 0, so the position is kept apart).
class CPictureView : public CZelkView {
public:
    POINT m_shownAt = {0, 0};
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override
    {
        CZelkView::OnPrepareDC(pDC, pInfo);
        POINT scroll = m_shownAt;
        pDC->LPtoDP(&scroll, 1);
        pDC->SetViewportOrg(-scroll.x, -scroll.y);
    }
    std::unique_ptr<CDC> CreateClientDC() override { return std::make_unique<CImageDC>(kWidth, kHeight); }
};

struct ShownDrawing {
    AppScope scope;
    std::unique_ptr<CZelkDoc> doc;
    CPictureView view;

    explicit ShownDrawing(int n) : doc(Generate(n))
    {
        EnsureGuiApplication();
        doc->m_bAutoDelete = FALSE;
        doc->AddView(&view);
        view.m_layerStates.SetSize(doc->m_layers.GetSize());
        CImageDC dc(kWidth, kHeight);
        view.OnPrepareDC(&dc);
        RECT client{0, 0, kWidth, kHeight};
        dc.DPtoLP(&client);
        view.m_clientRectLogical = client;
        view.ShowAll();
        view.m_shownAt = view.m_scrollPos;
    }
    ~ShownDrawing() { doc->RemoveView(&view); }
};

void BM_RepaintAtShowAll(benchmark::State& state)
{
    ShownDrawing shown(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        // Every paint has a device context of its own, as a window's paint does.
        CImageDC dc(kWidth, kHeight);
        shown.view.OnPrepareDC(&dc);
        shown.view.OnDraw(&dc);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RepaintAtShowAll)->Apply(DrawingSizes);

void BM_RedrawOneChangedElement(benchmark::State& state)
{
    ShownDrawing shown(static_cast<int>(state.range(0)));
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
