// Copies, assignments, slot resets and the curve's pending points.
#include <gtest/gtest.h>

#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/DataPoint.h"
#include "elements/Line.h"
#include "elements/Text.h"

namespace {

CLine FilledLine()
{
    CLine line(1, 2, 3, 4);
    line.m_state = 0x81;
    line.m_mark = 0x06;
    line.m_swapped = 1;
    line.m_layer = 5;
    line.m_group = 6;
    line.m_role = 8;
    return line;
}

}  // namespace

TEST(ElementCopies, CopiesLeaveTheAttributeListEmptyAndAssignKeepsTheTargetsOwn)
{
    CLine source = FilledLine();
    source.m_attrStrings.Add(3);
    for (const CLine& copy : {CLine(source), CLine(&source)}) {
        EXPECT_EQ(copy.m_state, 0x81);
        EXPECT_EQ(copy.m_mark, 0x06);
        EXPECT_EQ(copy.m_end.m_y, 4.0);
        EXPECT_EQ(copy.m_swapped, 1);
        EXPECT_EQ(copy.m_layer, 5);
        EXPECT_EQ(copy.m_group, 6);
        EXPECT_EQ(copy.m_role, 8);
        EXPECT_EQ(copy.m_attrStrings.GetSize(), 0);
    }
    CLine target;
    target.m_attrStrings.Add(7);
    target.m_attrStrings.Add(9);
    target.Assign(source);
    EXPECT_EQ(target.m_start.m_x, 1.0);
    EXPECT_EQ(target.m_swapped, 1);
    EXPECT_EQ(target.m_role, 8);
    ASSERT_EQ(target.m_attrStrings.GetSize(), 2);
    EXPECT_EQ(target.m_attrStrings.GetAt(0), 7);

    CText text;
    text.m_text = "abc";
    text.m_alignment = 0x22;
    text.m_attrStrings.Add(1);
    const CText textCopy(text);
    EXPECT_EQ(textCopy.m_text, "abc");
    EXPECT_EQ(textCopy.m_alignment, 0x22);
    EXPECT_EQ(textCopy.m_attrStrings.GetSize(), 0);
    CText textTarget;
    textTarget.m_attrStrings.Add(4);
    textTarget.Assign(text);
    EXPECT_EQ(textTarget.m_text, "abc");
    EXPECT_EQ(textTarget.m_attrStrings.GetAt(0), 4);
}

TEST(ElementCopies, CircleAndArcAssignmentsKeepWhatTheirRulesKeep)
{
    CCircle source;
    source.m_centre.Init(1, 1);
    source.m_radius = 4;
    source.m_role = 2;
    source.m_layer = 3;
    CCircle target;
    target.m_role = 5;
    target.m_attrStrings.Add(1);
    target.Assign(source);
    EXPECT_EQ(target.m_radius, 4.0);
    EXPECT_EQ(target.m_layer, 3);
    EXPECT_EQ(target.m_role, 5);   // Assign keeps the target's role
    EXPECT_EQ(target.m_attrStrings.GetSize(), 1);

    CPointD centre, angles;
    CArc arc(centre.Init(2, 2), 3.0, angles.Init(0, 90));
    arc.m_role = 1;
    arc.m_group = 4;
    arc.m_mark = 2;
    target.AssignFromArc(arc);
    EXPECT_EQ(target.m_role, 1);   // AssignFromArc takes the arc's role
    EXPECT_EQ(target.m_group, 4);
    EXPECT_EQ(target.m_centre.m_x, 2.0);
    EXPECT_EQ(target.m_attrStrings.GetSize(), 1);

    const CCircle full(arc);
    EXPECT_EQ(full.m_role, 0);
    EXPECT_EQ(full.m_radius, 3.0);
    EXPECT_EQ(full.m_mark, 2);

    CArc flagged(centre, 1.0, angles);
    flagged.m_arcFlag = 5;
    const CArc arcCopy(flagged);
    EXPECT_EQ(arcCopy.m_arcFlag, 5);
    CArc plain;
    plain.Assign(flagged);
    EXPECT_EQ(plain.m_arcFlag, 1);
    EXPECT_EQ(plain.m_radius, 1.0);
}

