// Segment and circle clipping for drawing, and the box-selection rectangle tests.
#include "geometry/Clipping.h"

#include <cmath>
#include <initializer_list>

#include "geometry/Numeric.h"

namespace {

// One end beyond one edge: across(P) is the coordinate measured across the edge, along(P) the
// other one.
struct EdgeAxis {
    double CPointD::*across;
    double CPointD::*along;
};

constexpr EdgeAxis AcrossX{&CPointD::m_x, &CPointD::m_y};
constexpr EdgeAxis AcrossY{&CPointD::m_y, &CPointD::m_x};

// Moves e onto the edge line (across = edgeValue) when it lies strictly beyond it; returns 0 when
// the segment passes outside the corner.
int CutEndAtEdge(CPointD& e, const CPointD& other, EdgeAxis axis, double edgeValue, bool beyond)
{
    if (!beyond) {
        return 1;
    }
    double extent = other.*axis.across - e.*axis.across;
    if (extent == 0.0) {
        return 1;
    }
    double o = RoundToDecimals(std::fabs(edgeValue - e.*axis.across) / std::fabs(extent), 15);
    if (o > 1.0) {
        return 0;
    }
    // Interpolate from whichever end is farther from the cut to keep the error small.
    if (o <= 0.9999999999) {
        e.*axis.along = e.*axis.along + o * (other.*axis.along - e.*axis.along);
    } else {
        e.*axis.along = other.*axis.along + (1.0 - o) * (e.*axis.along - other.*axis.along);
    }
    e.*axis.across = edgeValue;
    return 1;
}

int CutEnd(CPointD& e, const CPointD& other, double left, double top, double right, double bottom)
{
    if (!CutEndAtEdge(e, other, AcrossX, left, e.m_x < left)) {
        return 0;
    }
    if (!CutEndAtEdge(e, other, AcrossY, top, e.m_y > top)) {
        return 0;
    }
    if (!CutEndAtEdge(e, other, AcrossX, right, e.m_x > right)) {
        return 0;
    }
    return CutEndAtEdge(e, other, AcrossY, bottom, e.m_y < bottom);
}

double NonZero(double v)
{
    return v == 0.0 ? 1e-100 : v;
}

CPointD Along(const CPointD& p, double t, double dx, double dy)
{
    CPointD r;
    return r.Init(p.m_x + t * dx, p.m_y + t * dy);
}

// An axis-parallel run from `from` to `to`, cut to [low, high] widened by 2 units on each side;
// inside is set when the run lies wholly within the widened range.
void ClipRun(double& from, double& to, double low, double high, int& inside)
{
    double c = NonZero(to - from);
    double f = (low - 2.0 - from) / c;
    if (f > 0.0 && f < 1.0) {
        from = from + c * f;
        c = to - from;
    }
    c = NonZero(c);
    double l = (high + 2.0 - from) / c;
    if (l >= 1.0) {
        if (f <= 0.0) {
            inside = 1;
        }
    } else if (l > 0.0) {
        to = from + c * l;
    }
}

} // namespace

int ClipSegmentToIntRect(RECT r, int margin, CPointD& p, CPointD& q)
{
    double left = static_cast<double>(r.left) + margin;
    double right = static_cast<double>(r.right) - margin;
    double bottom = static_cast<double>(r.bottom) + margin;
    double top = static_cast<double>(r.top) - margin;
    if ((p.m_x < left && q.m_x < left) || (p.m_y > top && q.m_y > top) ||
        (p.m_x > right && q.m_x > right) || (p.m_y < bottom && q.m_y < bottom)) {
        return 0;
    }
    if (!CutEnd(p, q, left, top, right, bottom)) {
        return 0;
    }
    if (!CutEnd(q, p, left, top, right, bottom)) {
        return 0;
    }
    return 1;
}

int ClipHorizontalSegmentToRectD(CPointD& p, double& endX, const CRectD& rect, int& inside)
{
    inside = 0;
    if (p.m_y > rect.m_top || p.m_y < rect.m_bottom || endX < rect.m_left || p.m_x > rect.m_right) {
        return 0;
    }
    ClipRun(p.m_x, endX, rect.m_left, rect.m_right, inside);
    return 1;
}

