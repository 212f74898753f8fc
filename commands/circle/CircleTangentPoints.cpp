// The tangent circles without a radius that pass through points and touch lines: through a point
// touching a line at a given point, through a point touching two lines, touching two lines at a
// given point of one, and through two points touching a line. In the arc command each makes an arc
// of its circle that runs through the features in the order they were given.
#include "commands/circle/CircleCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/circle/CandidateList.h"
#include "document/ZelkDoc.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"
#include "input/PointPair.h"

namespace {

const char* const kCannot = "は作成できません";

CString KindWord(const CCircleCommand& c) { return c.m_circleFlag == 1 ? "円" : "円弧"; }

void Refuse(const CCircleCommand& c, const CString& head)
{
    if (g_pApp)
        g_pApp->ShowMessageParts(head, KindWord(c), kCannot, "", "", 1);
}

void Say(const char* text, int beep)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, beep);
}

void SayResult(const char* text)
{
    if (g_pApp)
        g_pApp->ShowResultMessage(text, 0);
}

CPointD PointAt(CCircleCommand& c, int k) { return c.m_inputPoints[k].GetEffective(c.m_doc, 1); }

CPointD Make(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

CPointD Midpoint(CPointD a, CPointD b) { return Make((a.m_x + b.m_x) * 0.5, (a.m_y + b.m_y) * 0.5); }

CPointD ArcFromTo(CPointD centre, CPointD from, CPointD to)
{
    double start = PointsAngleDeg(centre, from);
    double end = PointsAngleDeg(centre, to);
    NormalizeArcAnglesDeg(start, end);
    return Make(start, end);
}

void Append(CPtrArray& list, int at, double key, CPointD centre, double radius, CPointD arc)
{
    auto* record = new CPointPair;
    record->value1 = key;
    record->point1 = centre;
    record->value2 = radius;
    record->point2 = arc;
    list.InsertAt(at, record);
}

// The record and, in the arc command, its complement right after it.
int AppendWithComplement(CCircleCommand& c, int at, double key, CPointD centre, double radius, CPointD arc)
{
    Append(c.m_candidates, at, key, centre, radius, arc);
    if (c.m_circleFlag == 1 || NearlyEqual(arc.m_x + 360.0, arc.m_y))
        return 1;
    CPointD complement = Make(arc.m_y, arc.m_x);
    NormalizeArcAnglesDeg(complement);
    Append(c.m_candidates, at + 1, key, centre, radius, complement);
    return 2;
}

int ShowUnderLayer(CCircleCommand& c, int referenceLayer)
{
    const std::int16_t layer = c.EnterLayerRule(referenceLayer);
    const int shown = c.ShowCandidate();
    c.LeaveLayerRule(layer);
    return shown;
}

} // namespace

int CCircleCommand::AddCircleThroughPointTangentAtLinePoint(int point, int line, int tangent)
{
    ClearCandidates();
    m_candidateIndex = 0;
    const CPointD p = PointAt(*this, point);
    const CPointD t = PointAt(*this, tangent);
    const CLine& l = m_pickedLines[line];
    const double theta = PointsAngleRad(p, t);
    const double phi = l.AngleRad();
    if (NearlyEqual(theta, phi) || NearlyEqual(std::fabs(theta - phi), PI)) {
        Say(m_circleFlag == 1 ? "通過点が接線分の上にあり円は作成できません"
                              : "通過点が接線分の上にあり円弧は作成できません",
            1);
        return 0;
    }
    const double len = l.Length();
    const CPointD m = Midpoint(p, t);
    CPointD centre;
    if (!IntersectLines(t, PolarPoint(t, len, phi + PI / 2), m, PolarPoint(m, len, theta + PI / 2), centre))
        return 0;
    const double radius = Distance(centre, p);
    if (m_circleFlag == 1) {
        const std::int16_t layer = EnterLayerRule(l.m_layer);
        const int added = AddCircle(centre, radius, 1);
        LeaveLayerRule(layer);
        if (!added)
            return 0;
        SayResult(" 点･線分･接点の接円を作成しました");
        return 1;
    }
    const CPointD arc = point > tangent ? ArcFromTo(centre, t, p) : ArcFromTo(centre, p, t);
    AppendWithComplement(*this, 0, 0.0, centre, radius, arc);
    ShowUnderLayer(*this, l.m_layer);
    return 1;
}

