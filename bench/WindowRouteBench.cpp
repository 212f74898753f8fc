// The drawing window's paint the way the window system asks for it: the started program with a
// generated drawing opened from its file, the view invalidated and its widget repainted. That
// paints the view into the window's backing picture and hands the picture to the window system
// (the offscreen platform's, or an X server's when QT_QPA_PLATFORM=xcb and a display are given),
// which the picture benchmarks leave out. At show all and zoomed to a hundredth of the drawing's
// area, with the blocks' boxes and with a walk of every element.
#include "app/MainFrame.h"
#include "bench/BenchDrawing.h"
#include "bench/BenchGui.h"
#include "platform/ui/WindowSurface.h"
#include "tests/support/AppTestSupport.h"
#include "view/ZelkView.h"

#include <QApplication>
#include <QWidget>

namespace {

using namespace bench;

class CStartedWindow {
public:
    explicit CStartedWindow(int n)
    {
        const CString path = BenchPath("bench-window.zel");
        {
            AppScope scope;
            auto doc = Generate(n);
            CZelkView writer;
            writer.m_document = doc.get();
            const BOOL written = writer.WriteNativeFile(path, 0);
            writer.m_document = nullptr;
            if (!written)
                return;
        }
        EnsureGuiApplication();
        m_app = new CZelkApp;
        if (!m_app->InitInstance() || !m_app->m_pMainFrame)
            return;
        m_app->m_pMainFrame->MoveWindow(0, 0, 1100, 700);
        m_app->m_pMainFrame->ShowWindow(SW_SHOW);
        auto* doc = static_cast<CZelkDoc*>(m_app->OpenDocumentFile(path));
        if (!doc || doc->GetViews().empty())
            return;
        m_view = static_cast<CZelkView*>(doc->GetViews().front());
        // The opened window shown and painted once, as the open leaves it.
        QApplication::processEvents();
        Repaint();
    }
    ~CStartedWindow() { StopApplication(m_app); }
    CStartedWindow(const CStartedWindow&) = delete;
    CStartedWindow& operator=(const CStartedWindow&) = delete;

    CZelkView* View() const { return m_view; }

    // What an expose or a redraw command leads to: the whole view invalid, and its widget
    // painted and flushed to the window system before the call returns.
    void Repaint()
    {
        m_view->Invalidate(FALSE);
        m_view->GetClientWidget()->repaint();
    }

    // Zoomed by a factor about the centre of what is shown, as a zoom-box drag leaves the view.
    void ZoomAboutCentre(double factor)
    {
        CPointD origin;
        const double zoom = m_view->m_zoom * factor;
        if (!m_view->ComputeOriginForZoom(origin, zoom, 3))
            return;
        m_view->SetOrigin(origin, 1);
        m_view->SetZoom(zoom, 1);
        m_view->CenterScrollPosition();
        m_view->UpdateScrollSizes();
        m_view->ScrollToPosition(m_view->m_scrollPos);
        Repaint();
    }

private:
    CZelkApp* m_app = nullptr;
    CZelkView* m_view = nullptr;
};

void RunRepaint(benchmark::State& state, double zoom)
{
    CStartedWindow window(static_cast<int>(state.range(0)));
    if (!window.View()) {
        state.SkipWithError("the drawing did not open in a window");
        return;
    }
    if (zoom != 1)
        window.ZoomAboutCentre(zoom);
    const IndexSwitch index(state);
    for (auto _ : state)
        window.Repaint();
    QWidget* widget = window.View()->GetClientWidget();
    state.counters["width"] = widget->width();
    state.counters["height"] = widget->height();
    // The pixels that differ from the top left one: a window showing nothing has none (a zoom
    // into the middle of a dense drawing may have none either, every pixel drawn).
    CSurfaceCopy shot;
    if (CopyWindowSurface(window.View(), shot)) {
        int ink = 0;
        for (COLORREF c : shot.pixels)
            ink += c != shot.pixels.front() ? 1 : 0;
        state.counters["inkPixels"] = ink;
    }
}

void BM_WindowRepaintShowAll(benchmark::State& state) { RunRepaint(state, 1); }
void BM_WindowRepaintZoomed(benchmark::State& state) { RunRepaint(state, 10); }

}  // namespace

BENCHMARK(BM_WindowRepaintShowAll)->Apply(WindowSizes);
BENCHMARK(BM_WindowRepaintZoomed)->Apply(WindowSizes);