int ClipVerticalSegmentToRectD(CPointD& p, CPointD& q, const CRectD& rect, int& inside)
{
    inside = 0;
    if (p.m_x < rect.m_left || p.m_x > rect.m_right || p.m_y > rect.m_top || q.m_y < rect.m_bottom) {
        return 0;
    }
    ClipRun(p.m_y, q.m_y, rect.m_bottom, rect.m_top, inside);
    return 1;
}

namespace {

bool BothAbove(const CPointD& p, const CPointD& q, const CRectD& r)
{
    return p.m_y > r.m_top && q.m_y > r.m_top;
}

bool BothBelow(const CPointD& p, const CPointD& q, const CRectD& r)
{
    return p.m_y < r.m_bottom && q.m_y < r.m_bottom;
}

} // namespace

int ClipSegmentXToRectD(CPointD& p, CPointD& q, const CRectD& rect, int& inside)
{
    inside = 0;
    if (BothAbove(p, q, rect) || BothBelow(p, q, rect) || q.m_x < rect.m_left || p.m_x > rect.m_right) {
        return 0;
    }
    double dx = NonZero(q.m_x - p.m_x);
    double dy = q.m_y - p.m_y;
    double f = (rect.m_left - 2.0 - p.m_x) / dx;
    if (f > 0.0 && f < 1.0) {
        p = Along(p, f, dx, dy);
        dx = NonZero(q.m_x - p.m_x);
        dy = q.m_y - p.m_y;
    }
    double t = (rect.m_right + 2.0 - p.m_x) / dx;
    if (t >= 1.0) {
        if (f <= 0.0) {
            inside = 1;
        }
    } else if (t > 0.0) {
        q = Along(p, t, dx, dy);
    } else if (f >= 1.0) {
        inside = 1;
    }
    if (BothAbove(p, q, rect) || BothBelow(p, q, rect)) {
        return 0;
    }
    return 1;
}

int ClipSegmentYToRectD(CPointD& p, CPointD& q, const CRectD& rect, int& inside)
{
    inside = 0;
    if (q.m_x < rect.m_left || p.m_x > rect.m_right || BothAbove(p, q, rect) || BothBelow(p, q, rect)) {
        return 0;
    }
    double dy = NonZero(q.m_y - p.m_y);
    double dx = q.m_x - p.m_x;
    double f = (rect.m_top + 2.0 - p.m_y) / dy;
    if (f > 0.0 && f < 1.0) {
        if (dy >= 0.0) {
            q = Along(p, f, dx, dy);
        } else {
            p = Along(p, f, dx, dy);
        }
        dy = NonZero(q.m_y - p.m_y);
        dx = q.m_x - p.m_x;
    }
    double g = (rect.m_bottom - 2.0 - p.m_y) / dy;
    if (g >= 1.0) {
        if (f <= 0.0) {
            inside = 1;
        }
    } else if (g > 0.0) {
        if (dy >= 0.0) {
            p = Along(p, g, dx, dy);
        } else {
            q = Along(p, g, dx, dy);
        }
    } else if (f >= 1.0) {
        inside = 1;
    }
    if (q.m_x < rect.m_left || p.m_x > rect.m_right) {
        return 0;
    }
    return 1;
}

int ClipSegmentToRectD(CPointD& p, CPointD& q, const CRectD& rect, int& inside)
{
    inside = 0;
    // The segment is cut along its longer axis; the halves report their own flag, not this one.
    int ignored = 0;
    double dx = q.m_x - p.m_x;
    double dy = q.m_y - p.m_y;
    if (std::fabs(dy) >= std::fabs(dx)) {
        if (!ClipSegmentYToRectD(p, q, rect, ignored) && !ClipSegmentXToRectD(p, q, rect, ignored)) {
            return 0;
        }
    } else {
        if (!ClipSegmentXToRectD(p, q, rect, ignored) && !ClipSegmentYToRectD(p, q, rect, ignored)) {
            return 0;
        }
    }
    return 1;
}

int CircleCrossVerticalLine(double radius, double dx, int upper, double cy, double yHigh,
                            double yLow, double& angle)
{
    if (dx > radius || dx < -radius) {
        return 0;
    }
    double a = std::acos(dx / radius);
    angle = upper != 0 ? a : 2.0 * PI - a;
    double y = cy + radius * std::sin(angle);
    return (yLow <= y && y <= yHigh) ? 1 : 0;
}

