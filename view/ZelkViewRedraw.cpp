// Drawing outside a paint: the redraw of the elements a change flagged, their erase, and the
// document's per-view requests to draw, erase or highlight single elements, groups and the
// work objects of a command, on a client device context of the view.
#include "view/ZelkView.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementDrawing.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "view/ViewPainter.h"
#include "view/ZelkObj.h"

#include <algorithm>

namespace {

constexpr int kGroupDepthLimit = 10;

// The client DC prepared for the view's mapping with a transparent background for as long as
// it is held.
class CPreparedDC {
public:
    explicit CPreparedDC(std::unique_ptr<CDC> dc, CZelkView* view) : m_dc(std::move(dc))
    {
        view->OnPrepareDC(m_dc.get());
        m_oldBkMode = m_dc->SetBkMode(TRANSPARENT);
    }
    ~CPreparedDC() { m_dc->SetBkMode(m_oldBkMode); }
    CDC* operator->() const { return m_dc.get(); }
    CDC* get() const { return m_dc.get(); }

private:
    std::unique_ptr<CDC> m_dc;
    int m_oldBkMode = OPAQUE;
};

}  // namespace

std::unique_ptr<CDC> CZelkView::CreateClientDC()
{
    return std::make_unique<CClientDC>(this);
}

RECT CZelkView::ClipOfKind(CDC* dc, int clipKind) const
{
    RECT clip{0, 0, 0, 0};
    if (clipKind == 1)
        clip = m_clientRectLogical;
    else if (clipKind == 2)
        dc->GetClipBox(&clip);
    return clip;
}

void CZelkView::RedrawElements(int clipKind)
{
    if (!m_document || !g_pApp)
        return;
    const CAppColor& colors = g_pApp->m_appColor;
    GrowLayerStates();
    CPreparedDC dc(CreateClientDC(), this);
    CViewPainter painter(this, dc.get(), ClipOfKind(dc.get(), clipKind), false);
    const int pens = painter.PenCount();

    // Erase pass: what is no longer live, on any layer.
    for (int p = 0; p < pens; ++p) {
        const CTypePen* pen = painter.Pen(p);
        if (pen && SelectDrawingPen(dc.get(), PenStyle(*pen), ScaledPenWidth(pen->m_width), m_backColor)) {
            painter.DrawPenElements(p, PassRule::RedrawErase);
            RestoreDrawingPen(dc.get());
        }
    }
    if (SelectDrawingPen(dc.get(), PS_SOLID, 1, m_backColor)) {
        DrawFontPass(painter, PassRule::RedrawErase, m_backColor);
        RestoreDrawingPen(dc.get());
    }

    // Sketch lines, gray, color with blur, texts: the paint's passes under the redraw's rules.
    DrawElementPasses(painter, true);

    // Highlights. Marked lines keep their scaled width here, unlike the paint.
    DrawHighlightPass(painter, PassRule::RedrawSelected, colors.selectionColor, false);
    if (SelectDrawingPen(dc.get(), PS_SOLID, 1, colors.selectionColor)) {
        DrawFontPass(painter, PassRule::RedrawSelected, colors.selectionColor);
        RestoreDrawingPen(dc.get());
    }
    DrawHighlightPass(painter, PassRule::RedrawMarkedLine, colors.secondMarkColor, true);
    DrawHighlightPass(painter, PassRule::RedrawSecondMark, colors.thirdMarkColor, false);
    DrawFontPass(painter, PassRule::RedrawSecondMark, colors.thirdMarkColor);

    // Work elements whose marks changed.
    if (SelectDrawingPen(dc.get(), PS_SOLID, 1, colors.secondMarkColor)) {
        CZelkDoc* d = m_document;
        const CRectD& clip = painter.m_clipD;
        if (d->m_hiPoint && (d->m_hiPoint->m_mark & 0x80))
            d->m_hiPoint->Draw(dc.get(), m_origin, m_zoom, clip);
        if (d->m_hiLine && (d->m_hiLine->m_mark & 0x80))
            d->m_hiLine->DrawOblique(dc.get(), m_origin, m_zoom, clip);
        if (d->m_hiCircle && (d->m_hiCircle->m_mark & 0x80))
            d->m_hiCircle->Draw(dc.get(), m_origin, m_zoom, clip);
        if (d->m_hiArc && (d->m_hiArc->m_mark & 0x80))
            d->m_hiArc->Draw(dc.get(), m_origin, m_zoom, clip);
        if (d->m_hiConic && (d->m_hiConic->m_mark & 0x80))
            d->m_hiConic->Draw(dc.get(), m_origin, m_zoom, clip);
        if (d->m_hiCurve && (d->m_hiCurve->m_mark & 0x80))
            d->m_hiCurve->Draw(dc.get(), m_origin, m_zoom, clip);
        if (d->m_hiText && (d->m_hiText->m_mark & 0x80)) {
            d->m_hiText->m_mark &= 0x7F;
            DrawWorkText(painter, *d->m_hiText, colors.secondMarkColor);
        }
        RestoreDrawingPen(dc.get());
    }

    // Placed objects are repainted by the next paint.
    const int count = m_layerStates.GetSize();
    for (CZelkObj* o : m_document->m_objects) {
        const WORD word = o->m_layer >= 0 && o->m_layer < count ? m_layerStates[o->m_layer] : 0;
        if (((o->m_state | o->m_stateBits | word) & 0x80) != 0)
            InvalidateObject(o);
    }
}

