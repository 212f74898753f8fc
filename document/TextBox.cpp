// Text-box computations: the box corners of a text relative to its anchor, the start line of its
// drag sketch and the ends of its underline.
#include <cmath>

#include "app/AppText.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"
#include "elements/ElementDrawing.h"
#include "elements/Text.h"
#include "geometry/Numeric.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

CPointD Scale(CPointD a, double f)
{
    return Pt(a.m_x * f, a.m_y * f);
}

CPointD RotateAboutOrigin(CPointD p, double degrees)
{
    double a = degrees * PI / 180.0;
    double c = std::cos(a), s = std::sin(a);
    return Pt(p.m_x * c - p.m_y * s, p.m_x * s + p.m_y * c);
}

// Per-character vectors are integer screen offsets.
CPointD TruncPt(double x, double y)
{
    return Pt(std::trunc(x), std::trunc(y));
}

// The end of the text's row or column measured from start by the text's own character loops.
POINT ToPoint(CPointD p)
{
    return TruncPoint(p.m_x, p.m_y);
}

CPointD MeasureRow(const CString& t, CPointD p, CPointD c, CPointD s, int rightToLeft)
{
    CText text;
    text.m_text = t;
    POINT end;
    text.MeasureRowChars(ToPoint(p), ToPoint(c), ToPoint(s), rightToLeft, end);
    return Pt(end.x, end.y);
}

CPointD MeasureColumn(const CString& t, CPointD p, CPointD a, CPointD s)
{
    CText text;
    text.m_text = t;
    POINT end;
    text.MeasureColumnChars(ToPoint(p), ToPoint(a), ToPoint(s), end);
    return Pt(end.x, end.y);
}

}  // namespace

double ComputeTextWidthRatio(const CString& text, const LOGFONT&, std::int32_t widthTenths,
                             std::int32_t heightTenths, int alignment, double spacing,
                             std::int32_t rightToLeft, double angle, int directionKind)
{
    if (text.IsEmpty())
        return 1.0;
    const int n = text.GetLength();
    const double b = widthTenths != 0 ? widthTenths : std::trunc(heightTenths * 0.5);
    const double alpha = angle * PI / 180.0;
    CPointD start, end;
    if (directionKind == 2) {
        // The column runs along -alpha.
        const double ux = std::cos(-alpha), uy = std::sin(-alpha);
        const double r7 = DocTextSettings().m_layoutRatio7;
        CPointD a = TruncPt(r7 * heightTenths * ux, r7 * heightTenths * uy);
        if (spacing < 0)
            a = Scale(a, -1);
        CPointD s = TruncPt(spacing * b * ux, spacing * b * uy);
        start = Pt(0, 0);
        end = MeasureColumn(text, start, a, s);
    } else {
        CPointD o = Pt(0, 0);
        if (alignment & 32)
            o = Pt(0.5 * heightTenths * std::sin(alpha), -0.5 * heightTenths * std::cos(alpha));
        const double ux = std::cos(alpha), uy = std::sin(alpha);
        CPointD c = TruncPt(b * ux, b * uy);
        CPointD s = TruncPt(spacing * b * ux, spacing * b * uy);
        if (rightToLeft) {
            c = Scale(c, -1);
            s = Scale(s, -1);
        }
        const double k = n - 1;
        double sx = 0, sy = 0;
        if ((alignment & 2) && !(alignment & 4)) {
            sx = k * c.m_x + k * s.m_x;
            sy = k * c.m_y + k * s.m_y;
        } else if (alignment & 4) {
            sx = std::trunc(k * c.m_x / 2) + std::trunc(k * s.m_x / 2);
            sy = std::trunc(k * c.m_y / 2) + std::trunc(k * s.m_y / 2);
        }
        start = Pt(std::trunc(o.m_x) - sx, std::trunc(o.m_y) - sy);
        end = MeasureRow(text, start, c, s, rightToLeft);
    }
    const double ratio = std::hypot(end.m_x - start.m_x, end.m_y - start.m_y) / (n * b);
    return (directionKind != 2 && rightToLeft) ? -ratio : ratio;
}

