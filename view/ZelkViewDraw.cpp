// The full paint of a drawing window: background, placed objects, pointer marks, the elements
// layer by layer and pen by pen (sketch lines, gray, color with blur, texts), the highlighted
// elements, the work elements and the marks.
#include "view/ZelkView.h"

#include "app/ZelkApp.h"
#include "commands/line/LoopCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/DataPoint.h"
#include "elements/ElementDrawing.h"
#include "elements/Layer.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "input/ElemKey.h"
#include "platform/gdi/DC.h"
#include "view/ViewPainter.h"
#include "view/ZelkObj.h"

namespace {

constexpr int kLoopCommandKind = 12;

bool InShortRange(int v)
{
    return v >= -32768 && v <= 32767;
}

}  // namespace

int CZelkView::PenStyle(const CTypePen& pen)
{
    // The sketch line (5) and any type a damaged file brings draw solid.
    return pen.m_lineType >= 0 && pen.m_lineType <= 4 ? pen.m_lineType : PS_SOLID;
}

void CZelkView::GrowLayerStates()
{
    if (!m_document)
        return;
    const int count = m_document->m_layers.GetSize();
    if (count > 0 && m_layerStates.GetSize() != count)
        m_layerStates.SetAtGrow(count - 1, 0);
}

void CZelkView::OnDraw(CDC* pDC)
{
    if (!m_document || !g_pApp)
        return;
    const CAppColor& colors = g_pApp->m_appColor;
    const CAppDraw& draw = g_pApp->m_appDraw;

    // 1. Preparation.
    GrowLayerStates();
    RECT client{0, 0, 0, 0};
    if (m_hWnd)
        GetClientRect(&client);
    else
        client = RECT{0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES)};
    pDC->DPtoLP(&client);
    m_clientRectLogical = client;
    if (m_viewKind == 2) {
        pDC->FillSolidRect(&client, colors.zoomWindowBackColor);
        m_backColor = colors.zoomWindowBackColor;
    } else {
        m_backColor = colors.viewBackColor;
    }
    const bool active = g_pApp->m_activeView == this;
    const CPoint scroll = GetScrollPosition();
    StoreScrollPosition(scroll.x, scroll.y, active ? 1 : 0);
    if (active) {
        g_pApp->m_activeClientRect = m_clientRectLogical;
        g_pApp->m_serverFirstDraw = 0;
    }
    RECT clip{0, 0, 0, 0};
    pDC->GetClipBox(&clip);
    const int oldBkMode = pDC->SetBkMode(TRANSPARENT);

    CViewPainter painter(this, pDC, clip, true);

    // 2. Placed objects first.
    if (!m_pastedImagesLast)
        DrawPlacedObjects(pDC, clip);

    // 3. Pointer marks.
    if (SelectDrawingPen(pDC, PS_SOLID, 5, colors.selectionColor)) {
        const int s = draw.pointerMarkSize;
        const int a = TruncToInt(s * 0.7142857142857143);
        const int b = TruncToInt(s * 0.87);
        const int c = s / 2;
        for (int i = 0; i < m_document->m_pointerMarks.GetSize(); ++i) {
            const auto* p = static_cast<const CPointD*>(m_document->m_pointerMarks[i]);
            if (!p)
                continue;
            const CPointD at = p->WorldToScreen(m_origin, m_zoom);
            if (!at.IsInIntRect(clip))
                continue;
            const int x = TruncToInt(at.m_x);
            const int y = TruncToInt(at.m_y);
            // A mark that would cross the 16-bit coordinate limit is left out, not clipped.
            if (!(InShortRange(x + a) && InShortRange(y + a) && InShortRange(x) && InShortRange(y) &&
                  InShortRange(x + c) && InShortRange(y + b)))
                continue;
            pDC->MoveTo(x + a, y + a);
            pDC->LineTo(x, y);
            pDC->LineTo(x + c, y + b);
        }
        RestoreDrawingPen(pDC);
    }

    // 4.-7. Sketch lines, gray, color with blur, texts.
    DrawElementPasses(painter, false);

    // 8. Selected elements, then the loop outlines, then the selected texts.
    DrawHighlightPass(painter, PassRule::Selected, colors.selectionColor, false);
    DrawLoopOutlines(pDC, clip, 0);
    DrawFontPass(painter, PassRule::Selected, colors.selectionColor);

    // 9. Marked lines; marks of this value on other kinds are drawn by no pass.
    DrawHighlightPass(painter, PassRule::MarkedLine, colors.secondMarkColor, false);

    // 10. Second mark.
    DrawHighlightPass(painter, PassRule::SecondMark, colors.thirdMarkColor, false);
    DrawFontPass(painter, PassRule::SecondMark, colors.thirdMarkColor);

    // 11. Work elements.
    if (SelectDrawingPen(pDC, PS_SOLID, 1, colors.secondMarkColor)) {
        CZelkDoc* d = m_document;
        if (d->m_hiPoint)
            d->m_hiPoint->DrawInRect(pDC, m_origin, m_zoom, clip);
        if (d->m_hiLine)
            d->m_hiLine->DrawObliqueInRect(pDC, m_origin, m_zoom, clip);
        if (d->m_hiCircle)
            d->m_hiCircle->DrawInRect(pDC, m_origin, m_zoom, clip);
        if (d->m_hiArc)
            d->m_hiArc->DrawInRect(pDC, m_origin, m_zoom, clip);
        if (d->m_hiConic)
            d->m_hiConic->DrawInRect(pDC, m_origin, m_zoom, clip);
        if (d->m_hiCurve)
            d->m_hiCurve->DrawInRect(pDC, m_origin, m_zoom, clip);
        if (d->m_hiText)
            DrawWorkText(painter, *d->m_hiText, colors.secondMarkColor);
        DrawLoopOutlines(pDC, clip, 1);
        RestoreDrawingPen(pDC);
    }

    // 12. Marks.
    if (SelectDrawingPen(pDC, PS_SOLID, 1, colors.originMarkColor())) {
        DrawOriginMark(pDC, clip);
        RestoreDrawingPen(pDC);
    }
    if (SelectDrawingPen(pDC, PS_SOLID, 1, colors.markColor)) {
        DrawRelativeAxes(pDC, clip);
        if (g_pApp->m_pointConstraintMode != 1)
            DrawReferencePointMark(pDC, clip);
        m_document->m_basePoint.DrawCrossMark(pDC, m_origin, m_zoom, draw.crossMarkSize);
        if (m_document->m_inputMarkFlag)
            m_document->m_inputMarkPos.DrawCrossCircleMark(pDC, m_origin, m_zoom, draw.crossMarkSize);
        RestoreDrawingPen(pDC);
    }

    // 14. Direction marks, in every view of the drawing.
    m_document->DrawDirectionMarks(1);

    // 15. Placed objects last.
    if (m_pastedImagesLast)
        DrawPlacedObjects(pDC, clip);

    pDC->SetBkMode(oldBkMode);
}

