// A drawing shown in a view without a window that paints into a picture of the window's size
// (1000 x 800 pixels), as the drawing window paints into its backing picture.
#pragma once

#include "bench/BenchDrawing.h"
#include "bench/BenchGui.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/ImageDC.h"
#include "view/ZelkView.h"

namespace bench {

constexpr int kPictureWidth = 1000;
constexpr int kPictureHeight = 800;

// Scrolled where show all or a zoom left it, as the window would be (a paint stores the scroll
// position a window-less view reads as 0, so the position is kept apart).
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
    std::unique_ptr<CDC> CreateClientDC() override
    {
        return std::make_unique<CImageDC>(kPictureWidth, kPictureHeight);
    }
    // The whole window painted into a fresh picture, as a paint of the window does.
    void PaintWindow()
    {
        CImageDC dc(kPictureWidth, kPictureHeight);
        OnPrepareDC(&dc);
        OnDraw(&dc);
    }
    // Zoomed by a factor about the centre of what is shown.
    void ZoomAboutCentre(double factor)
    {
        CPointD origin;
        const double zoom = m_zoom * factor;
        if (!ComputeOriginForZoom(origin, zoom, 3))
            return;
        SetOrigin(origin, 1);
        SetZoom(zoom, 1);
        CenterScrollPosition();
        UpdateScrollSizes();
        m_shownAt = m_scrollPos;
        PaintWindow();
    }
};

// A drawing shown whole in a picture view.
struct ShownDrawing {
    std::unique_ptr<CZelkDoc> doc;
    CPictureView view;

    explicit ShownDrawing(std::unique_ptr<CZelkDoc> drawing) : doc(std::move(drawing))
    {
        EnsureGuiApplication();
        doc->m_bAutoDelete = FALSE;
        doc->AddView(&view);
        view.m_layerStates.SetSize(doc->m_layers.GetSize());
        CImageDC dc(kPictureWidth, kPictureHeight);
        view.OnPrepareDC(&dc);
        RECT client{0, 0, kPictureWidth, kPictureHeight};
        dc.DPtoLP(&client);
        view.m_clientRectLogical = client;
        view.ShowAll();
        view.m_shownAt = view.m_scrollPos;
        // The paint after show all leaves the view its client rectangle at this scroll position,
        // which the redraws take as their clip.
        view.PaintWindow();
    }
    ~ShownDrawing() { doc->RemoveView(&view); }
    ShownDrawing(const ShownDrawing&) = delete;
    ShownDrawing& operator=(const ShownDrawing&) = delete;
};

}  // namespace bench