void CZelkView::EraseChangedElements()
{
    if (!m_document)
        return;
    CPreparedDC dc(CreateClientDC(), this);
    CViewPainter painter(this, dc.get(), m_clientRectLogical, false);
    for (int p = 0; p < painter.PenCount(); ++p) {
        const CTypePen* pen = painter.Pen(p);
        if (pen && SelectDrawingPen(dc.get(), PenStyle(*pen), ScaledPenWidth(pen->m_width), m_backColor)) {
            painter.DrawPenElements(p, PassRule::ChangedAny);
            RestoreDrawingPen(dc.get());
        }
    }
    if (SelectDrawingPen(dc.get(), PS_SOLID, 1, m_backColor)) {
        DrawFontPass(painter, PassRule::ChangedAny, m_backColor);
        RestoreDrawingPen(dc.get());
    }
}

// ---- per-element requests --------------------------------------------------------------------

namespace {

// The pen, width and color of a per-element request.
struct RequestPen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
    bool blur = false;    // drawn with the blur passes of its pen
};

}  // namespace

const CTypePen* CZelkView::PenAt(int index) const
{
    return m_document ? m_document->GetPen(index) : nullptr;
}

template <class Block, class DrawOne>
void CZelkView::DrawElementRequest(int drawMode, int clipKind, Block* block, int slot, bool blurred,
                                   DrawOne drawOne)
{
    if (!m_document || !g_pApp || !block || slot < 0 || slot >= block->m_count)
        return;
    const CAppColor& colors = g_pApp->m_appColor;
    const auto& element = block->m_slots[slot];
    CPreparedDC dc(CreateClientDC(), this);
    CViewPainter painter(this, dc.get(), ClipOfKind(dc.get(), clipKind), false);
    const CTypePen* pen = PenAt(block->m_pen);

    RequestPen request;
    if (!pen) {
        // A pen index a damaged drawing left beyond the pen list: one thin solid stroke.
        request.color = drawMode == 1 ? colors.fallbackPenColor : 0;
    } else {
        request.color = pen->m_color;
        request.width = ScaledPenWidth(pen->m_width);
        request.blur = blurred;
        if (drawMode == 1)
            request.style = PenStyle(*pen);
    }
    const bool grayRule = g_pApp->m_interruptMode != 35 && element.m_layer != m_document->m_writeLayer;
    switch (drawMode) {
    case 1:
        if (!pen || pen->m_lineType != 5) {
            if (grayRule)
                GetGrayColor(request.color);
            AdjustColorToBackground(request.color);
        }
        break;
    case 2:
        request.color = m_backColor;
        break;
    case 3:
    case 4:
        request.color = drawMode == 3 ? colors.selectionColor : colors.secondMarkColor;
        request.width = 1;
        request.blur = false;
        break;
    default:
        return;
    }
    if (!pen)
        request.width = 1;
    if (request.blur) {
        painter.BlurPasses(*pen, request.style, request.color, [&] { drawOne(painter, block, slot); });
        return;
    }
    CPen* previous = SelectNewPen(dc.get(), request.style, request.width, request.color);
    if (!previous)
        return;
    drawOne(painter, block, slot);
    RestoreOldPen(dc.get(), previous);
}