int CircleCrossHorizontalLine(double radius, double dy, int left, double cx, double xLow,
                              double xHigh, double& angle)
{
    if (dy > radius || dy < -radius) {
        return 0;
    }
    double a = std::asin(dy / radius);
    if (left != 0) {
        angle = PI - a;
    } else {
        angle = a < 0.0 ? a + 2.0 * PI : a;
    }
    double x = cx + radius * std::cos(angle);
    return (xLow <= x && x <= xHigh) ? 1 : 0;
}

namespace {

// The crossings of one circle with the sides of the widened rectangle, tried in chains.
class CircleSides {
public:
    CircleSides(double cx, double cy, double r, double l, double t, double rt, double b)
        : m_cx(cx), m_cy(cy), m_r(r), m_l(l), m_t(t), m_rt(rt), m_b(b)
    {
    }
    enum Side { VL, VRt, HT, HB };
    struct Try {
        Side side;
        int flag;  // upper for a vertical side, left for a horizontal one
    };

    int Cross(Try t, double& angle) const
    {
        switch (t.side) {
        case VL:
            return CircleCrossVerticalLine(m_r, m_l - m_cx, t.flag, m_cy, m_t, m_b, angle);
        case VRt:
            return CircleCrossVerticalLine(m_r, m_rt - m_cx, t.flag, m_cy, m_t, m_b, angle);
        case HT:
            return CircleCrossHorizontalLine(m_r, m_t - m_cy, t.flag, m_cx, m_l, m_rt, angle);
        case HB:
            return CircleCrossHorizontalLine(m_r, m_b - m_cy, t.flag, m_cx, m_l, m_rt, angle);
        }
        return 0;
    }

    // The first crossing of the chain that succeeds; 0 when all fail.
    int Chain(std::initializer_list<Try> chain, double& angle) const
    {
        for (Try t : chain) {
            if (Cross(t, angle)) {
                return 1;
            }
        }
        return 0;
    }

private:
    double m_cx, m_cy, m_r, m_l, m_t, m_rt, m_b;
};

constexpr int Upper = 1;
constexpr int Lower = 0;
constexpr int Left = 1;
constexpr int Right = 0;

} // namespace

int VisibleArcOfCircle(double cx, double cy, double radius, const CRectD& rect, double& start,
                       double& end)
{
    double l = rect.m_left - 4.0;
    double t = rect.m_top + 4.0;
    double rt = rect.m_right + 4.0;
    double b = rect.m_bottom - 4.0;
    if (cy - radius > t || cy + radius < b || cx + radius < l || cx - radius > rt) {
        return 0;
    }
    using S = CircleSides;
    S s(cx, cy, radius, l, t, rt, b);
    bool found = true;
    auto chains = [&](std::initializer_list<S::Try> a, std::initializer_list<S::Try> e) {
        found = s.Chain(a, start) && s.Chain(e, end);
    };
    if (cy > t) {
        if (cx > rt) {
            chains({{S::VL, Lower}, {S::HT, Left}}, {{S::VRt, Lower}, {S::HB, Left}});
        } else if (cx >= l) {
            chains({{S::VL, Lower}, {S::HT, Left}, {S::HB, Right}},
                   {{S::VRt, Lower}, {S::HT, Right}, {S::HB, Left}});
        } else {
            chains({{S::VL, Lower}, {S::HB, Right}}, {{S::VRt, Lower}, {S::HT, Right}});
        }
    } else if (cy < b) {
        if (cx > rt) {
            chains({{S::VRt, Upper}, {S::HT, Left}}, {{S::VL, Upper}, {S::HB, Left}});
        } else if (cx >= l) {
            chains({{S::VRt, Upper}, {S::HB, Right}, {S::HT, Left}},
                   {{S::VL, Upper}, {S::HB, Left}, {S::HT, Right}});
        } else {
            chains({{S::VRt, Upper}, {S::HB, Right}}, {{S::VL, Upper}, {S::HT, Right}});
        }
    } else {
        auto outside = [&](double x, double y) {
            return radius * radius - ((x - cx) * (x - cx) + (y - cy) * (y - cy)) < 0.0;
        };
        bool tl = outside(l, t);
        bool tr = outside(rt, t);
        bool bl = outside(l, b);
        bool br = outside(rt, b);
        int count = tl + tr + bl + br;
        if (count == 0) {
            return 0;  // the rectangle lies within the circle
        }
        if (count == 1 && (tr || br)) {
            chains({{S::HB, Right}, {S::VL, Lower}, {S::VRt, Upper}},
                   {{S::HT, Right}, {S::VL, Upper}, {S::VRt, Lower}});
        } else if (count == 1) {
            chains({{S::HT, Left}, {S::VRt, Upper}, {S::VL, Lower}},
                   {{S::HB, Left}, {S::VRt, Lower}, {S::VL, Upper}});
        } else if (count == 2 && tr && br) {
            s.Cross({S::HB, Right}, start);
            s.Cross({S::HT, Right}, end);
        } else if (count == 2 && tl && bl) {
            s.Cross({S::HT, Left}, start);
            s.Cross({S::HB, Left}, end);
        } else if (count == 2 && tl && tr) {
            s.Cross({S::VRt, Upper}, start);
            s.Cross({S::VL, Upper}, end);
        } else if (count == 2 && bl && br) {
            s.Cross({S::VL, Lower}, start);
            s.Cross({S::VRt, Lower}, end);
        } else {
            start = 0.0;
            end = 2.0 * PI;
            return 1;
        }
    }
    if (!found) {
        return 0;
    }
    if (start > end) {
        end += 2.0 * PI;
    }
    return 1;
}

