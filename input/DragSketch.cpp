// CDragSketch: the figures are made largest first up to the figure limit, so that the sketch of
// a huge selection still shows its dominant shapes and each move costs two passes over integers.
#include "input/DragSketch.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/DataPoint.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/ElemRef.h"
#include "elements/ElementDrawing.h"
#include "geometry/Numeric.h"
#include "input/ElemSet.h"
#include "input/InputPoint.h"
#include "platform/gdi/DC.h"
#include "view/ZelkView.h"

#include <cstdlib>

namespace {

template <class T>
void DeleteAll(CPtrArray& list)
{
    for (int i = 0; i < list.GetSize(); ++i)
        delete static_cast<T*>(list[i]);
    list.RemoveAll();
}

template <class Elem>
bool Live(const Elem* e)
{
    return e && !(e->m_state & STATE_DELETED);
}

// Adds a made figure to its list; true when there was one.
template <class T>
bool Keep(CPtrArray& list, T* figure)
{
    if (!figure)
        return false;
    list.Add(figure);
    return true;
}

}  // namespace

CDragSketch::~CDragSketch()
{
    Clear();
}

void CDragSketch::Clear()
{
    DeleteAll<POINT>(points);
    DeleteAll<CSketchSegment>(segments);
    DeleteAll<CSketchArc>(circles);
    DeleteAll<CSketchArc>(arcs);
    DeleteAll<CSketchSegment>(textLines);
    DeleteAll<CSketchPolyline>(conicPolylines);
    DeleteAll<CSketchPolyline>(curvePolylines);
}

int CDragSketch::FigureCount() const
{
    return points.GetSize() + segments.GetSize() + circles.GetSize() + arcs.GetSize() + textLines.GetSize() +
           conicPolylines.GetSize() + curvePolylines.GetSize();
}

void CDragSketch::Build(CElemSet& set, CZelkDoc* doc, CZelkView* target)
{
    Clear();
    if (!doc || !target)
        return;
    CWordArray& classes = set.sizeClasses;
    const int count = set.elements.GetSize();
    if (classes.GetSize() != count) {
        const int old = classes.GetSize();
        classes.SetSize(count);
        for (int i = old; i < count; ++i)
            classes[i] = 0;
    }
    const CPointD& base = set.basePoint;
    const double angle = set.angle;
    const double factor = set.scale;
    int made = 0;
    // One element of the document (not a group) gives its figure; true when one was made.
    auto sketchElement = [&](int kind, int block, int slot) -> bool {
        switch (kind) {
        case ELEM_POINT:
            if (CDataPoint* p = doc->GetPointElem(block, slot); Live(p))
                return Keep(points, p->MakeDragSketch(target, base, angle, factor));
            return false;
        case ELEM_LINE:
            if (CLine* l = doc->GetLineElem(block, slot); Live(l))
                return Keep(segments, l->MakeDragSketch(target, base, angle, factor));
            return false;
        case ELEM_CIRCLE:
            if (CCircle* c = doc->GetCircleElem(block, slot); Live(c))
                return Keep(circles, c->MakeDragSketch(target, base, angle, factor));
            return false;
        case ELEM_ARC:
            if (CArc* a = doc->GetArcElem(block, slot); Live(a))
                return Keep(arcs, a->MakeDragSketch(target, base, angle, factor));
            return false;
        case ELEM_TEXT:
            if (CText* t = doc->GetTextElem(block, slot); Live(t))
                return Keep(textLines, t->MakeDragSketch(target, base, angle, factor, 0));
            return false;
        case ELEM_CONIC:
            if (CConic* c = doc->GetConicElem(block, slot); Live(c))
                return Keep(conicPolylines, c->MakeDragSketch(target, base, angle, factor));
            return false;
        case ELEM_CURVE:
            if (CCurve* c = doc->GetCurveElem(block, slot); Live(c))
                return Keep(curvePolylines, c->MakeDragSketch(target, base, angle, factor));
            return false;
        default:
            return false;
        }
    };
    const int limit = g_pApp ? g_pApp->m_appDraw.sketchLimit() : 1000;
    for (int sizeClass = 0; sizeClass <= 3; ++sizeClass) {
        for (int i = 0; i < count; ++i) {
            if (classes[i] != sizeClass)
                continue;
            const auto* ref = static_cast<const CElemRef*>(set.elements[i]);
            if (ref->m_kind == ELEM_GROUP) {
                const CGroup* group = doc->GetGroup(ref->m_block);
                if (Live(group))
                    for (const CElemRef& m : group->m_members)
                        if (m.m_kind != ELEM_GROUP && sketchElement(m.m_kind, m.m_block, m.m_slot))
                            ++made;
            } else if (sketchElement(ref->m_kind, ref->m_block, ref->m_slot)) {
                ++made;
            }
            if (sizeClass > 0 && made > limit)
                break;
        }
        if (made > limit)
            break;
    }
    for (int i = 0; i < set.texts.GetSize(); ++i) {
        auto* text = static_cast<CText*>(set.texts[i]);
        if (Live(text))
            Keep(textLines, text->MakeDragSketch(target, base, angle, factor, 1));
    }
    const CPointD b = base.WorldToScreen(target->m_origin, target->m_zoom);
    Offset(-TruncToInt(b.m_x), -TruncToInt(b.m_y));
}

