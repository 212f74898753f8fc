// The snap-point search of a drawing: the crossing pick about the cursor, the categories of
// snap points found on its candidates, the merge that lists each point once, the crowding check
// that offers a zoom window, and the selection, announcement, flash and mark of the current point.
#include "input/PointSearch.h"

#include <algorithm>
#include <cmath>

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "geometry/RectD.h"
#include "input/PickList.h"
#include "platform/core/Services.h"
#include "platform/gdi/DC.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

CPointD Rounded14(CPointD p)
{
    RoundPointToSignificant14(p);
    return p;
}

// The vector from the foot of the text's placement point on its underline to that point: it
// carries points of the underline onto the line the text stands on.
CPointD PlacementShift(const CText& t)
{
    CPointD foot;
    double d = 0;
    FootOfPerpendicular(t.m_underlineStart, t.m_underlineEnd, t.m_point, foot, d);
    return Pt(t.m_point.m_x - foot.m_x, t.m_point.m_y - foot.m_y);
}

CPointD Shifted(const CPointD& p, const CPointD& v)
{
    return Pt(p.m_x + v.m_x, p.m_y + v.m_y);
}

// The polyline of a conic (its cache) or a curve (its points); none for other kinds.
const std::vector<CPointD>* PolylineOf(CZelkDoc* doc, const CElemCandidate& c)
{
    if (c.m_kind == ELEM_CONIC) {
        if (CConic* e = doc->GetConicElem(c.m_block, c.m_slot))
            return &e->m_polyline;
    } else if (c.m_kind == ELEM_CURVE) {
        if (CCurve* e = doc->GetCurveElem(c.m_block, c.m_slot))
            return &e->m_points;
    }
    return nullptr;
}

// The segment (k, k + 1) of the candidate's polyline, k its crossing segment.
bool CrossingSegmentOf(CZelkDoc* doc, const CElemCandidate& c, CPointD& s0, CPointD& s1)
{
    const std::vector<CPointD>* pts = PolylineOf(doc, c);
    const size_t k = static_cast<size_t>(c.m_segmentIndex);
    if (pts == nullptr || c.m_segmentIndex < 0 || k + 1 >= pts->size())
        return false;
    s0 = (*pts)[k];
    s1 = (*pts)[k + 1];
    return true;
}

const char* const kLabels[] = {"交点(", "端点(", "要素上点(", "特徴点(", "自由点("};

}  // namespace

CPointSearch::CPointSearch(CZelkDoc* doc)
    : m_doc(doc), pickList(std::make_unique<CPickList>(doc)), intersectionCount(0), endPointCount(0),
      onElementCount(0), featureCount(0), freeCount(0), currentIndex(-1)
{
}

CPointSearch::~CPointSearch() = default;

void CPointSearch::Reset()
{
    pickList->Clear();
    currentIndex = -1;
    intersectionCount = endPointCount = onElementCount = featureCount = freeCount = 0;
    foundPoints.clear();
}

double CPointSearch::HalfSize() const
{
    return g_pApp->m_appFind.pickHalfSize;
}

const CFoundPoint* CPointSearch::GetCurrent() const
{
    if (currentIndex < 0 || currentIndex >= static_cast<int>(foundPoints.size()))
        return nullptr;
    return &foundPoints[static_cast<size_t>(currentIndex)];
}

BYTE CPointSearch::GetCurrentCategory() const
{
    if (GetCurrent() == nullptr)
        return 0;
    const int counts[] = {intersectionCount, endPointCount, onElementCount, featureCount, freeCount};
    int sum = 0;
    for (int c = 0; c < 5; ++c) {
        sum += counts[c];
        if (currentIndex < sum)
            return static_cast<BYTE>(c + 1);
    }
    return 0;
}

BOOL CPointSearch::IsWithinRadius(CZelkView* view, const CPointD& p, double& distance) const
{
    distance = Distance(m_cursor, p);
    return HalfSize() >= distance * view->m_zoom ? TRUE : FALSE;
}