void CZelkView::DrawPointElement(int drawMode, int clipKind, CDataPoints* block, int slot)
{
    DrawElementRequest(drawMode, clipKind, block, slot, false,
                       [](CViewPainter& p, CDataPoints* b, int s) { p.DrawPoint(b, s); });
}

void CZelkView::DrawLineElement(int drawMode, int clipKind, CLines* block, int slot)
{
    DrawElementRequest(drawMode, clipKind, block, slot, true,
                       [](CViewPainter& p, CLines* b, int s) { p.DrawLine(b, s); });
}

void CZelkView::DrawCircleElement(int drawMode, int clipKind, CCircles* block, int slot)
{
    DrawElementRequest(drawMode, clipKind, block, slot, true,
                       [](CViewPainter& p, CCircles* b, int s) { p.DrawCircle(b, s); });
}

void CZelkView::DrawArcElement(int drawMode, int clipKind, CArcs* block, int slot)
{
    DrawElementRequest(drawMode, clipKind, block, slot, true,
                       [](CViewPainter& p, CArcs* b, int s) { p.DrawArc(b, s); });
}

void CZelkView::DrawConicElement(int drawMode, int clipKind, CConics* block, int slot)
{
    DrawElementRequest(drawMode, clipKind, block, slot, true,
                       [](CViewPainter& p, CConics* b, int s) { p.DrawConic(b, s); });
}

void CZelkView::DrawCurveElement(int drawMode, int clipKind, CCurves* block, int slot)
{
    DrawElementRequest(drawMode, clipKind, block, slot, true,
                       [](CViewPainter& p, CCurves* b, int s) { p.DrawCurve(b, s); });
}

void CZelkView::DrawTextElement(int drawMode, int clipKind, CTexts* block, int slot)
{
    if (!m_document || !g_pApp || !block || slot < 0 || slot >= block->m_count)
        return;
    const CTypeFont* font = m_document->GetFont(block->m_pen);
    if (!font || drawMode < 1 || drawMode > 4)
        return;
    const CAppColor& colors = g_pApp->m_appColor;
    CText& text = block->m_slots[slot];
    CPreparedDC dc(CreateClientDC(), this);
    CViewPainter painter(this, dc.get(), ClipOfKind(dc.get(), clipKind), false);
    int readable = 1;
    CFont* previousFont = CreateScaledFont(dc.get(), font->m_logFont, SIZE{font->m_width, font->m_height},
                                           m_zoom, readable);
    if (!previousFont)
        return;
    const LOGFONT& made = dc->GetCurrentFont()->m_logFont;
    const int height = -made.lfHeight;
    const int width = made.lfWidth != 0 ? made.lfWidth : -made.lfHeight / 2;
    COLORREF color = text.m_color;
    switch (drawMode) {
    case 1:
        if (g_pApp->m_interruptMode != 35 && text.m_layer != m_document->m_writeLayer)
            GetGrayColor(color);
        AdjustColorToBackground(color);
        break;
    case 2:
        color = m_backColor;
        break;
    case 3:
        color = colors.selectionColor;
        break;
    default:
        color = colors.secondMarkColor;
        break;
    }
    CPen* previousPen = SelectNewPen(dc.get(), PS_SOLID, 1, drawMode == 2 ? m_backColor : colors.textLineColor);
    painter.DrawText(text, *font, readable, color, height, width);
    RestoreOldPen(dc.get(), previousPen);
    RestoreGivenFont(dc.get(), previousFont);
}

void CZelkView::DrawGroupMembers(int drawMode, int clipKind, int group)
{
    std::vector<int> visited;
    DrawGroupMembersAt(drawMode, clipKind, group, 0, visited);
}

