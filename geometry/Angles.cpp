// Directions, distances, angle normalisation and sweep tests. The arcsin/arccos branches and the
// tie rules are deliberate: constructions and candidate orders throughout the program depend on
// exactly these results (for instance (-1, 0) is pi, never -pi).
#include "geometry/Angles.h"

#include <cmath>
#include <utility>

#include "geometry/Numeric.h"

void SwapDoubles(double& a, double& b)
{
    std::swap(a, b);
}

void SwapPoints(CPointD& p, CPointD& q)
{
    std::swap(p, q);
}

int PointGreater(const CPointD& p, const CPointD& q)
{
    if (NearlyEqual(p.m_x, q.m_x)) {
        return p.m_y > q.m_y ? 1 : 0;
    }
    return p.m_x > q.m_x ? 1 : 0;
}

int OrderPoints(CPointD& p, CPointD& q)
{
    bool swap = NearlyEqual(p.m_x, q.m_x) ? (q.m_y < p.m_y) : (q.m_x < p.m_x);
    if (swap) {
        SwapPoints(p, q);
        return 1;
    }
    return 0;
}

double Distance(const CPointD& p, const CPointD& q)
{
    double dx = q.m_x - p.m_x;
    double dy = q.m_y - p.m_y;
    return std::sqrt(dx * dx + dy * dy);
}

double SignedDistanceToLine(const CPointD& p, const CPointD& a, const CPointD& b)
{
    double d = 0.0;
    double thetaP = PointsAngleRadLen(a, p, d);
    double thetaB = PointsAngleRad(a, b);
    return std::sin(thetaP - thetaB) * d;
}

double VectorAngleRadLen(double dx, double dy, double& length)
{
    double l = std::sqrt(dx * dx + dy * dy);
    length = l;
    if (l == 0.0) {
        return 0.0;
    }
    if (std::fabs(dy) > std::fabs(dx)) {
        // Steep: arcsin is the well-conditioned one here.
        double s = dy / l;
        if (s > 1.0) {
            return PI / 2.0;
        }
        if (s < -1.0) {
            return -PI / 2.0;
        }
        double a = std::asin(s);
        if (dx >= 0.0) {
            return a;
        }
        return dy >= 0.0 ? PI - a : -PI - a;
    }
    double c = dx / l;
    if (c > 1.0) {
        return 0.0;
    }
    if (c < -1.0) {
        return PI;
    }
    double a = std::acos(c);
    return dy >= 0.0 ? a : -a;
}

double VectorAngleRad(double dx, double dy)
{
    double l = 0.0;
    return VectorAngleRadLen(dx, dy, l);
}

double PointsAngleRadLen(const CPointD& p, const CPointD& q, double& length)
{
    return VectorAngleRadLen(q.m_x - p.m_x, q.m_y - p.m_y, length);
}

double PointsAngleRad(const CPointD& p, const CPointD& q)
{
    double l = 0.0;
    return PointsAngleRadLen(p, q, l);
}

double VectorAngleDegLen(double dx, double dy, double& length)
{
    return VectorAngleRadLen(dx, dy, length) * 180.0 / PI;
}

double VectorAngleDeg(double dx, double dy)
{
    double l = 0.0;
    return VectorAngleDegLen(dx, dy, l);
}

double PointsAngleDegLen(const CPointD& p, const CPointD& q, double& length)
{
    return PointsAngleRadLen(p, q, length) * 180.0 / PI;
}

double PointsAngleDeg(const CPointD& p, const CPointD& q)
{
    double l = 0.0;
    return PointsAngleDegLen(p, q, l);
}

int ClassifyDirection(const CPointD& p, const CPointD& q)
{
    if (NearlyEqual(p.m_y, q.m_y)) {
        return 1;
    }
    if (NearlyEqual(p.m_x, q.m_x)) {
        return 2;
    }
    return 4;
}

double CornerAngleDeg(double in, double out)
{
    NormalizeAngleDeg180(in);
    NormalizeAngleDeg180(out);
    double c = 180.0 - (out - in);
    if (NearlyEqual(c, 0.0) || NearlyEqual(c, 360.0)) {
        return 0.0;
    }
    if (c > 360.0) {
        return c - 360.0;
    }
    if (c < 0.0) {
        return c + 360.0;
    }
    return c;
}