int CPointSearch::AddCandidate(CPointD point, double distance, std::int16_t firstKind,
                               std::int16_t secondKind, std::int16_t firstBlock,
                               std::int16_t firstSlot, std::int16_t firstPart,
                               std::int16_t secondBlock, std::int16_t secondSlot,
                               std::int16_t secondPart)
{
    RoundPointToSignificant14(point);
    size_t pos = candidates.size();
    for (size_t i = 0; i < candidates.size(); ++i) {
        const CFoundPoint& e = candidates[i];
        if (PointsNearlyEqual(point, e.m_point))
            return 0;
        if (std::fabs(distance) >= std::fabs(e.m_distance))
            continue;
        pos = i;
        break;
    }
    candidates.insert(candidates.begin() + static_cast<std::ptrdiff_t>(pos),
                      CFoundPoint(point, distance, firstKind, secondKind, firstBlock, firstSlot,
                                  firstPart, secondBlock, secondSlot, secondPart));
    return 1;
}

int CPointSearch::MergeCandidates()
{
    int n = 0;
    for (const CFoundPoint& c : candidates) {
        const bool repeated = std::any_of(foundPoints.begin(), foundPoints.end(), [&](const CFoundPoint& f) {
            return PointsNearlyEqual(f.m_point, c.m_point);
        });
        if (repeated)
            continue;
        foundPoints.push_back(c);
        ++n;
    }
    candidates.clear();
    return n;
}

// ---- the search --------------------------------------------------------------------------

void CPointSearch::PickCrossing(CZelkView* view)
{
    const CPointD c = m_cursor.WorldToScreen(view->m_origin, view->m_zoom);
    const double h = HalfSize();
    CRectD window;
    window.Init(c.m_x - h, c.m_y + h, c.m_x + h, c.m_y - h);
    // Too many candidates are no failure here: the pairs are made of those found before the limit.
    pickList->Search(view, window, 2);
}

int CPointSearch::Search(CZelkView* view, const CPointD& cursor)
{
    CZelkApp* app = g_pApp;
    m_cursor = Rounded14(cursor);
    PickCrossing(view);
    const int mask = app->m_appFind.m_searchMask;
    const bool zoomWindows = app->m_appDraw.zoomWindowMode != 2;
    if (mask & 2) {
        int crowded = 0;
        intersectionCount = FindIntersections(view, crowded);
        if (crowded && zoomWindows && foundPoints.size() >= 2
            && CheckCrowding(view, " 検索された多数の交点から第１点を選択しました"))
            return intersectionCount;
    }
    if (mask & 1) {
        endPointCount = FindEndPoints(view);
        endPointCount += FindOriginPoints(view);
    }
    if (mask & 8)
        onElementCount = FindOnElementPoints(view);
    if (mask & 4) {
        featureCount = 0;
        featureCount += FindFeaturePoints(view);
    }
    if (mask & 16)
        AddFreePoint(view);
    const bool crowdedPoints = endPointCount >= app->m_appDraw.crowdedEndPoints()
                               || onElementCount >= app->m_appDraw.crowdedOnElementPoints();
    if (!(zoomWindows && intersectionCount == 0 && crowdedPoints && foundPoints.size() >= 2
          && CheckCrowding(view, " 目視判定の困難なレベルで複数の点が検索されました")))
        Select(1);
    return intersectionCount + endPointCount + onElementCount + featureCount + freeCount;
}

