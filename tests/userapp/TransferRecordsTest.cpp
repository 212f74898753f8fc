// The transfer records: what copies keep and drop, what assignment adds, the value constructors
// of a plug-in's figure, and the elements the program makes from records.
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "geometry/ElemRef.h"
#include "userapp/UserAppRecords.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

using Indices = std::vector<std::uint16_t>;

UserAppElemRef Ref(std::int16_t kind, std::int16_t block, std::int16_t slot)
{
    UserAppElemRef r;
    r.Init(kind, block, slot, 1, 0);
    return r;
}

}  // namespace

TEST(TransferRecords, CopiesDropTheRoleAndForSomeKindsTheAttributes)
{
    UserAppLineRecord line(P(1, 2), P(3, 4), 2, 5, 1);
    line.m_attrStrings = {1, 2};
    line.m_role = 9;
    line.m_directionKind = 2;
    line.m_swapped = 1;
    const UserAppLineRecord lineCopy(line);
    EXPECT_TRUE(lineCopy.m_attrStrings.empty());
    EXPECT_EQ(lineCopy.m_role, -1);
    EXPECT_EQ(lineCopy.m_pen, 5);
    EXPECT_EQ(lineCopy.m_directionKind, 2);
    EXPECT_EQ(lineCopy.m_swapped, 1);
    EXPECT_EQ(lineCopy.m_end.m_y, 4.0);

    UserAppCircleRecord circle;
    circle.m_attrStrings = {4};
    circle.m_role = 3;
    circle.m_pen = 2;
    circle.m_radius = 6;
    const UserAppCircleRecord circleCopy(circle);
    EXPECT_TRUE(circleCopy.m_attrStrings.empty());
    EXPECT_EQ(circleCopy.m_role, -1);
    EXPECT_EQ(circleCopy.m_pen, 2);
    EXPECT_EQ(circleCopy.m_radius, 6.0);

    UserAppArcRecord arc(P(0, 0), 2, P(30, 60), 1, 1, 1);
    arc.m_attrStrings = {4};
    arc.m_role = 3;
    const UserAppArcRecord arcCopy(arc);
    EXPECT_TRUE(arcCopy.m_attrStrings.empty());
    EXPECT_EQ(arcCopy.m_role, -1);
    EXPECT_EQ(arcCopy.m_endAngle, 60.0);

    UserAppPointRecord point;
    point.m_attrStrings = {4, 5};
    point.m_role = 3;
    point.m_pen = 1;
    const UserAppPointRecord pointCopy(point);
    EXPECT_EQ(pointCopy.m_role, -1);
    EXPECT_EQ(pointCopy.m_attrStrings, (Indices{4, 5}));
    EXPECT_EQ(pointCopy.m_pen, 1);

    UserAppTextRecord text;
    text.m_text = "注記";
    text.m_role = 4;
    text.m_attrStrings = {1};
    const UserAppTextRecord textCopy(text);
    EXPECT_EQ(textCopy.m_role, 4);
    EXPECT_EQ(textCopy.m_attrStrings, (Indices{1}));
    EXPECT_STREQ(textCopy.m_text, "注記");
}