int CCircleCommand::AddCircleThroughPointTangentToTwoLines(int point, int first, int second)
{
    ClearCandidates();
    const CPointD p = PointAt(*this, point);
    const CLine& l1 = m_pickedLines[first];
    const CLine& l2 = m_pickedLines[second];
    const double phi1 = l1.AngleRad();
    const double phi2 = l2.AngleRad();
    const int s1 = l1.SideOfPoint(p);
    const int s2 = l2.SideOfPoint(p);
    CPointD centres[2];
    double radii[2] = { 0.0, 0.0 };
    if (NearlyEqual(phi1, phi2)) {
        if (s1 == s2) {
            Refuse(*this, "指定の点を通る");
            return 0;
        }
        if (s1 == 2 || s2 == 2)
            return AddCircleTangentToTwoLinesAtPoint(first, second, point);
        const double h = SignedDistanceToLine(l2.m_start, l1.m_start, l1.m_end);
        if (NearlyEqual(h, 0.0)) {
            Refuse(*this, "2つの接線分が同一で");
            return 0;
        }
        CLine middle = l1;
        middle.m_start = l1.PointAtNormalOffset(l1.m_start, h / 2);
        middle.m_end = l1.PointAtNormalOffset(l1.m_end, h / 2);
        CCircle around;
        around.m_centre = p;
        around.m_radius = std::fabs(h) / 2;
        int on1 = 0, on2 = 0;
        if (!IntersectLineCircle(middle, around, centres[0], centres[1], on1, on2))
            return 0;
        radii[0] = radii[1] = std::fabs(h) / 2;
    } else {
        CPointD x;
        if (!IntersectLines(l1.m_start, l1.m_end, l2.m_start, l2.m_end, x))
            return 0;
        double rho = 0.0;
        const double psi = PointsAngleRadLen(x, p, rho);
        if (s1 == 2 && s2 == 2) {
            Refuse(*this, "通過点が接線分の交点上にあり");
            return 0;
        }
        // The bisector of the pair of opposite angles that holds the point.
        double m = (phi1 + phi2) / 2;
        double beta = std::fabs(m - phi1);
        if (s1 == 1 && s2 == 1) {
            m += PI / 2;
            beta = std::fabs(m - phi2);
        } else if (s1 == 3 && s2 == 3) {
            m -= PI / 2;
            beta = std::fabs(m - phi2);
        } else if (s1 == 3 && s2 == 1) {
            m += PI;
        }
        const double gamma = std::fabs(m - psi);
        const double a = rho * std::sin(beta) * std::cos(gamma);
        const double b = rho * std::sin(beta) * std::cos(beta);
        const double delta = a * a - b * b;
        if (NearlyEqual(delta, 0.0)) {
            if (NearlyEqual(std::cos(beta), 0.0))
                return 0;
            return AddCircleTangentToTwoLinesAtPoint(first, second, point);
        }
        if (delta < 0) {
            Refuse(*this, "指定の点を通り指定の２線分に接する");
            return 0;
        }
        const double c2 = std::cos(beta) * std::cos(beta);
        const double r[2] = { (a + std::sqrt(delta)) / c2, (a - std::sqrt(delta)) / c2 };
        if (NearlyEqual(std::sin(beta), 0.0))
            return 0;
        for (int i = 0; i < 2; ++i) {
            centres[i] = PolarPoint(x, r[i] / std::sin(beta), m);
            radii[i] = std::fabs(r[i]);
        }
    }
    // The circle whose tangent points lie nearer the picks.
    double sums[2];
    for (int i = 0; i < 2; ++i)
        sums[i] = Distance(FootOnLine(l1, centres[i]), m_pickPoints[first]) +
                  Distance(FootOnLine(l2, centres[i]), m_pickPoints[second]);
    const int k = !NearlyEqual(sums[0], sums[1]) && !(sums[0] < sums[1]) ? 1 : 0;
    const CPointD centre = centres[k];
    const double radius = radii[k];
    const std::int16_t layer = EnterLayerRule(l1.m_layer);
    int added = 0;
    if (m_circleFlag == 1) {
        added = AddCircle(centre, radius, 1);
    } else {
        const CPointD arc = ArcThroughFeatures(centre, { point, p }, { first, FootOnLine(l1, centre) },
                                               { second, FootOnLine(l2, centre) });
        std::int16_t block = -1, slot = -1;
        added = AddArc(centre, radius, arc.m_x, arc.m_y, block, slot, 1, 0);
    }
    LeaveLayerRule(layer);
    if (!added)
        return 0;
    SayResult(m_circleFlag == 1 ? " 点･2線分の接円を作成しました" : " 点･2線分の接円弧を作成しました");
    return 1;
}