BOOL CPointSearch::CheckCrowding(CZelkView* view, const CString& message)
{
    CZelkApp* app = g_pApp;
    const double minimum = app->m_appDraw.minDistinctDistance();
    const double screen = app->m_appDraw.crowdedScreenDistance();
    const double zoom = view->m_zoom;
    for (size_t i = 0; i + 1 < foundPoints.size(); ++i) {
        const CPointD& p = foundPoints[i].m_point;
        const double d = Distance(p, foundPoints[i + 1].m_point);
        if (!(d >= minimum && d * zoom < screen))
            continue;
        app->m_rightPressPoint = p;
        // The zoom window takes a 16-bit whole factor: at very small zooms the ratio would
        // overflow it.
        const double factor = std::clamp(screen / (d * zoom) * 5, 1.0, 32767.0);
        const CPointD logical = p.WorldToScreen(view->m_origin, zoom);
        view->m_pressLogicalPoint = logical;
        view->m_pressLogicalPoint2 = logical;
        Select(1);
        app->ShowResultMessage(message, 1);
        const bool suppressed = (GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) < 0)
                                || app->m_interruptMode == 40;
        if (!suppressed) {
            if (CMainFrame* frame = app->m_pMainFrame) {
                frame->m_zoomWindowKind = factor;
                frame->StartTimer(15, static_cast<UINT>(app->m_zoomWindowDelay));
            }
        }
        return TRUE;
    }
    return FALSE;
}

// ---- intersections --------------------------------------------------------------------------

void CPointSearch::AddIfWithin(CZelkView* view, const CPointD& p, const CElemCandidate& a,
                               const CElemCandidate& b, std::int16_t secondPart)
{
    double d = 0;
    if (IsWithinRadius(view, p, d))
        AddCandidate(p, d, a.m_kind, b.m_kind, a.m_block, a.m_slot, 0, b.m_block, b.m_slot, secondPart);
}

void CPointSearch::FootRule(CZelkView* view, const CPointD& centre, double radius, const CPointD& s0,
                            const CPointD& s1, const CArc* arc, const CElemCandidate& a,
                            const CElemCandidate& b, std::int16_t part)
{
    if (s0.m_x == s1.m_x && s0.m_y == s1.m_y)
        return;
    const CLine segment(s0, s1);
    CPointD foot;
    double delta = 0;
    const int footOnSegment = FootOnLineRec(segment, centre, foot, delta);
    delta = std::fabs(delta);
    RoundToSignificant15(delta);
    auto keep = [&](const CPointD& p) {
        if (arc == nullptr || arc->ContainsDirectionOf(p))
            AddIfWithin(view, p, a, b, part);
    };
    if (NearlyEqual(delta, radius)) {
        if (footOnSegment)
            keep(foot);
        return;
    }
    if (delta > radius)
        return;
    const double along = std::sqrt(radius * radius - delta * delta);
    const double theta = PointsAngleRad(s0, s1);
    const CPointD p1 = Pt(foot.m_x + along * std::cos(theta), foot.m_y + along * std::sin(theta));
    const CPointD p2 = Pt(foot.m_x - along * std::cos(theta), foot.m_y - along * std::sin(theta));
    if (IsPointOnSegment(s0, s1, p1))
        keep(p1);
    if (IsPointOnSegment(s0, s1, p2))
        keep(p2);
}

