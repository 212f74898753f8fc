// Dimension groups built through the creation log: members, roles, marks and value texts.
#include <cmath>

#include "CreationTestSupport.h"

namespace {

class CompoundTest : public CreationFixture {
protected:
    // A dimension along direction angle through `position`, measuring m1 and m2.
    int Linear(CPointD position, CPointD m1, CPointD m2, double angle = 0)
    {
        CDimCommand* d = Doc().m_dimCmd;
        // The steps of "APPP": angle, position, the two measured points.
        d->m_values[0].value = angle;
        d->m_inputPoints[1].point = position;
        d->m_inputPoints[2].point = m1;
        d->m_inputPoints[3].point = m2;
        return Log().AddLinearDimension(1, 0);
    }
    CLine* LineOf(const CElemRef& r) { return Doc().GetLineElem(r.m_block, r.m_slot); }
    CText* TextOf(const CElemRef& r) { return Doc().GetTextElem(r.m_block, r.m_slot); }
};

}  // namespace

TEST_F(CompoundTest, LinearDimensionMembersAndRoles)
{
    const int g = Linear(At(0, 10), At(0, 0), At(25, 0));
    ASSERT_GE(g, 0);
    const CGroup* group = Doc().GetGroup(g);
    EXPECT_EQ(group->m_kind, 2);
    EXPECT_NEAR(group->m_defPoint1.m_x, 0, 1e-9);
    EXPECT_NEAR(group->m_defPoint2.m_x, 25, 1e-9);

    const auto dim = Members(g, 4, 1);
    ASSERT_EQ(dim.size(), 1u);
    const CLine* line = LineOf(dim[0]);
    EXPECT_EQ(line->m_mark, 129);
    EXPECT_EQ(line->m_group, g);
    EXPECT_NEAR(line->m_start.m_y, 10, 1e-9);
    EXPECT_NEAR(line->m_end.m_x, 25, 1e-9);

    const auto value = Members(g, 32, 16);
    ASSERT_EQ(value.size(), 1u);
    const CText* text = TextOf(value[0]);
    EXPECT_EQ(text->m_text, CString("25"));
    EXPECT_NEAR(text->m_point.m_x, 12.5, 1e-9);
    EXPECT_NEAR(text->m_point.m_y, 10, 1e-9);
    EXPECT_EQ(text->m_alignment, 14);
    EXPECT_EQ(text->m_mark, 129);

    EXPECT_EQ(Members(g, 4, 2).size(), 2u);
    EXPECT_EQ(Members(g, 4, 4).size(), 2u);
    // Both arrows open toward the inside of the dimension line.
    for (const CElemRef& r : Members(g, 4, 2)) {
        const CLine* w = LineOf(r);
        EXPECT_NEAR(std::min(w->m_start.m_x, w->m_end.m_x), 0, 1e-9);
        EXPECT_GT(std::max(w->m_start.m_x, w->m_end.m_x), 2.8);
    }
    const auto ext = Members(g, 4, 8);
    ASSERT_EQ(ext.size(), 2u);
    // From the measured point moved by the gap (1) to the overshoot beyond the line (10 + 1).
    const CLine* e = LineOf(ext[0]);
    EXPECT_NEAR(e->m_start.m_y, 1, 1e-9);
    EXPECT_NEAR(e->m_end.m_y, 11, 1e-9);
    // Every member entry is marked 1 and every member recorded as new for one undo step.
    for (const CElemRef& m : group->m_members)
        EXPECT_EQ(m.m_mark, 1);
    EXPECT_EQ(Undo().m_pendingFirst.size(), group->m_members.size() + 1);
}

TEST_F(CompoundTest, ExtensionLinesThatWouldVanishAreLeftOut)
{
    // The second measured point sits on the dimension line; the first lies so close that the
    // gap eats its whole extension line.
    m_app->m_appElem.m_extGap = 2;
    const int g = Linear(At(0, 10), At(0, 9), At(25, 10));
    ASSERT_GE(g, 0);
    EXPECT_TRUE(Members(g, 4, 8).empty());
    m_app->m_appElem.m_extGap = 1;
    const int h = Linear(At(0, 10), At(0, 9), At(25, 10));
    EXPECT_EQ(Members(h, 4, 8).size(), 1u);
}

TEST_F(CompoundTest, ExtensionLinesOnBothSidesOfTheDimensionLine)
{
    const int g = Linear(At(0, 10), At(0, 0), At(25, 20));
    const auto ext = Members(g, 4, 8);
    ASSERT_EQ(ext.size(), 2u);
    for (const CElemRef& r : ext) {
        const CLine* e = LineOf(r);
        // Each runs from 1 beyond its measured point to 1 beyond the dimension line.
        EXPECT_NEAR(std::fabs(e->m_end.m_y - e->m_start.m_y), 10, 1e-9);
    }
}