TEST(TransferRecords, AssignmentPutsIndicesInFrontAndAppendsReferences)
{
    UserAppPointRecord target;
    target.m_attrStrings = {3, 4};
    UserAppPointRecord source;
    source.m_attrStrings = {7};
    source.m_position = P(5, 6);
    source.m_role = 2;
    target = source;
    EXPECT_EQ(target.m_attrStrings, (Indices{7, 3, 4}));
    EXPECT_EQ(target.m_position.m_x, 5.0);
    // The value handed over is a copy, made without the role.
    EXPECT_EQ(target.m_role, -1);
    EXPECT_EQ(source.m_attrStrings, (Indices{7}));

    UserAppGroupRecord group;
    group.m_members = {Ref(4, 0, 1)};
    group.m_attrStrings = {2};
    UserAppGroupRecord incoming;
    incoming.m_name = "組";
    incoming.m_kind = 2;
    incoming.m_members = {Ref(8, 1, 2), Ref(16, 3, 4)};
    incoming.m_attrStrings = {5, 6};
    group = incoming;
    ASSERT_EQ(group.m_members.size(), 3u);
    EXPECT_EQ(group.m_members[0].m_kind, 4);
    EXPECT_EQ(group.m_members[1].m_kind, 8);
    EXPECT_EQ(group.m_members[2].m_slot, 4);
    EXPECT_EQ(group.m_attrStrings, (Indices{5, 6, 2}));
    EXPECT_STREQ(group.m_name, "組");
    EXPECT_EQ(group.m_kind, 2);

    UserAppStringRecord attr;
    attr.m_refs = {Ref(2, 0, 0)};
    UserAppStringRecord attrIn;
    attrIn.m_text = "材質";
    attrIn.m_refs = {Ref(4, 0, 0)};
    attr = attrIn;
    ASSERT_EQ(attr.m_refs.size(), 2u);
    EXPECT_EQ(attr.m_refs[1].m_kind, 4);
    EXPECT_STREQ(attr.m_text, "材質");
}

TEST(TransferRecords, ReferenceInitKeepsTheExtraByte)
{
    UserAppElemRef ref;
    ref.m_extra = 5;
    ref.Init(16, 2, 3, 9, 4);
    EXPECT_EQ(ref.m_extra, 5);
    EXPECT_EQ(ref.m_kind, 16);
    EXPECT_EQ(ref.m_block, 2);
    EXPECT_EQ(ref.m_slot, 3);
    EXPECT_EQ(ref.m_state, 9);
    EXPECT_EQ(ref.m_mark, 4);

    CElemRef element;
    element.Init(4, 1, 2, 1, 0);
    element.m_extra = 6;
    ref.Assign(element);
    EXPECT_EQ(ref.m_extra, 6);
    EXPECT_EQ(ref.m_state, 1);
}

TEST(TransferRecords, ValueConstructorsSetOnlyTheirFields)
{
    const UserAppPenRecord pen(static_cast<std::int16_t>(-2), 12, 0x00FF00);
    EXPECT_EQ(pen.m_lineType, -2);
    EXPECT_EQ(pen.m_width, 12);
    EXPECT_EQ(pen.m_color, 0x00FF00u);
    EXPECT_EQ(pen.m_blurCount, 0);
    EXPECT_EQ(pen.m_blurRate, 70);

    const UserAppLineRecord line(P(1, 2), P(3, 4), -1, 1, 0);
    EXPECT_EQ(line.m_state, 1);
    EXPECT_EQ(line.m_mark, 1);
    EXPECT_EQ(line.m_start.m_x, 1.0);
    EXPECT_EQ(line.m_end.m_y, 4.0);
    EXPECT_EQ(line.m_layer, -1);
    EXPECT_EQ(line.m_pen, 1);
    EXPECT_EQ(line.m_group, 0);
    EXPECT_EQ(line.m_swapped, 0);
    EXPECT_EQ(line.m_directionKind, 4);
    EXPECT_TRUE(line.m_attrStrings.empty());

    const UserAppArcRecord arc(P(5, 6), 7, P(30, 150), -1, 0, 0);
    EXPECT_EQ(arc.m_centre.m_y, 6.0);
    EXPECT_EQ(arc.m_radius, 7.0);
    EXPECT_EQ(arc.m_startAngle, 30.0);
    EXPECT_EQ(arc.m_endAngle, 150.0);
    EXPECT_EQ(arc.m_arcFlag, 1);
    EXPECT_EQ(arc.m_layer, -1);
    EXPECT_EQ(arc.m_pen, 0);
    EXPECT_EQ(arc.m_group, 0);
    EXPECT_EQ(arc.m_state, 1);
}