int SegmentCrossesRectD(const CPointD& p, const CPointD& q, const CRectD& rect)
{
    if (q.m_x < rect.m_left || p.m_x > rect.m_right || BothAbove(p, q, rect) || BothBelow(p, q, rect)) {
        return 0;
    }
    double dx = q.m_x - p.m_x;
    double dy = q.m_y - p.m_y;
    if (dx != 0.0) {
        for (double side : {rect.m_left, rect.m_right}) {
            double t = (side - p.m_x) / dx;
            double y = p.m_y + t * dy;
            if (t > 0.0 && t < 1.0 && rect.m_bottom <= y && y <= rect.m_top) {
                return 1;
            }
        }
    }
    if (dy != 0.0) {
        for (double side : {rect.m_top, rect.m_bottom}) {
            double t = (side - p.m_y) / dy;
            double x = p.m_x + t * dx;
            if (t > 0.0 && t < 1.0 && rect.m_left <= x && x <= rect.m_right) {
                return 1;
            }
        }
    }
    return 0;
}

int CircleCrossesRectD(const CPointD& centre, double radius, const CRectD& rect)
{
    double cx = centre.m_x;
    double cy = centre.m_y;
    if (cy - radius > rect.m_top || cy + radius < rect.m_bottom || cx + radius < rect.m_left ||
        cx - radius > rect.m_right) {
        return 0;
    }
    double a = 0.0;
    for (double side : {rect.m_left, rect.m_right}) {
        for (int upper : {1, 0}) {
            if (CircleCrossVerticalLine(radius, side - cx, upper, cy, rect.m_top, rect.m_bottom, a)) {
                return 1;
            }
        }
    }
    for (double side : {rect.m_top, rect.m_bottom}) {
        for (int left : {1, 0}) {
            if (CircleCrossHorizontalLine(radius, side - cy, left, cx, rect.m_left, rect.m_right, a)) {
                return 1;
            }
        }
    }
    return 0;
}

int ArcInsideRectD(const CPointD& centre, double radius, const CPointD& angles, const CRectD& rect)
{
    double a1 = PI * angles.m_x * (1.0 / 180.0);
    double a2 = PI * angles.m_y * (1.0 / 180.0);
    CPointD p;
    if (!rect.Contains(p.Init(centre.m_x + radius * std::cos(a1), centre.m_y + radius * std::sin(a1))) ||
        !rect.Contains(p.Init(centre.m_x + radius * std::cos(a2), centre.m_y + radius * std::sin(a2)))) {
        return 0;
    }
    struct Extreme {
        double angle;
        double ux, uy;
    };
    const Extreme extremes[] = {
        {2.0 * PI, 1, 0},       {PI / 2.0, 0, 1},       {5.0 * PI / 2.0, 0, 1}, {PI, -1, 0},
        {3.0 * PI, -1, 0},      {3.0 * PI / 2.0, 0, -1}, {7.0 * PI / 2.0, 0, -1},
    };
    for (const Extreme& e : extremes) {
        if (a1 < e.angle && e.angle < a2 &&
            !rect.Contains(p.Init(centre.m_x + radius * e.ux, centre.m_y + radius * e.uy))) {
            return 0;
        }
    }
    return 1;
}