TEST_F(CompoundTest, ValueTextsFollowScaleAndDecimals)
{
    struct Case { double length; double ratio; short decimals; const char* text; };
    const Case cases[] = {
        {25, 1, 2, "25"},
        {10, 3, 2, "3.33"},
        {12.3456, 1, 2, "12.35"},
        {12.3456, 1, 0, "12"},
        {100, 2, 1, "50"},
    };
    for (const Case& c : cases) {
        Doc().m_ratio = c.ratio;
        m_app->m_appElem.m_dimDecimals = c.decimals;
        const int g = Linear(At(0, 5), At(0, 0), At(c.length, 0));
        ASSERT_GE(g, 0);
        const auto value = Members(g, 32, 16);
        ASSERT_EQ(value.size(), 1u);
        EXPECT_EQ(TextOf(value[0])->m_text, CString(c.text)) << c.length << " / " << c.ratio;
    }
}

TEST_F(CompoundTest, CoincidingEndsMakeNothing)
{
    const int groups = Doc().m_groups.GetSize();
    EXPECT_EQ(Linear(At(0, 10), At(5, 0), At(5, 3)), -2);
    EXPECT_EQ(Doc().m_groups.GetSize(), groups);
    EXPECT_EQ(LiveLines(), 0);
}

TEST_F(CompoundTest, WithoutGroupNumbersTheLinearDimensionFallsBackToThreeLines)
{
    while (Doc().m_groups.GetSize() < CGroup::MaxCount)
        Doc().m_groups.Add(new CGroup);
    const int g = Linear(At(0, 10), At(0, 0), At(25, 0));
    EXPECT_EQ(g, -1);
    EXPECT_EQ(Doc().m_groups.GetSize(), CGroup::MaxCount);
    EXPECT_EQ(m_app->m_lastMessage, "グループの数が上限を超えるため追加できません");
    EXPECT_EQ(LiveLines(), 3);
    int lines = 0;
    for (const auto& e : Log().m_log)
        lines += e->m_kind == 4 ? 1 : 0;
    EXPECT_EQ(lines, 3);
}

TEST_F(CompoundTest, DiameterWithDotsHasTwoDotCirclesOfTheDotsWidth)
{
    m_app->m_appElem.m_dotEnds = 1;
    m_app->m_appElem.m_lineWidth = 3;
    const int g = Log().AddDiameterOrRadiusDimension(At(-10, 0), At(10, 0), "φ20", At(0, 1), 0,
                                                     1, 0, 1);
    ASSERT_GE(g, 0);
    EXPECT_EQ(Doc().GetGroup(g)->m_kind, 4);
    int circles = 0;
    for (const CElemRef& m : Doc().GetGroup(g)->m_members) {
        if (m.m_kind != 8)
            continue;
        ++circles;
        const CCircle* c = Doc().GetCircleElem(m.m_block, m.m_slot);
        EXPECT_EQ(c->m_role, 2);
        EXPECT_DOUBLE_EQ(c->m_radius, 0.5);
        const CTypePen* pen = Doc().GetPen(Doc().CircleBlockAt(m.m_block)->m_pen);
        EXPECT_EQ(pen->m_width, 10);
        EXPECT_EQ(pen->m_lineType, 0);
    }
    EXPECT_EQ(circles, 2);
    EXPECT_TRUE(Members(g, 4, 2).empty());
    EXPECT_TRUE(Members(g, 4, 4).empty());
    EXPECT_EQ(m_app->m_appElem.m_lineWidth, 3);
}

TEST_F(CompoundTest, DiameterWithTheValueBeyondAnEndTurnsItsArrowsOutward)
{
    const int g = Log().AddDiameterOrRadiusDimension(At(-10, 0), At(10, 0), "φ20", At(30, 0), 0,
                                                     1, 0, 1);
    ASSERT_GE(g, 0);
    const auto value = Members(g, 32, 16);
    ASSERT_EQ(value.size(), 1u);
    const CText* t = TextOf(value[0]);
    const double halfText = (t->m_underlineEnd.m_x - t->m_underlineStart.m_x) / 2;
    const auto dim = Members(g, 4, 1);
    ASSERT_EQ(dim.size(), 1u);
    // From P less the text gap (6) to the far half of the text.
    EXPECT_NEAR(LineOf(dim[0])->m_start.m_x, -16, 1e-9);
    EXPECT_NEAR(LineOf(dim[0])->m_end.m_x, 30 + halfText, 1e-9);
    for (const CElemRef& r : Members(g, 4, 2))
        EXPECT_LT(std::min(LineOf(r)->m_start.m_x, LineOf(r)->m_end.m_x), -10 - 2.8);
    for (const CElemRef& r : Members(g, 4, 4))
        EXPECT_GT(std::max(LineOf(r)->m_start.m_x, LineOf(r)->m_end.m_x), 10 + 2.8);
}

