// The plug-in transfer copies: defaults of the records and the fields each element hands over.
#include "DocumentFixture.h"

#include "elements/Arc.h"
#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "geometry/ElemCandidate.h"
#include "userapp/UserAppRecords.h"

#include <cstring>
#include <memory>

namespace {

CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

void ExpectPoint(const CPointD& p, double x, double y)
{
    EXPECT_EQ(p.m_x, x);
    EXPECT_EQ(p.m_y, y);
}

}  // namespace

class TransferRecord : public DocumentFixture {
};

TEST_F(TransferRecord, NewRecordsStartFromTheirDefaults)
{
    const UserAppArcRecord arc;
    EXPECT_EQ(arc.m_state, 1);
    EXPECT_EQ(arc.m_mark, 1);
    EXPECT_EQ(arc.m_endAngle, 90.0);
    EXPECT_EQ(arc.m_arcFlag, 1);
    EXPECT_EQ(arc.m_layer, -1);
    EXPECT_EQ(arc.m_role, -1);

    const UserAppConicRecord conic;
    EXPECT_EQ(conic.m_ratio, 1.0);
    EXPECT_EQ(conic.m_endAngle, 360.0);
    EXPECT_EQ(conic.m_group, -1);
    EXPECT_EQ(conic.m_role, 0);
    EXPECT_EQ(conic.m_pen, -1);

    const UserAppTextRecord text;
    EXPECT_EQ(text.m_alignment, 8);
    EXPECT_EQ(text.m_color, 0u);
    EXPECT_EQ(text.m_role, 0);
    EXPECT_EQ(text.m_font, -1);

    const UserAppGroupRecord group;
    EXPECT_EQ(group.m_kind, 0);
    EXPECT_EQ(group.m_parent, -1);

    const UserAppPenRecord pen;
    EXPECT_EQ(pen.m_width, 1);
    EXPECT_EQ(pen.m_blurRate, 70);

    // The font record starts as a new font of a drawing does.
    const UserAppFontRecord font;
    const CTypeFont drawingFont;
    EXPECT_EQ(std::memcmp(&font.m_logFont, &drawingFont.m_logFont, sizeof(LOGFONT)), 0);
    EXPECT_EQ(font.m_width, 40);
    EXPECT_EQ(font.m_height, 80);
    EXPECT_EQ(font.m_style1, 1);
}

TEST_F(TransferRecord, ElementsHandOverEveryFieldAsACopy)
{
    CArc arc;
    arc.m_state = 3;
    arc.m_mark = 0x88;
    arc.m_centre = P(1.5, -2);
    arc.m_radius = 4;
    arc.m_startAngle = 30;
    arc.m_endAngle = 200;
    arc.m_arcFlag = 0;
    arc.m_layer = 2;
    arc.m_group = 9;
    arc.m_role = 5;
    arc.m_attrStrings.Add(4);
    arc.m_attrStrings.Add(7);
    std::unique_ptr<UserAppArcRecord> a(arc.ToRecord());
    EXPECT_EQ(a->m_state, 3);
    EXPECT_EQ(a->m_mark, 0x88);
    ExpectPoint(a->m_centre, 1.5, -2);
    EXPECT_EQ(a->m_radius, 4.0);
    EXPECT_EQ(a->m_startAngle, 30.0);
    EXPECT_EQ(a->m_endAngle, 200.0);
    EXPECT_EQ(a->m_arcFlag, 0);
    EXPECT_EQ(a->m_layer, 2);
    EXPECT_EQ(a->m_group, 9);
    EXPECT_EQ(a->m_role, 5);
    arc.m_attrStrings.SetAt(0, 99);  // the record holds its own copy
    EXPECT_EQ(a->m_attrStrings, (UserAppIndexList{4, 7}));

    CConic conic;
    conic.m_centre = P(3, 4);
    conic.m_majorRadius = 10;
    conic.m_ratio = 0.5;
    conic.m_tilt = 25;
    conic.m_endAngle = 180;
    conic.BuildPolyline();
    ASSERT_FALSE(conic.m_polyline.empty());
    std::unique_ptr<UserAppConicRecord> c(conic.ToRecord());
    EXPECT_EQ(c->m_majorRadius, 10.0);
    EXPECT_EQ(c->m_ratio, 0.5);
    EXPECT_EQ(c->m_tilt, 25.0);
    EXPECT_EQ(c->m_endAngle, 180.0);
    ASSERT_EQ(c->m_points.size(), conic.m_polyline.size());
    ExpectPoint(c->m_points.back(), conic.m_polyline.back().m_x, conic.m_polyline.back().m_y);

    CCurve curve;
    curve.m_kind = 1;
    curve.m_pendingPoints = {P(9, 9)};
    curve.m_points = {P(0, 0), P(1, 2), P(3, 1)};
    curve.m_role = 4;
    std::unique_ptr<UserAppCurveRecord> k(curve.ToRecord());
    EXPECT_EQ(k->m_kind, 1);
    EXPECT_EQ(k->m_role, 4);
    ASSERT_EQ(k->m_pendingPoints.size(), 1u);
    ASSERT_EQ(k->m_points.size(), 3u);
    ExpectPoint(k->m_points[1], 1, 2);

    CText text;
    text.m_text = "ABC";
    text.m_point = P(1, 1);
    text.m_underlineStart = P(1, 0);
    text.m_underlineEnd = P(5, 0);
    text.m_swapped = 1;
    text.m_color = RGB(1, 2, 3);
    text.m_alignment = 33;
    text.m_role = 2;
    std::unique_ptr<UserAppTextRecord> t(text.ToRecord());
    EXPECT_EQ(t->m_text, CString("ABC"));
    ExpectPoint(t->m_underlineEnd, 5, 0);
    EXPECT_EQ(t->m_swapped, 1);
    EXPECT_EQ(t->m_color, RGB(1, 2, 3));
    EXPECT_EQ(t->m_alignment, 33);
    EXPECT_EQ(t->m_role, 2);
    EXPECT_EQ(t->m_font, -1);

    CLine line;
    line.m_start = P(1, 2);
    line.m_end = P(3, 4);
    line.m_swapped = 1;
    line.m_layer = 6;
    std::unique_ptr<UserAppLineRecord> l(line.ToRecord());
    ExpectPoint(l->m_start, 1, 2);
    ExpectPoint(l->m_end, 3, 4);
    EXPECT_EQ(l->m_swapped, 1);
    EXPECT_EQ(l->m_layer, 6);
}

