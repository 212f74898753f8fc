// The geometric core of picking: whether an element lies in or crosses a window in view units,
// the group rule, the ordering of candidates, and the box collections into the found set.
#include <algorithm>
#include <cmath>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "geometry/Angles.h"
#include "geometry/Clipping.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "input/PickList.h"
#include "view/ZelkObj.h"
#include "view/ZelkView.h"

// What every search of one window shares: the window, the mapping and the visibility rule.
struct CPickList::CPickScan {
    CZelkView* view;
    CRectD window;
    CPointD origin;
    double zoom;
    int layerCount;
    bool hiddenApplies;   // a hidden layer is skipped at all (not during reference-layer setting)
    const WORD* layerStates;
    // The window in world units, widened far beyond the rounding of the conversion: an element
    // whose extent stays outside it can pass none of the tests, which work in view units.
    CWorldWindow world;
    CZelkDoc* document;

    CPickScan(CZelkView* v, CZelkDoc* doc, const CRectD& w)
        : view(v), window(w), origin(v->m_origin), zoom(v->m_zoom), document(doc)
    {
        while (v->m_layerStates.GetSize() < doc->m_layers.GetSize())
            v->m_layerStates.Add(0);
        layerCount = v->m_layerStates.GetSize();
        hiddenApplies = g_pApp->m_interruptMode != 35 && !v->m_showAllLayers;
        layerStates = layerCount > 0 ? &v->m_layerStates[0] : nullptr;
        // No sound bound without a proper mapping: nothing is passed over.
        world = CPickList::s_passOverByExtent ? CWorldWindow::FromView(w, origin, zoom) : CWorldWindow::Unbounded();
    }
    // The boxes of a kind's blocks when blocks may be passed over by them; null otherwise.
    const CBlockExtents::Entry* Boxes(CBlockExtents::Kind kind, const CObArray& blocks) const
    {
        if (!CBlockExtents::s_enabled || !CPickList::s_passOverByExtent)
            return nullptr;
        return document->m_blockExtents.Boxes(kind, blocks);
    }
    // An extent (world) that may meet the window.
    bool MayMeet(double x0, double y0, double x1, double y1) const { return world.Meets(x0, y0, x1, y1); }
    bool MayMeetRound(const CPointD& centre, double radius) const
    {
        const double r = std::fabs(radius) * (1 + 1e-9);
        return MayMeet(centre.m_x - r, centre.m_y - r, centre.m_x + r, centre.m_y + r);
    }
    bool MayMeetSegment(const CPointD& p, const CPointD& q) const
    {
        return MayMeet(std::min(p.m_x, q.m_x), std::min(p.m_y, q.m_y), std::max(p.m_x, q.m_x), std::max(p.m_y, q.m_y));
    }
    // An ellipse's polyline lies on it, so within the larger of its radii about its centre.
    bool MayMeetConic(const CConic& c) const
    {
        return MayMeetRound(c.m_centre, c.m_majorRadius * std::max(1.0, std::fabs(c.m_ratio)));
    }
    bool MayMeetPoints(const std::vector<CPointD>& pts) const
    {
        if (pts.empty())
            return false;
        double x0 = pts[0].m_x, x1 = x0, y0 = pts[0].m_y, y1 = y0;
        for (const CPointD& p : pts) {
            x0 = std::min(x0, p.m_x);
            x1 = std::max(x1, p.m_x);
            y0 = std::min(y0, p.m_y);
            y1 = std::max(y1, p.m_y);
        }
        return MayMeet(x0, y0, x1, y1);
    }
    bool Hidden(int layer) const
    {
        return hiddenApplies && layer >= 0 && layer < layerCount && layerStates[layer] == 1;
    }
    template <class E>
    bool Takes(const E& e) const
    {
        return (e.m_state & 0x03) && !Hidden(e.m_layer);
    }
    CPointD Screen(const CPointD& p) const { return p.WorldToScreen(origin, zoom); }
    bool In(const CPointD& world) const { return window.Contains(Screen(world)) != 0; }
    // Screen ends in x order, as the crossing test reads them.
    bool SegmentCrosses(CPointD p, CPointD q) const
    {
        if (p.m_x > q.m_x)
            std::swap(p, q);
        return SegmentCrossesRectD(p, q, window) != 0;
    }
    bool CircleExtremesIn(const CPointD& centre, double radius) const
    {
        const CPointD c = Screen(centre);
        const double r = radius * zoom;
        CPointD p;
        return window.Contains(p.Init(c.m_x + r, c.m_y)) && window.Contains(p.Init(c.m_x - r, c.m_y))
               && window.Contains(p.Init(c.m_x, c.m_y + r)) && window.Contains(p.Init(c.m_x, c.m_y - r));
    }
    bool CircleCrosses(const CPointD& centre, double radius) const
    {
        return CircleExtremesIn(centre, radius) || CircleCrossesRectD(Screen(centre), radius * zoom, window);
    }
    bool ArcInside(const CArc& a) const
    {
        CPointD angles;
        angles.Init(a.m_startAngle, a.m_endAngle);
        return ArcInsideRectD(Screen(a.m_centre), a.m_radius * zoom, angles, window) != 0;
    }
    bool ArcCrosses(const CArc& a, const CRectD& worldWindow) const
    {
        return a.MayCrossRect(worldWindow) && a.CrossesRect(worldWindow);
    }
    bool AllIn(const std::vector<CPointD>& points) const
    {
        if (points.empty())
            return false;
        for (const CPointD& p : points)
            if (!In(p))
                return false;
        return true;
    }
    // The first segment (i-1, i) with an end in the window or crossing a side; -1 when none.
    int CrossingSegment(const std::vector<CPointD>& points) const
    {
        if (points.size() < 2)
            return -1;
        CPointD prev = Screen(points[0]);
        bool prevIn = window.Contains(prev) != 0;
        for (size_t i = 1; i < points.size(); ++i) {
            const CPointD cur = Screen(points[i]);
            const bool curIn = window.Contains(cur) != 0;
            if (prevIn || curIn || SegmentCrosses(prev, cur))
                return static_cast<int>(i) - 1;
            prev = cur;
            prevIn = curIn;
        }
        return -1;
    }
};