TEST_F(CompoundTest, RadiusHasOneArrowAtTheArcEnd)
{
    const int g = Log().AddDiameterOrRadiusDimension(At(0, 0), At(10, 0), "R10", At(5, 1), 0, 1,
                                                     0, 0);
    ASSERT_GE(g, 0);
    EXPECT_EQ(Doc().GetGroup(g)->m_kind, 5);
    EXPECT_TRUE(Members(g, 4, 2).empty());
    const auto arrows = Members(g, 4, 4);
    ASSERT_EQ(arrows.size(), 2u);
    for (const CElemRef& r : arrows)
        EXPECT_NEAR(std::max(LineOf(r)->m_start.m_x, LineOf(r)->m_end.m_x), 10, 1e-9);
}

TEST_F(CompoundTest, OneUndoRemovesTheWholeGroup)
{
    const int g = Linear(At(0, 10), At(0, 0), At(25, 0));
    ASSERT_GE(g, 0);
    Undo().Commit(1);
    Log().Commit(0);
    const int members = static_cast<int>(Doc().GetGroup(g)->m_members.size());
    EXPECT_EQ(LiveLines(), members - 1);
    Undo().Undo();
    EXPECT_EQ(LiveLines(), 0);
    EXPECT_TRUE(Doc().GetGroup(g)->m_state & 0x08);
}

TEST_F(CompoundTest, BalloonTextIsShrunkOnlyWhenLongerThanTheRatioOfTheDiameter)
{
    // 0.9 of a 16 mm diameter leaves 14.4 mm; characters are 4 mm wide.
    struct Case { const char* text; std::int32_t width; std::int32_t height; };
    const Case cases[] = {{"ABC", 40, 80}, {"ABCDEFGH", 18, 36}};
    for (const Case& c : cases) {
        const int g = Log().AddBalloon({At(0, 0), At(20, 0)}, 8, c.text, 1, 0);
        ASSERT_GE(g, 0);
        EXPECT_EQ(Doc().GetGroup(g)->m_kind, 8);
        const auto value = Members(g, 32, 16);
        ASSERT_EQ(value.size(), 1u);
        const CTypeFont* f = Doc().GetFont(Doc().TextBlockAt(value[0].m_block)->m_pen);
        EXPECT_EQ(f->m_width, c.width) << c.text;
        EXPECT_EQ(f->m_height, c.height) << c.text;
        EXPECT_EQ(TextOf(value[0])->m_alignment, 38);
        ASSERT_EQ(Members(g, 8, 1).size(), 1u);
        const auto segments = Members(g, 4, 32);
        ASSERT_EQ(segments.size(), 1u);
        EXPECT_NEAR(LineOf(segments[0])->m_end.m_x, 12, 1e-9);   // stops on the circle
        EXPECT_EQ(Members(g, 4, 2).size(), 2u);
    }
    EXPECT_EQ(Log().AddBalloon({At(0, 0)}, 8, "A", 1, 0), -1);
}

TEST_F(CompoundTest, LeaderHasShelfSegmentsAndArrowhead)
{
    const int g = Log().AddLeader({At(0, 0), At(10, 10), At(20, 10)}, "AB", At(30, 10), 0, 1, 0);
    ASSERT_GE(g, 0);
    EXPECT_EQ(Doc().GetGroup(g)->m_kind, 7);
    EXPECT_EQ(Members(g, 4, 32).size(), 2u);
    EXPECT_EQ(Members(g, 4, 2).size(), 2u);
    const auto shelf = Members(g, 4, 16);
    ASSERT_EQ(shelf.size(), 1u);
    // From the last vertex to the far end of the text (4 mm a character, centred at 30).
    EXPECT_NEAR(LineOf(shelf[0])->m_start.m_x, 20, 1e-9);
    EXPECT_NEAR(LineOf(shelf[0])->m_end.m_x, 34, 1e-9);
    EXPECT_EQ(Members(g, 32, 16).size(), 1u);
}