int IsCcwTurn(const CPointD& a, const CPointD& b, const CPointD& c)
{
    if (PointsNearlyEqual(b, a) || PointsNearlyEqual(b, c)) {
        return 1;
    }
    double d1 = PointsAngleDeg(a, b);
    double d2 = PointsAngleDeg(b, c);
    double t = 180.0 - (d2 - d1);
    if (NearlyEqual(t, 0.0) || NearlyEqual(t, 360.0)) {
        t = 0.0;
    } else if (t < 0.0) {
        t += 360.0;
    } else if (t > 360.0) {
        t -= 360.0;
    }
    // Straight on (180) and a reversal (0) count as counterclockwise.
    return (NearlyEqual(t, 180.0) || NearlyEqual(t, 0.0) || t < 180.0) ? 1 : 0;
}

double FoldLineAngleNegDeg(double a)
{
    if (NearlyEqual(a, 0.0)) {
        return 0.0;
    }
    if (NearlyEqual(a, 90.0) || NearlyEqual(a, 270.0)) {
        return -90.0;
    }
    if (a < 90.0) {
        return -a;
    }
    if (a < 270.0) {
        return 180.0 - a;
    }
    return 360.0 - a;
}

void NormalizeAngleDeg180(double& a)
{
    if (a > 360.0 || a < -360.0) {
        a -= std::trunc(a / 360.0) * 360.0;
    }
    if (NearlyEqual(a, 180.0) || NearlyEqual(a, -180.0)) {
        a = 180.0;
    } else if (a > 180.0) {
        a -= 360.0;
    } else if (a < -180.0) {
        a += 360.0;
    }
}

namespace {

// Brings one arc angle into [0, 360) (zeroValue 0) or (0, 360] (zeroValue 360).
double NormalizeArcAngle(double a, double zeroValue)
{
    const double perTurn = 1.0 / 360.0;
    if (NearlyEqual(a, 0.0)) {
        return zeroValue;
    }
    if (a < 0.0) {
        double s = a + std::trunc(std::fabs(a) * perTurn) * 360.0;
        return NearlyEqual(s, 0.0) ? zeroValue : s + 360.0;
    }
    if (NearlyEqual(a, 360.0) || a > 360.0) {
        double s = a - std::trunc(a * perTurn) * 360.0;
        return NearlyEqual(s, 0.0) ? zeroValue : s;
    }
    return a;
}

} // namespace

void NormalizeArcAnglesDeg(double& start, double& end)
{
    start = NormalizeArcAngle(start, 0.0);
    end = NormalizeArcAngle(end, 360.0);
    if (NearlyEqual(start, end)) {
        start = 0.0;
        end = 360.0;
    } else if (end < start) {
        end += 360.0;
    }
}

void NormalizeArcAnglesDeg(CPointD& range)
{
    NormalizeArcAnglesDeg(range.m_x, range.m_y);
}

namespace {

bool Near3(double a, double b)
{
    return EqualWithinDecimals(a, b, 3) != 0;
}

bool AtOrAbove(double v, double limit)
{
    return Near3(v, limit) || v > limit;
}

bool AtOrBelow(double v, double limit)
{
    return Near3(v, limit) || v < limit;
}

int InSweep(double angle, double start, double end, double turn, bool lastWithTolerance)
{
    double t = angle;
    RoundToSignificant15(t);
    if (AtOrAbove(t, start)) {
        if (AtOrBelow(t, end)) {
            return 1;
        }
        double f = t - turn;
        if (AtOrAbove(f, start)) {
            return AtOrBelow(f, end) ? 1 : 0;
        }
        return 0;
    }
    double f = t + turn;
    if (AtOrAbove(f, start)) {
        return AtOrBelow(f, end) ? 1 : 0;
    }
    f = t + 2.0 * turn;
    bool above = lastWithTolerance ? AtOrAbove(f, start) : (f >= start);
    if (above) {
        return AtOrBelow(f, end) ? 1 : 0;
    }
    return 0;
}

} // namespace

int IsAngleInSweepDeg(double angle, double start, double end)
{
    return InSweep(angle, start, end, 360.0, true);
}

int IsAngleInSweepRad(double angle, double start, double end)
{
    return InSweep(angle, start, end, 2.0 * PI, false);
}

namespace {

double Snap15(double alpha, double base)
{
    double s = alpha < 0.0 ? -1.0 : 1.0;
    return base + s * std::trunc(s * (alpha + 7.5 * s - base) * (1.0 / 15.0)) * 15.0;
}

} // namespace

double SnapAngle15Deg(const CPointD& a, const CPointD& b, double base)
{
    return Snap15(PointsAngleDeg(a, b), base);
}

double SnapAngle15Rad(const CPointD& a, const CPointD& b, double base)
{
    return SnapAngle15Deg(a, b, base) * PI / 180.0;
}

double SnapAngle15DegLen(const CPointD& a, const CPointD& b, double base, double& length)
{
    return Snap15(PointsAngleDegLen(a, b, length), base);
}
