// The listing of a text: distances from the previous reference to the placement point, the
// placement and underline, the form, anchor and font of the text's block, layer and colour.
#include <cstring>

#include "document/ZelkDoc.h"
#include "elements/Text.h"
#include "elements/TypeFont.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/HistoryList.h"
#include "listing/ListingWriter.h"

namespace {

const CPointDistanceLabels kTextLabels = {
    "前点と配置点の距離 ･･･",
    " ･･･ 前線分と配置点の距離",
    "前線分終点と配置点の距離 ･･･",
    "前線分始点と配置点の距離 ･･･",
    " ･･･ 前円円周と配置点の距離",
    nullptr,
    "前円中心と配置点の距離 ･･･",
    " ･･･ 前円弧円周と配置点の距離",
    nullptr,
    "前円弧中心と配置点の距離 ･･･",
    "前文字列配置点と配置点の距離 ･･･",
    false,
    false,
};

struct CAnchorName {
    int alignment;
    const char* name;
};

const CAnchorName kAnchorNames[] = {
    {8, "左下"}, {14, "中下"}, {10, "右下"}, {32, "左中"}, {38, "中中"},
    {34, "右中"}, {0, "左上"},  {6, "中上"},  {2, "右上"},
};

const char* AnchorName(int alignment)
{
    for (const CAnchorName& a : kAnchorNames)
        if (a.alignment == alignment)
            return a.name;
    return "";
}

// A face name read from a file may fill all its bytes without a terminator.
CString FaceName(const LOGFONT& f)
{
    return CString(f.lfFaceName, static_cast<int>(strnlen(f.lfFaceName, LF_FACESIZE)));
}

const char* const kSpacingLabel = " ･･･ 文字間隔比";

// The form lines of a fixed-direction or standard text. `angle` is the underline's angle as
// listed, which the slant along the string line is measured from.
void AddFormLines(CListingWriter& w, const CTypeFont& font, double angle)
{
    if (font.m_style2 == 1) {
        w.Add("標準文字列", LC_TEXT_STANDARD);
        return;
    }
    if (font.m_style2 != 2)
        return;
    const CString spacing = DoubleToString(font.m_spacing) + kSpacingLabel;
    // A whole number of degrees: the escapement is in tenths, turned the other way.
    const int slant = static_cast<int>(font.m_logFont.lfEscapement / -10.0);
    switch (font.m_style3) {
    case 1:
        w.Add(spacing + "：横書き文字列", LC_TEXT_HORIZONTAL);
        break;
    case 2:
        w.Add(spacing + "：縦書き文字列", LC_TEXT_VERTICAL);
        break;
    case 3:
        w.Add(spacing, LC_TEXT_SLANTED_SPACING);
        w.Add(IntToString(slant) + " ･･･ 文字傾斜" + "：傾斜文字列", LC_TEXT_SLANT);
        break;
    case 4:
        w.Add(spacing, LC_TEXT_ALONG_SPACING);
        w.Add(DoubleToString(slant - angle) + " ･･･ 文字傾斜：文字列ライン基準", LC_TEXT_ALONG_SLANT);
        break;
    default:
        break;
    }
}

}  // namespace

void CHistoryList::ListTextInformation(CZelkDoc* doc, CTypeFont* font, CText* text)
{
    if (!doc || !font || !text)
        return;
    CListingWriter w(*this, doc);
    const CPointD p = text->m_point;
    const CPointD u1 = text->m_underlineStart;
    const CPointD u2 = text->m_underlineEnd;
    double length = 0;
    const double direction = PointsAngleDegLen(u1, u2, length);
    const double angle = RoundToDecimalsByNextDigit(direction - doc->m_relAngle, 3);
    Clear();
    w.AddPointDistanceLines(p, kTextLabels);
    w.AddAttributeAndGroupLines(text->m_attrStrings, text->m_group);
    w.Add(w.Coords(u2) + " ･･･ 下線終点", LC_POINT);
    w.Add(w.Coords(u1) + " ･･･ 下線始点", LC_POINT);
    w.Add(w.Coords(p) + " ･･･ 配置点", LC_POINT);
    w.Add(w.Angle(direction) + "D ･･･ 角度", LC_ANGLE);
    w.Add(w.Length(length) + "L ･･･ 長さ", LC_LENGTH);
    AddFormLines(w, *font, angle);
    w.Add(CString(AnchorName(text->m_alignment)) + " ･･･ 配置基準", LC_ANCHOR);
    w.Add(DoubleToString(font->m_height * 0.1) + "H, " + DoubleToString(font->m_width * 0.1) + "W " +
              " ･･･ フォントサイズ",
          LC_FONT);
    w.Add(FaceName(font->m_logFont) + " ･･･ フォント名", LC_FONT);
    w.AddLayerAndColorLines(text->m_layer, text->m_color);
    w.Deliver();
}