TEST_F(TransferRecord, ReferencesAreCopiedWithAllSixFields)
{
    CElemCandidate candidate;
    candidate.Init(ELEM_LINE, 3, 17, 1, 0x84, 2);
    CElemRef member;
    member.SetFromCandidate(candidate);

    CGroup group;
    group.m_name = "G";
    group.m_kind = 2;
    group.m_parent = 4;
    group.m_defPoint2 = P(7, 8);
    group.m_members.push_back(member);
    group.m_attrStrings.Add(1);
    std::unique_ptr<UserAppGroupRecord> g(group.ToRecord());
    EXPECT_EQ(g->m_name, CString("G"));
    EXPECT_EQ(g->m_kind, 2);
    EXPECT_EQ(g->m_parent, 4);
    ExpectPoint(g->m_defPoint2, 7, 8);
    EXPECT_EQ(g->m_attrStrings, (UserAppIndexList{1}));
    ASSERT_EQ(g->m_members.size(), 1u);
    const UserAppElemRef& r = g->m_members[0];
    EXPECT_EQ(r.m_state, 1);
    EXPECT_EQ(r.m_mark, 0x84);
    EXPECT_EQ(r.m_kind, ELEM_LINE);
    EXPECT_EQ(r.m_block, 3);
    EXPECT_EQ(r.m_slot, 17);
    EXPECT_EQ(r.m_extra, 2);

    CDataString str;
    str.m_text = "note";
    str.m_refs.push_back(member);
    str.m_refs.push_back(member);
    std::unique_ptr<UserAppStringRecord> s(str.ToRecord());
    EXPECT_EQ(s->m_text, CString("note"));
    ASSERT_EQ(s->m_refs.size(), 2u);
    EXPECT_EQ(s->m_refs[1].m_extra, 2);

    CTypePen pen;
    pen.m_lineType = 2;
    pen.m_width = 5;
    pen.m_color = RGB(9, 8, 7);
    pen.m_blurCount = 3;
    pen.m_blurRate = 40;
    std::unique_ptr<UserAppPenRecord> p(pen.ToRecord());
    EXPECT_EQ(p->m_lineType, 2);
    EXPECT_EQ(p->m_width, 5);
    EXPECT_EQ(p->m_color, RGB(9, 8, 7));
    EXPECT_EQ(p->m_blurCount, 3);
    EXPECT_EQ(p->m_blurRate, 40);

    CTypeFont font;
    font.m_logFont.lfEscapement = 450;
    font.m_style3 = 2;
    font.m_angle = 45;
    font.m_spacing = 0.25;
    font.m_rightToLeft = 1;
    font.m_height = 120;
    std::unique_ptr<UserAppFontRecord> f(font.ToRecord());
    EXPECT_EQ(f->m_logFont.lfEscapement, 450);
    EXPECT_EQ(f->m_style3, 2);
    EXPECT_EQ(f->m_angle, 45.0);
    EXPECT_EQ(f->m_spacing, 0.25);
    EXPECT_EQ(f->m_rightToLeft, 1);
    EXPECT_EQ(f->m_height, 120);
}
