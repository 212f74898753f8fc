// CRectD: construction, conversions, normalising and the containment test. Draw lives with the
// line element's drawing routines (PointDDraw.cpp).
#include "geometry/RectD.h"

#include <algorithm>

CRectD::CRectD() : m_left(0.0), m_top(0.0), m_right(0.0), m_bottom(0.0) {}

CRectD& CRectD::Init(double left, double top, double right, double bottom)
{
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
    return *this;
}

void CRectD::SetFromPoints(const CPointD& a, const CPointD& b)
{
    m_left = std::min(a.m_x, b.m_x);
    m_top = std::max(a.m_y, b.m_y);
    m_right = std::max(a.m_x, b.m_x);
    m_bottom = std::min(a.m_y, b.m_y);
}

void CRectD::SetFromIntRect(const RECT& r)
{
    m_left = static_cast<double>(r.left);
    m_top = static_cast<double>(r.top);
    m_right = static_cast<double>(r.right);
    m_bottom = static_cast<double>(r.bottom);
}

CRectD CRectD::WorldToScreen(const CPointD& origin, double scale) const
{
    CRectD s;
    s.m_left = (m_left - origin.m_x) * scale;
    s.m_top = (m_top - origin.m_y) * scale;
    s.m_right = (m_right - origin.m_x) * scale;
    s.m_bottom = (m_bottom - origin.m_y) * scale;
    return s;
}

void CRectD::SetFromScreenRect(const RECT& r, const CPointD& origin, double scale)
{
    m_left = static_cast<double>(r.left) / scale + origin.m_x;
    m_top = static_cast<double>(r.top) / scale + origin.m_y;
    m_right = static_cast<double>(r.right) / scale + origin.m_x;
    m_bottom = static_cast<double>(r.bottom) / scale + origin.m_y;
}

void CRectD::SetFromScreenRectD(const CRectD& r, const CPointD& origin, double scale)
{
    m_left = r.m_left / scale + origin.m_x;
    m_top = r.m_top / scale + origin.m_y;
    m_right = r.m_right / scale + origin.m_x;
    m_bottom = r.m_bottom / scale + origin.m_y;
}

void CRectD::Normalize()
{
    if (m_left > m_right) {
        std::swap(m_left, m_right);
    }
    if (m_top < m_bottom) {
        std::swap(m_top, m_bottom);
    }
}

namespace {

double ClampSide(double v, double low, double high)
{
    if (v < low) {
        return low;
    }
    if (v > high) {
        return high;
    }
    return v;
}

} // namespace

void CRectD::ClampToScreen()
{
    m_left = ClampSide(m_left, 0.0, 32767.0);
    m_right = ClampSide(m_right, 0.0, 32767.0);
    m_top = ClampSide(m_top, -32768.0, 0.0);
    m_bottom = ClampSide(m_bottom, -32768.0, 0.0);
}

int CRectD::Contains(const CPointD& p) const
{
    return (m_left <= p.m_x && p.m_x <= m_right && m_bottom <= p.m_y && p.m_y <= m_top) ? 1 : 0;
}