void CDragSketch::Offset(int dx, int dy)
{
    for (int i = 0; i < points.GetSize(); ++i) {
        auto* p = static_cast<POINT*>(points[i]);
        p->x += dx;
        p->y += dy;
    }
    for (CPtrArray* list : {&segments, &textLines})
        for (int i = 0; i < list->GetSize(); ++i) {
            auto* s = static_cast<CSketchSegment*>((*list)[i]);
            s->x1 += dx;
            s->y1 += dy;
            s->x2 += dx;
            s->y2 += dy;
        }
    for (CPtrArray* list : {&circles, &arcs})
        for (int i = 0; i < list->GetSize(); ++i) {
            auto* a = static_cast<CSketchArc*>((*list)[i]);
            a->left += dx;
            a->right += dx;
            a->startX += dx;
            a->endX += dx;
            a->top += dy;
            a->bottom += dy;
            a->startY += dy;
            a->endY += dy;
        }
    for (CPtrArray* list : {&conicPolylines, &curvePolylines})
        for (int i = 0; i < list->GetSize(); ++i)
            for (POINT& p : *static_cast<CSketchPolyline*>((*list)[i])) {
                p.x += dx;
                p.y += dy;
            }
}

void CDragSketch::DrawFigures(CDC* dc, int dx, int dy)
{
    const int oldRop = dc->SetROP2(R2_XORPEN);
    const COLORREF color = g_pApp ? g_pApp->m_appColor.previewColor : RGB(0, 0, 0);
    CPen* oldPen = view ? view->SelectNewPen(dc, PS_SOLID, 1, color) : nullptr;
    const int s = g_pApp ? g_pApp->m_appDraw.pointCrossSize : 10;
    for (int i = 0; i < points.GetSize(); ++i) {
        const auto* p = static_cast<const POINT*>(points[i]);
        const int x = p->x + dx, y = p->y + dy;
        dc->MoveTo(x, y - s);
        dc->LineTo(x, y + s);
        dc->MoveTo(x - s, y);
        dc->LineTo(x + s, y);
    }
    auto lines = [&](const CPtrArray& list) {
        for (int i = 0; i < list.GetSize(); ++i) {
            const auto* l = static_cast<const CSketchSegment*>(list[i]);
            dc->MoveTo(l->x1 + dx, l->y1 + dy);
            dc->LineTo(l->x2 + dx, l->y2 + dy);
        }
    };
    lines(segments);
    auto arcCall = [&](const CSketchArc* a) {
        dc->Arc(a->left + dx, a->top + dy, a->right + dx, a->bottom + dy, a->startX + dx, a->startY + dy, a->endX + dx,
                a->endY + dy);
    };
    for (int i = 0; i < circles.GetSize(); ++i)
        arcCall(static_cast<const CSketchArc*>(circles[i]));
    // Arc draws ends that nearly meet as a whole ellipse.
    for (int i = 0; i < arcs.GetSize(); ++i) {
        const auto* a = static_cast<const CSketchArc*>(arcs[i]);
        if (std::abs(a->startX - a->endX) + std::abs(a->startY - a->endY) > 4)
            arcCall(a);
    }
    for (const CPtrArray* list : {&conicPolylines, &curvePolylines})
        for (int i = 0; i < list->GetSize(); ++i) {
            const auto& line = *static_cast<const CSketchPolyline*>((*list)[i]);
            if (line.empty())
                continue;
            dc->MoveTo(line[0].x + dx, line[0].y + dy);
            for (size_t k = 1; k < line.size(); ++k)
                dc->LineTo(line[k].x + dx, line[k].y + dy);
        }
    lines(textLines);
    if (view)
        view->RestoreOldPen(dc, oldPen);
    dc->SetROP2(oldRop);
}

void CDragSketch::DrawAt(CZelkView* target, CDC* dc, const CInputPoint& input)
{
    if (!view)
        view = target;
    Erase(dc);
    const CPointD p = input.GetEffective(target->m_document, 1).WorldToScreen(target->m_origin, target->m_zoom);
    const int c = TruncToInt(p.m_x);
    const int d = TruncToInt(p.m_y);
    DrawFigures(dc, c, d);
    shownX = c;
    shownY = d;
    shown = 1;
}

void CDragSketch::Erase(CDC* dc)
{
    if (!shown)
        return;
    DrawFigures(dc, shownX, shownY);
    shown = 0;
}
