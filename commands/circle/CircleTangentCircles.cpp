// The tangent circles among given circles and points: three circles, two circles and a point, a
// circle and two points (a point being a circle of radius 0), a line, a circle and a point, and a
// circle touched at a given point through a further point. Each lists every solution it finds,
// nearest the picks first, and creates the first.
#include "commands/circle/CircleCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/circle/CandidateList.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"

namespace {

// A discriminant this small against its linear coefficient is a double root.
double SettleDiscriminant(double d, double b)
{
    if (NearlyEqual(d, 0.0) || 10000.0 * std::sqrt(std::fabs(d)) < std::fabs(b))
        return 0.0;
    return d;
}

// A cosine just beyond 1 or -1 is taken as 1 or -1; 0 when it lies farther out.
int SettleCosine(double& c)
{
    if (NearlyEqual(c, 1.0))
        c = 1.0;
    else if (NearlyEqual(c, -1.0))
        c = -1.0;
    return std::fabs(c) <= 1.0 ? 1 : 0;
}

struct Found {
    CPointD centre;
    double radius;
};

// The circles touching three circles of signed radii, c[0] and c[1] exactly, c[2] left to the
// caller's check: at most one centre for each root of the radius equation.
int SolveCircleTriple(const CPointD c[3], const double rho[3], Found out[2])
{
    double d1 = 0.0;
    const double gamma1 = PointsAngleRadLen(c[0], c[1], d1);
    double d2 = 0.0;
    const double delta = PointsAngleRadLen(c[0], c[2], d2) - gamma1;
    const double p = d2 * std::cos(delta);
    const double q2 = std::pow(d2 * std::sin(delta), 2);
    const double e1 = rho[0] - rho[1];
    const double e2 = rho[0] - rho[2];
    const double k1 = d1 * d1 + rho[0] * rho[0] - rho[1] * rho[1];
    const double k2 = d2 * d2 + rho[0] * rho[0] - rho[2] * rho[2];
    const double pq = p * p + q2;
    const double a = 4 * e1 * e1 * pq + 4 * e2 * e2 * d1 * d1 - 8 * p * e1 * e2 * d1 - 4 * q2 * d1 * d1;
    const double b = 4 * e1 * k1 * pq + 4 * d1 * d1 * e2 * k2 - 4 * p * d1 * (e2 * k1 + e1 * k2) - 8 * q2 * d1 * d1 * rho[0];
    const double cc = pq * k1 * k1 + d1 * d1 * k2 * k2 - 2 * p * d1 * k1 * k2 - 4 * q2 * d1 * d1 * rho[0] * rho[0];
    double roots[2];
    int count = 0;
    if (NearlyEqual(a, 0.0)) {
        // A linear equation whose coefficient vanishes too has no root to offer.
        if (!NearlyEqual(b, 0.0)) {
            roots[0] = roots[1] = -cc / b;
            count = 2;
        }
    } else {
        const double d = SettleDiscriminant(b * b - 4 * a * cc, b);
        if (d >= 0) {
            roots[0] = (-b + std::sqrt(d)) / (2 * a);
            roots[1] = (-b - std::sqrt(d)) / (2 * a);
            count = 2;
        }
    }
    int n = 0;
    for (int i = 0; i < count; ++i) {
        const double t = roots[i];
        const double r = t + rho[0];
        if (NearlyEqual(2 * r * d1, 0.0))
            continue;
        double cosine = (2 * t * e1 + k1) / (2 * r * d1);
        if (!SettleCosine(cosine))
            continue;
        const double phi = std::acos(cosine);
        out[n++] = { PolarPoint(c[0], r, gamma1 + phi), std::fabs(t) };
    }
    return n;
}

void Refuse(const CCircleCommand& c, const char* circleText, const char* arcText)
{
    if (g_pApp)
        g_pApp->ShowMessage(c.m_circleFlag == 1 ? circleText : arcText, 1);
}

// A given element of a construction among circles and points: its token position, and whether it
// is a point.
struct Given {
    int position;
    int point;
};

int CollectCircleSolutions(CCircleCommand& command, const Given given[3], const int (*signs)[3], int combinations,
                                  int checkWithin)
{
    CPointD centres[3];
    double radii[3];
    for (int i = 0; i < 3; ++i) {
        const int k = given[i].position;
        centres[i] = given[i].point ? command.m_inputPoints[k].GetEffective(command.m_doc, 1)
                                    : command.m_pickedCircles[k].m_centre;
        radii[i] = given[i].point ? 0.0 : command.m_pickedCircles[k].m_radius;
    }
    for (int s = 0; s < combinations; ++s) {
        double rho[3];
        for (int i = 0; i < 3; ++i)
            rho[i] = signs[s][i] * radii[i];
        Found found[2];
        const int n = SolveCircleTriple(centres, rho, found);
        for (int f = 0; f < n; ++f) {
            const CPointD x = found[f].centre;
            const double r = found[f].radius;
            const double d3 = Distance(x, centres[2]);
            if (given[2].point ? !NearlyEqual(d3, r)
                               : !(NearlyEqual(d3, std::fabs(r + radii[2])) || NearlyEqual(d3, std::fabs(r - radii[2]))))
                continue;
            if (NearlyEqual(r, 0.0))
                continue;
            int isGiven = 0;
            for (int i = 0; checkWithin && i < 3; ++i)
                isGiven = isGiven || (PointsNearlyEqual(x, centres[i]) && NearlyEqual(r, radii[i]));
            if (isGiven)
                continue;
            CTouchFeature touch[3];
            double key = 0.0;
            for (int i = 0; i < 3; ++i) {
                touch[i].position = given[i].position;
                if (given[i].point) {
                    touch[i].point = centres[i];
                    continue;
                }
                touch[i].point = TouchPointOnCircle(command.m_pickedCircles[given[i].position], x, r);
                key += Distance(touch[i].point, command.m_pickPoints[given[i].position]);
            }
            const CPointD arc = command.m_circleFlag == 1 ? FullTurnRange()
                                                          : ArcThroughFeatures(x, touch[0], touch[1], touch[2]);
            InsertCandidate(command.m_candidates, command.m_circleFlag, key, x, r, arc);
        }
    }
    return 1;
}

void ShowFirstUnderLayer(CCircleCommand& command, int layer)
{
    const std::int16_t writeLayer = command.EnterLayerRule(layer);
    command.ShowCandidate();
    command.LeaveLayerRule(writeLayer);
}

// An angle taken into [0, 2pi).
double FullCircleRad(double a)
{
    if (NearlyEqual(a, 0.0))
        return 0.0;
    return a < 0 ? a + 2 * PI : a;
}

} // namespace

