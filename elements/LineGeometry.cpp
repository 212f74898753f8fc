// The geometric questions the commands, the pick list and the listings ask of a line: direction,
// feet and sides, positions along it, constructed points, its visible part, the tangent circle
// through a point, its meeting with an arc and its overlap with a collinear line.
#include <cmath>
#include <utility>

#include "app/ZelkApp.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Clipping.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "geometry/Transforms.h"
#include "view/ZelkView.h"

namespace {

CPointD Offset(CPointD p, double length, double angleRad)
{
    p.m_x += length * std::cos(angleRad);
    p.m_y += length * std::sin(angleRad);
    return p;
}

// 1 on the left seen from start to end, 3 on the right; the caller has ruled out "on the line".
int SideByAngle(const CLine& line, CPointD p)
{
    double a = line.AngleDeg();
    double b = PointsAngleDeg(line.m_end, p);
    return CornerAngleDeg(a, b) >= 180 ? 3 : 1;
}

// The foot on a horizontal line (along x) or a vertical one (along y), the two cases with their
// axes exchanged: the ends are taken in ascending order along the line's axis.
int FootOnAxisParallel(CPointD low, CPointD high, const CPointD& p, bool horizontal,
                       CPointD& foot, double& distance)
{
    auto along = [horizontal](const CPointD& q) { return horizontal ? q.m_x : q.m_y; };
    auto across = [horizontal](const CPointD& q) { return horizontal ? q.m_y : q.m_x; };
    if (along(low) >= along(high))
        std::swap(low, high);
    foot.m_x = horizontal ? p.m_x : low.m_x;
    foot.m_y = horizontal ? low.m_y : p.m_y;
    RoundPointToSignificant14(foot);
    distance = across(p) - across(low);
    RoundToSignificant15(distance);
    double f = along(foot);
    if (NearlyEqual(f, along(low)) || NearlyEqual(f, along(high)))
        return 1;
    return (f > along(low) && f < along(high)) ? 1 : 0;
}

}  // namespace

int CLine::GetDirectionKind() const
{
    return ClassifyDirection(m_start, m_end);
}

double CLine::Length() const
{
    return Distance(m_start, m_end);
}

double CLine::ProjectedDistance(const CPointD& p, const CPointD& q) const
{
    int kind = GetDirectionKind();
    CPointD fp, fq;
    double dp = 0, dq = 0;
    FootOfPerpendicular(kind, p, fp, dp);
    FootOfPerpendicular(kind, q, fq, dq);
    return Distance(fp, fq);
}

double CLine::AngleDeg() const
{
    return PointsAngleDeg(m_start, m_end);
}

double CLine::AngleRad() const
{
    return PointsAngleRad(m_start, m_end);
}

CPointD CLine::PointAtParameter(double t) const
{
    CPointD p;
    p.m_x = m_start.m_x + t * (m_end.m_x - m_start.m_x);
    p.m_y = m_start.m_y + t * (m_end.m_y - m_start.m_y);
    return p;
}

int CLine::FootOfPerpendicular(int kind, const CPointD& p, CPointD& foot,
                               double& distance) const
{
    if (kind == 1)
        return FootOnHorizontal(p, foot, distance);
    if (kind == 2)
        return FootOnVertical(p, foot, distance);
    return FootOnOblique(p, foot, distance);
}

int CLine::FootOnHorizontal(const CPointD& p, CPointD& foot, double& distance) const
{
    return FootOnAxisParallel(m_start, m_end, p, true, foot, distance);
}

int CLine::FootOnVertical(const CPointD& p, CPointD& foot, double& distance) const
{
    return FootOnAxisParallel(m_start, m_end, p, false, foot, distance);
}

int CLine::FootOnOblique(const CPointD& p, CPointD& foot, double& distance) const
{
    int result = FootOnLineRec(*this, p, foot, distance);
    RoundPointToSignificant14(foot);
    RoundToSignificant15(distance);
    return result;
}

double CLine::ParameterOfPoint(const CPointD& p) const
{
    if (Length() == 0)
        return 0;
    CPointD foot;
    double distance = 0;
    FootOfPerpendicular(GetDirectionKind(), p, foot, distance);
    return SignedParameterOfFoot(m_start, m_end, foot);
}

int CLine::SnapClassOfPoint(const CPointD& p) const
{
    return SnapClassOfParameter(ParameterOfPoint(p));
}

int CLine::SideOfPoint(const CPointD& p) const
{
    if (PointsNearlyEqual(p, m_start) || PointsNearlyEqual(p, m_end))
        return 2;
    if (NearlyEqual(SignedDistanceToLine(p, m_start, m_end), 0))
        return 2;
    return SideByAngle(*this, p);
}

