// The constructions of the circle previews. The three tangent constructions through the
// pointer (two circles, a circle and a point, a line and a circle) solve a quadratic for the
// radius and keep the root whose touch points lie nearest where the elements were picked.
#include "view/CircleFigures.h"

#include <cmath>

#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "geometry/Transforms.h"
#include "view/ZelkView.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

CPointD Along(const CPointD& from, double length, double angleRad)
{
    return Pt(from.m_x + length * std::cos(angleRad), from.m_y + length * std::sin(angleRad));
}

CPointD Mid(const CPointD& a, const CPointD& b)
{
    return Pt((a.m_x + b.m_x) / 2, (a.m_y + b.m_y) / 2);
}

CPointD FootOnLine(const CLine& line, const CPointD& p)
{
    CPointD foot;
    double distance = 0;
    line.FootOfPerpendicular(line.GetDirectionKind(), p, foot, distance);
    return foot;
}

CPointD Screen(const CZelkView& view, const CPointD& p)
{
    return p.WorldToScreen(view.m_origin, view.m_zoom);
}

// A value nearly 1 or -1 becomes exactly that, for the arc cosine.
double SnapUnit(double v)
{
    if (NearlyEqual(v, 1))
        return 1;
    if (NearlyEqual(v, -1))
        return -1;
    return v;
}

// The discriminant of a radius quadratic: nearly 0, or tiny beside the linear coefficient,
// counts as a double root.
double Discriminant(double b, double disc)
{
    if (NearlyEqual(disc, 0) || std::fabs(b) > 100000 * std::sqrt(std::fabs(disc)))
        return 0;
    return disc;
}

void Circle(CCircleFigure& out, const CPointD& centre, double radius, const CPointD& s, const CPointD& e)
{
    out = CCircleFigure();
    out.m_centre = centre;
    out.m_radius = radius;
    out.m_start = s;
    out.m_end = e;
}

// The arc runs counterclockwise from start to p; their order is exchanged unless the turn
// start, other, p is counterclockwise.
void OrderArcEnds(CCircleFigure& out, const CPointD& start, const CPointD& other, const CPointD& p)
{
    out.m_start = start;
    out.m_end = p;
    if (!IsCcwTurn(start, other, p))
        SwapPoints(out.m_start, out.m_end);
}

void ArcEndsOfWorkArc(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out)
{
    if (doc.m_previewArcMovesStart) {
        out.m_start = p;
        out.m_end = doc.m_previewWorkArc.KeyPoint(-2);
    } else {
        out.m_start = doc.m_previewWorkArc.KeyPoint(-1);
        out.m_end = p;
    }
}

CCircle MakeCircle(const CPointD& centre, double radius)
{
    CCircle c;
    c.m_centre = centre;
    c.m_radius = radius;
    return c;
}

// Sum of the distances from the feet of a centre on L1 and L2 to the work points A and B: the
// candidate nearer where the lines were picked wins.
double FootScore(const CZelkDoc& doc, const CPointD& centre)
{
    return Distance(FootOnLine(doc.m_previewLines[0], centre), doc.m_previewPointA) +
           Distance(FootOnLine(doc.m_previewLines[1], centre), doc.m_previewPointB);
}

CPointD TouchPoint(const CCircle& circle, const CPointD& centre, double radius)
{
    CPointD t;
    circle.TouchPointWithCircle(centre, radius, t);
    return t;
}