TEST(ElementSlots, ResetGivesAStaleSlotTheValuesOfAFreshOne)
{
    CLine line = FilledLine();
    line.m_attrStrings.Add(2);
    line.Reset();
    EXPECT_EQ(line.m_state, 1);
    EXPECT_EQ(line.m_mark, 0);
    EXPECT_EQ(line.m_swapped, 0);
    EXPECT_EQ(line.m_group, -1);
    EXPECT_EQ(line.m_role, 0);
    EXPECT_EQ(line.m_attrStrings.GetSize(), 0);

    CCurve curve;
    CPointD p;
    curve.m_kind = 2;
    curve.m_state = 0x88;
    curve.m_points.push_back(p);
    curve.m_pendingPoints.push_back(p);
    curve.m_group = 3;
    curve.Reset();
    EXPECT_EQ(curve.m_state, 1);
    EXPECT_EQ(curve.m_kind, 0);
    EXPECT_TRUE(curve.m_points.empty());
    EXPECT_TRUE(curve.m_pendingPoints.empty());
    EXPECT_EQ(curve.m_group, -1);

    CText text;
    text.m_swapped = 1;
    text.m_role = 16;
    text.m_attrStrings.Add(0);
    text.Reset();
    EXPECT_EQ(text.m_swapped, 0);
    EXPECT_EQ(text.m_role, 0);
    EXPECT_EQ(text.m_alignment, 8);
    EXPECT_EQ(text.m_attrStrings.GetSize(), 0);

    CConic conic;
    conic.m_endAngle = 90;
    conic.m_polyline.push_back(p);
    conic.m_mark = 2;
    conic.Reset();
    EXPECT_EQ(conic.m_endAngle, 360.0);
    EXPECT_EQ(conic.m_ratio, 1.0);
    EXPECT_TRUE(conic.m_polyline.empty());
    EXPECT_EQ(conic.m_mark, 0);
}

TEST(CurvePoints, PendingPointsGoInFrontWhateverTheKind)
{
    CPointD a, b, c, d;
    a.Init(0, 0);
    b.Init(1, 0);
    c.Init(1, 1);
    d.Init(5, 5);
    for (std::uint8_t kind : {1, 2}) {
        CCurve curve;
        curve.m_kind = kind;
        curve.m_points.push_back(d);
        curve.m_pendingPoints = {a, b, c};
        curve.MergePendingPoints();
        ASSERT_EQ(curve.m_points.size(), 4u) << int(kind);
        EXPECT_EQ(curve.m_points[0].m_x, 0.0);
        EXPECT_EQ(curve.m_points[2].m_y, 1.0);
        EXPECT_EQ(curve.m_points[3].m_x, 5.0);
        EXPECT_TRUE(curve.m_pendingPoints.empty());
        EXPECT_EQ(curve.m_kind, kind);
    }
}

TEST(TextMove, TranslateMovesAllThreePointsBothWays)
{
    CText text;
    text.m_point.Init(1, 1);
    text.m_underlineStart.Init(1, 0);
    text.m_underlineEnd.Init(9, 0);
    text.Translate(2.5, -1, 1);
    EXPECT_EQ(text.m_point.m_x, 3.5);
    EXPECT_EQ(text.m_underlineStart.m_y, -1.0);
    EXPECT_EQ(text.m_underlineEnd.m_x, 11.5);
    text.Translate(2.5, -1, 0);
    EXPECT_EQ(text.m_point.m_x, 1.0);
    EXPECT_EQ(text.m_underlineEnd.m_y, 0.0);
}

TEST(ElementDefaults, ConstructorsStartLiveInNoGroup)
{
    const CDataPoint point;
    const CArc arc;
    const CConic conic;
    const CText text;
    EXPECT_EQ(point.m_state, 1);
    EXPECT_EQ(point.m_group, -1);
    EXPECT_EQ(arc.m_arcFlag, 1);
    EXPECT_EQ(arc.m_group, -1);
    EXPECT_EQ(conic.m_ratio, 1.0);
    EXPECT_EQ(conic.m_endAngle, 360.0);
    EXPECT_EQ(text.m_alignment, 8);
    EXPECT_EQ(text.m_group, -1);
}