int CCircleCommand::AddCircleTangentToTwoLinesAtPoint(int first, int second, int tangent)
{
    ClearCandidates();
    m_candidateIndex = 0;
    const CPointD p = PointAt(*this, tangent);
    const CLine& l1 = m_pickedLines[first];
    const CLine& l2 = m_pickedLines[second];
    // A point on neither line counts as a point of the first.
    const int onSecond = l2.SideOfPoint(p) == 2 ? 1 : 0;
    const CLine& touched = onSecond ? l2 : l1;
    const CLine& far = onSecond ? l1 : l2;
    const double a1 = l1.AngleRad();
    const double a2 = l2.AngleRad();
    if (NearlyEqual(a1, a2)) {
        double s = 0.0;
        const CPointD f = FootOnLine(far, p, s);
        if (NearlyEqual(s, 0.0)) {
            Say(m_circleFlag == 1 ? "２つの接線分が同一線上にあり円は作成できません"
                                  : "２つの接線分が同一線上にあり円弧は作成できません",
                1);
            return 0;
        }
        const CPointD centre = Midpoint(p, f);
        CPointD arc = FullTurnRange();
        if (m_circleFlag != 1)
            arc = onSecond ? ArcFromTo(centre, f, p) : ArcFromTo(centre, p, f);
        Append(m_candidates, 0, s, centre, s / 2, arc);
    } else {
        CPointD x0;
        if (!IntersectLines(l1.m_start, l1.m_end, l2.m_start, l2.m_end, x0))
            return 0;
        const double len = l1.Length();
        const CPointD normalEnd = PolarPoint(p, len, touched.AngleRad() + PI / 2);
        const double b = (a1 + a2) / 2;
        int placed = 0;
        double firstKey = 0.0;
        for (int i = 0; i < 2; ++i) {
            CPointD o;
            if (!IntersectLines(p, normalEnd, x0, PolarPoint(x0, len, b + i * PI / 2), o))
                continue;
            const CPointD t1 = onSecond ? FootOnLine(l1, o) : p;
            const CPointD t2 = onSecond ? p : FootOnLine(l2, o);
            const double key =
                Distance(FootOnLine(l1, o), m_pickPoints[first]) + Distance(FootOnLine(l2, o), m_pickPoints[second]);
            const CPointD arc = m_circleFlag == 1 ? FullTurnRange() : ArcFromTo(o, t1, t2);
            // The second centre goes first when the first one's tangent points lie farther off.
            const int at = i == 1 && placed > 0 && firstKey > key ? 0 : m_candidates.GetSize();
            const int n = AppendWithComplement(*this, at, key, o, Distance(o, p), arc);
            if (i == 0) {
                placed = n;
                firstKey = key;
            }
        }
    }
    ShowUnderLayer(*this, l1.m_layer);
    return 1;
}

