// The listings of an ellipse and of a free curve. An ellipse is related to the previous
// reference by its centre alone; a curve has no geometry lines and no distance lines.
#include <utility>

#include "document/ZelkDoc.h"
#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/TypePen.h"
#include "geometry/Numeric.h"
#include "input/HistoryList.h"
#include "listing/ListingWriter.h"

namespace {

const CPointDistanceLabels kConicLabels = {
    "前点と中心の距離 ･･･",
    " ･･･ 前線分と中心の距離",
    "前線分終点と中心の距離 ･･･",
    "前線分始点と中心の距離 ･･･",
    nullptr,
    nullptr,
    "前円中心と中心の距離 ･･･",
    nullptr,
    nullptr,
    "前円弧中心と中心の距離 ･･･",
    "前文字列配置点と中心の距離 ･･･",
    false,
    false,
};

}  // namespace

void CHistoryList::ListConicInformation(CZelkDoc* doc, CTypePen* pen, CConic* conic)
{
    if (!doc || !pen || !conic)
        return;
    CListingWriter w(*this, doc);
    const CPointD c = conic->m_centre;
    Clear();
    w.AddPointDistanceLines(c, kConicLabels);
    w.AddAttributeAndGroupLines(conic->m_attrStrings, conic->m_group);
    // The minor axis comes from the ratio as printed; the larger axis is always the major one.
    const double a = RoundToDecimalsByNextDigit(conic->m_majorRadius / w.m_scale, 3);
    const double k = RoundToDecimalsByNextDigit(conic->m_ratio, 3);
    double major = RoundToDecimalsByNextDigit(2 * a, 3);
    double minor = RoundToDecimalsByNextDigit(2 * k * a, 3);
    if (major < minor)
        std::swap(major, minor);
    w.Add(CListingWriter::Number(k) + "R ･･･ 比率", LC_HEADING);
    w.Add(DoubleRefToString(conic->m_tilt) + "D ･･･ 傾斜", LC_ANGLE);
    w.Add(DoubleRefToString(conic->m_endAngle) + "D ･･･ 元円(弧)終角", LC_ANGLE);
    w.Add(DoubleRefToString(conic->m_startAngle) + "D ･･･ 元円(弧)始角", LC_ANGLE);
    w.Add(w.Coords(c) + " ･･･ 中心点", LC_POINT);
    w.Add(CListingWriter::Number(minor) + "L ･･･ 短径", LC_RADIUS);
    w.Add(CListingWriter::Number(major) + "L ･･･ 長径", LC_DIAMETER);
    w.AddLayerAndPenLines(conic->m_layer, pen);
    w.Deliver();
}

void CHistoryList::ListCurveInformation(CZelkDoc* doc, CTypePen* pen, CCurve* curve)
{
    if (!doc || !pen || !curve)
        return;
    CListingWriter w(*this, doc);
    Clear();
    w.AddAttributeAndGroupLines(curve->m_attrStrings, curve->m_group);
    w.AddLayerAndPenLines(curve->m_layer, pen);
    w.Deliver();
}