int CLine::SideOfPointOnScreen(CZelkView* view, const CPointD& p) const
{
    double d = SignedDistanceToLine(p, m_start, m_end) * view->m_zoom;
    if (NearlyEqual(d, 0) || g_pApp->m_appFind.pickHalfSize > std::fabs(d))
        return 2;
    return SideByAngle(*this, p);
}

int CLine::IsSecondPointFarther(const CPointD& p, const CPointD& q) const
{
    int kind = GetDirectionKind();
    CPointD fp, fq;
    double dp = 0, dq = 0;
    FootOfPerpendicular(kind, p, fp, dp);
    FootOfPerpendicular(kind, q, fq, dq);
    return std::fabs(dq) >= std::fabs(dp) ? 1 : 0;
}

CPointD CLine::PointAtNormalOffset(const CPointD& p, double d) const
{
    CPointD foot;
    double distance = 0;
    FootOfPerpendicular(GetDirectionKind(), p, foot, distance);
    return Offset(foot, d, AngleRad() + PI / 2);
}

CPointD CLine::PointFromFootAway(const CPointD& p, double d) const
{
    CPointD foot;
    double distance = 0;
    FootOfPerpendicular(GetDirectionKind(), p, foot, distance);
    double e = Distance(m_start, foot) > Distance(m_end, foot) ? -d : d;
    return Offset(foot, e, AngleRad());
}

CPointD CLine::PointAtAngleFromPoint(const CPointD& p, double angle) const
{
    if (NearlyEqual(angle - 180 * std::trunc(angle / 180), 0))
        return p;
    CPointD foot;
    double h = 0;
    FootOfPerpendicular(GetDirectionKind(), p, foot, h);
    double b = h / std::tan(PI * angle / 180);
    double a = AngleDeg() * PI / 180;
    return Offset(foot, -b, a);
}

void CLine::OffsetEnds(int left, double d, CPointD& s, CPointD& e) const
{
    double length = left != 0 ? std::fabs(d) : -std::fabs(d);
    double a = AngleRad() + PI / 2;
    s = Offset(m_start, length, a);
    e = Offset(m_end, length, a);
}

int CLine::RotatedEnds(const CPointD& centre, double angle, CPointD& s, CPointD& e) const
{
    s = RotatePointDeg(m_start, centre, angle);
    e = RotatePointDeg(m_end, centre, angle);
    return OrderPoints(s, e);
}

int CLine::VisiblePartInView(const CPointD& origin, double scale, const CRectD& clip,
                             CPointD& p1, CPointD& p2) const
{
    CPointD a = m_start.WorldToScreen(origin, scale);
    CPointD b = m_end.WorldToScreen(origin, scale);
    int inside = 0;
    int visible;
    switch (GetDirectionKind()) {
    case 1: {
        double endX = b.m_x;
        visible = ClipHorizontalSegmentToRectD(a, endX, clip, inside);
        b.m_x = endX;
        break;
    }
    case 2:
        visible = ClipVerticalSegmentToRectD(a, b, clip, inside);
        break;
    default:
        visible = ClipSegmentToRectD(a, b, clip, inside);
        break;
    }
    if (!visible)
        return 0;
    POINT s = {static_cast<LONG>(a.m_x), static_cast<LONG>(a.m_y)};
    POINT e = {static_cast<LONG>(b.m_x), static_cast<LONG>(b.m_y)};
    p1.SetFromScreen(s, origin, scale);
    p2.SetFromScreen(e, origin, scale);
    return 1;
}

int CLine::SnapClassInView(const CPointD& p, const CPointD& origin, double scale,
                           const CRectD& clip) const
{
    CPointD p1, p2;
    if (!VisiblePartInView(origin, scale, clip, p1, p2))
        return -1;
    CLine visible(p1, p2);
    return visible.SnapClassOfPoint(p);
}

CPointD CLine::TangentCircleCentre(const CPointD& p, double r, const CPointD& reference,
                                   int& count, CPointD& angles) const
{
    double a = AngleRad() + PI / 2;
    CLine parallel(Offset(m_start, r, a), Offset(m_end, r, a));
    CCircle circle;
    circle.m_centre = p;
    circle.m_radius = std::fabs(r);
    CPointD o1, o2;
    int on1 = 0, on2 = 0;
    count = IntersectLineCircle(parallel, circle, o1, o2, on1, on2);
    CPointD centre;
    if (count == 1) {
        centre = o1;
    } else if (count == 2) {
        double d1 = Distance(o1, reference);
        double d2 = Distance(o2, reference);
        centre = (d2 < d1 && !NearlyEqual(d1, d2)) ? o2 : o1;
    }
    CPointD foot;
    double distance = 0;
    FootOfPerpendicular(GetDirectionKind(), centre, foot, distance);
    angles.m_x = PointsAngleDeg(centre, foot);
    angles.m_y = PointsAngleDeg(centre, p);
    NormalizeArcAnglesDeg(angles);
    return centre;
}