int CCircleCommand::AddCircleThroughTwoPointsTangentToLine(int first, int second, int line)
{
    ClearCandidates();
    m_candidateIndex = 0;
    const CPointD p1 = PointAt(*this, first);
    const CPointD p2 = PointAt(*this, second);
    const CLine& l = m_pickedLines[line];
    const int s1 = l.SideOfPoint(p1);
    const int s2 = l.SideOfPoint(p2);
    if (s1 == 2 && s2 == 2) {
        Say(m_circleFlag == 1 ? "指定２点が指定線分にあり接円は作成できません" : "指定２点が指定線分にあり接円弧は作成できません",
            1);
        return 0;
    }
    if (s1 == 2)
        return AddCircleThroughPointTangentAtLinePoint(second, line, first);
    if (s2 == 2)
        return AddCircleThroughPointTangentAtLinePoint(first, line, second);
    if (s1 != s2) {
        Say(m_circleFlag == 1 ? "指定２点が指定線分を跨いでいるので接円は作成できません"
                              : "指定２点が指定線分を跨いでいるので接円弧は作成できません",
            1);
        return 0;
    }
    const CPointD m = Midpoint(p1, p2);
    const double along = PointsAngleRad(p1, p2);
    const CPointD bisectorEnd = PolarPoint(m, 1000.0, along + PI / 2);
    const double phi = l.AngleRad();
    CPointD centres[2];
    double radii[2] = { 0.0, 0.0 };
    const int count = 2;
    CPointD x0;
    if (NearlyEqual(along, phi) || NearlyEqual(PointsAngleRad(p2, p1), phi)) {
        const CPointD f = FootOnLine(l, m);
        const double toLine = PointsAngleRad(m, f);
        const double radius = (Distance(p1, f) / 2) / std::cos(toLine - PointsAngleRad(p1, f));
        centres[0] = centres[1] = PolarPoint(f, -radius, toLine);
        radii[0] = radii[1] = radius;
    } else if (!IntersectLines(l.m_start, l.m_end, m, bisectorEnd, x0)) {
        // The points stand one above the other across the line: the bisector runs parallel to
        // it, so both centres lie on the bisector as far from the points as from the line.
        double dm = 0.0;
        FootOnLine(l, m, dm);
        CLine bisector = l;
        bisector.m_start = m;
        bisector.m_end = bisectorEnd;
        CCircle around;
        around.m_centre = p1;
        around.m_radius = std::fabs(dm);
        int on1 = 0, on2 = 0;
        if (!IntersectLineCircle(bisector, around, centres[0], centres[1], on1, on2))
            return 0;
        radii[0] = radii[1] = std::fabs(dm);
    } else {
        double d1 = 0.0, d2 = 0.0;
        const CPointD f1 = FootOnLine(l, p1, d1);
        const CPointD f2 = FootOnLine(l, p2, d2);
        const CPointD f = std::fabs(d1) <= std::fabs(d2) ? f1 : f2;
        const double d = std::fabs(d1) <= std::fabs(d2) ? d1 : d2;
        double dm = 0.0;
        const CPointD fm = FootOnLine(l, m, dm);
        const double e1 = Distance(x0, fm);
        const double e2 = Distance(x0, f);
        const double a = (e1 * e2 + dm * d) * dm;
        double delta = a * a - (e2 * e2 + d * d) * e1 * e1 * dm * dm;
        if (NearlyEqual(delta, 0.0))
            delta = 0.0;
        if (delta < 0) {
            Say(m_circleFlag == 1 ? "指定２点を通り指定線分に接する円は作成できません"
                                  : "指定２点を通り指定線分に接する円弧は作成できません",
                1);
            return 0;
        }
        if (NearlyEqual(e1, 0.0))
            return 0;
        const double r[2] = { (a + std::sqrt(delta)) / (e1 * e1), (a - std::sqrt(delta)) / (e1 * e1) };
        const double side = s1 == 1 ? 1.0 : -1.0;
        for (int i = 0; i < 2; ++i) {
            const CPointD a0 = l.PointAtNormalOffset(l.m_start, side * std::fabs(r[i]));
            const CPointD a1 = l.PointAtNormalOffset(l.m_end, side * std::fabs(r[i]));
            CPointD o;
            IntersectLines(a0, a1, m, bisectorEnd, o);
            if (l.SideOfPoint(o) != s1)
                o = MirrorPointDeg(l.m_start, l.AngleDeg(), o);
            centres[i] = o;
            radii[i] = r[i];
        }
    }
    for (int i = 0; i < count; ++i) {
        const CPointD t = FootOnLine(l, centres[i]);
        CPointD arc = FullTurnRange();
        if (m_circleFlag != 1)
            arc = ArcThroughFeatures(centres[i], { first, p1 }, { second, p2 }, { line, t });
        ::InsertCandidate(m_candidates, m_circleFlag == 1 ? 1 : 0, Distance(t, m_pickPoints[line]), centres[i],
                        radii[i], arc);
    }
    ShowUnderLayer(*this, l.m_layer);
    return 1;
}