void CZelkView::DrawElementPasses(CViewPainter& painter, bool redraw)
{
    const CAppColor& colors = g_pApp->m_appColor;
    CDC* dc = painter.m_dc;
    const int pens = painter.PenCount();
    const int fonts = painter.FontCount();

    if (SelectDrawingPen(dc, PS_SOLID, 1, colors.sketchLineColor)) {
        for (int p = 0; p < pens; ++p)
            if (painter.Pen(p) && painter.Pen(p)->m_lineType == 5)
                painter.DrawPenElements(p, redraw ? PassRule::RedrawSketch : PassRule::Sketch);
        RestoreDrawingPen(dc);
    }

    if (painter.m_grayMode || painter.m_interrupt35) {
        const PassRule rule = redraw ? PassRule::RedrawGray : PassRule::Gray;
        COLORREF gray = 0;
        GetGrayColor(gray);
        AdjustColorToBackground(gray);
        for (int p = 0; p < pens; ++p) {
            const CTypePen* pen = painter.Pen(p);
            if (!pen || pen->m_lineType == 5 ||
                !SelectDrawingPen(dc, PenStyle(*pen), ScaledPenWidth(pen->m_width), gray))
                continue;
            painter.DrawPenElements(p, rule);
            RestoreDrawingPen(dc);
        }
        // The lines drawn with texts take the gray pen only in gray mode.
        const bool linePen = painter.m_grayMode && SelectDrawingPen(dc, PS_SOLID, 1, gray);
        for (int f = 0; f < fonts; ++f)
            painter.DrawFontTexts(f, rule, [gray](const CText&) { return gray; });
        if (linePen)
            RestoreDrawingPen(dc);
    }

    const PassRule color = redraw ? PassRule::RedrawColor : PassRule::Color;
    for (int p = 0; p < pens; ++p) {
        const CTypePen* pen = painter.Pen(p);
        if (!pen || pen->m_lineType == 5)
            continue;
        COLORREF c = pen->m_color;
        AdjustColorToBackground(c);
        painter.BlurPasses(*pen, PenStyle(*pen), c, [&] { painter.DrawPenElements(p, color); });
    }

    COLORREF textLine = colors.textLineColor;
    AdjustColorToBackground(textLine);
    if (SelectDrawingPen(dc, PS_SOLID, 1, textLine)) {
        for (int f = 0; f < fonts; ++f)
            painter.DrawFontTexts(f, color, [this](const CText& t) {
                COLORREF c = t.m_color;
                AdjustColorToBackground(c);
                return c;
            });
        RestoreDrawingPen(dc);
    }
}