namespace {

// Every element of a kind's blocks in block and slot order, but for the blocks whose box cannot
// meet the scan's window; f returns false to stop the walk.
template <class Block, class Scan, class F>
bool ScanBlocks(const Scan& scan, CBlockExtents::Kind kind, const CObArray& blocks, F&& f)
{
    const CBlockExtents::Entry* boxes = scan.Boxes(kind, blocks);
    for (int b = 0; b < blocks.GetSize(); ++b) {
        if (boxes && !scan.world.Meets(boxes[b].box))
            continue;
        Block* block = static_cast<Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s)
            if (!f(block->m_slots[s], static_cast<std::int16_t>(b), static_cast<std::int16_t>(s)))
                return false;
    }
    return true;
}

// The segment of a polyline nearest to p (point-to-segment distance); 0 for a single point.
int NearestSegment(const std::vector<CPointD>& points, const CPointD& p)
{
    int best = 0;
    double bestD = -1.0;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const CPointD& a = points[i];
        const CPointD& b = points[i + 1];
        const double dx = b.m_x - a.m_x, dy = b.m_y - a.m_y;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((p.m_x - a.m_x) * dx + (p.m_y - a.m_y) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        CPointD f;
        f.Init(a.m_x + t * dx, a.m_y + t * dy);
        const double d = Distance(f, p);
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace

int CPickList::CandidateLimit() const
{
    const CAppDraw& draw = g_pApp->m_appDraw;
    return draw.zoomWindowMode == 2 ? draw.candidateLimitNoZoomWindow : draw.candidateLimit;
}

int CPickList::GroupVerdict(int kind, std::int16_t group, std::int16_t& outermost) const
{
    if (group == -1 || !m_doc->m_groupProcessing || m_doc->m_deformMode)
        return kind;
    return CollectVerdict(kind, group, outermost);
}

int CPickList::CollectVerdict(int kind, std::int16_t group, std::int16_t& outermost) const
{
    CWordArray chain;
    if (group == -1 || !m_doc->GetGroupChain(group, chain))
        return kind;
    std::int16_t verdict = static_cast<std::int16_t>(kind);
    m_doc->FilterGroupChain(verdict, chain);
    if (verdict == 0)
        return 0;
    if (verdict == ELEM_GROUP && chain.GetSize() > 0) {
        outermost = static_cast<std::int16_t>(chain[0]);
        return ELEM_GROUP;
    }
    return kind;
}

void CPickList::StorePickContext(CZelkView* view)
{
    pickPoint = m_keyPoint;
    pickOrigin = view->m_origin;
    pickScale = view->m_zoom;
    pickViewRect.SetFromIntRect(view->m_clientRectLogical);
}

int CPickList::Search(CZelkView* view, const CRectD& window, int type)
{
    Clear();
    int n = 0;
    if (type == 1 || type == 3)
        n = FindInsideWindow(view, window);
    else if (type == 2)
        n = FindCrossingWindow(view, window);
    else
        return 0;
    if (n >= 1)
        StorePickContext(view);
    return n;
}

int CPickList::CollectInWindow(CZelkView* view, const CRectD& window, int type)
{
    int n = 0;
    if (type == 2)
        n = CollectCrossingWindow(view, window);
    else
        n = CollectInsideWindow(view, window, type == 3 ? 1 : 0);
    if (n > 0)
        StorePickContext(view);
    return n;
}

// ---- ordering ----------------------------------------------------------------------------

void CPickList::InsertCandidate(std::int16_t kind, std::uint8_t state, std::uint8_t mark,
                                std::int16_t block, std::int16_t slot, std::int16_t segmentIndex,
                                double distanceKey, double sizeKey)
{
    RoundToSignificant15(distanceKey);
    RoundToSignificant15(sizeKey);
    const double d = std::fabs(distanceKey);
    size_t pos = m_candidates.size();
    for (size_t i = 0; i < m_candidates.size(); ++i) {
        const CElemCandidate& e = m_candidates[i];
        if (kind == ELEM_TEXT && e.m_kind != ELEM_TEXT) {
            pos = i;
            break;
        }
        const double ed = std::fabs(e.m_distanceKey);
        if (NearlyEqual(ed, d)) {
            if (e.m_sizeKey > sizeKey) {
                pos = i;
                break;
            }
        } else if (d < ed) {
            pos = i;
            break;
        }
    }
    CElemCandidate c;
    c.Init(kind, block, slot, state, mark, 0);
    if (kind == ELEM_CONIC || kind == ELEM_CURVE)
        c.m_segmentIndex = segmentIndex;
    c.m_distanceKey = distanceKey;
    c.m_sizeKey = sizeKey;
    m_candidates.insert(m_candidates.begin() + static_cast<std::ptrdiff_t>(pos), c);
}

int CPickList::AddGroupCandidate(std::int16_t group)
{
    CGroup* g = m_doc->GetGroup(group);
    InsertCandidate(ELEM_GROUP, g ? g->m_state : 0, g ? g->m_mark : 0, group, 0, 0, 0.0, 0.0);
    return 1;
}

int CPickList::AddPointCandidate(std::int16_t block, std::int16_t slot)
{
    CDataPoint* p = m_doc->GetPointElem(block, slot);
    InsertCandidate(ELEM_POINT, p->m_state, p->m_mark, block, slot, 0, Distance(p->m_position, m_keyPoint), 0.0);
    return 1;
}

int CPickList::AddLineCandidate(std::int16_t block, std::int16_t slot)
{
    CLine* l = m_doc->GetLineElem(block, slot);
    double d = 0.0;
    SignedDistanceToLineRec(*l, m_keyPoint, d);
    InsertCandidate(ELEM_LINE, l->m_state, l->m_mark, block, slot, 0, d, l->Length());
    return 1;
}

int CPickList::AddCircleCandidate(std::int16_t block, std::int16_t slot)
{
    CCircle* c = m_doc->GetCircleElem(block, slot);
    const double gap = std::fabs(c->m_radius - Distance(m_keyPoint, c->m_centre));
    InsertCandidate(ELEM_CIRCLE, c->m_state, c->m_mark, block, slot, 0, gap, 2 * PI * c->m_radius);
    return 1;
}

int CPickList::AddArcCandidate(std::int16_t block, std::int16_t slot)
{
    CArc* a = m_doc->GetArcElem(block, slot);
    const double gap = std::fabs(a->m_radius - Distance(m_keyPoint, a->m_centre));
    const double span = a->m_endAngle - a->m_startAngle;
    double size = PI * a->m_radius * span / 180.0;
    if (NearlyEqual(span, 360.0))
        size = 2 * PI * a->m_radius;
    else if (NearlyEqual(span, 0.0))
        size = 0.0;
    InsertCandidate(ELEM_ARC, a->m_state, a->m_mark, block, slot, 0, gap, size);
    return 1;
}

int CPickList::AddTextCandidate(std::int16_t block, std::int16_t slot)
{
    CText* t = m_doc->GetTextElem(block, slot);
    InsertCandidate(ELEM_TEXT, t->m_state, t->m_mark, block, slot, 0, 0.0,
                    Distance(t->m_underlineStart, t->m_underlineEnd));
    return 1;
}

namespace {

// The keys of a polyline segment (i, i + 1): the signed distance of p from its line, its length.
bool SegmentKeys(const std::vector<CPointD>& pts, int segment, const CPointD& p, double& distance,
                 double& size)
{
    if (segment < 0 || static_cast<size_t>(segment) + 2 > pts.size())
        return false;
    const CPointD& a = pts[static_cast<size_t>(segment)];
    const CPointD& b = pts[static_cast<size_t>(segment) + 1];
    distance = SignedDistanceToLine(p, a, b);
    size = Distance(a, b);
    return true;
}

}  // namespace

int CPickList::AddConicCandidate(std::int16_t block, std::int16_t slot, int segment)
{
    CConic* c = m_doc->GetConicElem(block, slot);
    double d = 0, size = 0;
    if (!SegmentKeys(c->m_polyline, segment, m_keyPoint, d, size))
        return 0;
    InsertCandidate(ELEM_CONIC, c->m_state, c->m_mark, block, slot, static_cast<std::int16_t>(segment), d, size);
    return 1;
}

int CPickList::AddCurveCandidate(std::int16_t block, std::int16_t slot, int segment)
{
    CCurve* c = m_doc->GetCurveElem(block, slot);
    double d = 0, size = 0;
    if (!SegmentKeys(c->m_points, segment, m_keyPoint, d, size))
        return 0;
    InsertCandidate(ELEM_CURVE, c->m_state, c->m_mark, block, slot, static_cast<std::int16_t>(segment), d, size);
    return 1;
}

int CPickList::AddObjectCandidates(const CWordArray& objects)
{
    for (int i = 0; i < objects.GetSize(); ++i) {
        const int index = objects[i];
        if (index >= static_cast<int>(m_doc->m_objects.size()))
            continue;
        const CZelkObj* o = m_doc->m_objects[static_cast<size_t>(index)];
        CPointD centre;
        centre.Init((o->m_bottomRight.m_x + o->m_topLeft.m_x) / 2, (o->m_bottomRight.m_y + o->m_topLeft.m_y) / 2);
        const double size = (o->m_topLeft.m_x - centre.m_x) + (o->m_topLeft.m_y - centre.m_y);
        InsertCandidate(ELEM_OBJECT, o->m_state, o->m_stateBits, static_cast<std::int16_t>(index), 0, 0,
                        Distance(centre, m_keyPoint), size);
    }
    return objects.GetSize() > 0 ? 1 : 0;
}

// ---- pick searches -------------------------------------------------------------------------

namespace {

CPointD WindowCentreWorld(const CRectD& window, const CZelkView* view)
{
    CPointD c;
    c.Init((window.m_left + window.m_right) / 2, (window.m_top + window.m_bottom) / 2);
    return c.ScreenToWorld(view->m_origin, view->m_zoom);
}

}  // namespace

int CPickList::FindInsideWindow(CZelkView* view, const CRectD& window)
{
    m_keyPoint = WindowCentreWorld(window, view);
    const CPickScan scan(view, m_doc, window);
    const int limit = CandidateLimit();
    bool over = false;
    auto add = [&](int kind, std::int16_t group, auto&& addSelf) {
        return TakeCandidate(kind, group, true, limit, over, addSelf);
    };
    ScanBlocks<CDataPoints>(scan, CBlockExtents::kPoints, m_doc->m_pointBlocks, [&](CDataPoint& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.In(e.m_position))
            return true;
        return add(ELEM_POINT, e.m_group, [&] { AddPointCandidate(b, s); });
    }) && ScanBlocks<CLines>(scan, CBlockExtents::kLines, m_doc->m_lineBlocks, [&](CLine& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.In(e.m_start) || !scan.In(e.m_end))
            return true;
        return add(ELEM_LINE, e.m_group, [&] { AddLineCandidate(b, s); });
    }) && ScanBlocks<CCircles>(scan, CBlockExtents::kCircles, m_doc->m_circleBlocks, [&](CCircle& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.MayMeetRound(e.m_centre, e.m_radius) || !scan.CircleExtremesIn(e.m_centre, e.m_radius))
            return true;
        return add(ELEM_CIRCLE, e.m_group, [&] { AddCircleCandidate(b, s); });
    }) && ScanBlocks<CArcs>(scan, CBlockExtents::kArcs, m_doc->m_arcBlocks, [&](CArc& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.MayMeetRound(e.m_centre, e.m_radius) || !scan.ArcInside(e))
            return true;
        return add(ELEM_ARC, e.m_group, [&] { AddArcCandidate(b, s); });
    }) && ScanBlocks<CTexts>(scan, CBlockExtents::kTexts, m_doc->m_textBlocks, [&](CText& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.In(e.m_underlineStart) || !scan.In(e.m_underlineEnd))
            return true;
        return add(ELEM_TEXT, e.m_group, [&] { AddTextCandidate(b, s); });
    }) && ScanBlocks<CConics>(scan, CBlockExtents::kConics, m_doc->m_conicBlocks, [&](CConic& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || e.m_polyline.size() < 2 || !scan.MayMeetConic(e) || !scan.AllIn(e.m_polyline))
            return true;
        return add(ELEM_CONIC, e.m_group, [&] { AddConicCandidate(b, s, NearestSegment(e.m_polyline, m_keyPoint)); });
    }) && ScanBlocks<CCurves>(scan, CBlockExtents::kCurves, m_doc->m_curveBlocks, [&](CCurve& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || e.m_points.size() < 2 || !scan.MayMeetPoints(e.m_points) || !scan.AllIn(e.m_points))
            return true;
        return add(ELEM_CURVE, e.m_group, [&] { AddCurveCandidate(b, s, NearestSegment(e.m_points, m_keyPoint)); });
    });
    return over ? kTooMany : static_cast<int>(m_candidates.size());
}