TEST(TransferRecords, ElementCopiesLeavePenAndFontUnset)
{
    CLine line;
    line.m_start = P(1, 1);
    std::unique_ptr<UserAppLineRecord> l(line.ToRecord());
    EXPECT_EQ(l->m_pen, -1);
    EXPECT_EQ(l->m_directionKind, 4);
    CCircle circle;
    std::unique_ptr<UserAppCircleRecord> c(circle.ToRecord());
    EXPECT_EQ(c->m_pen, -1);
    CArc arc;
    std::unique_ptr<UserAppArcRecord> a(arc.ToRecord());
    EXPECT_EQ(a->m_pen, -1);
}

TEST(TransferRecords, ElementsTakeAPlugInsRecord)
{
    CLine line;
    line.m_attrStrings.Add(9);
    // A record built in place reaches the element whole, its role included.
    auto lineRecord = [] {
        UserAppLineRecord lr(P(1, 2), P(3, 4), 2, 7, 1);
        lr.m_state = 3;
        lr.m_mark = 8;
        lr.m_swapped = 1;
        lr.m_role = 5;
        lr.m_attrStrings = {1};
        return lr;
    };
    line.AssignFromRecord(lineRecord());
    EXPECT_EQ(line.m_state, 3);
    EXPECT_EQ(line.m_mark, 8);
    EXPECT_EQ(line.m_end.m_x, 3.0);
    EXPECT_EQ(line.m_swapped, 1);
    EXPECT_EQ(line.m_layer, 2);
    EXPECT_EQ(line.m_group, 1);
    EXPECT_EQ(line.m_role, 5);
    ASSERT_EQ(line.m_attrStrings.GetSize(), 1);
    EXPECT_EQ(line.m_attrStrings[0], 9);

    CCircle circle;
    UserAppCircleRecord cr;
    cr.m_centre = P(4, 5);
    cr.m_radius = 2.5;
    cr.m_layer = 3;
    cr.m_role = 1;
    circle.m_role = 6;
    circle.AssignFromRecord(cr);
    EXPECT_EQ(circle.m_centre.m_y, 5.0);
    EXPECT_EQ(circle.m_radius, 2.5);
    EXPECT_EQ(circle.m_layer, 3);
    EXPECT_EQ(circle.m_role, -1);   // a named record is copied on the way, without its role

    CArc arc;
    UserAppArcRecord ar(P(1, 1), 3, P(45, 270), 4, 0, 2);
    ar.m_arcFlag = 0;
    arc.AssignFromRecord(ar);
    EXPECT_EQ(arc.m_startAngle, 45.0);
    EXPECT_EQ(arc.m_endAngle, 270.0);
    EXPECT_EQ(arc.m_arcFlag, 0);
    EXPECT_EQ(arc.m_group, 2);

    CGroup group;
    group.m_attrStrings.Add(1);
    group.m_members.push_back(CElemRef());
    UserAppGroupRecord gr;
    gr.m_name = "寸法";
    gr.m_kind = 2;
    gr.m_parent = 4;
    gr.m_defPoint2 = P(8, 9);
    gr.m_attrStrings = {5, 6};
    UserAppElemRef member = Ref(4, 2, 3);
    member.m_extra = 7;
    gr.m_members = {member};
    group.AssignFromRecord(gr);
    EXPECT_STREQ(group.m_name, "寸法");
    EXPECT_EQ(group.m_kind, 2);
    EXPECT_EQ(group.m_parent, 4);
    EXPECT_EQ(group.m_defPoint2.m_y, 9.0);
    ASSERT_EQ(group.m_attrStrings.GetSize(), 3);
    EXPECT_EQ(group.m_attrStrings[0], 5);
    EXPECT_EQ(group.m_attrStrings[1], 6);
    EXPECT_EQ(group.m_attrStrings[2], 1);
    ASSERT_EQ(group.m_members.size(), 2u);
    EXPECT_EQ(group.m_members[1].m_kind, 4);
    EXPECT_EQ(group.m_members[1].m_block, 2);
    EXPECT_EQ(group.m_members[1].m_slot, 3);
    EXPECT_EQ(group.m_members[1].m_extra, 7);
}