void ComputeTextBoxCorners(const LOGFONT&, std::int32_t widthTenths, std::int32_t heightTenths,
                           int alignment, const CString& text, int directionKind, double r,
                           CPointD& lowerLeft, CPointD& lowerRight, CPointD& upperLeft,
                           CPointD& upperRight)
{
    const double w = static_cast<double>(text.GetLength()) * widthTenths * r * 0.1;
    const double h = directionKind == 2 ? widthTenths * 0.2 : heightTenths * 0.1;
    switch (alignment) {
    case 8: lowerLeft = Pt(0, 0); upperLeft = Pt(0, h); break;
    case 14: lowerLeft = Pt(-w / 2, 0); upperLeft = Pt(-w / 2, h); break;
    case 10: lowerLeft = Pt(-w, 0); upperLeft = Pt(-w, h); break;
    case 32: lowerLeft = Pt(0, -h / 2); upperLeft = Pt(0, h / 2); break;
    case 38: lowerLeft = Pt(-w / 2, -h / 2); upperLeft = Pt(-w / 2, h / 2); break;
    case 34: lowerLeft = Pt(-w, -h / 2); upperLeft = Pt(-w, h / 2); break;
    case 0: lowerLeft = Pt(0, -h); upperLeft = Pt(0, 0); break;
    case 6: lowerLeft = Pt(-w / 2, -h); upperLeft = Pt(-w / 2, 0); break;
    case 2: lowerLeft = Pt(-w, -h); upperLeft = Pt(-w, 0); break;
    default: break;   // the caller's corners stay
    }
    lowerRight = Pt(lowerLeft.m_x + w, lowerLeft.m_y);
    upperRight = Pt(upperLeft.m_x + w, upperLeft.m_y);
}

void ComputeTextAnchorOffset(const LOGFONT&, std::int32_t widthTenths, std::int32_t heightTenths,
                             int alignment, const CString& text, CPointD& start,
                             CPointD& direction)
{
    const double w = static_cast<double>(text.GetLength()) * widthTenths * 0.1;
    const double h = heightTenths * 0.1;
    double x = 0, y = 0;
    switch (alignment) {
    case 8: x = 0; y = 0.1 * h; break;
    case 14: x = -w / 2; y = 0.1 * h; break;
    case 10: x = -w; y = 0.1 * h; break;
    case 32: x = 0; y = -0.4 * h; break;
    case 38: x = -w / 2; y = -0.4 * h; break;
    case 34: x = -w; y = -0.4 * h; break;
    case 0: x = 0; y = -0.9 * h; break;
    case 6: x = -w / 2; y = -0.9 * h; break;
    case 2: x = -w; y = -0.9 * h; break;
    default: break;
    }
    start = Pt(x, y);
    direction = Pt(w, 0);
}

void CZelkDoc::ComputeUnderlineEnds(CPointD corner1, CPointD corner2, int directionKind,
                                    double angle, const LOGFONT&, std::int32_t widthTenths,
                                    std::int32_t heightTenths, CPointD& end1, CPointD& end2)
{
    CPointD a = RotateAboutOrigin(corner1, angle);
    CPointD b = RotateAboutOrigin(corner2, angle);
    double d;
    if (directionKind == 2) {
        d = widthTenths * 0.1;
        if (d == 0)
            d = -(heightTenths * 0.1 * 0.5);
    } else {
        d = heightTenths * 0.1 * DocUnderlineRatio();
    }
    const double t = angle * PI / 180.0;
    const double dx = -d * std::sin(t), dy = d * std::cos(t);
    end1 = Pt(a.m_x + dx, a.m_y + dy);
    end2 = Pt(b.m_x + dx, b.m_y + dy);
}

void CZelkDoc::SetCurrentAngle(double a)
{
    if (!NearlyEqual(a, 360) && !NearlyEqual(a, -360)) {
        if (a > 360)
            a = std::fmod(a, 360);
        else if (a < -360)
            a = -std::fmod(-a, 360);
    }
    m_curAngle = a;
    if (NearlyEqual(a, 180)) {
    } else if (NearlyEqual(a, -180)) {
        m_curAngle = 180;
    } else if (a > 180) {
        m_curAngle -= 360;
    } else if (a < -180) {
        m_curAngle += 360;
    }
    m_absAngle = m_relAngle + m_curAngle;
}

CPointD CZelkDoc::WorldToRelative(CPointD p) const
{
    const double theta = m_relAngle * PI / 180.0;
    const double dx = p.m_x - m_relOrigin.m_x, dy = p.m_y - m_relOrigin.m_y;
    const double phi = std::atan2(dy, dx), r = std::hypot(dx, dy);
    return Pt(r * std::cos(phi - theta), r * std::sin(phi - theta));
}

CPointD CZelkDoc::RelativeToWorld(CPointD p) const
{
    const double theta = m_relAngle * PI / 180.0;
    const double phi = std::atan2(p.m_y, p.m_x), r = std::hypot(p.m_x, p.m_y);
    return Pt(m_relOrigin.m_x + r * std::cos(phi + theta), m_relOrigin.m_y + r * std::sin(phi + theta));
}