// The circle of the two-lines preview when the pointer lies on exactly one of the lines.
int TwoLinesOnLine(const CZelkDoc& doc, const CPointD& p, int onFirst, CCircleFigure& out)
{
    const CLine& m = onFirst ? doc.m_previewLines[0] : doc.m_previewLines[1];
    const CLine& n = onFirst ? doc.m_previewLines[1] : doc.m_previewLines[0];
    const double tm = m.AngleRad();
    const double tn = n.AngleRad();
    if (NearlyEqual(tm, tn))
        return 0;
    const CPointD f = FootOnLine(m, p);
    CPointD x;
    if (!IntersectLines(m.m_start, m.m_end, n.m_start, n.m_end, x))
        return 0;
    const double len = m.Length();
    const double bisector = (tm + tn) / 2;
    const CPointD normal = Along(f, len, tm + PI / 2);
    CPointD c1, c2;
    const int has1 = IntersectLines(f, normal, x, Along(x, len, bisector), c1);
    const int has2 = IntersectLines(f, normal, x, Along(x, len, bisector + PI / 2), c2);
    CPointD centre;
    if (has2 && (!has1 || FootScore(doc, c2) < FootScore(doc, c1)))
        centre = c2;
    else if (has1)
        centre = c1;
    else
        return 0;
    Circle(out, centre, Distance(centre, f), FootOnLine(doc.m_previewLines[0], centre),
           FootOnLine(doc.m_previewLines[1], centre));
    return 1;
}

// The best candidate of the tangent quadratics: the lowest score, the first among equals.
struct CBest {
    double score = 1e100;
    CPointD centre;
    double radius = 0;
    int found = 0;
    void Offer(double s, const CPointD& c, double r)
    {
        if (s < score) {
            score = s;
            centre = c;
            radius = r;
            found = 1;
        }
    }
};


// The circles through `through` that touch the circle about e with radius r1 and the circle
// about `other` with radius r2 (a point when r2 is 0): for each sign pair of the radii the
// sought radius solves a quadratic, and each root whose cosine lies within ±1 gives one centre,
// handed to offer with the signed radius.
template <class Offer>
void TouchingCircles(const CPointD& e, double r1, const CPointD& through, const CPointD& other, double r2,
                     const double (*signs)[2], int signCount, Offer offer)
{
    double h = 0;
    const double phi = PointsAngleRadLen(e, through, h);
    double dd = 0;
    const double psi = PointsAngleRadLen(e, other, dd);
    const double l = dd * std::cos(psi - phi);
    const double s = dd * std::sin(psi - phi);
    for (int k = 0; k < signCount; ++k) {
        const double g = signs[k][0] * r1;
        const double j = signs[k][1] * r2;
        const double q = g * g + h * h;
        const double t = g * g - j * j + dd * dd;
        const double ee = (g - j) * h - l * g;
        const double a = 4 * ee * ee + 4 * s * s * (g * g - h * h);
        const double b = 4 * ee * (t * h - l * q) + 4 * s * s * g * (q - 2 * h * h);
        const double c = (t * h - l * q) * (t * h - l * q) - s * s * (4 * h * h * g * g - q * q);
        if (a == 0)
            continue;
        const double disc = Discriminant(b, b * b - 4 * a * c);
        if (disc < 0)
            continue;
        const double roots[2] = {(std::sqrt(disc) - b) / (2 * a), (-std::sqrt(disc) - b) / (2 * a)};
        for (double rho : roots) {
            const double d = rho + g;
            if (NearlyEqual(2 * d * h, 0))
                continue;
            const double v = SnapUnit((2 * rho * g + q) / (2 * d * h));
            if (std::fabs(v) > 1)
                continue;
            offer(Along(e, d, phi + std::acos(v)), rho);
        }
    }
}

}  // namespace

