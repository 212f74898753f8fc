// Circles of a typed radius touching a picked line or circle: through a pass point (up to two
// or four answers, offered as candidates) or at a given tangent point (one answer, added at once).
#include "commands/circle/CircleCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/circle/ConstructionShapes.h"
#include "document/ZelkDoc.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "view/ZelkView.h"

int CCircleCommand::AddTangentCircleToLineThroughPoint(int length, int line, int point)
{
    ClearCandidates();
    const double radius = std::fabs(m_values[length].value);
    const CLine& l = m_pickedLines[line];
    const CPointD p = m_inputPoints[point].GetEffective(m_doc, 1);
    // The pass point given before the line runs the arcs from the pass point to the line.
    const bool passFirst = point < line;
    CPointD c1, c2;
    CPointD arc1 = FullTurnRange(), arc2 = FullTurnRange();
    const int side = l.SideOfPoint(p);
    if (side == 2) {
        // Both circles touch the line at the pass point itself: no arc runs between the two, so
        // the arc command offers them whole.
        c1 = l.PointAtNormalOffset(p, radius);
        c2 = l.PointAtNormalOffset(p, -radius);
    } else {
        const double r = side == 3 ? -radius : radius;
        int count = 0;
        c1 = l.TangentCircleCentre(p, r, m_pickPoints[line], count, arc1);
        if (count == 0) {
            if (g_pApp)
                g_pApp->ShowMessage("指定の点と線分の距離が指定の半径より大きすぎます", 1);
            return 0;
        }
        // The other centre mirrors the first across the perpendicular from the pass point.
        const double u = l.AngleRad();
        const double f = radius * std::cos(PointsAngleRad(c1, p) - u);
        c2.Init(c1.m_x + 2.0 * f * std::cos(u), c1.m_y + 2.0 * f * std::sin(u));
        arc2 = ArcRangeDeg(arc1.m_x, PointsAngleDeg(c2, p));
        if (passFirst) {
            arc1 = ArcRangeDeg(arc1.m_y, arc1.m_x);
            arc2 = ArcRangeDeg(arc2.m_y, arc2.m_x);
        }
        if (m_circleFlag == 1)
            arc1 = arc2 = FullTurnRange();
    }
    InsertCandidate(0.0, c1, radius, arc1);
    InsertCandidate(1.0, c2, radius, arc2);
    const std::int16_t layer = EnterLayerRule(l.m_layer);
    const int shown = ShowCandidate();
    LeaveLayerRule(layer);
    return shown;
}

int CCircleCommand::AddTangentCircleToCircleThroughPoint(int point, int length, int circle)
{
    ClearCandidates();
    const char* kindWord = m_circleFlag == 1 ? "円" : "円弧";
    if (NearlyEqual(m_values[length].value, 0.0)) {
        if (g_pApp)
            g_pApp->ShowMessageParts("半径が零の", kindWord, "は作成できません", "", "", 1);
        return 0;
    }
    const double radius = std::fabs(m_values[length].value);
    const CCircle& k = m_pickedCircles[circle];
    const CPointD q = k.m_centre;
    const CPointD p = m_inputPoints[point].GetEffective(m_doc, 1);
    // The circle given before the pass point runs the arcs from the circle to the pass point.
    const bool circleFirst = circle < point;
    const CCircle around = CircleOfRadius(p, radius);
    struct Set {
        int count;
        CPointD first, second;
    } sets[2] = {};
    sets[0].count = IntersectCircles(around, CircleOfRadius(q, k.m_radius + radius), sets[0].first, sets[0].second);
    sets[1].count = IntersectCircles(around, CircleOfRadius(q, std::fabs(k.m_radius - radius)), sets[1].first, sets[1].second);
    if (sets[0].count == 0 && sets[1].count == 0)
        return 0;
    double key = 0.0;
    for (int inside = 0; inside < 2; ++inside) {
        const Set& s = sets[inside];
        if (s.count == 0)
            continue;
        CPointD order[2] = { s.first, s.second };
        if (s.count == 2) {
            const double d1 = Distance(s.first, m_previewCentre);
            const double d2 = Distance(s.second, m_previewCentre);
            if (!(d1 < d2) || NearlyEqual(d1, d2)) {
                order[0] = s.second;
                order[1] = s.first;
            }
        }
        for (int i = 0; i < s.count; ++i) {
            const CPointD x = order[i];
            // The touching point lies toward the circle's centre unless the solution sits inside it.
            const double touch = inside && radius < k.m_radius ? PointsAngleDeg(q, x) : PointsAngleDeg(x, q);
            double start = PointsAngleDeg(x, p);
            double end = touch;
            if (circleFirst)
                SwapDoubles(start, end);
            InsertCandidate(key, x, radius, m_circleFlag == 1 ? FullTurnRange() : ArcRangeDeg(start, end));
            key += 1.0;
        }
    }
    const std::int16_t layer = EnterLayerRule(k.m_layer);
    ShowCandidate();
    if (g_pApp && g_pApp->m_appElem.m_layerCondition == 2)
        m_doc->UpdateAndPaintAllViews();
    else
        LeaveLayerRule(layer);
    return 1;
}

int CCircleCommand::AddTangentCircleAtLinePoint(int length, int line, int tangent)
{
    ClearCandidates();
    const double radius = std::fabs(m_values[length].value);
    const CLine& l = m_pickedLines[line];
    // The circle goes to the side of the line the pointer is on; with no view of this drawing
    // to hold a pointer, to the line's left.
    const CZelkView* view = g_pApp ? g_pApp->m_activeView : nullptr;
    const bool pointerRight = view && view->m_document == m_doc && l.SideOfPoint(view->m_cursorWorldPoint) == 3;
    const double r = pointerRight ? -radius : radius;
    const CPointD centre = l.PointAtNormalOffset(m_inputPoints[tangent].GetEffective(m_doc, 1), r);
    const std::int16_t layer = EnterLayerRule(l.m_layer);
    const int added = AddCircle(centre, radius, m_circleFlag);
    LeaveLayerRule(layer);
    return added;
}

int CCircleCommand::AddTangentCircleAtCirclePoint(int length, int circle, int tangent)
{
    ClearCandidates();
    const double radius = std::fabs(m_values[length].value);
    const CCircle& k = m_pickedCircles[circle];
    const CPointD t = m_inputPoints[tangent].GetEffective(m_doc, 1);
    if (PointsNearlyEqual(t, k.m_centre)) {
        // From the centre no direction leads to a touching point.
        if (g_pApp)
            g_pApp->ShowMessageParts("接点が円(弧)の中心にあり", m_circleFlag == 1 ? "円" : "円弧", "は作成できません", "", "", 1);
        return 0;
    }
    const CPointD outer = k.PointTowardAtRadiusPlus(t, radius);
    const CPointD inner = k.PointTowardAtRadiusPlus(t, -radius);
    const double dOuter = Distance(outer, m_previewCentre);
    const double dInner = Distance(inner, m_previewCentre);
    const CPointD centre = dInner < dOuter && !NearlyEqual(dInner, dOuter) ? inner : outer;
    const std::int16_t layer = EnterLayerRule(k.m_layer);
    const int added = AddCircle(centre, radius, m_circleFlag);
    LeaveLayerRule(layer);
    return added;
}
