// Selection of elements through their group chain, and the attribute-string links between
// carriers and strings.
#include "tests/elements/DocumentFixture.h"

class Selection : public DocumentFixture {};

TEST_F(Selection, DeletedElementIsNotSelected)
{
    int b, s;
    CLine& line = NewLine(b, s);
    line.m_state = 0x88;
    line.m_mark = 0;
    EXPECT_EQ(line.Select(&m_doc, 1), 0);
    EXPECT_EQ(line.m_mark, 0);
}

TEST_F(Selection, InversionFlagDecidesWhetherASelectedElementIsDeselected)
{
    const struct {
        int inversion;
        std::uint8_t markBefore;
        std::uint8_t markAfter;
    } cases[] = {
        {1, 0x02, 0x80}, {1, 0x00, 0x82}, {0, 0x02, 0x82}, {0, 0x00, 0x82}, {1, 0x06, 0x84},
    };
    for (const auto& c : cases) {
        m_app.m_appFind.toggleSelection = c.inversion;
        int b, s;
        CLine& line = NewLine(b, s);
        line.m_mark = c.markBefore;
        EXPECT_EQ(line.Select(&m_doc, 0), 1);
        EXPECT_EQ(line.m_mark, c.markAfter) << c.inversion << " " << int(c.markBefore);
    }
}

TEST_F(Selection, KindOutsideTheSelectableMaskIsRefusedUnlessItsGroupsAreTaken)
{
    m_app.m_appFind.selectableKinds = 958 & ~ELEM_CIRCLE;
    int b, s;
    CCircle& circle = NewCircle(b, s);
    EXPECT_EQ(circle.Select(&m_doc, 1), 0);
    EXPECT_EQ(circle.m_mark, 0);

    int p, q;
    CDataPoint& point = NewPoint(p, q);
    EXPECT_EQ(point.Select(&m_doc, 1), 1);

    // In a plain group, with plain groups selected whole, the group is taken instead.
    m_app.m_appFind.groupSelectMode = 1;
    int g;
    CGroup& group = NewGroup(g);
    AddMember(g, ELEM_CIRCLE, b, s);
    circle.m_group = static_cast<std::int16_t>(g);
    EXPECT_EQ(circle.Select(&m_doc, 1), 1);
    EXPECT_EQ(group.m_mark, 0x82);
    EXPECT_EQ(circle.m_mark, 0x82);
}

TEST_F(Selection, GroupSettingsDecideBetweenGroupElementAndNothing)
{
    const struct {
        short plainSetting;
        int result;
        std::uint8_t groupMark;
        std::uint8_t lineMark;
    } cases[] = {
        {1, 1, 0x82, 0x82},   // the group, and through it its members
        {2, 1, 0x00, 0x82},   // the element alone
        {3, 0, 0x00, 0x00},   // nothing
    };
    for (const auto& c : cases) {
        m_app.m_appFind.groupSelectMode = c.plainSetting;
        int g, b, s;
        CGroup& group = NewGroup(g);
        CLine& line = NewLine(b, s);
        AddMember(g, ELEM_LINE, b, s);
        line.m_group = static_cast<std::int16_t>(g);
        EXPECT_EQ(line.Select(&m_doc, 1), c.result) << c.plainSetting;
        EXPECT_EQ(group.m_mark, c.groupMark) << c.plainSetting;
        EXPECT_EQ(line.m_mark, c.lineMark) << c.plainSetting;
        // Without the group flag the element is taken alone whatever the settings.
        line.m_mark = 0;
        group.m_mark = 0;
        EXPECT_EQ(line.Select(&m_doc, 0), 1);
        EXPECT_EQ(group.m_mark, 0);
    }
}

TEST_F(Selection, CurveLooksItsGroupUpEvenWithoutTheGroupFlag)
{
    m_app.m_appFind.groupSelectMode = 1;
    int g;
    CGroup& group = NewGroup(g);
    m_doc.m_curveBlocks.Add(new CCurves);
    CCurves* block = static_cast<CCurves*>(m_doc.m_curveBlocks.GetAt(0));
    block->m_count = 1;
    CCurve& curve = block->m_slots[0];
    curve.m_group = static_cast<std::int16_t>(g);
    AddMember(g, ELEM_CURVE, 0, 0);
    EXPECT_EQ(curve.Select(&m_doc, 0), 1);
    EXPECT_EQ(group.m_mark, 0x82);
}