int CPickList::FindCrossingWindow(CZelkView* view, const CRectD& window)
{
    m_keyPoint = WindowCentreWorld(window, view);
    const CPickScan scan(view, m_doc, window);
    CRectD worldWindow;
    worldWindow.SetFromScreenRectD(window, view->m_origin, view->m_zoom);
    const int limit = CandidateLimit();
    bool over = false;
    auto add = [&](int kind, std::int16_t group, bool groupRule, auto&& addSelf) {
        return TakeCandidate(kind, group, groupRule, limit, over, addSelf);
    };
    const bool lineGroupRule = g_pApp->m_groupProcessing == 0;
    ScanBlocks<CDataPoints>(scan, CBlockExtents::kPoints, m_doc->m_pointBlocks, [&](CDataPoint& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.In(e.m_position))
            return true;
        return add(ELEM_POINT, e.m_group, true, [&] { AddPointCandidate(b, s); });
    }) && ScanBlocks<CLines>(scan, CBlockExtents::kLines, m_doc->m_lineBlocks, [&](CLine& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.MayMeetSegment(e.m_start, e.m_end))
            return true;
        const CPointD p = scan.Screen(e.m_start), q = scan.Screen(e.m_end);
        if (!window.Contains(p) && !window.Contains(q) && !SegmentCrossesRectD(p, q, window))
            return true;
        return add(ELEM_LINE, e.m_group, lineGroupRule, [&] { AddLineCandidate(b, s); });
    }) && ScanBlocks<CCircles>(scan, CBlockExtents::kCircles, m_doc->m_circleBlocks, [&](CCircle& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.MayMeetRound(e.m_centre, e.m_radius) || !scan.CircleCrosses(e.m_centre, e.m_radius))
            return true;
        return add(ELEM_CIRCLE, e.m_group, true, [&] { AddCircleCandidate(b, s); });
    }) && ScanBlocks<CArcs>(scan, CBlockExtents::kArcs, m_doc->m_arcBlocks, [&](CArc& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.MayMeetRound(e.m_centre, e.m_radius) || !scan.ArcCrosses(e, worldWindow))
            return true;
        return add(ELEM_ARC, e.m_group, true, [&] { AddArcCandidate(b, s); });
    }) && ScanBlocks<CTexts>(scan, CBlockExtents::kTexts, m_doc->m_textBlocks, [&](CText& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.MayMeetSegment(e.m_underlineStart, e.m_underlineEnd))
            return true;
        const CPointD p = scan.Screen(e.m_underlineStart), q = scan.Screen(e.m_underlineEnd);
        if (!window.Contains(p) && !window.Contains(q) && !scan.SegmentCrosses(p, q))
            return true;
        return add(ELEM_TEXT, e.m_group, true, [&] { AddTextCandidate(b, s); });
    }) && ScanBlocks<CConics>(scan, CBlockExtents::kConics, m_doc->m_conicBlocks, [&](CConic& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.MayMeetConic(e))
            return true;
        const int segment = scan.CrossingSegment(e.m_polyline);
        if (segment < 0)
            return true;
        return add(ELEM_CONIC, e.m_group, true, [&] { AddConicCandidate(b, s, segment); });
    }) && ScanBlocks<CCurves>(scan, CBlockExtents::kCurves, m_doc->m_curveBlocks, [&](CCurve& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.MayMeetPoints(e.m_points))
            return true;
        const int segment = scan.CrossingSegment(e.m_points);
        if (segment < 0)
            return true;
        return add(ELEM_CURVE, e.m_group, true, [&] { AddCurveCandidate(b, s, segment); });
    });
    if (over)
        return kTooMany;
    if (g_pApp->m_appFind.selectableKinds & ELEM_OBJECT) {
        CWordArray found;
        // The objects' rectangles are logical: the press point in the same units, not in pixels.
        const POINT press{static_cast<LONG>(view->m_pressLogicalPoint.m_x),
                          static_cast<LONG>(view->m_pressLogicalPoint.m_y)};
        if (m_doc->FindObjectsAt(view, press, found) > 0) {
            CWordArray live;
            for (int i = 0; i < found.GetSize(); ++i)
                if (m_doc->m_objects[found[i]]->m_state & 0x03)
                    live.Add(found[i]);
            AddObjectCandidates(live);
        }
    }
    return static_cast<int>(m_candidates.size());
}