TEST_F(CompoundTest, LeaderAndBalloonHoldTheirDefinitionPointsAndTheLeaderTextSitsOnItsRay)
{
    // The text position (30, 15) is taken down to the ray from the last point at angle 0.
    const int leader = Log().AddLeader({At(0, 0), At(10, 10), At(20, 10)}, "AB", At(30, 15), 0, 1, 0);
    ASSERT_GE(leader, 0);
    const CGroup* group = Doc().GetGroup(leader);
    EXPECT_NEAR(group->m_defPoint1.m_x, 0, 1e-9);
    EXPECT_NEAR(group->m_defPoint1.m_y, 0, 1e-9);
    EXPECT_NEAR(group->m_defPoint2.m_x, 20, 1e-9);
    EXPECT_NEAR(group->m_defPoint2.m_y, 10, 1e-9);
    const auto text = Members(leader, 32, 16);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_NEAR(TextOf(text[0])->m_point.m_x, 30, 1e-9);
    EXPECT_NEAR(TextOf(text[0])->m_point.m_y, 10, 1e-9);
    // At 90 degrees the text rises straight above the last point.
    const int upright = Log().AddLeader({At(0, 0), At(20, 10)}, "AB", At(25, 40), 90, 1, 0);
    const auto raised = Members(upright, 32, 16);
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_NEAR(TextOf(raised[0])->m_point.m_x, 20, 1e-9);
    EXPECT_NEAR(TextOf(raised[0])->m_point.m_y, 40, 1e-9);

    const int balloon = Log().AddBalloon({At(0, 0), At(20, 0)}, 8, "1", 1, 0);
    ASSERT_GE(balloon, 0);
    EXPECT_NEAR(Doc().GetGroup(balloon)->m_defPoint1.m_x, 0, 1e-9);
    EXPECT_NEAR(Doc().GetGroup(balloon)->m_defPoint2.m_x, 20, 1e-9);
    EXPECT_NEAR(Doc().GetGroup(balloon)->m_defPoint2.m_y, 0, 1e-9);
}

TEST_F(CompoundTest, ALeaderFromAFreePointGetsADotWhateverTheArrowSetting)
{
    const struct {
        int category, dots;
        size_t wings, dots_made;
    } cases[] = { {5, 0, 0, 1}, {2, 0, 2, 0}, {2, 1, 2, 0}, {5, 1, 0, 1} };
    for (const auto& c : cases) {
        Doc().m_dimCmd->m_firstPointCategory = static_cast<std::uint8_t>(c.category);
        g_pApp->m_appElem.m_dotEnds = c.dots;
        const int g = Log().AddLeader({At(0, 0), At(10, 10)}, "A", At(20, 10), 0, 1, 0);
        ASSERT_GE(g, 0);
        EXPECT_EQ(Members(g, 4, 2).size(), c.wings) << c.category << " " << c.dots;
        EXPECT_EQ(Members(g, 8, 2).size(), c.dots_made) << c.category << " " << c.dots;
    }
    g_pApp->m_appElem.m_dotEnds = 0;
    Doc().m_dimCmd->m_firstPointCategory = 0;
}

TEST_F(CompoundTest, LinearDimensionTakesTheEffectivePointsOfItsInputs)
{
    // With the constraint interval on, the three inputs snap before the dimension is built.
    Doc().m_grid.m_pitch.Init(10, 10);
    Doc().m_grid.m_on = 1;
    const int g = Linear(At(0, 0.4), At(14.9, 15), At(30.2, 15));
    ASSERT_GE(g, 0);
    const CGroup* group = Doc().GetGroup(g);
    EXPECT_NEAR(group->m_defPoint1.m_x, 10, 1e-9);
    EXPECT_NEAR(group->m_defPoint2.m_x, 30, 1e-9);
    // The extension lines leave the snapped measured points (20) by the gap (1).
    const auto ext = Members(g, 4, 8);
    ASSERT_EQ(ext.size(), 2u);
    EXPECT_NEAR(LineOf(ext[0])->m_start.m_x, 10, 1e-9);
    EXPECT_NEAR(std::max(LineOf(ext[0])->m_start.m_y, LineOf(ext[0])->m_end.m_y), 19, 1e-9);
    EXPECT_NEAR(LineOf(ext[1])->m_start.m_x, 30, 1e-9);
    EXPECT_NEAR(std::max(LineOf(ext[1])->m_start.m_y, LineOf(ext[1])->m_end.m_y), 19, 1e-9);
    // The dimension line lies on the snapped position, y 0.
    const auto dim = Members(g, 4, 1);
    ASSERT_EQ(dim.size(), 1u);
    EXPECT_NEAR(LineOf(dim[0])->m_start.m_y, 0, 1e-9);
}
