// The drawing rendered as a picture in the mapping of its active view, and its extent.
#include "view/ZelkSrvrItem.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementDrawing.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "geometry/Numeric.h"
#include "platform/core/Archive.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/ImageDC.h"
#include "platform/ui/OleClientItem.h"
#include "view/ZelkOleObj.h"
#include "view/ZelkView.h"

IMPLEMENT_DYNAMIC(CZelkSrvrItem, COleServerItem)

namespace {

// Which layers the picture shows: those the active view shows (all without one, or while it
// shows every layer) whose names hold no work-layer mark in any case. Points on print-frame
// layers stay out as well, as in printing.
std::vector<char> ShownLayers(CZelkDoc* doc, const CZelkView* view)
{
    const int n = doc->m_layers.GetSize();
    std::vector<char> shown(static_cast<size_t>(n), 0);
    for (int i = 0; i < n; ++i) {
        const CLayer* layer = doc->GetLayer(i);
        if (!layer)
            continue;
        const bool inView = !view || view->m_showAllLayers || i >= view->m_layerStates.GetSize() ||
                            view->m_layerStates[i] != 1;
        CString upper = layer->m_name;
        upper.MakeUpper();
        shown[static_cast<size_t>(i)] = inView && upper.Find("WORK") < 0;
    }
    return shown;
}

bool Shown(const std::vector<char>& layers, std::uint8_t state, int layer)
{
    return (state & 3) != 0 && layer >= 0 && layer < static_cast<int>(layers.size()) &&
           layers[static_cast<size_t>(layer)];
}

// The blocks of one kind by their pen (or font), each pen's in table order, found in one pass.
template <class Block>
class CBlocksByPen {
public:
    CBlocksByPen(const CObArray& blocks, int pens) : m_lists(static_cast<size_t>(pens > 0 ? pens : 0))
    {
        for (int b = 0; b < blocks.GetSize(); ++b) {
            auto* block = static_cast<Block*>(blocks[b]);
            if (block && block->m_pen >= 0 && block->m_pen < pens)
                m_lists[static_cast<size_t>(block->m_pen)].push_back(block);
        }
    }
    // Every drawn element of the blocks of one pen.
    template <class Draw>
    void DrawShown(int pen, const std::vector<char>& layers, Draw draw) const
    {
        for (Block* block : m_lists[static_cast<size_t>(pen)])
            for (int s = 0; s < block->m_count; ++s)
                if (Shown(layers, block->m_slots[s].m_state, block->m_slots[s].m_layer))
                    draw(block->m_slots[s]);
    }

private:
    std::vector<std::vector<Block*>> m_lists;
};

} // namespace

CZelkSrvrItem::CZelkSrvrItem(CZelkDoc* document) : COleServerItem(document, TRUE)
{
    m_nativeFormat = g_zelkClientFormat;
}

CZelkDoc* CZelkSrvrItem::GetDocument() const
{
    return static_cast<CZelkDoc*>(m_pDocument);
}

void CZelkSrvrItem::Serialize(CArchive& ar)
{
    if (CZelkDoc* doc = GetDocument())
        doc->Serialize(ar);
}

BOOL CZelkSrvrItem::OnGetExtent(int aspect, CSize& size)
{
    if (aspect != DVASPECT_CONTENT)
        return COleServerItem::OnGetExtent(aspect, size);
    CImageDC dc(1, 1);
    dc.SetMapMode(MM_ANISOTROPIC);
    size = m_sizeExtent;
    if (size.cx == 0 || size.cy == 0)
        size = CSize(100, -100);
    // 100 logical units are an inch.
    int f = dc.GetDeviceCaps(LOGPIXELSX) * size.cx / 100;
    int g = dc.GetDeviceCaps(LOGPIXELSY) * size.cy / 100;
    const RECT visible = g_pApp ? g_pApp->m_activeClientRect : RECT{0, 0, 0, 0};
    const long width = visible.right - visible.left;
    const long height = visible.bottom - visible.top;
    if (width != 0 && height != 0) {
        const double r = static_cast<double>(width) / static_cast<double>(height);
        const double a = std::fabs(r);
        if (a >= 1) {
            size.cy = static_cast<LONG>(size.cx / r);
            g = static_cast<int>(f / a);
        } else {
            size.cx = static_cast<LONG>(r * size.cy);
            f = static_cast<int>(a * g);
        }
    }
    dc.SetViewportExt(f, g);
    dc.SetWindowExt(size);
    dc.LPtoDP(&size);
    dc.SetMapMode(MM_HIMETRIC);
    dc.DPtoLP(&size);
    return TRUE;
}