// ---- box collections -----------------------------------------------------------------------

int CPickList::AddToFoundSet(std::int16_t group, std::uint8_t state, std::uint8_t mark,
                             std::uint8_t partFlags)
{
    for (const CElemCandidate& e : foundSet)
        if (e.m_kind == ELEM_GROUP && e.m_block == group)
            return 0;
    CElemCandidate e;
    e.Init(ELEM_GROUP, group, 0, state, mark, partFlags);
    foundSet.push_back(e);
    return 1;
}

int CPickList::CollectEntry(int kind, std::int16_t group, bool groupRule, std::int16_t block,
                            std::int16_t slot, std::uint8_t state, std::uint8_t mark, std::uint8_t parts)
{
    std::int16_t outer = -1;
    const int verdict = groupRule ? CollectVerdict(kind, group, outer) : kind;
    if (verdict == 0)
        return 0;
    if (verdict == ELEM_GROUP) {
        CGroup* g = m_doc->GetGroup(outer);
        return AddToFoundSet(outer, g ? g->m_state : 0, g ? g->m_mark : 0, 3);
    }
    if (kind == ELEM_OBJECT)
        return -1;
    if (!(g_pApp->m_appFind.selectableKinds & kind))
        return 0;
    CElemCandidate e;
    e.Init(static_cast<std::int16_t>(kind), block, slot, state, mark, parts);
    foundSet.push_back(e);
    return 1;
}