void CPointSearch::FindPair(CZelkView* view, const CElemCandidate& a, const CElemCandidate& b)
{
    CZelkDoc* d = m_doc;
    CPointD o1, o2;
    int on1 = 0, on2 = 0;
    switch (a.m_kind) {
    case ELEM_LINE: {
        CLine* l = d->GetLineElem(a.m_block, a.m_slot);
        if (l == nullptr)
            return;
        switch (b.m_kind) {
        case ELEM_LINE:
            if (CLine* m = d->GetLineElem(b.m_block, b.m_slot))
                if (IntersectSegments(l->m_start, l->m_end, m->m_start, m->m_end, o1))
                    AddIfWithin(view, o1, a, b, 0);
            return;
        case ELEM_CIRCLE:
            if (CCircle* c = d->GetCircleElem(b.m_block, b.m_slot)) {
                const int n = IntersectSegmentCircle(*l, *c, o1, o2);
                if (n >= 1)
                    AddIfWithin(view, o1, a, b, 0);
                if (n >= 2)
                    AddIfWithin(view, o2, a, b, 0);
            }
            return;
        case ELEM_ARC:
            if (CArc* c = d->GetArcElem(b.m_block, b.m_slot)) {
                const int n = IntersectLineArc(*l, *c, o1, o2, on1, on2);
                if (n >= 1 && on1)
                    AddIfWithin(view, o1, a, b, 0);
                if (n >= 2 && on2)
                    AddIfWithin(view, o2, a, b, 0);
            }
            return;
        case ELEM_TEXT:
            if (CText* t = d->GetTextElem(b.m_block, b.m_slot)) {
                const CPointD v = PlacementShift(*t);
                if (IntersectSegments(l->m_start, l->m_end, Shifted(t->m_underlineStart, v),
                                      Shifted(t->m_underlineEnd, v), o1))
                    AddIfWithin(view, o1, a, b, 0);
            }
            return;
        case ELEM_CONIC:
        case ELEM_CURVE: {
            CPointD s0, s1;
            if (CrossingSegmentOf(d, b, s0, s1) && IntersectSegments(l->m_start, l->m_end, s0, s1, o1))
                AddIfWithin(view, o1, a, b, b.m_segmentIndex);
            return;
        }
        default:
            return;
        }
    }
    case ELEM_CIRCLE: {
        CCircle* c = d->GetCircleElem(a.m_block, a.m_slot);
        if (c == nullptr)
            return;
        int n = 0;
        if (b.m_kind == ELEM_CIRCLE) {
            if (CCircle* e = d->GetCircleElem(b.m_block, b.m_slot))
                n = IntersectCircles(*c, *e, o1, o2);
        } else if (b.m_kind == ELEM_ARC) {
            if (CArc* e = d->GetArcElem(b.m_block, b.m_slot))
                n = IntersectCircleArc(*c, *e, o1, o2);
        } else if (b.m_kind == ELEM_CONIC || b.m_kind == ELEM_CURVE) {
            CPointD s0, s1;
            if (CrossingSegmentOf(d, b, s0, s1))
                FootRule(view, c->m_centre, c->m_radius, s0, s1, nullptr, a, b, b.m_segmentIndex);
            return;
        }
        if (n >= 1)
            AddIfWithin(view, o1, a, b, 0);
        if (n >= 2)
            AddIfWithin(view, o2, a, b, 0);
        return;
    }
    case ELEM_ARC: {
        CArc* c = d->GetArcElem(a.m_block, a.m_slot);
        if (c == nullptr)
            return;
        if (b.m_kind == ELEM_ARC) {
            if (CArc* e = d->GetArcElem(b.m_block, b.m_slot)) {
                const int n = IntersectArcs(*c, *e, o1, o2);
                if (n >= 1)
                    AddIfWithin(view, o1, a, b, 0);
                if (n >= 2)
                    AddIfWithin(view, o2, a, b, 0);
            }
        } else if (b.m_kind == ELEM_CONIC || b.m_kind == ELEM_CURVE) {
            CPointD s0, s1;
            if (CrossingSegmentOf(d, b, s0, s1))
                FootRule(view, c->m_centre, c->m_radius, s0, s1, c, a, b, b.m_segmentIndex);
        }
        return;
    }
    default:
        return;
    }
}

int CPointSearch::FindIntersections(CZelkView* view, int& crowded)
{
    crowded = 0;
    const auto& list = pickList->m_candidates;
    const size_t n = list.size();
    if (n < 2)
        return 0;
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j) {
            // The lower kind code takes the first role; two of a kind keep the list's order.
            if (list[j].m_kind < list[i].m_kind)
                FindPair(view, list[j], list[i]);
            else
                FindPair(view, list[i], list[j]);
        }
    if (g_pApp->m_appDraw.zoomWindowMode != 2
        && static_cast<int>(candidates.size()) >= g_pApp->m_appDraw.crowdedIntersections())
        crowded = 1;
    return MergeCandidates();
}

// ---- end, origin, on-element and feature points -------------------------------------------------

void CPointSearch::AddOfElement(const CElemCandidate& c, const CPointD& p, double distance)
{
    AddCandidate(p, distance, c.m_kind, 0, c.m_block, c.m_slot, 0, 0, 0, 0);
}

