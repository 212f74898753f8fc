// An axis-parallel world (or screen) rectangle of four doubles: left (smallest x), top (largest y),
// right (largest x), bottom (smallest y).
#pragma once

#include "geometry/PointD.h"
#include "platform/core/WinTypes.h"

class CArchive;
class CDC;

class CRectD {
public:
    double m_left;
    double m_top;
    double m_right;
    double m_bottom;

    CRectD();
    CRectD& Init(double left, double top, double right, double bottom);
    void SetFromPoints(const CPointD& a, const CPointD& b);
    void SetFromIntRect(const RECT& r);

    CRectD WorldToScreen(const CPointD& origin, double scale) const;
    void SetFromScreenRect(const RECT& r, const CPointD& origin, double scale);
    void SetFromScreenRectD(const CRectD& r, const CPointD& origin, double scale);

    void Normalize();
    // Logical coordinates of a drawing window are 16-bit: x in [0, 32767], y in [-32768, 0].
    void ClampToScreen();
    int Contains(const CPointD& p) const;

    // The four sides as temporary line elements: top, bottom (horizontal), left, right (vertical).
    void Draw(CDC* dc, const CPointD& origin, double scale, const RECT& clip) const;
};

// Archive form: left, top, right, bottom, each as its 8 little-endian IEEE bytes.
CArchive& StoreRectD(CArchive& ar, const CRectD& r);
CArchive& LoadRectD(CArchive& ar, CRectD& r);