int CPickList::CollectInsideWindow(CZelkView* view, const CRectD& window, int deform)
{
    m_keyPoint = WindowCentreWorld(window, view);
    const CPickScan scan(view, m_doc, window);
    CAppFind& find = g_pApp->m_appFind;
    const int kinds = find.selectableKinds;
    const bool groupRule = find.boxSelectionMode != 3;
    int n = 0;
    auto collect = [&](int kind, std::int16_t group, std::int16_t b, std::int16_t s, std::uint8_t state,
                       std::uint8_t mark, std::uint8_t parts) {
        n += CollectEntry(kind, group, groupRule, b, s, state, mark, parts);
    };
    // Placed objects first: they are selected in the view at once.
    for (size_t i = 0; i < m_doc->m_objects.size(); ++i) {
        CZelkObj* o = m_doc->m_objects[i];
        if (!(o->m_state & 0x03) || scan.Hidden(o->m_layer) || !scan.In(o->m_bottomRight) || !scan.In(o->m_topLeft))
            continue;
        // Grouped, the object goes into the found set as its group; as itself it is selected now.
        const int verdict = CollectEntry(ELEM_OBJECT, o->m_group, groupRule, 0, 0, 0, 0, 0);
        if (verdict != -1 || !(kinds & ELEM_OBJECT)) {
            n += verdict > 0 ? verdict : 0;
            continue;
        }
        auto& sel = view->m_oleSelection;
        const bool isSelected = std::find(sel.begin(), sel.end(), o) != sel.end();
        if (find.toggleSelection && isSelected) {
            view->DeselectOleObject(o);
            auto it = std::find(sel.begin(), sel.end(), o);
            if (it != sel.end())
                sel.erase(it);
        } else {
            o->m_stateBits = static_cast<std::uint8_t>(markMask);
            if (g_pApp->m_interruptMode != 35 && !isSelected)
                sel.push_back(o);
        }
        ++n;
    }
    ScanBlocks<CDataPoints>(scan, CBlockExtents::kPoints, m_doc->m_pointBlocks, [&](CDataPoint& e, std::int16_t b, std::int16_t s) {
        if (scan.Takes(e) && scan.In(e.m_position))
            collect(ELEM_POINT, e.m_group, b, s, e.m_state, e.m_mark, 3);
        return true;
    });
    ScanBlocks<CLines>(scan, CBlockExtents::kLines, m_doc->m_lineBlocks, [&](CLine& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e))
            return true;
        const bool startIn = scan.In(e.m_start), endIn = scan.In(e.m_end);
        if (deform) {
            if (startIn || endIn)
                collect(ELEM_LINE, e.m_group, b, s, e.m_state, e.m_mark,
                        static_cast<std::uint8_t>((startIn ? 1 : 0) + (endIn ? 2 : 0)));
        } else if (startIn && endIn) {
            collect(ELEM_LINE, e.m_group, b, s, e.m_state, e.m_mark, 3);
        }
        return true;
    });
    ScanBlocks<CCircles>(scan, CBlockExtents::kCircles, m_doc->m_circleBlocks, [&](CCircle& e, std::int16_t b, std::int16_t s) {
        if (scan.Takes(e) && scan.MayMeetRound(e.m_centre, e.m_radius) && scan.CircleExtremesIn(e.m_centre, e.m_radius))
            collect(ELEM_CIRCLE, e.m_group, b, s, e.m_state, e.m_mark, 3);
        return true;
    });
    ScanBlocks<CArcs>(scan, CBlockExtents::kArcs, m_doc->m_arcBlocks, [&](CArc& e, std::int16_t b, std::int16_t s) {
        if (scan.Takes(e) && scan.MayMeetRound(e.m_centre, e.m_radius) && scan.ArcInside(e))
            collect(ELEM_ARC, e.m_group, b, s, e.m_state, e.m_mark, 3);
        return true;
    });
    ScanBlocks<CTexts>(scan, CBlockExtents::kTexts, m_doc->m_textBlocks, [&](CText& e, std::int16_t b, std::int16_t s) {
        if (scan.Takes(e) && scan.In(e.m_underlineStart) && scan.In(e.m_underlineEnd))
            collect(ELEM_TEXT, e.m_group, b, s, e.m_state, e.m_mark, 3);
        return true;
    });
    ScanBlocks<CConics>(scan, CBlockExtents::kConics, m_doc->m_conicBlocks, [&](CConic& e, std::int16_t b, std::int16_t s) {
        if (scan.Takes(e) && scan.MayMeetConic(e) && scan.AllIn(e.m_polyline))
            collect(ELEM_CONIC, e.m_group, b, s, e.m_state, e.m_mark, 3);
        return true;
    });
    ScanBlocks<CCurves>(scan, CBlockExtents::kCurves, m_doc->m_curveBlocks, [&](CCurve& e, std::int16_t b, std::int16_t s) {
        if (scan.Takes(e) && scan.MayMeetPoints(e.m_points) && scan.AllIn(e.m_points))
            collect(ELEM_CURVE, e.m_group, b, s, e.m_state, e.m_mark, 3);
        return true;
    });
    return n;
}