void CPointSearch::AddOfElementWithin(CZelkView* view, const CElemCandidate& c, const CPointD& p)
{
    double distance = 0;
    if (IsWithinRadius(view, p, distance))
        AddOfElement(c, p, distance);
}

int CPointSearch::FindEndPoints(CZelkView* view)
{
    CZelkDoc* d = m_doc;
    for (const CElemCandidate& c : pickList->m_candidates) {
        auto add = [&](const CPointD& p) { AddOfElementWithin(view, c, p); };
        switch (c.m_kind) {
        case ELEM_POINT:
            if (CDataPoint* e = d->GetPointElem(c.m_block, c.m_slot))
                add(e->m_position);
            break;
        case ELEM_LINE:
            if (CLine* e = d->GetLineElem(c.m_block, c.m_slot)) {
                add(e->m_start);
                add(e->m_end);
            }
            break;
        case ELEM_CIRCLE:
            if (CCircle* e = d->GetCircleElem(c.m_block, c.m_slot)) {
                const CPointD& o = e->m_centre;
                const double r = e->m_radius;
                add(Pt(o.m_x + r, o.m_y));
                add(Pt(o.m_x, o.m_y + r));
                add(Pt(o.m_x - r, o.m_y));
                add(Pt(o.m_x, o.m_y - r));
            }
            break;
        case ELEM_ARC:
            if (CArc* e = d->GetArcElem(c.m_block, c.m_slot)) {
                const CPointD& o = e->m_centre;
                const double r = e->m_radius;
                const CPointD quarters[] = {Pt(o.m_x + r, o.m_y), Pt(o.m_x, o.m_y + r), Pt(o.m_x - r, o.m_y),
                                            Pt(o.m_x, o.m_y - r)};
                const double angles[] = {0, 90, 180, 270};
                for (int q = 0; q < 4; ++q)
                    if (e->ContainsAngle(angles[q]))
                        add(quarters[q]);
                add(e->KeyPoint(-1));
                add(e->KeyPoint(-2));
            }
            break;
        case ELEM_TEXT:
            if (CText* e = d->GetTextElem(c.m_block, c.m_slot)) {
                add(e->m_underlineStart);
                add(e->m_underlineEnd);
            }
            break;
        case ELEM_CONIC:
            if (CConic* e = d->GetConicElem(c.m_block, c.m_slot)) {
                if (e->m_polyline.size() < 2 || NearlyEqual(e->m_endAngle - e->m_startAngle, 360.0))
                    break;
                add(e->m_polyline.front());
                add(e->m_polyline.back());
            }
            break;
        case ELEM_CURVE:
            if (CCurve* e = d->GetCurveElem(c.m_block, c.m_slot)) {
                if (e->m_points.size() < 2)
                    break;
                add(e->m_points.front());
                if (!PointsNearlyEqual(e->m_points.back(), e->m_points.front()))
                    add(e->m_points.back());
            }
            break;
        default:
            break;
        }
    }
    return MergeCandidates();
}

int CPointSearch::FindOriginPoints(CZelkView* view)
{
    const CPointD cursor = m_cursor.WorldToScreen(view->m_origin, view->m_zoom);
    int n = 0;
    for (const CPointD& origin : {m_doc->m_relOrigin, Pt(0, 0)}) {
        const CPointD p = origin.WorldToScreen(view->m_origin, view->m_zoom);
        if (Distance(p, cursor) <= HalfSize()) {
            AddCandidate(origin, 0, 0, 0, 0, 0, 0, 0, 0, 0);
            n += MergeCandidates();
        }
    }
    return n;
}