int CCircleCommand::TangentToThreeCircles(int first, int second, int third)
{
    ClearCandidates();
    m_candidateIndex = 0;
    static const int signs[8][3] = { { 1, 1, 1 },   { -1, 1, 1 },  { -1, -1, 1 }, { -1, 1, -1 },
                                     { -1, -1, -1 }, { 1, -1, 1 }, { 1, -1, -1 }, { 1, 1, -1 } };
    const Given given[3] = { { first, 0 }, { second, 0 }, { third, 0 } };
    CollectCircleSolutions(*this, given, signs, 8, 1);
    ShowFirstUnderLayer(*this, m_pickedCircles[first].m_layer);
    return 1;
}

int CCircleCommand::TangentToTwoCirclesThroughPoint(int first, int point, int second)
{
    ClearCandidates();
    m_candidateIndex = 0;
    static const int signs[4][3] = { { 1, 0, 1 }, { -1, 0, 1 }, { -1, 0, -1 }, { 1, 0, -1 } };
    const Given given[3] = { { first, 0 }, { point, 1 }, { second, 0 } };
    CollectCircleSolutions(*this, given, signs, 4, 0);
    ShowFirstUnderLayer(*this, m_pickedCircles[first].m_layer);
    return 1;
}

int CCircleCommand::TangentToCircleThroughTwoPoints(int circle, int first, int second)
{
    ClearCandidates();
    m_candidateIndex = 0;
    static const int signs[2][3] = { { 1, 0, 0 }, { -1, 0, 0 } };
    const Given given[3] = { { circle, 0 }, { first, 1 }, { second, 1 } };
    CollectCircleSolutions(*this, given, signs, 2, 0);
    ShowFirstUnderLayer(*this, m_pickedCircles[circle].m_layer);
    return 1;
}

int CCircleCommand::TangentAtPointThroughPoint(int point, int circle, int tangent)
{
    ClearCandidates();
    m_candidateIndex = 0;
    const CCircle& k = m_pickedCircles[circle];
    const CPointD p = m_inputPoints[point].GetEffective(m_doc, 1);
    const CPointD h = m_inputPoints[tangent].GetEffective(m_doc, 1);
    if (NearlyEqual(Distance(k.m_centre, p), k.m_radius)) {
        Refuse(*this, "通過点が接円弧の上にあり円は作成できません", "通過点が接円弧の上にあり円弧は作成できません");
        return 0;
    }
    CPointD middle;
    middle.Init((p.m_x + h.m_x) / 2, (p.m_y + h.m_y) / 2);
    CPointD x;
    if (IntersectLines(k.m_centre, h, middle, PolarPoint(middle, 1000.0, PointsAngleRad(p, h) + PI / 2), x)) {
        const double r = Distance(x, p);
        CPointD arc = FullTurnRange();
        if (m_circleFlag != 1) {
            arc.Init(PointsAngleDeg(x, p), PointsAngleDeg(x, h));
            if (point > tangent)
                SwapDoubles(arc.m_x, arc.m_y);
        }
        ::InsertCandidate(m_candidates, m_circleFlag, 10.0, x, r, arc);
    }
    ShowFirstUnderLayer(*this, k.m_layer);
    return 1;
}

