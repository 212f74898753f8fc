// Rotation, reflection and the chord constructions. Coordinate differences are rounded to 12
// significant digits before turning so that a point a hair off an axis comes out on it.
#include "geometry/Transforms.h"

#include <cmath>

#include "geometry/Angles.h"
#include "geometry/Numeric.h"

namespace {

CPointD TurnAbout(const CPointD& point, const CPointD& centre, double radians, double fx, double fy)
{
    double dx = RoundedDifference12(point.m_x, centre.m_x);
    double dy = RoundedDifference12(point.m_y, centre.m_y);
    double length = 0.0;
    double theta = VectorAngleRadLen(dx, dy, length) + radians;
    CPointD r;
    return r.Init(centre.m_x + length * fx * std::cos(theta), centre.m_y + length * fy * std::sin(theta));
}

double DegreesToRadians(double degrees)
{
    return degrees * PI * (1.0 / 180.0);
}

CPointD Midpoint(const CPointD& a, const CPointD& b)
{
    CPointD m;
    return m.Init((a.m_x + b.m_x) * 0.5, (a.m_y + b.m_y) * 0.5);
}

// m moved by distance along the left normal of the direction theta.
CPointD AlongLeftNormal(const CPointD& m, double theta, double distance)
{
    CPointD r;
    return r.Init(m.m_x + distance * std::cos(theta + PI / 2.0), m.m_y + distance * std::sin(theta + PI / 2.0));
}

} // namespace

CPointD RotatePointDeg(const CPointD& point, const CPointD& centre, const double& angle)
{
    return TurnAbout(point, centre, DegreesToRadians(angle), 1.0, 1.0);
}

CPointD RotatePointRad(const CPointD& point, const CPointD& centre, const double& angle)
{
    return TurnAbout(point, centre, angle, 1.0, 1.0);
}

CPointD RotateScalePointDeg(const CPointD& point, const CPointD& centre, const double& angle,
                            const CPointD& factors)
{
    return TurnAbout(point, centre, DegreesToRadians(angle), factors.m_x, factors.m_y);
}

CPointD MirrorPointDeg(const CPointD& base, double angle, const CPointD& point)
{
    double d = Distance(base, point);
    if (NearlyEqual(d, 0.0)) {
        d = 1000.0;
    }
    double phi = DegToRad(angle);
    double sinPhi = std::sin(phi);
    double cosPhi = std::cos(phi);
    double s = sinPhi * d;
    double c = cosPhi * d;
    CPointD r;
    // Divide by the larger of the two so that a mirror line near an axis stays well conditioned.
    if (std::fabs(s) > std::fabs(c)) {
        double t = sinPhi * (base.m_x + (point.m_y - base.m_y) * c / s - point.m_x);
        return r.Init(point.m_x + 2.0 * t * sinPhi, point.m_y - 2.0 * t * cosPhi);
    }
    double t = cosPhi * (base.m_y + (point.m_x - base.m_x) * s / c - point.m_y);
    return r.Init(point.m_x - 2.0 * t * sinPhi, point.m_y + 2.0 * t * cosPhi);
}

int CircleCenterFromChord(const CPointD& p1, const CPointD& p2, double radius, CPointD& centre)
{
    CPointD m = Midpoint(p1, p2);
    double l = 0.0;
    double theta = PointsAngleRadLen(p1, p2, l);
    double f = radius * radius - l * l / 4.0;
    if (NearlyEqual(f, 0.0)) {
        f = 0.0;
    } else if (f < 0.0) {
        return 0;
    }
    double h = std::sqrt(f);
    if (radius < 0.0) {
        h = -h;
    }
    centre = AlongLeftNormal(m, theta, h);
    return 1;
}

CPointD ArcCenterFromChordAngle(const CPointD& p1, const CPointD& p2, double angle, double& radius)
{
    CPointD m = Midpoint(p1, p2);
    double l = 0.0;
    double theta = PointsAngleRadLen(p1, p2, l);
    if (NearlyEqual(std::fabs(angle), 180.0)) {
        radius = l * 0.5;
        return m;
    }
    // No arc has an included angle of 0 or a full turn: tan would be 0 and the centre infinite.
    double tangent = std::tan(PI * angle * (1.0 / 360.0));
    double f = (l * 0.5) / tangent;
    if (NearlyEqual(angle, 0.0) || NearlyEqual(std::fabs(angle), 360.0) || !std::isfinite(f)) {
        radius = 0.0;
        return m;
    }
    radius = std::sqrt(f * f + l * l * 0.25);
    return AlongLeftNormal(m, theta, f);
}