int CLine::IntersectArc(int kind, const CArc& arc, int& code, CPointD& point1, CPointD& point2,
                        int& onSegment1, int& onSegment2, int& inSweep1, int& inSweep2) const
{
    code = 2;
    point1 = CPointD();
    point2 = CPointD();
    onSegment1 = onSegment2 = inSweep1 = inSweep2 = 0;
    CPointD foot;
    double h = 0;
    int footOnSegment = FootOfPerpendicular(kind, arc.m_centre, foot, h);
    double r = arc.m_radius;
    if (NearlyEqual(std::fabs(h), r)) {
        code = 1;
        onSegment1 = footOnSegment;
        inSweep1 = arc.ContainsDirectionOf(foot);
        if (onSegment1 && inSweep1) {
            point1 = foot;
            return 1;
        }
        return 0;
    }
    if (std::fabs(h) > r) {
        code = 0;
        return 0;
    }
    double v = std::sqrt(r * r - h * h);
    CPointD offset;
    if (kind == 1) {
        offset.m_x = v;
    } else if (kind == 2) {
        offset.m_y = v;
    } else {
        double a = AngleRad();
        offset.m_x = v * std::cos(a);
        offset.m_y = v * std::sin(a);
    }
    CPointD pa, pb;
    pa.m_x = foot.m_x + offset.m_x;
    pa.m_y = foot.m_y + offset.m_y;
    pb.m_x = foot.m_x - offset.m_x;
    pb.m_y = foot.m_y - offset.m_y;
    RoundPointToSignificant14(pa);
    RoundPointToSignificant14(pb);
    onSegment1 = IsPointOnLineSeg(*this, pa);
    inSweep1 = arc.ContainsDirectionOf(pa);
    onSegment2 = IsPointOnLineSeg(*this, pb);
    inSweep2 = arc.ContainsDirectionOf(pb);
    int n = 0;
    if (onSegment1 && inSweep1) {
        point1 = pa;
        n = 1;
    }
    if (onSegment2 && inSweep2) {
        if (n == 1) {
            point2 = pb;
        } else {
            point1 = pb;
            onSegment1 = inSweep1 = 1;
            onSegment2 = inSweep2 = 0;
        }
        n += 1;
    }
    return n;
}

int CLine::CollinearOverlap(const CLine& other, CPointD& point1, CPointD& point2, int& code1,
                            int& code2) const
{
    point1 = CPointD();
    point2 = CPointD();
    code1 = code2 = 0;
    if (SideOfPoint(other.m_start) != 2 || SideOfPoint(other.m_end) != 2)
        return 0;
    double t1 = ParameterOfPoint(other.m_start);
    double t2 = ParameterOfPoint(other.m_end);
    if (NearlyEqual(t1, t2)) {
        if (NearlyEqual(t1, 0)) {
            point1 = m_start;
            code1 = 2;
            return 1;
        }
        if (NearlyEqual(t1, 1)) {
            point1 = m_end;
            code1 = 4;
            return 1;
        }
        if (t1 >= 0 && t1 <= 1) {
            point1 = other.m_start;
            code1 = 3;
            return 1;
        }
        return 0;
    }
    if (t1 >= t2)
        return 0;
    if (NearlyEqual(t2, 0)) {
        point1 = m_start;
        code1 = 2;
        return 1;
    }
    bool reachesEnd = NearlyEqual(t2, 1) || t2 > 1;
    if (NearlyEqual(t1, 0)) {
        point1 = m_start;
        code1 = 2;
        point2 = reachesEnd ? m_end : other.m_end;
        code2 = reachesEnd ? 4 : 3;
        return 2;
    }
    if (NearlyEqual(t1, 1)) {
        point1 = other.m_start;
        code1 = 4;
        return 1;
    }
    if (t1 > 1 || t1 <= 0)
        return 0;
    point1 = other.m_start;
    code1 = 3;
    point2 = reachesEnd ? m_end : other.m_end;
    code2 = reachesEnd ? 4 : 3;
    return 2;
}