int CPointSearch::FindOnElementPoints(CZelkView* view)
{
    CZelkDoc* d = m_doc;
    const double h = HalfSize();
    const double zoom = view->m_zoom;
    for (const CElemCandidate& c : pickList->m_candidates) {
        auto add = [&](const CPointD& p) { AddOfElement(c, p, Distance(m_cursor, p)); };
        auto addWithin = [&](const CPointD& p) { AddOfElementWithin(view, c, p); };
        CPointD foot;
        double dist = 0;
        switch (c.m_kind) {
        case ELEM_LINE:
            if (CLine* e = d->GetLineElem(c.m_block, c.m_slot))
                if (FootOnLineRecStrict(*e, m_cursor, foot, dist) && std::fabs(dist) * zoom <= h)
                    add(foot);
            break;
        case ELEM_CIRCLE:
            if (CCircle* e = d->GetCircleElem(c.m_block, c.m_slot))
                if (CirclePointToward(*e, m_cursor, foot))
                    addWithin(foot);
            break;
        case ELEM_ARC:
            if (CArc* e = d->GetArcElem(c.m_block, c.m_slot))
                if (CirclePointToward(CCircle(*e), m_cursor, foot) && e->ContainsDirectionOf(foot))
                    addWithin(foot);
            break;
        case ELEM_TEXT:
            if (CText* e = d->GetTextElem(c.m_block, c.m_slot))
                if (FootOnTextLine(*e, m_cursor, foot, dist) && std::fabs(dist) * zoom <= h)
                    add(Shifted(foot, PlacementShift(*e)));
            break;
        case ELEM_CONIC:
        case ELEM_CURVE:
            if (const std::vector<CPointD>* pts = PolylineOf(d, c))
                for (size_t i = 0; i + 1 < pts->size(); ++i)
                    if (FootOfPerpendicular((*pts)[i], (*pts)[i + 1], m_cursor, foot, dist)
                        && std::fabs(dist) * zoom <= h)
                        add(foot);
            break;
        default:
            break;
        }
    }
    return MergeCandidates();
}

int CPointSearch::FindFeaturePoints(CZelkView* view)
{
    CZelkDoc* d = m_doc;
    for (const CElemCandidate& c : pickList->m_candidates) {
        auto add = [&](const CPointD& p, double dist) { AddOfElement(c, p, dist); };
        auto addWithin = [&](const CPointD& p) { AddOfElementWithin(view, c, p); };
        // Quadrant and perpendicular points near the cursor, then the centre behind them.
        auto roundFeatures = [&](const CPointD& o, double r, const CArc* arc) {
            const double tau = PI * r / 8;
            const double alpha = d->m_relAngle, beta = d->m_curAngle;
            auto onCircle = [&](double deg) {
                return Pt(o.m_x + r * std::cos(deg * PI / 180), o.m_y + r * std::sin(deg * PI / 180));
            };
            auto usable = [&](const CPointD& p) { return arc == nullptr || arc->ContainsDirectionOf(p); };
            double largest = 0;
            for (double deg : {alpha, alpha + 90, alpha + 180, alpha - 90}) {
                const CPointD q = onCircle(deg);
                const double dist = Distance(q, m_cursor);
                if (dist <= tau && usable(q)) {
                    add(q, dist);
                    largest = std::max(largest, dist);
                    break;
                }
            }
            const CPointD plus = onCircle(beta + 90), minus = onCircle(beta - 90);
            const double dPlus = Distance(plus, m_cursor), dMinus = Distance(minus, m_cursor);
            if (dPlus <= tau && usable(plus)) {
                add(plus, dPlus);
                largest = std::max(largest, dPlus);
            } else if (dMinus <= tau && usable(minus)) {
                add(minus, dMinus);
                largest = std::max(largest, dMinus);
            }
            add(o, largest + 0.1);
        };
        switch (c.m_kind) {
        case ELEM_LINE:
            if (CLine* e = d->GetLineElem(c.m_block, c.m_slot)) {
                const CPointD mid = Pt((e->m_start.m_x + e->m_end.m_x) / 2, (e->m_start.m_y + e->m_end.m_y) / 2);
                const double dist = Distance(mid, m_cursor);
                if (dist <= e->Length() / 4)
                    add(mid, dist);
            }
            break;
        case ELEM_TEXT:
            if (CText* e = d->GetTextElem(c.m_block, c.m_slot)) {
                const CPointD mid = Shifted(Pt((e->m_underlineStart.m_x + e->m_underlineEnd.m_x) / 2,
                                               (e->m_underlineStart.m_y + e->m_underlineEnd.m_y) / 2),
                                            PlacementShift(*e));
                const double dist = Distance(mid, m_cursor);
                if (dist <= Distance(e->m_underlineStart, e->m_underlineEnd) / 4)
                    add(mid, dist);
            }
            break;
        case ELEM_CIRCLE:
            if (CCircle* e = d->GetCircleElem(c.m_block, c.m_slot))
                roundFeatures(e->m_centre, e->m_radius, nullptr);
            break;
        case ELEM_ARC:
            if (CArc* e = d->GetArcElem(c.m_block, c.m_slot))
                roundFeatures(e->m_centre, e->m_radius, e);
            break;
        case ELEM_CONIC:
            if (CConic* e = d->GetConicElem(c.m_block, c.m_slot))
                for (int code : {1, 2, 3, 4, 11, 12, 13, 14}) {
                    CPointD p;
                    if (e->AxisPoint(code, p))
                        addWithin(p);
                }
            break;
        case ELEM_CURVE:
            if (CCurve* e = d->GetCurveElem(c.m_block, c.m_slot)) {
                std::vector<CPointD> points;
                e->CollectSearchPoints(points);
                for (const CPointD& p : points)
                    addWithin(p);
            }
            break;
        default:
            break;
        }
    }
    return MergeCandidates();
}