int CPickList::CollectCrossingWindow(CZelkView* view, const CRectD& window)
{
    m_keyPoint = WindowCentreWorld(window, view);
    const CPickScan scan(view, m_doc, window);
    CRectD worldWindow;
    worldWindow.SetFromScreenRectD(window, view->m_origin, view->m_zoom);
    CAppFind& find = g_pApp->m_appFind;
    const bool groupRule = find.boxSelectionMode != 3;
    int n = 0;
    auto collect = [&](int kind, std::int16_t group, std::int16_t b, std::int16_t s, std::uint8_t state,
                       std::uint8_t mark) { n += CollectEntry(kind, group, groupRule, b, s, state, mark, 3); };
    ScanBlocks<CLines>(scan, CBlockExtents::kLines, m_doc->m_lineBlocks, [&](CLine& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.MayMeetSegment(e.m_start, e.m_end))
            return true;
        const CPointD p = scan.Screen(e.m_start), q = scan.Screen(e.m_end);
        if (window.Contains(p) || window.Contains(q) || SegmentCrossesRectD(p, q, window))
            collect(ELEM_LINE, e.m_group, b, s, e.m_state, e.m_mark);
        return true;
    });
    ScanBlocks<CCircles>(scan, CBlockExtents::kCircles, m_doc->m_circleBlocks, [&](CCircle& e, std::int16_t b, std::int16_t s) {
        if (scan.Takes(e) && scan.MayMeetRound(e.m_centre, e.m_radius) && scan.CircleCrosses(e.m_centre, e.m_radius))
            collect(ELEM_CIRCLE, e.m_group, b, s, e.m_state, e.m_mark);
        return true;
    });
    ScanBlocks<CArcs>(scan, CBlockExtents::kArcs, m_doc->m_arcBlocks, [&](CArc& e, std::int16_t b, std::int16_t s) {
        if (scan.Takes(e) && scan.MayMeetRound(e.m_centre, e.m_radius) && scan.ArcCrosses(e, worldWindow))
            collect(ELEM_ARC, e.m_group, b, s, e.m_state, e.m_mark);
        return true;
    });
    ScanBlocks<CTexts>(scan, CBlockExtents::kTexts, m_doc->m_textBlocks, [&](CText& e, std::int16_t b, std::int16_t s) {
        if (!scan.Takes(e) || !scan.MayMeetSegment(e.m_underlineStart, e.m_underlineEnd))
            return true;
        const CPointD p = scan.Screen(e.m_underlineStart), q = scan.Screen(e.m_underlineEnd);
        if (window.Contains(p) || window.Contains(q) || scan.SegmentCrosses(p, q))
            collect(ELEM_TEXT, e.m_group, b, s, e.m_state, e.m_mark);
        return true;
    });
    ScanBlocks<CConics>(scan, CBlockExtents::kConics, m_doc->m_conicBlocks, [&](CConic& e, std::int16_t b, std::int16_t s) {
        if (scan.Takes(e) && scan.MayMeetConic(e) && scan.CrossingSegment(e.m_polyline) >= 0)
            collect(ELEM_CONIC, e.m_group, b, s, e.m_state, e.m_mark);
        return true;
    });
    ScanBlocks<CCurves>(scan, CBlockExtents::kCurves, m_doc->m_curveBlocks, [&](CCurve& e, std::int16_t b, std::int16_t s) {
        if (scan.Takes(e) && scan.MayMeetPoints(e.m_points) && scan.CrossingSegment(e.m_points) >= 0)
            collect(ELEM_CURVE, e.m_group, b, s, e.m_state, e.m_mark);
        return true;
    });
    return n;
}

bool CPickList::s_passOverByExtent = true;

bool CPickList::SelectableKind(int kind)
{
    return (g_pApp->m_appFind.selectableKinds & kind) != 0;
}
