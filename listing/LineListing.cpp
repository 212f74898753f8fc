// The listing of a line segment: its distances from the previous reference, its end points,
// direction and length, and its layer and pen.
#include <cmath>

#include "document/ZelkDoc.h"
#include "elements/Line.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/HistoryList.h"
#include "listing/ListingWriter.h"

namespace {

// Distances from a previous circle or arc to the segment.
struct CRoundLabels {
    const char* endGap;
    const char* endCentre;
    const char* startGap;
    const char* startCentre;
    const char* lineGap;
    const char* lineCentre;
};

const CRoundLabels kCircleLabels = {
    " ･･･ 前円円周と終点の距離", "前円中心と終点の距離 ･･･", " ･･･ 前円円周と始点の距離",
    "前円中心と始点の距離 ･･･", " ･･･ 前円円周との距離",     " ･･･ 前円中心との距離",
};
const CRoundLabels kArcLabels = {
    " ･･･ 前円弧円周と終点の距離", "前円弧中心と終点の距離 ･･･", " ･･･ 前円弧円周と始点の距離",
    "前円弧中心と始点の距離 ･･･", " ･･･ 前円弧円周との距離",     " ･･･ 前円弧中心との距離",
};

// Distances from a previous point or text placement point to the segment.
struct CPointLabels {
    const char* line;
    const char* end;
    const char* start;
};

const CPointLabels kPreviousPointLabels = {
    " ･･･ 前点との距離", "前点と終点の距離 ･･･", "前点と始点の距離 ･･･"};
const CPointLabels kPreviousTextLabels = {
    " ･･･ 前文字列配置点との距離", "前文字列配置点と終点の距離 ･･･",
    "前文字列配置点と始点の距離 ･･･"};

double DistanceToLine(const CPointD& p, const CPointD& a, const CPointD& b)
{
    return std::fabs(SignedDistanceToLine(p, a, b));
}

void AddDistanceLines(CListingWriter& w, const CPointD& a, const CPointD& b)
{
    const CPreviousGeometry prev = w.Previous();
    switch (prev.m_kind) {
    case CPreviousGeometry::POINT:
    case CPreviousGeometry::TEXT: {
        const CPointLabels& l =
            prev.m_kind == CPreviousGeometry::POINT ? kPreviousPointLabels : kPreviousTextLabels;
        const CPointD& q = prev.m_p1;
        w.AddLength(DistanceToLine(q, a, b), l.line);
        w.AddOffset(q, b);
        w.AddHeading(l.end);
        w.AddOffset(q, a);
        w.AddHeading(l.start);
        break;
    }
    case CPreviousGeometry::LINE: {
        const CPointD& a0 = prev.m_p1;
        const CPointD& b0 = prev.m_p2;
        w.AddLength(DistanceToLine(b, a0, b0), " ･･･ 前線分と終点の距離");
        w.AddLength(DistanceToLine(a, a0, b0), " ･･･ 前線分と始点の距離");
        w.AddOffset(b0, b);
        w.AddHeading("前線終点と終点の距離 ･･･");
        w.AddOffset(a0, b);
        w.AddHeading("前線始点と終点の距離 ･･･");
        w.AddOffset(b0, a);
        w.AddHeading("前線終点と始点の距離 ･･･");
        w.AddOffset(a0, a);
        w.AddHeading("前線始点と始点の距離 ･･･");
        break;
    }
    case CPreviousGeometry::CIRCLE:
    case CPreviousGeometry::ARC: {
        const CRoundLabels& l = prev.m_kind == CPreviousGeometry::CIRCLE ? kCircleLabels : kArcLabels;
        const CPointD& c = prev.m_p1;
        const double r = prev.m_radius;
        w.AddLength(Distance(b, c) - r, l.endGap);
        w.AddOffset(c, b);
        w.AddHeading(l.endCentre);
        w.AddLength(Distance(a, c) - r, l.startGap);
        w.AddOffset(c, a);
        w.AddHeading(l.startCentre);
        // The gap to the segment's line only while that line does not cut the circle.
        const double h = DistanceToLine(c, a, b);
        if (h > r || NearlyEqual(h, r))
            w.AddLength(h - r, l.lineGap);
        w.AddLength(h, l.lineCentre);
        break;
    }
    default:
        break;
    }
}

}  // namespace

void CHistoryList::ListLineInformation(CZelkDoc* doc, CTypePen* pen, CLine* line)
{
    if (!doc || !pen || !line)
        return;
    CListingWriter w(*this, doc);
    const CPointD a = line->m_start;
    const CPointD b = line->m_end;
    const double length = line->Length();
    const double angle = line->AngleDeg();
    Clear();
    AddDistanceLines(w, a, b);
    w.AddAttributeAndGroupLines(line->m_attrStrings, line->m_group);
    w.Add(w.Coords(b) + " ･･･ 終点", LC_POINT);
    w.Add(w.Coords(a) + " ･･･ 始点", LC_POINT);
    w.Add(w.Angle(angle) + "D ･･･ 角度", LC_ANGLE);
    w.Add(w.Length(length) + "L ･･･ 長さ", LC_LENGTH);
    w.AddLayerAndPenLines(line->m_layer, pen);
    w.Deliver();
}