void CZelkView::DrawHighlightPass(CViewPainter& painter, PassRule rule, COLORREF color, bool scaledWidth)
{
    const bool linesOnly = rule == PassRule::MarkedLine || rule == PassRule::RedrawMarkedLine;
    for (int p = 0; p < painter.PenCount(); ++p) {
        const CTypePen* pen = painter.Pen(p);
        if (!pen || !SelectDrawingPen(painter.m_dc, PenStyle(*pen), scaledWidth ? ScaledPenWidth(pen->m_width) : 1, color))
            continue;
        painter.DrawPenElements(p, rule, linesOnly);
        RestoreDrawingPen(painter.m_dc);
    }
}

void CZelkView::DrawFontPass(CViewPainter& painter, PassRule rule, COLORREF color)
{
    for (int f = 0; f < painter.FontCount(); ++f)
        painter.DrawFontTexts(f, rule, [color](const CText&) { return color; });
}

void CZelkView::DrawWorkText(CViewPainter& painter, CText& text, COLORREF color)
{
    const CTypeFont* font = painter.Font(m_document->m_workShort1);
    int readable = 1;
    int height = 0;
    int width = 0;
    if (!font || !painter.SelectTextFont(*font, readable, height, width))
        return;
    painter.DrawText(text, *font, readable, color, height, width);
    RestoreFont(painter.m_dc);
}

void CZelkView::DrawPlacedObjects(CDC* dc, const RECT& clip)
{
    if (!m_document || !g_pApp)
        return;
    const bool interrupt35 = g_pApp->m_interruptMode == 35;
    const int count = m_layerStates.GetSize();
    for (CZelkObj* o : m_document->m_objects) {
        if (o->m_state & 0x08)
            continue;
        const bool inRange = o->m_layer >= 0 && o->m_layer < count;
        const WORD w = inRange ? m_layerStates[o->m_layer] : 0;
        if (!(m_showAllLayers || interrupt35 || !inRange || w != 1))
            continue;
        bool grayed;
        if (interrupt35)
            grayed = inRange && !m_showAllLayers && w == 1;
        else
            grayed = g_pApp->m_appDraw.grayDisplay && o->m_layer != m_document->m_writeLayer;
        COLORREF color = 0;
        if (grayed)
            GetGrayColor(color);
        else
            color = g_pApp->m_appColor.black();
        AdjustColorForPrint(color);
        CPen* previous = SelectNewPen(dc, grayed ? PS_DOT : PS_SOLID, 1, color);
        o->Draw(this, dc, clip);
        if (m_active && !dc->IsPrinting() && IsSelected(o))
            o->DrawTracker(this, dc);
        RestoreOldPen(dc, previous);
    }
}

void CZelkView::DrawLoopOutlines(CDC* dc, const RECT& clip, int lastOnly)
{
    if (!g_pApp || g_pApp->m_commandKind != kLoopCommandKind || !m_document || !m_document->m_loopCmd)
        return;
    const CLoopCommand& loop = *m_document->m_loopCmd;
    const int count = loop.m_loops.GetSize();
    int first = 0;
    int last = count;
    // While a loop is being taken, the first call draws it alone and the second the others.
    if (loop.m_extractState == 1 || loop.m_extractState == 2) {
        if (lastOnly == 0)
            first = count - 1;
        else
            last = count - 1;
    }
    CRectD clipD;
    clipD.SetFromIntRect(clip);
    for (int i = first < 0 ? 0 : first; i < last; ++i) {
        const auto* keys = static_cast<const COwnedPtrArray*>(loop.m_loops[i]);
        for (int k = 0; keys && k < keys->GetSize(); ++k) {
            const CElemKey* key = keys->KeyAt(k);
            if (!key)
                continue;
            if (CLine* line = loop.MemberLine(*key))
                DrawLineByDirection(dc, *line, clipD);
            else if (CArc* arc = loop.MemberArc(*key))
                arc->Draw(dc, m_origin, m_zoom, clipD);
        }
    }
}

void CZelkView::DrawLineByDirection(CDC* dc, CLine& line, const CRectD& clip)
{
    if (line.m_start.m_x == line.m_end.m_x && line.m_start.m_y == line.m_end.m_y)
        return;
    if (line.m_start.m_y == line.m_end.m_y)
        line.DrawHorizontal(dc, m_origin, m_zoom, clip);
    else if (line.m_start.m_x == line.m_end.m_x)
        line.DrawVertical(dc, m_origin, m_zoom, clip);
    else
        line.DrawOblique(dc, m_origin, m_zoom, clip);
}