void CPointSearch::AddFreePoint(CZelkView* view)
{
    AddCandidate(m_cursor, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    freeCount = MergeCandidates();
    if (freeCount == 0 && view->m_zoom >= 1024) {
        g_pApp->m_prompt = CString("過大な拡大率(") + DoubleToString(view->m_zoom)
                           + ")の為に、浮動小数点変数の処理の限界を越えて数値の丸めが起こりました";
        g_pApp->m_promptAmended = 1;
    }
}

// ---- selection, flash and mark -------------------------------------------------------------------

BOOL CPointSearch::Select(int step)
{
    if (currentIndex == -1 && step == 0)
        return FALSE;
    EraseMarker();
    const int n = static_cast<int>(foundPoints.size());
    currentIndex += step;
    if (currentIndex >= n)
        currentIndex = n > 0 ? 0 : -1;
    else if (currentIndex < -1)
        currentIndex = n - 1;
    const CFoundPoint* p = GetCurrent();
    if (p == nullptr)
        return FALSE;
    CPointD rel = m_doc->WorldToRelative(p->m_point);
    RoundPointByRangeSetting(rel, g_pApp->m_appAcc.messageDigits());
    // A point outside the counted categories (a list filled by hand) has no label of its own.
    const int category = GetCurrentCategory();
    CString text = category >= 1 && category <= 5 ? kLabels[category - 1] : "(";
    const double s = m_doc->m_ratio;
    if (s == 1.0) {
        text += DoubleToString(rel.m_x) + "," + DoubleToString(rel.m_y) + ")を選択";
    } else {
        text += DoubleToString(rel.m_x / s) + "," + DoubleToString(rel.m_y / s) + ") 実点("
                + DoubleToString(rel.m_x) + "," + DoubleToString(rel.m_y) + ")を選択";
    }
    FlashElements(*p);
    m_doc->ShowMessageInViews(text);
    return TRUE;
}

void CPointSearch::FlashElements(const CFoundPoint& point)
{
    struct Flash {
        std::int16_t kind, block, slot;
    };
    std::vector<Flash> drawn;
    auto draw = [&](const Flash& f, int mode) {
        CZelkDoc* d = m_doc;
        switch (f.kind) {
        case ELEM_POINT: d->DrawPointInViews(mode, 1, d->PointBlockAt(f.block), f.slot); break;
        case ELEM_LINE: d->DrawLineInViews(mode, 1, d->LineBlockAt(f.block), f.slot); break;
        case ELEM_CIRCLE: d->DrawCircleInViews(mode, 1, d->CircleBlockAt(f.block), f.slot); break;
        case ELEM_ARC: d->DrawArcInViews(mode, 1, d->ArcBlockAt(f.block), f.slot); break;
        case ELEM_CONIC: d->DrawConicInViews(mode, 1, d->ConicBlockAt(f.block), f.slot); break;
        case ELEM_CURVE: d->DrawCurveInViews(mode, 1, d->CurveBlockAt(f.block), f.slot); break;
        default: break;
        }
    };
    const Flash both[] = {{point.m_firstKind, point.m_firstBlock, point.m_firstSlot},
                          {point.m_secondKind, point.m_secondBlock, point.m_secondSlot}};
    for (const Flash& f : both) {
        std::uint8_t mark = 0;
        std::uint8_t kept = MARK_SELECTED | MARK_FIRST_END;
        switch (f.kind) {
        case ELEM_POINT: if (auto* e = m_doc->GetPointElem(f.block, f.slot)) mark = e->m_mark; else continue; break;
        case ELEM_LINE:
            if (auto* e = m_doc->GetLineElem(f.block, f.slot)) mark = e->m_mark; else continue;
            kept |= MARK_SECOND_END;
            break;
        case ELEM_CIRCLE: if (auto* e = m_doc->GetCircleElem(f.block, f.slot)) mark = e->m_mark; else continue; break;
        case ELEM_ARC: if (auto* e = m_doc->GetArcElem(f.block, f.slot)) mark = e->m_mark; else continue; break;
        case ELEM_CONIC: if (auto* e = m_doc->GetConicElem(f.block, f.slot)) mark = e->m_mark; else continue; break;
        case ELEM_CURVE: if (auto* e = m_doc->GetCurveElem(f.block, f.slot)) mark = e->m_mark; else continue; break;
        default: continue;
        }
        if (mark & kept)
            continue;
        draw(f, 3);
        drawn.push_back(f);
    }
    if (drawn.empty())
        return;
    Sleep(static_cast<DWORD>(g_pApp->m_appFind.flashTime()));
    for (const Flash& f : drawn)
        draw(f, 1);
}

void CPointSearch::EraseMarker()
{
    if (const CFoundPoint* p = GetCurrent())
        m_doc->EraseFoundMarkInViews(p->m_point);
}

void CPointSearch::EraseMarkerInDC(CZelkView* view, CDC* dc)
{
    const CFoundPoint* p = GetCurrent();
    if (p == nullptr)
        return;
    CPen* old = view->SelectNewPen(dc, PS_SOLID, 1, view->m_backColor);
    p->m_point.DrawCircleMark(dc, view->m_origin, view->m_zoom);
    view->RestoreOldPen(dc, old);
}

BOOL CPointSearch::DrawMarker(CZelkView* view, CDC* dc, int step)
{
    if (currentIndex == -1 && step == 0)
        return FALSE;
    EraseMarkerInDC(view, dc);
    const int n = static_cast<int>(foundPoints.size());
    currentIndex += step;
    if (currentIndex >= n)
        currentIndex = n > 0 ? 0 : -1;
    else if (currentIndex < -1)
        currentIndex = n - 1;
    const CFoundPoint* p = GetCurrent();
    if (p == nullptr)
        return FALSE;
    const CAppColor& colors = g_pApp->m_appColor;
    COLORREF color = colors.freePointMarkColor;
    switch (GetCurrentCategory()) {
    case 1: color = colors.intersectionMarkColor; break;
    case 2: case 4: color = colors.endPointMarkColor; break;
    case 3: color = colors.onElementMarkColor; break;
    default: break;
    }
    CPen* old = view->SelectNewPen(dc, PS_SOLID, 1, color);
    p->m_point.DrawCircleMark(dc, view->m_origin, view->m_zoom);
    view->RestoreOldPen(dc, old);
    return TRUE;
}
