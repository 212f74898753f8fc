// CListingWriter: printed values, the previous reference and the common lines of the listings.
#include "listing/ListingWriter.h"

#include <cmath>
#include <vector>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/DataPoint.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/HistoryList.h"

namespace {

const char* const kAttributeLabel = " ･･･ 属性文字";

// Group labels by kind 1 to 9; other kinds read "グループ No." (an ancestor "上位グループ No.").
const char* const kGroupLabels[] = {
    "添字振仮名文字列グループ No.",
    "標準寸法線グループ No.",
    "面取り寸法線グループ No.",
    "直径寸法線グループ No.",
    "半径寸法線グループ No.",
    "角度寸法線グループ No.",
    "引出し線グループ No.",
    "フーセングループ No.",
    "複合文字列寸法値グループ No.",
};
const char* const kGroupLabel = "グループ No.";
const char* const kAncestorCompoundLabel = "上位複合文字列寸法値グループ No.";
const char* const kAncestorLabel = "上位グループ No.";

const char* GroupLabel(int kind, bool ancestor)
{
    if (kind >= 1 && kind <= 8)
        return kGroupLabels[kind - 1];
    if (kind == 9)
        return ancestor ? kAncestorCompoundLabel : kGroupLabels[8];
    return ancestor ? kAncestorLabel : kGroupLabel;
}

const char* const kLineTypeNames[] = {"Solid", "Dash", "Dot", "DashDot", "DashDotDot"};

}  // namespace

CListingWriter::CListingWriter(CHistoryList& list, CZelkDoc* doc)
    : m_list(list), m_doc(doc), m_scale(doc->m_ratio)
{
    // A scale of 0 (a damaged file) would print inf and nan; it reads as full size instead.
    if (m_scale == 0.0)
        m_scale = 1.0;
}

CPreviousGeometry CListingWriter::Previous() const
{
    CPreviousGeometry g;
    const CElemRef& ref = m_list.m_prevElem;
    if (ref.m_block == -1) {
        g.m_kind = CPreviousGeometry::POINT;
        g.m_p1 = m_list.m_prevPoint;
        return g;
    }
    const CZelkDoc* doc = m_list.m_prevDoc;
    if (!doc)
        return g;
    // Out-of-range blocks and slots come back null and give no distance lines.
    switch (ref.m_kind) {
    case ELEM_POINT:
        if (const CDataPoint* e = doc->GetPointElem(ref.m_block, ref.m_slot)) {
            g.m_kind = CPreviousGeometry::POINT;
            g.m_pointElement = true;
            g.m_p1 = e->m_position;
        }
        break;
    case ELEM_LINE:
        if (const CLine* e = doc->GetLineElem(ref.m_block, ref.m_slot)) {
            g.m_kind = CPreviousGeometry::LINE;
            g.m_p1 = e->m_start;
            g.m_p2 = e->m_end;
        }
        break;
    case ELEM_CIRCLE:
        if (const CCircle* e = doc->GetCircleElem(ref.m_block, ref.m_slot)) {
            g.m_kind = CPreviousGeometry::CIRCLE;
            g.m_p1 = e->m_centre;
            g.m_radius = e->m_radius;
        }
        break;
    case ELEM_ARC:
        if (const CArc* e = doc->GetArcElem(ref.m_block, ref.m_slot)) {
            g.m_kind = CPreviousGeometry::ARC;
            g.m_p1 = e->m_centre;
            g.m_radius = e->m_radius;
        }
        break;
    case ELEM_TEXT:
        if (const CText* e = doc->GetTextElem(ref.m_block, ref.m_slot)) {
            g.m_kind = CPreviousGeometry::TEXT;
            g.m_p1 = e->m_point;
        }
        break;
    default:
        break;
    }
    return g;
}

CString CListingWriter::Number(double v)
{
    double r = RoundToDecimalsByNextDigit(v, 3);
    // A small negative value rounds to -0, which would print with its sign.
    if (r == 0.0)
        r = 0.0;
    return DoubleRefToString(r);
}

CString CListingWriter::Length(double world) const
{
    return Number(world / m_scale);
}

CPointD CListingWriter::Relative(const CPointD& world) const
{
    return m_doc->WorldToRelative(world);
}

CString CListingWriter::Coords(const CPointD& world) const
{
    const CPointD p = Relative(world);
    return "( " + Length(p.m_x) + ", " + Length(p.m_y) + ")";
}

CString CListingWriter::Offset(const CPointD& from, const CPointD& to) const
{
    const CPointD a = Relative(from), b = Relative(to);
    return Length(b.m_x - a.m_x) + "X " + Length(b.m_y - a.m_y) + "Y " + Length(Distance(from, to)) +
           "L";
}

CString CListingWriter::Angle(double degrees) const
{
    return Number(degrees - m_doc->m_relAngle);
}

