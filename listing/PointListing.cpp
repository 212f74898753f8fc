// The listing of a point element and the measurement of a picked point: the point's place and
// its distances from the previous reference.
#include "document/ZelkDoc.h"
#include "elements/DataPoint.h"
#include "elements/TypePen.h"
#include "input/HistoryList.h"
#include "listing/ListingWriter.h"

namespace {

const CPointDistanceLabels kPointLabels = {
    "前点との距離 ･･･",
    " ･･･ 前線分との距離",
    "前線分終点との距離 ･･･",
    "前線分始点との距離 ･･･",
    "",
    "前円円周との距離 ･･･",
    "前円中心との距離 ･･･",
    "",
    "前円弧円周との距離 ･･･",
    "前円弧中心との距離 ･･･",
    "前文字列配置点との距離 ･･･",
    true,
    false,
};

// A measurement names each distance by a label of its own and puts the headings of the
// previous element's points before their offsets.
const CPointDistanceLabels kMeasurementLabels = {
    "前点との距離 ･･･",
    " ･･･ 前線分との距離",
    "前線分終点との距離 ･･･",
    "前線分始点との距離 ･･･",
    " ･･･ 前円円周との距離",
    nullptr,
    "前円中心との距離 ･･･",
    " ･･･ 前円弧円周との距離",
    nullptr,
    "前円弧中心との距離 ･･･",
    "前文字列配置点との距離 ･･･",
    false,
    true,
};

const char* const kPointLabel = " ･･･ 点";

}  // namespace

void CHistoryList::ListPointInformation(CZelkDoc* doc, CTypePen* pen, CDataPoint* point)
{
    if (!doc || !pen || !point)
        return;
    CListingWriter w(*this, doc);
    const CPointD p = point->m_position;
    Clear();
    w.AddPointDistanceLines(p, kPointLabels);
    w.AddAttributeAndGroupLines(point->m_attrStrings, point->m_group);
    w.Add(w.Coords(p) + kPointLabel, LC_POINT);
    w.AddLayerAndColorLines(point->m_layer, pen->m_color);
    w.Deliver();
}

void CHistoryList::ListPointMeasurement(CZelkDoc* doc, CPointD* point)
{
    if (!doc || !point)
        return;
    CListingWriter w(*this, doc);
    const CPointD p = *point;
    Clear();
    w.AddPointDistanceLines(p, kMeasurementLabels);
    w.Add(w.Coords(p) + kPointLabel, LC_POINT);
    w.Deliver();
}