int CZelkView::DrawGroupMembersAt(int drawMode, int clipKind, int group, int depth, std::vector<int>& visited)
{
    // A damaged drawing can chain groups into a cycle: each group is followed once, ten deep.
    if (!m_document || depth >= kGroupDepthLimit ||
        std::find(visited.begin(), visited.end(), group) != visited.end())
        return 0;
    CGroup* g = m_document->GetGroup(group);
    if (!g)
        return 0;
    visited.push_back(group);
    for (const CElemRef& r : g->m_members) {
        if (r.m_kind == 1) {
            CGroup* sub = m_document->GetGroup(r.m_block);
            if (sub && !(sub->m_state & 0x08))
                DrawGroupMembersAt(drawMode, clipKind, r.m_block, depth + 1, visited);
            continue;
        }
        auto live = [](const auto* e) { return e && !(e->m_state & 0x08); };
        switch (r.m_kind) {
        case 2:
            if (live(m_document->GetPointElem(r.m_block, r.m_slot)))
                DrawPointElement(drawMode, clipKind, m_document->PointBlockAt(r.m_block), r.m_slot);
            break;
        case 4:
            if (live(m_document->GetLineElem(r.m_block, r.m_slot)))
                DrawLineElement(drawMode, clipKind, m_document->LineBlockAt(r.m_block), r.m_slot);
            break;
        case 8:
            if (live(m_document->GetCircleElem(r.m_block, r.m_slot)))
                DrawCircleElement(drawMode, clipKind, m_document->CircleBlockAt(r.m_block), r.m_slot);
            break;
        case 16:
            if (live(m_document->GetArcElem(r.m_block, r.m_slot)))
                DrawArcElement(drawMode, clipKind, m_document->ArcBlockAt(r.m_block), r.m_slot);
            break;
        case 32:
            if (live(m_document->GetTextElem(r.m_block, r.m_slot)))
                DrawTextElement(drawMode, clipKind, m_document->TextBlockAt(r.m_block), r.m_slot);
            break;
        case 256:
            if (live(m_document->GetConicElem(r.m_block, r.m_slot)))
                DrawConicElement(drawMode, clipKind, m_document->ConicBlockAt(r.m_block), r.m_slot);
            break;
        case 512:
            if (live(m_document->GetCurveElem(r.m_block, r.m_slot)))
                DrawCurveElement(drawMode, clipKind, m_document->CurveBlockAt(r.m_block), r.m_slot);
            break;
        default:
            break;
        }
    }
    return 1;
}

// ---- work objects of a command and the marks ---------------------------------------------------

namespace {

COLORREF ObjectColor(int drawMode, COLORREF back)
{
    switch (drawMode) {
    case 3: return g_pApp->m_appColor.selectionColor;
    case 4: return g_pApp->m_appColor.secondMarkColor;
    default: return back;
    }
}

}  // namespace

void CZelkView::DrawLineObject(int drawMode, CLine* line)
{
    if (!line || !g_pApp)
        return;
    CPreparedDC dc(CreateClientDC(), this);
    CPen* previous = SelectNewPen(dc.get(), PS_SOLID, 1, ObjectColor(drawMode, m_backColor));
    CRectD clip;
    clip.SetFromIntRect(m_clientRectLogical);
    DrawLineByDirection(dc.get(), *line, clip);
    RestoreOldPen(dc.get(), previous);
}

void CZelkView::DrawArcObject(int drawMode, CArc* arc)
{
    if (!arc || !g_pApp)
        return;
    CPreparedDC dc(CreateClientDC(), this);
    CPen* previous = SelectNewPen(dc.get(), PS_SOLID, 1, ObjectColor(drawMode, m_backColor));
    CRectD clip;
    clip.SetFromIntRect(m_clientRectLogical);
    arc->Draw(dc.get(), m_origin, m_zoom, clip);
    RestoreOldPen(dc.get(), previous);
}

void CZelkView::RedrawOriginAndAxes()
{
    if (!g_pApp)
        return;
    CPreparedDC dc(CreateClientDC(), this);
    CPen* previous = SelectNewPen(dc.get(), PS_SOLID, 1, g_pApp->m_appColor.originMarkColor());
    DrawOriginMark(dc.get(), m_clientRectLogical);
    RestoreOldPen(dc.get(), previous);
    previous = SelectNewPen(dc.get(), PS_SOLID, 1, g_pApp->m_appColor.markColor);
    DrawRelativeAxes(dc.get(), m_clientRectLogical);
    RestoreOldPen(dc.get(), previous);
}

void CZelkView::EraseRelativeAxesNow()
{
    if (!g_pApp)
        return;
    CPreparedDC dc(CreateClientDC(), this);
    EraseRelativeAxes(dc.get(), m_clientRectLogical);
}
