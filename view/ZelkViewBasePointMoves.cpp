// The numeric moves of the base point that typed lengths and Ctrl+arrows make: the world base
// point and its twin in the user axes move together.
#include "view/ZelkView.h"

#include <cmath>

#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"

namespace {

constexpr double kPi = 3.141592653589793;

double Cos(double degrees)
{
    return RoundToDecimals(std::cos(degrees * kPi / 180.0), 15);
}

double Sin(double degrees)
{
    return RoundToDecimals(std::sin(degrees * kPi / 180.0), 15);
}

double Sense(int kind)
{
    return kind == 2 || kind == 4 ? -1.0 : 1.0;
}

CPointD Point(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

} // namespace

void CZelkView::MoveBasePointByVector(int kind, double dx, double dy)
{
    CZelkDoc* doc = m_document;
    const double phi = doc->m_relAngle;
    const double h = Sense(kind) * dx;
    const double m = Sense(kind) * dy;
    const CPointD b = doc->m_basePoint;
    const CPointD u = doc->m_refPoint;
    doc->SetBasePoint(Point(b.m_x + Cos(phi) * h - Sin(phi) * m, b.m_y + Sin(phi) * h + Cos(phi) * m),
                      Point(u.m_x + h, u.m_y + m));
}

void CZelkView::MoveBasePointAlongAxis(int kind, double distance)
{
    CZelkDoc* doc = m_document;
    const bool alongX = kind == 1 || kind == 2;
    const double a = doc->m_relAngle + (alongX ? 0.0 : 90.0);
    const double d = Sense(kind) * distance;
    const CPointD b = doc->m_basePoint;
    const CPointD u = doc->m_refPoint;
    doc->SetBasePoint(Point(b.m_x + d * Cos(a), b.m_y + d * Sin(a)),
                      alongX ? Point(u.m_x + d, u.m_y) : Point(u.m_x, u.m_y + d));
}

void CZelkView::MoveBasePointPolar(int kind, double angle, double length)
{
    CZelkDoc* doc = m_document;
    const double a = angle + doc->m_relAngle;
    const double l = Sense(kind) * length;
    const CPointD b = doc->m_basePoint;
    const CPointD u = doc->m_refPoint;
    doc->SetBasePoint(Point(b.m_x + l * Cos(a), b.m_y + l * Sin(a)),
                      Point(u.m_x + l * std::cos(angle * kPi / 180.0), u.m_y + l * std::sin(angle * kPi / 180.0)));
}

void CZelkView::OffsetBasePoint(double distance)
{
    CZelkDoc* doc = m_document;
    const double a = doc->m_curAngle + 90.0;
    const CPointD b = doc->m_basePoint;
    const CPointD moved = Point(b.m_x + distance * Cos(a), b.m_y + distance * Sin(a));
    doc->SetBasePoint(moved, doc->WorldToRelative(moved));
}
