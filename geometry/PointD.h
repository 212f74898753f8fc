// The world point of every drawing: two doubles in millimetres, y pointing up. Copied by value;
// carries the conversions to and from a drawing window's logical coordinates.
#pragma once

#include "platform/core/WinTypes.h"

class CArchive;
class CDC;

class CPointD {
public:
    double m_x;
    double m_y;

    CPointD() : m_x(0.0), m_y(0.0) {}
    CPointD& Init(double x, double y);
    CPointD& Copy(const CPointD& other);
    void Assign(CPointD other);
    // In place, without a result: the document moves its points with these.
    void SetXY(double x, double y);
    void SubtractXY(double dx, double dy);
    void AddXY(double dx, double dy);
    void SetFromPoint(POINT p);
    CPointD GetPoint() const;

    // screen = (world - origin) * scale on both axes; the y axis is not flipped.
    CPointD WorldToScreen(const CPointD& origin, double scale) const;
    void SetFromScreen(POINT v, const CPointD& origin, double scale);
    CPointD ScreenToWorld(const CPointD& origin, double scale) const;

    CPointD Nearer(const CPointD& p, const CPointD& q) const;
    // The integer rectangle is read with top as the larger y; the border counts as inside.
    int IsInIntRect(const RECT& r) const;

    // Point markers, drawn at the point's screen position on the device context.
    void DrawCircleMark(CDC* dc, const CPointD& origin, double scale) const;
    void DrawCrossMark(CDC* dc, const CPointD& origin, double scale, int a) const;
    void DrawCrossCircleMark(CDC* dc, const CPointD& origin, double scale, int a) const;
};

CPointD ScreenXYToWorld(int x, int y, double originX, double originY, double scale);

// Archive form: x then y, each as its 8 little-endian IEEE bytes; loading validates nothing.
CArchive& StorePointD(CArchive& ar, const CPointD& p);
CArchive& LoadPointD(CArchive& ar, CPointD& p);