BOOL CZelkSrvrItem::OnDraw(CDC* dc, CSize& size)
{
    (void)size;
    CZelkDoc* doc = GetDocument();
    if (!doc || !dc || !g_pApp)
        return TRUE;
    if (g_pApp->m_serverFirstDraw)
        doc->FitServerItemView();
    CZelkView* view = g_pApp->m_activeView;
    const RECT visible = g_pApp->m_activeClientRect;
    const double zoom = g_pApp->m_viewZoom;
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowOrg(0, 0);
    dc->SetWindowExt(visible.right - visible.left, visible.bottom - visible.top);
    const int oldBk = dc->SetBkMode(TRANSPARENT);
    const std::vector<char> layers = ShownLayers(doc, view);

    const int pens = doc->m_pens.GetSize();
    const CBlocksByPen<CDataPoints> points(doc->m_pointBlocks, pens);
    const CBlocksByPen<CLines> lines(doc->m_lineBlocks, pens);
    const CBlocksByPen<CCircles> circles(doc->m_circleBlocks, pens);
    const CBlocksByPen<CArcs> arcs(doc->m_arcBlocks, pens);
    const CBlocksByPen<CConics> conics(doc->m_conicBlocks, pens);
    const CBlocksByPen<CCurves> curves(doc->m_curveBlocks, pens);
    for (int p = 0; p < pens; ++p) {
        const CTypePen* pen = doc->GetPen(p);
        if (!pen)
            continue;
        int width = pen->m_width < 2 ? pen->m_width : TruncToInt(pen->m_width * zoom * 0.1);
        COLORREF color = pen->m_color;
        if (view) {
            width = view->ScaledPenWidth(pen->m_width);
            view->AdjustColorToBackground(color);
        }
        CPen gdiPen;
        if (!gdiPen.CreatePen(CZelkView::PenStyle(*pen), width, color))
            continue;
        CPen* old = dc->SelectObject(&gdiPen);
        const auto draw = [&](auto& e) { e.DrawForServerItem(dc); };
        points.DrawShown(p, layers, draw);
        lines.DrawShown(p, layers, draw);
        circles.DrawShown(p, layers, draw);
        arcs.DrawShown(p, layers, draw);
        conics.DrawShown(p, layers, draw);
        curves.DrawShown(p, layers, draw);
        dc->SelectObject(old);
    }

    const int fonts = doc->m_fonts.GetSize();
    const CBlocksByPen<CTexts> texts(doc->m_textBlocks, fonts);
    for (int f = 0; f < fonts; ++f) {
        const CTypeFont* font = doc->GetFont(f);
        if (!font)
            continue;
        LOGFONT lf = font->m_logFont;
        lf.lfHeight = -TruncToInt(font->m_height * zoom * 0.1);
        lf.lfWidth = TruncToInt(font->m_width * zoom * 0.1);
        if (lf.lfHeight > -1 || lf.lfHeight < -16000)
            continue;
        CFont gdiFont;
        if (!gdiFont.CreateFontIndirect(&lf))
            continue;
        CFont* old = dc->SelectObject(&gdiFont);
        const int height = -lf.lfHeight;
        const int width = lf.lfWidth != 0 ? lf.lfWidth : height / 2;
        const double angle = PI * font->m_angle / 180.0;
        texts.DrawShown(f, layers, [&](CText& e) {
            COLORREF color = e.m_color;
            if (view)
                view->AdjustColorToBackground(color);
            if (font->m_style2 == 1)
                e.DrawForServerItem(dc, color, angle, height);
            else
                e.DrawLayoutForServerItem(dc, color, angle, height, width, font);
        });
        dc->SelectObject(old);
    }

    for (CZelkObj* object : doc->m_objects) {
        auto* ole = dynamic_cast<CZelkOleObj*>(object);
        if (!ole || (ole->m_state & 0x08) || ole->m_layer < 0 ||
            ole->m_layer >= static_cast<int>(layers.size()) || !layers[static_cast<size_t>(ole->m_layer)])
            continue;
        ole->DrawForServer(dc);
    }
    dc->SetBkMode(oldBk);
    return TRUE;
}