class AttributeLinks : public DocumentFixture {};

TEST_F(AttributeLinks, LinkingTwiceAddsOneBackReferenceAndKeepsTheListSorted)
{
    const int a = NewString("A");
    const int b = NewString("B");
    const int c = NewString("C");
    int block, slot;
    CLine& line = NewLine(block, slot);
    line.m_mark = 0x02;
    line.LinkAttributeString(&m_doc, block, slot, c);
    line.LinkAttributeString(&m_doc, block, slot, a);
    line.LinkAttributeString(&m_doc, block, slot, c);
    line.LinkAttributeString(&m_doc, block, slot, b);
    ASSERT_EQ(line.m_attrStrings.GetSize(), 3);
    EXPECT_EQ(line.m_attrStrings.GetAt(0), a);
    EXPECT_EQ(line.m_attrStrings.GetAt(1), b);
    EXPECT_EQ(line.m_attrStrings.GetAt(2), c);
    const CDataString* string = m_doc.GetString(c);
    ASSERT_EQ(string->m_refs.size(), 1u);
    EXPECT_EQ(string->m_refs[0].m_kind, ELEM_LINE);
    EXPECT_EQ(string->m_refs[0].m_block, block);
    EXPECT_EQ(string->m_refs[0].m_slot, slot);
    EXPECT_EQ(string->m_refs[0].m_mark, 0x02);
}

TEST_F(AttributeLinks, UnlinkingAnAbsentIndexReturns0AndLeavesTheStringAlone)
{
    const int a = NewString("A");
    const int b = NewString("B");
    int block, slot;
    CCircle& circle = NewCircle(block, slot);
    circle.LinkAttributeString(&m_doc, block, slot, a);
    EXPECT_EQ(circle.UnlinkAttributeString(&m_doc, block, slot, b), 0);
    EXPECT_EQ(m_doc.GetString(a)->m_refs.size(), 1u);
    EXPECT_EQ(circle.UnlinkAttributeString(&m_doc, block, slot, a), 1);
    EXPECT_EQ(circle.m_attrStrings.GetSize(), 0);
    EXPECT_TRUE(m_doc.GetString(a)->m_refs.empty());
}

TEST_F(AttributeLinks, UnlinkingRemovesOnlyTheCarriersOwnReference)
{
    // A point and a line with equal block and slot numbers both carry the string; the line's
    // unlink must leave the point's reference.
    const int a = NewString("A");
    int pb, ps, lb, ls;
    CDataPoint& point = NewPoint(pb, ps);
    CLine& line = NewLine(lb, ls);
    ASSERT_EQ(pb, lb);
    ASSERT_EQ(ps, ls);
    point.LinkAttributeString(&m_doc, pb, ps, a);
    line.LinkAttributeString(&m_doc, lb, ls, a);
    EXPECT_EQ(line.UnlinkAttributeString(&m_doc, lb, ls, a), 1);
    const CDataString* string = m_doc.GetString(a);
    ASSERT_EQ(string->m_refs.size(), 1u);
    EXPECT_EQ(string->m_refs[0].m_kind, ELEM_POINT);
    EXPECT_EQ(string->HasLiveCarrier(&m_doc), 1);
    point.m_state = 0x88;
    EXPECT_EQ(string->HasLiveCarrier(&m_doc), 0);
}

TEST_F(AttributeLinks, GroupCarriesStringsUnderKind1)
{
    const int a = NewString("A");
    int g;
    CGroup& group = NewGroup(g);
    group.LinkAttributeString(&m_doc, g, 0, a);
    const CDataString* string = m_doc.GetString(a);
    ASSERT_EQ(string->m_refs.size(), 1u);
    EXPECT_EQ(string->m_refs[0].m_kind, ELEM_GROUP);
    EXPECT_EQ(string->HasLiveCarrier(&m_doc), 1);
    group.m_state = 0x88;
    EXPECT_EQ(string->HasLiveCarrier(&m_doc), 0);
}