namespace CircleFigures {

int AboutCentre(const CZelkDoc& doc, const CZelkView& view, const CPointD& centre, const CPointD& p,
                CCircleFigure& out)
{
    Circle(out, centre, Distance(centre, p), CPointD(), CPointD());
    out.m_screenRadius = static_cast<int>(Distance(Screen(view, centre), Screen(view, p)));
    ArcEndsOfWorkArc(doc, p, out);
    return 1;
}

int FixedRadius(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out)
{
    Circle(out, p, doc.m_previewValue, CPointD(), CPointD());
    ArcEndsOfWorkArc(doc, p, out);
    return 1;
}

int TangentToLine(const CZelkDoc& doc, CZelkView& view, double r, const CPointD& p, CCircleFigure& out)
{
    const CLine& l1 = doc.m_previewLines[0];
    const double radius = l1.SideOfPoint(p) == 3 ? -r : r;
    CPointD centre;
    if (l1.SideOfPointOnScreen(&view, p) == 2) {
        centre = l1.PointAtNormalOffset(p, radius);
    } else {
        int count = 0;
        CPointD angles;
        centre = l1.TangentCircleCentre(p, radius, doc.m_previewPointC, count, angles);
        if (count == 0)
            return 0;
    }
    Circle(out, centre, radius, FootOnLine(l1, centre), p);
    return 1;
}

int TangentToCircle(const CZelkDoc& doc, CZelkView& view, double r, const CPointD& p, CCircleFigure& out)
{
    const CCircle& k1 = doc.m_previewCircles[0];
    const int inside = Distance(k1.m_centre, p) < k1.m_radius;
    const double x = inside ? -r : r;
    if (k1.ClassifyPointOnScreen(&view, p) == 2) {
        Circle(out, k1.PointTowardAtRadiusPlus(p, x), x, CPointD(), CPointD());
        out.m_alwaysCircle = 1;
        return 1;
    }
    const double reach = std::fabs(x + k1.m_radius);
    if (reach == 0)
        return 0;
    CPointD o1, o2;
    const int n = IntersectCircles(MakeCircle(p, r), MakeCircle(k1.m_centre, reach), o1, o2);
    if (n == 0)
        return 0;
    CPointD centre = o1;
    if (n == 2) {
        const double d1 = Distance(o1, doc.m_previewPointC);
        const double d2 = Distance(o2, doc.m_previewPointC);
        const int second = d2 < d1 && !NearlyEqual(d1, d2);
        centre = (second != (inside && r > k1.m_radius)) ? o2 : o1;
    }
    Circle(out, centre, x, k1.PointTowardAtRadiusPlus(centre, 0), p);
    return 1;
}

int Diameter(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out)
{
    const CPointD& a = doc.m_previewPointA;
    if (PointsNearlyEqual(a, p))
        return 0;
    const CPointD centre = Mid(a, p);
    Circle(out, centre, Distance(centre, a), a, p);
    return 1;
}

int Through3Points(const CZelkDoc& doc, const CZelkView& view, const CPointD& p, CCircleFigure& out)
{
    const CPointD& a = doc.m_previewPointA;
    const CPointD& b = doc.m_previewPointB;
    CPointD centre;
    double radius = 0;
    double angles[2] = {0, 0};
    int ccw = 0;
    if (!CircleThrough3Points(a, b, p, centre, radius, angles, ccw))
        return 0;
    if (IsCcwTurn(Screen(view, a), Screen(view, b), Screen(view, p)))
        Circle(out, centre, radius, a, p);
    else
        Circle(out, centre, radius, p, a);
    return 1;
}

namespace {

// A circle of the work value's radius through A, its centre found from A and P: the arc runs
// from A to P, the other way round for a negative radius. None for a radius of 0 or P on A.
template <class Centre>
int SignedRadiusFigure(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out, Centre centreOf)
{
    const CPointD& a = doc.m_previewPointA;
    const double v = doc.m_previewValue;
    CPointD centre;
    if (v == 0 || PointsNearlyEqual(a, p) || !centreOf(a, v, centre))
        return 0;
    if (v < 0)
        Circle(out, centre, v, p, a);
    else
        Circle(out, centre, v, a, p);
    return 1;
}

}  // namespace

int ThroughTwoPoints(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out)
{
    return SignedRadiusFigure(doc, p, out, [&p](const CPointD& a, double v, CPointD& centre) {
        return CircleCenterFromChord(a, p, v, centre) != 0;
    });
}

int RadiusToward(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out)
{
    return SignedRadiusFigure(doc, p, out, [&p](const CPointD& a, double v, CPointD& centre) {
        centre = Along(a, v, PointsAngleRad(a, p));
        return true;
    });
}

int OnDirection(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out)
{
    const CPointD& a = doc.m_previewPointA;
    const double theta = DegToRad(doc.m_previewAngle);
    if (PointsNearlyEqual(a, p))
        return 0;
    CPointD foot;
    double distance = 0;
    FootOfPerpendicular(a, Along(a, Distance(a, p), theta), p, foot, distance);
    if (PointsNearlyEqual(foot, a))
        return 0;
    const CPointD centre = Mid(a, foot);
    Circle(out, centre, Distance(centre, a), a, foot);
    return 1;
}

int WithOffset(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out)
{
    const double v = doc.m_previewValue;
    const CPointD centre = Pt(p.m_x + v, p.m_y);
    Circle(out, centre, v, p, Along(centre, -v, DegToRad(doc.m_previewAngle)));
    return 1;
}

int WithAngle(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out)
{
    const CPointD& a = doc.m_previewPointA;
    const double alpha = std::fabs(doc.m_previewAngle);
    if (NearlyEqual(alpha, 0) || NearlyEqual(alpha, 360) || alpha > 360 || PointsNearlyEqual(a, p))
        return 0;
    double radius = 0;
    const CPointD centre = ArcCenterFromChordAngle(a, p, alpha, radius);
    if (radius == 0)
        return 0;
    Circle(out, centre, radius, a, p);
    return 1;
}

int TangentAtPoint(const CZelkDoc& doc, const CPointD& q1, const CPointD& q2, int order, CCircleFigure& out)
{
    const CLine& l1 = doc.m_previewLines[0];
    const double line = l1.AngleRad();
    const double chord = PointsAngleRad(q1, q2);
    double turn = std::fmod(chord - line, 2 * PI);
    if (turn < 0)
        turn += 2 * PI;
    if (NearlyEqual(turn, 0) || NearlyEqual(turn, PI) || NearlyEqual(turn, 2 * PI))
        return 0;
    const double len = l1.Length();
    const CPointD m = Mid(q1, q2);
    CPointD centre;
    if (!IntersectLines(q1, Along(q1, len, line + PI / 2), m, Along(m, len, chord + PI / 2), centre))
        return 0;
    if (order)
        Circle(out, centre, Distance(centre, q1), q1, q2);
    else
        Circle(out, centre, Distance(centre, q1), q2, q1);
    return 1;
}

int TangentToCircleAt(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out)
{
    const CCircle& k1 = doc.m_previewCircles[0];
    const CPointD& a = doc.m_previewPointA;
    if (NearlyEqual(Distance(k1.m_centre, p), k1.m_radius))
        return 0;
    const CPointD m = Mid(a, p);
    CPointD centre;
    if (!IntersectLines(k1.m_centre, a, m, Along(m, 1000, PointsAngleRad(a, p) + PI / 2), centre))
        return 0;
    Circle(out, centre, Distance(centre, p), a, p);
    return 1;
}

int LineAndPoint(const CZelkDoc& doc, CZelkView& view, const CPointD& p, const CPointD& reference, int mode,
                 CCircleFigure& out)
{
    const CLine& l1 = doc.m_previewLines[0];
    const CPointD& a = doc.m_previewPointA;
    const int sideA = l1.SideOfPoint(a);
    const int sideP = l1.SideOfPointOnScreen(&view, p);
    if (sideA == 2 && sideP == 2)
        return 0;
    if (sideA == 2)
        return TangentAtPoint(doc, a, p, 1, out);
    if (sideP == 2)
        return TangentAtPoint(doc, p, a, 0, out);
    if (sideA != sideP)
        return 0;
    const CPointD o = Mid(a, p);
    const CPointD o2 = Along(o, 1000, PointsAngleRad(a, p) + PI / 2);
    CPointD x;
    // A bisector parallel to the line meets it nowhere: there is no circle to show.
    if (!IntersectLines(o, o2, l1.m_start, l1.m_end, x))
        return 0;
    const int kind = l1.GetDirectionKind();
    CPointD footO, footA, footP;
    double k = 0, distA = 0, distP = 0;
    l1.FootOfPerpendicular(kind, o, footO, k);
    l1.FootOfPerpendicular(kind, a, footA, distA);
    l1.FootOfPerpendicular(kind, p, footP, distP);
    const int nearerP = std::fabs(distP) < std::fabs(distA);
    const double m = nearerP ? distP : distA;
    const double l = Distance(x, footO);
    const double j = Distance(x, nearerP ? footP : footA);
    if (l == 0)
        return 0;
    const double n = k * (j * l + k * m);
    double disc = n * n - k * k * l * l * (j * j + m * m);
    if (NearlyEqual(disc, 0))
        disc = 0;
    if (disc < 0)
        return 0;
    const double rho1 = (n + std::sqrt(disc)) / (l * l);
    const double rho2 = (n - std::sqrt(disc)) / (l * l);
    const double sign = sideA == 3 ? -1 : 1;
    auto candidate = [&](double rho, CPointD& c) {
        const double offset = sign * std::fabs(rho);
        return IntersectLines(o, o2, l1.PointAtNormalOffset(l1.m_start, offset),
                              l1.PointAtNormalOffset(l1.m_end, offset), c);
    };
    CPointD c1, c2;
    const int has1 = candidate(rho1, c1);
    const int has2 = candidate(rho2, c2);
    CPointD centre;
    double radius = 0;
    if (has2 && (!has1 || Distance(FootOnLine(l1, c2), reference) < Distance(FootOnLine(l1, c1), reference))) {
        centre = c2;
        radius = rho2;
    } else if (has1) {
        centre = c1;
        radius = rho1;
    } else {
        return 0;
    }
    if (l1.SideOfPoint(centre) != sideA)
        centre = MirrorPointDeg(l1.m_start, l1.AngleDeg(), centre);
    Circle(out, centre, radius, CPointD(), CPointD());
    const CPointD t = FootOnLine(l1, centre);
    if (mode == 1)
        OrderArcEnds(out, a, t, p);
    else
        OrderArcEnds(out, t, a, p);
    return 1;
}

int TwoLines(const CZelkDoc& doc, CZelkView& view, const CPointD& p, CCircleFigure& out)
{
    const CLine& l1 = doc.m_previewLines[0];
    const CLine& l2 = doc.m_previewLines[1];
    const int s1 = l1.SideOfPointOnScreen(&view, p);
    const int s2 = l2.SideOfPointOnScreen(&view, p);
    const double t1 = l1.AngleRad();
    const double t2 = l2.AngleRad();
    CPointD c1, c2;
    double rho1 = 0, rho2 = 0;
    if (NearlyEqual(t1, t2)) {
        const double delta = SignedDistanceToLine(l2.m_start, l1.m_start, l1.m_end);
        if (NearlyEqual(delta, 0) || s1 == s2)
            return 0;
        const double h = delta / 2;
        rho1 = rho2 = std::fabs(h);
        if (s1 == 2 || s2 == 2) {
            c1 = c2 = l1.PointAtNormalOffset(p, h);
        } else {
            const CLine middle(l1.PointAtNormalOffset(l1.m_start, h), l1.PointAtNormalOffset(l1.m_end, h));
            int on1 = 0, on2 = 0;
            if (!IntersectLineCircle(middle, MakeCircle(p, std::fabs(h)), c1, c2, on1, on2))
                return 0;
        }
    } else if (s1 == 2 && s2 == 2) {
        return 0;
    } else if (s1 == 2 || s2 == 2) {
        return TwoLinesOnLine(doc, p, s1 == 2, out);
    } else {
        CPointD x;
        if (!IntersectLines(l1.m_start, l1.m_end, l2.m_start, l2.m_end, x))
            return 0;
        const double c = (t1 + t2) / 2;
        double beta = c;
        double alpha = std::fabs(c - t1);
        if (s1 == 1 && s2 == 1) {
            beta = c + PI / 2;
            alpha = std::fabs(beta - t2);
        } else if (s1 == 3 && s2 == 3) {
            beta = c - PI / 2;
            alpha = std::fabs(beta - t2);
        } else if (s1 == 3 && s2 == 1) {
            beta = c + PI;
        }
        const double u = Distance(p, x);
        const double omega = std::fabs(beta - PointsAngleRad(x, p));
        const double k = u * std::cos(omega) * std::sin(alpha);
        const double m = u * std::sin(alpha) * std::cos(alpha);
        double disc = k * k - m * m;
        if (NearlyEqual(disc, 0))
            disc = 0;
        const double cos2 = std::cos(alpha) * std::cos(alpha);
        if (disc < 0 || cos2 == 0 || std::sin(alpha) == 0)
            return 0;
        rho1 = (k + std::sqrt(disc)) / cos2;
        rho2 = (k - std::sqrt(disc)) / cos2;
        c1 = Along(x, rho1 / std::sin(alpha), beta);
        c2 = Along(x, rho2 / std::sin(alpha), beta);
    }
    const double score1 = FootScore(doc, c1);
    const double score2 = FootScore(doc, c2);
    const int second = !NearlyEqual(score1, score2) && score1 > score2;
    const CPointD centre = second ? c2 : c1;
    Circle(out, centre, second ? rho2 : rho1, CPointD(), CPointD());
    OrderArcEnds(out, FootOnLine(l1, centre), FootOnLine(l2, centre), p);
    return 1;
}

int TwoCircles(const CZelkDoc& doc, CZelkView& view, const CPointD& pointer, CCircleFigure& out)
{
    const CCircle& k1 = doc.m_previewCircles[0];
    const CCircle& k2 = doc.m_previewCircles[1];
    CPointD p = pointer;
    if (k1.ClassifyPointOnScreen(&view, p) == 2)
        p = k1.PointTowardAtRadiusPlus(p, 0);
    else if (k2.ClassifyPointOnScreen(&view, p) == 2)
        p = k2.PointTowardAtRadiusPlus(p, 0);
    const double signs[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    CBest best;
    TouchingCircles(k1.m_centre, k1.m_radius, p, k2.m_centre, k2.m_radius, signs, 4,
                    [&](const CPointD& centre, double rho) {
                        const double toK2 = Distance(centre, k2.m_centre);
                        const double radius = std::fabs(rho);
                        if (!NearlyEqual(toK2, radius + k2.m_radius) &&
                            !NearlyEqual(toK2, std::fabs(radius - k2.m_radius)))
                            return;
                        best.Offer(Distance(TouchPoint(k1, centre, radius), doc.m_pickPoint1) +
                                       Distance(TouchPoint(k2, centre, radius), doc.m_pickPoint2),
                                   centre, radius);
                    });
    if (!best.found)
        return 0;
    Circle(out, best.centre, best.radius, CPointD(), CPointD());
    OrderArcEnds(out, k1.PointTowardAtRadiusPlus(best.centre, 0), k2.PointTowardAtRadiusPlus(best.centre, 0), p);
    return 1;
}

int CircleAndPoint(const CZelkDoc& doc, const CPointD& p, int mode, CCircleFigure& out)
{
    const CCircle& k1 = doc.m_previewCircles[0];
    const CPointD& a = doc.m_previewPointA;
    // The two-circle construction with the second circle shrunk to P and the pointer at A.
    const double signs[2][2] = {{1, 0}, {-1, 0}};
    CBest best;
    TouchingCircles(k1.m_centre, k1.m_radius, a, p, 0, signs, 2, [&](const CPointD& centre, double rho) {
        const double radius = std::fabs(rho);
        if (EqualWithinDecimals(Distance(centre, p), radius, 1))
            best.Offer(Distance(TouchPoint(k1, centre, radius), doc.m_pickPoint1), centre, radius);
    });
    if (!best.found)
        return 0;
    Circle(out, best.centre, best.radius, CPointD(), CPointD());
    const CPointD t = k1.PointTowardAtRadiusPlus(best.centre, 0);
    if (mode == 1)
        OrderArcEnds(out, a, t, p);
    else
        OrderArcEnds(out, t, a, p);
    return 1;
}

int LineAndCircle(const CZelkDoc& doc, CZelkView& view, const CPointD& pointer, int mode, CCircleFigure& out)
{
    const CLine& l1 = doc.m_previewLines[0];
    const CCircle& k1 = doc.m_previewCircles[0];
    CPointD p = pointer;
    if (l1.SideOfPointOnScreen(&view, p) == 2)
        p = FootOnLine(l1, p);
    else if (k1.ClassifyPointOnScreen(&view, p) == 2)
        p = k1.PointTowardAtRadiusPlus(p, 0);
    const CPointD& e = k1.m_centre;
    const double r1 = k1.m_radius;
    CPointD footE;
    double signedE = 0;
    l1.FootOfPerpendicular(l1.GetDirectionKind(), e, footE, signedE);
    const double pd = std::fabs(signedE);
    double nu = NearlyEqual(signedE, 0) ? l1.AngleRad() + PI / 2 : PointsAngleRad(e, footE);
    double sLen = 0;
    double phi = PointsAngleRadLen(e, p, sLen);
    auto wrap = [](double& x) {
        if (NearlyEqual(x, 0))
            x = 0;
        else if (x < 0)
            x += 2 * PI;
    };
    wrap(phi);
    wrap(nu);
    double hh = nu - phi;
    if (NearlyEqual(hh, PI) || NearlyEqual(hh, -PI))
        hh = PI;
    else if (hh > PI)
        hh = 2 * PI - hh;
    else if (hh < -PI)
        hh += 2 * PI;
    const double cosH = std::cos(hh);
    const double sin2H = std::sin(hh) * std::sin(hh);
    const double s2 = sLen * sLen;
    CBest best;
    for (double sigma : {1.0, -1.0}) {
        for (double g : {r1, -r1}) {
            const double rr = s2 + g * g;
            const double a = (2 * sLen * cosH + 2 * sigma * g) * (2 * sLen * cosH + 2 * sigma * g);
            const double b = 2 * sLen * cosH * (sigma * rr - 2 * g * pd) + 2 * g * rr - 4 * s2 * g * sin2H -
                             4 * sigma * s2 * pd;
            const double c = rr * rr - 4 * sLen * pd * rr * cosH + 4 * s2 * pd * pd - 4 * s2 * g * g * sin2H;
            if (a == 0)
                continue;
            const double disc = Discriminant(b, b * b - a * c);
            if (disc < 0)
                continue;
            const double roots[2] = {(std::sqrt(disc) - b) / a, (-std::sqrt(disc) - b) / a};
            for (double rho : roots) {
                const double d = rho + g;
                if (NearlyEqual(d, 0))
                    continue;
                const double v = SnapUnit((pd - sigma * rho) / d);
                if (std::fabs(v) > 1)
                    continue;
                const double w = std::acos(v);
                for (double psi : {phi + (hh - w), phi - (hh - w)}) {
                    const CPointD centre = Along(e, d, psi);
                    const double radius = std::fabs(rho);
                    double toLine = 0;
                    SignedDistanceToLineRec(l1, centre, toLine);
                    if (!NearlyEqual(Distance(centre, p), radius) || !NearlyEqual(std::fabs(toLine), radius))
                        continue;
                    best.Offer(Distance(FootOnLine(l1, centre), doc.m_pickPoint1) +
                                   Distance(TouchPoint(k1, centre, radius), doc.m_pickPoint2),
                               centre, radius);
                }
            }
        }
    }
    if (!best.found)
        return 0;
    Circle(out, best.centre, best.radius, CPointD(), CPointD());
    const CPointD onLine = FootOnLine(l1, best.centre);
    const CPointD onCircle = k1.PointTowardAtRadiusPlus(best.centre, 0);
    if (mode == 1)
        OrderArcEnds(out, onLine, onCircle, p);
    else
        OrderArcEnds(out, onCircle, onLine, p);
    return 1;
}

int GivenArc(const CPointD& centre, double radius, const CPointD& start, const CPointD& end, CCircleFigure& out)
{
    Circle(out, centre, radius, start, end);
    out.m_alwaysArc = 1;
    return 1;
}

int ArcEnd(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out)
{
    CArc arc(doc.m_previewWorkArc);
    const double angle = PointsAngleDeg(arc.m_centre, p);
    if (doc.m_previewArcMovesStart)
        arc.m_startAngle = angle;
    else
        arc.m_endAngle = angle;
    return GivenArc(arc.m_centre, arc.m_radius, arc.KeyPoint(-1), arc.KeyPoint(-2), out);
}

}  // namespace CircleFigures