int CCircleCommand::TangentToLineCircleThroughPoint(int line, int circle, int point)
{
    ClearCandidates();
    m_candidateIndex = 0;
    const CLine& l = m_pickedLines[line];
    const CCircle& k = m_pickedCircles[circle];
    const CPointD c = k.m_centre;
    const double rc = k.m_radius;
    const CPointD p = m_inputPoints[point].GetEffective(m_doc, 1);
    double signedGap = 0.0;
    const CPointD f = FootOnLine(l, c, signedGap);
    const double s = std::fabs(signedGap);
    double len = 0.0;
    const double alpha = FullCircleRad(PointsAngleRadLen(c, p, len));
    const double beta = FullCircleRad(NearlyEqual(signedGap, 0.0) ? l.AngleRad() + PI / 2 : PointsAngleRad(c, f));
    double theta = beta - alpha;
    if (NearlyEqual(theta, PI) || NearlyEqual(theta, -PI))
        theta = PI;
    else if (theta > PI)
        theta = 2 * PI - theta;
    else if (theta < -PI)
        theta += 2 * PI;
    const double cosT = std::cos(theta);
    const double sin2 = std::sin(theta) * std::sin(theta);
    for (const double sigma : { 1.0, -1.0 }) {
        for (const double rho : { rc, -rc }) {
            const double kk = len * len + rho * rho - 2 * s * len * cosT;
            const double u = rho + sigma * len * cosT;
            const double a = 4 * u * u;
            const double b = 2 * kk * u - 4 * len * len * sin2 * (rho + sigma * s);
            const double cc = kk * kk - 4 * len * len * sin2 * (rho * rho - s * s);
            double roots[2];
            int count = 0;
            if (NearlyEqual(a, 0.0)) {
                // A linear equation whose coefficient vanishes too has no root to offer.
                if (!NearlyEqual(b, 0.0)) {
                    roots[0] = roots[1] = -cc / (2 * b);
                    count = 2;
                }
            } else {
                const double d = SettleDiscriminant(b * b - a * cc, b);
                if (d >= 0) {
                    roots[0] = (std::sqrt(d) - b) / a;
                    roots[1] = (-b - std::sqrt(d)) / a;
                    count = 2;
                }
            }
            for (int i = 0; i < count; ++i) {
                const double t = roots[i];
                const double reach = t + rho;
                if (NearlyEqual(reach, 0.0))
                    continue;
                double cosine = (s - sigma * t) / reach;
                if (!SettleCosine(cosine))
                    continue;
                const double phi = std::acos(cosine);
                const double r = std::fabs(t);
                for (const double psi : { alpha + (theta - phi), alpha - (theta - phi) }) {
                    const CPointD x = PolarPoint(c, reach, psi);
                    double toLine = 0.0;
                    SignedDistanceToLineRec(l, x, toLine);
                    if (!NearlyEqual(Distance(x, p), r) || !NearlyEqual(std::fabs(toLine), r) || NearlyEqual(r, 0.0))
                        continue;
                    const CPointD onLine = FootOnLine(l, x);
                    const CPointD onCircle = TouchPointOnCircle(k, x, r);
                    const double key = Distance(onLine, m_pickPoints[line]) + Distance(onCircle, m_pickPoints[circle]);
                    const CPointD arc = m_circleFlag == 1 ? FullTurnRange()
                                                          : ArcThroughFeatures(x, { line, onLine }, { circle, onCircle },
                                                                               { point, p });
                    ::InsertCandidate(m_candidates, m_circleFlag, key, x, r, arc);
                }
            }
        }
    }
    ShowFirstUnderLayer(*this, k.m_layer);
    return 1;
}

