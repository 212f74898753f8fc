// CPointD: construction, screen conversions and tests. The markers are drawn in PointDDraw.cpp.
#include "geometry/PointD.h"

#include "geometry/Angles.h"
#include "geometry/Numeric.h"

CPointD& CPointD::Init(double x, double y)
{
    m_x = x;
    m_y = y;
    return *this;
}

CPointD& CPointD::Copy(const CPointD& other)
{
    m_x = other.m_x;
    m_y = other.m_y;
    return *this;
}

void CPointD::Assign(CPointD other)
{
    m_x = other.m_x;
    m_y = other.m_y;
}

void CPointD::SetFromPoint(POINT p)
{
    m_x = static_cast<double>(p.x);
    m_y = static_cast<double>(p.y);
}

CPointD CPointD::GetPoint() const
{
    return *this;
}

CPointD CPointD::WorldToScreen(const CPointD& origin, double scale) const
{
    CPointD s;
    s.m_x = (m_x - origin.m_x) * scale;
    s.m_y = (m_y - origin.m_y) * scale;
    return s;
}

void CPointD::SetFromScreen(POINT v, const CPointD& origin, double scale)
{
    m_x = static_cast<double>(v.x) / scale + origin.m_x;
    m_y = static_cast<double>(v.y) / scale + origin.m_y;
}

CPointD CPointD::ScreenToWorld(const CPointD& origin, double scale) const
{
    CPointD w;
    w.m_x = m_x / scale + origin.m_x;
    w.m_y = m_y / scale + origin.m_y;
    return w;
}

CPointD CPointD::Nearer(const CPointD& p, const CPointD& q) const
{
    double dp = Distance(*this, p);
    double dq = Distance(*this, q);
    // A near tie goes to p so that callers get a stable choice.
    if (NearlyEqual(dp, dq) || dp < dq) {
        return p;
    }
    return q;
}

int CPointD::IsInIntRect(const RECT& r) const
{
    return (r.left <= m_x && m_x <= r.right && r.bottom <= m_y && m_y <= r.top) ? 1 : 0;
}

CPointD ScreenXYToWorld(int x, int y, double originX, double originY, double scale)
{
    CPointD w;
    w.m_x = originX + static_cast<double>(x) / scale;
    w.m_y = originY + static_cast<double>(y) / scale;
    return w;
}

void CPointD::SetXY(double x, double y)
{
    m_x = x;
    m_y = y;
}

void CPointD::SubtractXY(double dx, double dy)
{
    m_x -= dx;
    m_y -= dy;
}

void CPointD::AddXY(double dx, double dy)
{
    m_x += dx;
    m_y += dy;
}