void CListingWriter::Add(const CString& text, WORD code)
{
    m_list.AddRecentWithCode(text, code);
}

void CListingWriter::AddLength(double world, const char* label)
{
    Add(Length(world) + "L" + label, LC_LENGTH);
}

void CListingWriter::AddPointDistanceLines(const CPointD& p, const CPointDistanceLabels& labels)
{
    const CPreviousGeometry prev = Previous();
    auto offsetAndHeading = [&](const CPointD& from, const char* heading) {
        if (labels.headingFirst)
            AddHeading(heading);
        AddOffset(from, p);
        if (!labels.headingFirst)
            AddHeading(heading);
    };
    switch (prev.m_kind) {
    case CPreviousGeometry::POINT:
        Add(Offset(prev.m_p1, p) + (prev.m_pointElement && labels.blanksAfterPointElement ? "  " : ""),
            LC_LENGTH);
        AddHeading(labels.point);
        break;
    case CPreviousGeometry::LINE:
        AddLength(std::fabs(SignedDistanceToLine(p, prev.m_p1, prev.m_p2)), labels.line);
        offsetAndHeading(prev.m_p2, labels.lineEnd);
        offsetAndHeading(prev.m_p1, labels.lineStart);
        break;
    case CPreviousGeometry::CIRCLE:
    case CPreviousGeometry::ARC: {
        const bool arc = prev.m_kind == CPreviousGeometry::ARC;
        const char* gap = arc ? labels.arcGap : labels.circleGap;
        const char* gapHeading = arc ? labels.arcGapHeading : labels.circleGapHeading;
        if (gap)
            AddLength(Distance(p, prev.m_p1) - prev.m_radius, gap);
        if (gapHeading)
            AddHeading(gapHeading);
        offsetAndHeading(prev.m_p1, arc ? labels.arcCentre : labels.circleCentre);
        break;
    }
    case CPreviousGeometry::TEXT:
        offsetAndHeading(prev.m_p1, labels.text);
        break;
    default:
        break;
    }
}

void CListingWriter::AddAttributeLines(const CWordArray& indices, const char* indent)
{
    for (int i = indices.GetSize() - 1; i >= 0; --i) {
        const CDataString* s = m_doc->GetString(indices[i]);
        if (!s || (s->m_state & STATE_DELETED))
            continue;
        Add(indent + s->m_text + kAttributeLabel, LC_ATTRIBUTE);
    }
}

void CListingWriter::AddAttributeAndGroupLines(const CWordArray& indices, int group)
{
    AddAttributeLines(indices, "");
    // Group numbers come from files and plug-ins: the walk stops at one out of range or already
    // seen, where a damaged parent chain would otherwise index past the table or never end.
    std::vector<bool> seen(static_cast<size_t>(m_doc->m_groups.GetSize()), false);
    bool ancestor = false;
    while (group >= 0 && group < m_doc->m_groups.GetSize() && !seen[static_cast<size_t>(group)]) {
        seen[static_cast<size_t>(group)] = true;
        const CGroup* g = m_doc->GetGroup(group);
        AddAttributeLines(g->m_attrStrings, "  ");
        Add(GroupLabel(g->m_kind, ancestor) + IntToString(group), LC_GROUP);
        ancestor = true;
        group = g->m_parent;
    }
}

void CListingWriter::AddLayerAndColorLines(int layer, COLORREF color)
{
    const CLayer* l = m_doc->GetLayer(static_cast<std::uint16_t>(layer));
    Add((l ? l->m_name : CString()) + " ･･･ レイヤ", LC_LAYER);
    Add("RGB( " + IntToString(GetRValue(color)) + ", " + IntToString(GetGValue(color)) + ", " +
            IntToString(GetBValue(color)) + ")" + " ･･･ 色",
        LC_COLOR);
}

void CListingWriter::AddPenLines(const CTypePen* pen)
{
    Add(IntToString(pen->m_blurCount) + " ･･･ ぼかしの回数", LC_BLUR_COUNT);
    Add(IntToString(pen->m_blurRate) + " ･･･ ぼかしの減衰率", LC_BLUR_RATE);
    const bool known = pen->m_lineType >= 0 && pen->m_lineType <= 4;
    Add(CString(known ? kLineTypeNames[pen->m_lineType] : "") + " ･･･ 線種", LC_LINE_TYPE);
    Add(DoubleToString(pen->m_width * 0.1) + " ･･･ 線幅", LC_LINE_WIDTH);
}

void CListingWriter::AddLayerAndPenLines(int layer, const CTypePen* pen)
{
    AddLayerAndColorLines(layer, pen->m_color);
    AddPenLines(pen);
}

void CListingWriter::Deliver()
{
    if (g_pApp)
        g_pApp->ShowResultsInTextWindow(m_list.m_texts);
}