int CCircleCommand::AddCircleTangentToLineAndTwoCircles(int line, int first, int second)
{
    ClearCandidates();
    m_candidateIndex = 0;
    const CLine& l = m_pickedLines[line];
    const CCircle& k1 = m_pickedCircles[first];
    const CCircle& k2 = m_pickedCircles[second];
    const CPointD c1 = k1.m_centre;
    double h = 0.0;
    const CPointD f = FootOnLine(l, c1, h);
    const double hh = std::fabs(h);
    double dd = 0.0;
    const double theta12 = FullCircleRad(PointsAngleRadLen(c1, k2.m_centre, dd));
    const double gamma = FullCircleRad(NearlyEqual(h, 0.0) ? l.AngleRad() + PI / 2 : PointsAngleRad(c1, f));
    double delta = gamma - theta12;
    if (NearlyEqual(delta, PI) || NearlyEqual(delta, -PI))
        delta = PI;
    else if (delta > PI)
        delta = 2 * PI - delta;
    else if (delta < -PI)
        delta += 2 * PI;
    const double sd = std::sin(delta);
    const double cd = std::cos(delta);
    const double sd2 = sd * sd;
    const double signs[4][2] = { { 1, 1 }, { -1, 1 }, { -1, -1 }, { 1, -1 } };
    for (int side = 0; side < 2; ++side) {
        for (const auto& sign : signs) {
            const double rho1 = sign[0] * k1.m_radius;
            const double rho2 = sign[1] * k2.m_radius;
            const double p = 2 * (rho1 - rho2);
            const double q = rho1 * rho1 - rho2 * rho2 + dd * dd;
            const double m = 4 * dd * dd;
            const double a = side == 0 ? (p * p - m) * sd2 + (4 * dd + cd * p) * cd * p + m
                                       : (p * p - m) * sd2 + cd * cd * p * p - 4 * cd * p * dd + m;
            const double bb = side == 0 ? q * p + 2 * (q - p * hh) * cd * dd - 4 * dd * dd * (sd2 * rho1 + hh)
                                        : q * p - 2 * cd * dd * (p * hh + q) + 4 * dd * dd * (hh - sd2 * rho1);
            const double cc = 4 * hh * hh * dd * dd + q * q - 4 * cd * q * hh * dd - 4 * sd2 * rho1 * rho1 * dd * dd;
            double roots[2];
            int count = 0;
            if (NearlyEqual(a, 0.0)) {
                // A linear equation whose coefficient vanishes too has no root to offer.
                if (!NearlyEqual(bb, 0.0))
                    roots[count++] = -cc / (2 * bb);
            } else {
                const double disc = SettleDiscriminant(bb * bb - a * cc, bb);
                if (disc >= 0) {
                    roots[count++] = (std::sqrt(disc) - bb) / a;
                    roots[count++] = (-bb - std::sqrt(disc)) / a;
                }
            }
            for (int i = 0; i < count; ++i) {
                // A root beyond drawing range drops itself, not its sibling.
                const double x = roots[i];
                if (std::fabs(x) > 100000.0)
                    continue;
                const double reach = x + rho1;
                if (NearlyEqual(reach, 0.0))
                    continue;
                double cv = side == 0 ? (hh - x) / reach : (x + hh) / reach;
                if (!SettleCosine(cv))
                    continue;
                const double alpha = std::acos(cv);
                const double r = std::fabs(x);
                for (const double phi : { delta - alpha, -(delta - alpha) }) {
                    const CPointD o = PolarPoint(c1, reach, theta12 + phi);
                    const double d2 = Distance(o, k2.m_centre);
                    double toLine = 0.0;
                    SignedDistanceToLineRec(l, o, toLine);
                    CPointD t1, t2;
                    if (!(NearlyEqual(d2, std::fabs(r + k2.m_radius)) || NearlyEqual(d2, std::fabs(r - k2.m_radius))) ||
                        !NearlyEqual(std::fabs(toLine), r) || !k1.TouchPointWithCircle(o, r, t1) ||
                        !k2.TouchPointWithCircle(o, r, t2))
                        continue;
                    const CPointD onLine = FootOnLine(l, o);
                    t1 = TouchPointOnCircle(k1, o, r);
                    t2 = TouchPointOnCircle(k2, o, r);
                    const double key = Distance(onLine, m_pickPoints[line]) + Distance(t1, m_pickPoints[first]) +
                                       Distance(t2, m_pickPoints[second]);
                    const CPointD arc = m_circleFlag == 1
                                            ? FullTurnRange()
                                            : ArcThroughFeatures(o, { line, onLine }, { first, t1 }, { second, t2 });
                    ::InsertCandidate(m_candidates, m_circleFlag, key, o, r, arc);
                }
            }
        }
    }
    ShowFirstUnderLayer(*this, k1.m_layer);
    return 1;
}
