// The listings of a circle and of an arc: distances from the previous reference to the centre
// and the full circle, the own measures, and the layer and pen.
#include <cmath>

#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/HistoryList.h"
#include "listing/ListingWriter.h"

namespace {

// Distance lines of a circle or an arc; an arc counts as its full circle.
void AddDistanceLines(CListingWriter& w, const CPointD& c, double r)
{
    const CPreviousGeometry prev = w.Previous();
    switch (prev.m_kind) {
    case CPreviousGeometry::POINT:
        w.AddLength(Distance(prev.m_p1, c) - r, " ･･･ 前点と円周の距離");
        w.AddOffset(prev.m_p1, c);
        w.AddHeading("前点と中心の距離 ･･･");
        break;
    case CPreviousGeometry::LINE: {
        // The gap only while the line does not cut the circle.
        const double h = std::fabs(SignedDistanceToLine(c, prev.m_p1, prev.m_p2));
        if (h > r || NearlyEqual(h, r))
            w.AddLength(h - r, " ･･･ 前線分と円周の距離");
        w.AddLength(h, " ･･･ 前線分と中心の距離");
        w.AddOffset(prev.m_p2, c);
        w.AddHeading("前線分終点と中心の距離 ･･･");
        w.AddOffset(prev.m_p1, c);
        w.AddHeading("前線分始点と中心の距離 ･･･");
        break;
    }
    case CPreviousGeometry::CIRCLE:
    case CPreviousGeometry::ARC: {
        const bool arc = prev.m_kind == CPreviousGeometry::ARC;
        // The gap only while the two circles neither overlap nor hold one another.
        const double d = Distance(prev.m_p1, c);
        const double touching = prev.m_radius + r;
        if (d > touching || NearlyEqual(d, touching))
            w.AddLength(d - touching, arc ? " ･･･ 前円弧円周と円周の距離" : " ･･･ 前円円周と円周の距離");
        w.AddOffset(prev.m_p1, c);
        w.AddHeading(arc ? "前円弧中心と中心の距離 ･･･" : "前円中心と中心の距離 ･･･");
        break;
    }
    case CPreviousGeometry::TEXT:
        w.AddLength(Distance(prev.m_p1, c) - r, " ･･･ 前文字列配置点と円周の距離");
        w.AddOffset(prev.m_p1, c);
        w.AddHeading("前文字列配置点と中心の距離 ･･･");
        break;
    default:
        break;
    }
}

const char* const kCentreLabel = " ･･･ 中心点";
const char* const kRadiusLabel = "L ･･･ 半径";
const char* const kDiameterLabel = "L ･･･ 直径";

}  // namespace

void CHistoryList::ListCircleInformation(CZelkDoc* doc, CTypePen* pen, CCircle* circle)
{
    if (!doc || !pen || !circle)
        return;
    CListingWriter w(*this, doc);
    const CPointD c = circle->m_centre;
    const double r = circle->m_radius;
    const double circumference = PI * r * 2;
    Clear();
    AddDistanceLines(w, c, r);
    w.AddAttributeAndGroupLines(circle->m_attrStrings, circle->m_group);
    w.Add(w.Length(circumference) + "L ･･･ 周長", LC_LENGTH);
    w.Add(w.Coords(c) + kCentreLabel, LC_POINT);
    // The diameter is twice the radius as printed, so the two lines always agree.
    const double radius = RoundToDecimalsByNextDigit(r / w.m_scale, 3);
    w.Add(CListingWriter::Number(radius) + kRadiusLabel, LC_RADIUS);
    w.Add(DoubleRefToString(radius * 2) + kDiameterLabel, LC_DIAMETER);
    w.AddLayerAndPenLines(circle->m_layer, pen);
    w.Deliver();
}

void CHistoryList::ListArcInformation(CZelkDoc* doc, CTypePen* pen, CArc* arc)
{
    if (!doc || !pen || !arc)
        return;
    CListingWriter w(*this, doc);
    const CPointD c = arc->m_centre;
    const double r = arc->m_radius;
    const double a0 = arc->m_startAngle;
    const double a1 = arc->m_endAngle;
    const double arcLength = (a1 - a0) * PI * r / 180;
    const CPointD s = arc->KeyPoint(-1);
    const CPointD e = arc->KeyPoint(-2);
    Clear();
    AddDistanceLines(w, c, r);
    w.AddAttributeAndGroupLines(arc->m_attrStrings, arc->m_group);
    w.Add(w.Coords(e) + " ･･･ 終点", LC_POINT);
    w.Add(w.Coords(s) + " ･･･ 始点", LC_POINT);
    w.Add(w.Length(arcLength) + "L ･･･ 円弧長", LC_LENGTH);
    w.Add(w.Angle(a1) + "D ･･･ 終角", LC_ANGLE);
    w.Add(w.Angle(a0) + "D ･･･ 始角", LC_ANGLE);
    w.Add(w.Coords(c) + kCentreLabel, LC_POINT);
    w.Add(w.Length(r) + kRadiusLabel, LC_RADIUS);
    w.Add(CListingWriter::Number(2 * (r / w.m_scale)) + kDiameterLabel, LC_DIAMETER);
    w.AddLayerAndPenLines(arc->m_layer, pen);
    w.Deliver();
}
