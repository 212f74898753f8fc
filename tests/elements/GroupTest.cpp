// Group walks, the composite string, role searches and group-chain selection.
#include "tests/elements/DocumentFixture.h"

class Groups : public DocumentFixture {
protected:
    int AddText(int group, const char* text, int role)
    {
        int b, s;
        CText& t = NewText(b, s);
        t.m_text = text;
        t.m_role = static_cast<std::int16_t>(role);
        AddMember(group, ELEM_TEXT, b, s);
        return s;
    }
    CLine& AddLine(int group, int role, int& block, int& slot)
    {
        CLine& line = NewLine(block, slot);
        line.m_role = static_cast<std::int16_t>(role);
        AddMember(group, ELEM_LINE, block, slot);
        return line;
    }
};

TEST_F(Groups, CompositeStringWrapsEachLiveTextByItsRole)
{
    m_app.m_appText.m_subscriptMarker = ":::";
    m_app.m_appText.m_rubyMarker = "^^^";
    int g;
    NewGroup(g, CGroup::KIND_NOTATION);
    AddText(g, "A", 0);
    AddText(g, "2", 1);
    EXPECT_EQ(m_doc.GetGroup(g)->BuildCompositeString(&m_doc), "A:::2:::");

    int h;
    NewGroup(h, CGroup::KIND_COMPOSITE);
    AddText(h, "B", 0);
    AddText(h, "x", 2);
    AddText(h, "かな", 4);
    AddText(h, "y", 8);
    AddText(h, "skip", 16);
    const int deleted = AddText(h, "gone", 0);
    static_cast<CTexts*>(m_doc.m_textBlocks.GetAt(0))->m_slots[deleted].m_state = 0x88;
    EXPECT_EQ(m_doc.GetGroup(h)->BuildCompositeString(&m_doc), "Bx:::^^^かな^^^y^^^");

    int plain;
    NewGroup(plain, CGroup::KIND_PLAIN);
    AddText(plain, "A", 0);
    EXPECT_EQ(m_doc.GetGroup(plain)->BuildCompositeString(&m_doc), "");
}

TEST_F(Groups, FindMemberByRoleCountsLiveLinesOfTheRole)
{
    int g;
    CGroup& group = NewGroup(g, CGroup::KIND_LINEAR);
    int b[5], s[5];
    AddLine(g, 2, b[0], s[0]);
    AddLine(g, 4, b[1], s[1]);
    AddLine(g, 2, b[2], s[2]).m_state = 0x88;   // deleted: not counted
    AddLine(g, 2, b[3], s[3]);
    AddLine(g, 2, b[4], s[4]);
    int block, slot;
    EXPECT_EQ(group.FindMemberByRole(&m_doc, ELEM_LINE, 2, 2, block, slot), 1);
    EXPECT_EQ(block, b[3]);
    EXPECT_EQ(slot, s[3]);
    EXPECT_EQ(group.FindMemberByRole(&m_doc, ELEM_LINE, 4, 2, block, slot), 0);
    EXPECT_EQ(block, -1);
    EXPECT_EQ(slot, -1);
}

TEST_F(Groups, FindMemberByRoleSidesOfTheDefinitionPoints)
{
    int g;
    CGroup& group = NewGroup(g, CGroup::KIND_LINEAR);
    group.m_defPoint1.Init(0, 0);
    group.m_defPoint2.Init(10, 0);
    int b1, s1, b2, s2;
    // Extension line at x = 0 (through definition point 1), drawn upward from it.
    CLine& first = AddLine(g, 8, b1, s1);
    first.m_start.Init(0, 1);
    first.m_end.Init(0, 12);
    // Extension line at x = 10, drawn downward toward definition point 2.
    CLine& second = AddLine(g, 8, b2, s2);
    second.m_start.Init(10, 12);
    second.m_end.Init(10, 1);
    int block, slot;
    EXPECT_EQ(group.FindMemberByRole(&m_doc, ELEM_LINE, 8, 1, block, slot), 1);
    EXPECT_EQ(slot, s1);
    EXPECT_EQ(group.FindMemberByRole(&m_doc, ELEM_LINE, 8, 2, block, slot), 2);
    EXPECT_EQ(slot, s2);

    int c, d;
    CLine& leader = AddLine(g, 32, c, d);
    leader.m_start.Init(5, 5);
    leader.m_end.Init(10, 0);
    EXPECT_EQ(group.FindMemberByRole(&m_doc, ELEM_LINE, 32, 2, block, slot), 2);
    EXPECT_EQ(slot, d);
    EXPECT_EQ(group.FindMemberByRole(&m_doc, ELEM_LINE, 32, 1, block, slot), 0);
}

TEST_F(Groups, FindMemberByRoleTakesASubGroupForRole16)
{
    int g, sub;
    CGroup& group = NewGroup(g, CGroup::KIND_LINEAR);
    NewGroup(sub, CGroup::KIND_COMPOSITE);
    AddMember(g, ELEM_GROUP, sub, 0);
    int block, slot;
    EXPECT_EQ(group.FindMemberByRole(&m_doc, ELEM_TEXT, 16, 1, block, slot), 2);
    EXPECT_EQ(block, sub);
    EXPECT_EQ(slot, -1);
}

TEST_F(Groups, SetStateRecursiveRecordsEachLiveMemberOnce)
{
    int outer, inner;
    CGroup& group = NewGroup(outer);
    NewGroup(inner);
    int b0, s0, b1, s1, b2, s2;
    AddLine(outer, 0, b0, s0);
    AddLine(outer, 0, b1, s1).m_state = 0x88;   // already deleted
    AddMember(outer, ELEM_GROUP, inner, 0);
    CLine& nested = AddLine(inner, 0, b2, s2);
    nested.m_state = 0x81;

    CUndoHistory& history = *m_doc.m_undoHistory;
    history.m_pendingSecond.clear();
    EXPECT_EQ(group.SetStateRecursive(&m_doc, 0x88), 2);
    ASSERT_EQ(history.m_pendingSecond.size(), 3u);
    EXPECT_EQ(history.m_pendingSecond[0].m_kind, ELEM_LINE);
    EXPECT_EQ(history.m_pendingSecond[0].m_slot, s0);
    EXPECT_EQ(history.m_pendingSecond[0].m_state, 1);
    EXPECT_EQ(history.m_pendingSecond[1].m_kind, ELEM_GROUP);
    EXPECT_EQ(history.m_pendingSecond[1].m_block, inner);
    EXPECT_EQ(history.m_pendingSecond[2].m_slot, s2);
    EXPECT_EQ(history.m_pendingSecond[2].m_state, 0x81);
    EXPECT_EQ(group.m_state, 0x88);
    EXPECT_EQ(m_doc.GetGroup(inner)->m_state, 0x88);
    EXPECT_EQ(nested.m_state, 0x88);
    EXPECT_EQ(m_doc.GetLineElem(b1, s1)->m_state, 0x88);

    // Bringing it back records nothing: the new state has no deleted bit, and every member
    // is deleted now, so only the group itself changes.
    history.m_pendingSecond.clear();
    EXPECT_EQ(group.SetStateRecursive(&m_doc, 0x81), 0);
    EXPECT_TRUE(history.m_pendingSecond.empty());
    EXPECT_EQ(group.m_state, 0x81);
    EXPECT_EQ(nested.m_state, 0x88);
}

TEST_F(Groups, MarkWalksEndOnACyclicGroupGraph)
{
    // Two groups holding each other, as a damaged file can leave them.
    int a, b, lb, ls;
    CGroup& first = NewGroup(a);
    CGroup& second = NewGroup(b);
    AddMember(a, ELEM_GROUP, b, 0);
    AddMember(b, ELEM_GROUP, a, 0);
    CLine& line = AddLine(b, 0, lb, ls);
    first.OrMarkRecursive(&m_doc, 0x82);
    EXPECT_EQ(first.m_mark, 0x82);
    EXPECT_EQ(second.m_mark, 0x82);
    EXPECT_EQ(line.m_mark, 0x82);
    first.AndMarkRecursive(&m_doc, 0xFD);
    EXPECT_EQ(line.m_mark, 0x80);
    first.SetMarkRecursive(&m_doc, 0);
    EXPECT_EQ(second.m_mark, 0);
    EXPECT_EQ(first.SetStateRecursive(&m_doc, 0x88), 1);
}

TEST_F(Groups, MarkWalksStopAtTheDepthLimit)
{
    // A chain of 13 nested groups with a line at the bottom.
    int numbers[13];
    for (int& n : numbers)
        NewGroup(n);
    for (int i = 0; i + 1 < 13; i++)
        AddMember(numbers[i], ELEM_GROUP, numbers[i + 1], 0);
    int lb, ls;
    CLine& line = AddLine(numbers[12], 0, lb, ls);
    m_doc.GetGroup(numbers[0])->OrMarkRecursive(&m_doc, 0x02);
    EXPECT_EQ(m_doc.GetGroup(numbers[CGroup::MaxDepth])->m_mark, 0x02);
    EXPECT_EQ(m_doc.GetGroup(numbers[CGroup::MaxDepth + 1])->m_mark, 0);
    EXPECT_EQ(line.m_mark, 0);
}

TEST_F(Groups, DeletedMembersKeepTheirMarks)
{
    int g, b, s;
    CGroup& group = NewGroup(g);
    CLine& line = AddLine(g, 0, b, s);
    line.m_state = 0x88;
    group.SetMarkRecursive(&m_doc, 0x82);
    EXPECT_EQ(group.m_mark, 0x82);
    EXPECT_EQ(line.m_mark, 0);
}

TEST_F(Groups, SelectGroupChainMarksOrDeselects)
{
    m_app.m_appFind.groupSelectMode = 1;
    m_app.m_appFind.toggleSelection = 1;
    int outer, inner;
    CGroup& top = NewGroup(outer);
    CGroup& group = NewGroup(inner);
    AddMember(outer, ELEM_GROUP, inner, 0);

    EXPECT_EQ(group.SelectGroupChain(&m_doc, inner, 0), 0);
    EXPECT_EQ(group.m_mark, 0x82);
    EXPECT_EQ(top.m_mark, 0);

    group.m_mark = 0x02;
    EXPECT_EQ(group.SelectGroupChain(&m_doc, inner, 0), 1);
    EXPECT_EQ(group.m_mark, 0x80);

    group.m_mark = 0;
    EXPECT_EQ(group.SelectGroupChain(&m_doc, inner, 1), 0);
    EXPECT_EQ(top.m_mark, 0x82);
    EXPECT_EQ(group.m_mark, 0x82);

    group.m_state = 0x88;
    group.m_mark = 0;
    EXPECT_EQ(group.SelectGroupChain(&m_doc, inner, 1), 0);
    EXPECT_EQ(group.m_mark, 0);
}

TEST_F(Groups, SearchesOfTheDimensionCommands)
{
    int g;
    CGroup& group = NewGroup(g, CGroup::KIND_LINEAR);
    int b0, s0, b1, s1, b2, s2;
    AddLine(g, 4, b0, s0);
    AddLine(g, 2, b1, s1);
    AddLine(g, 2, b2, s2);
    int tb, ts;
    CText& value = NewText(tb, ts);
    value.m_role = 16;
    AddMember(g, ELEM_TEXT, tb, ts);

    int x1, y1, x2, y2;
    group.FindTwoLinesWithRole(&m_doc, 1, x1, y1, x2, y2);
    EXPECT_EQ(y1, s1);
    EXPECT_EQ(y2, s2);
    group.FindTwoLinesWithRole(&m_doc, 0, x1, y1, x2, y2);
    EXPECT_EQ(y1, s0);
    EXPECT_EQ(x2, -1);

    int vb, vs;
    group.FindDimensionValueText(&m_doc, vb, vs);
    EXPECT_EQ(vb, tb);
    EXPECT_EQ(vs, ts);

    int fb, fs;
    EXPECT_EQ(group.FindBaseText(&m_doc, fb, fs), nullptr);   // not a notation group
    EXPECT_EQ(fb, -1);

    group.MoveDefinitionPoints(&m_doc, 1, 3, 2, 3);
    group.MoveDefinitionPoints(&m_doc, 0, 1, 1, 1);
    EXPECT_EQ(group.m_defPoint1.m_x, 1.0);
    EXPECT_EQ(group.m_defPoint2.m_y, 3.0);
}

TEST_F(Groups, SearchesOfTheLeaderBalloonAndNotationGroups)
{
    int g;
    CGroup& balloon = NewGroup(g, CGroup::KIND_BALLOON);
    int cb, cs;
    CCircle& circle = NewCircle(cb, cs);
    circle.m_centre.Init(0, 0);
    circle.m_radius = 5;
    AddMember(g, ELEM_CIRCLE, cb, cs);
    int lb0, ls0, lb1, ls1;
    CLine& shelf = AddLine(g, 16, lb0, ls0);
    shelf.m_start.Init(20, 20);
    shelf.m_end.Init(30, 20);
    CLine& leader = AddLine(g, 32, lb1, ls1);
    leader.m_start.Init(3, 4);   // on the circle
    leader.m_end.Init(20, 20);   // where the shelf starts

    int endFlag = -1, block, slot;
    EXPECT_EQ(balloon.FindLineTouchingCircle(&m_doc, CCircle(circle), endFlag, block, slot),
              &leader);
    EXPECT_EQ(endFlag, 1);
    EXPECT_EQ(slot, ls1);
    EXPECT_EQ(balloon.FindCircleThroughPoint(&m_doc, CLine(leader), 1, block, slot), &circle);
    EXPECT_EQ(balloon.FindCircleThroughPoint(&m_doc, CLine(leader), 0, block, slot), nullptr);
    // The line meeting the leader's end, the leader itself passed over.
    EXPECT_EQ(balloon.FindOtherLineAtPoint(&m_doc, CLine(leader), 0, endFlag, block, slot),
              &shelf);
    EXPECT_EQ(endFlag, 1);
    leader.m_state = 0x88;
    EXPECT_EQ(balloon.FindLineTouchingCircle(&m_doc, CCircle(circle), endFlag, block, slot),
              nullptr);
    EXPECT_EQ(block, -1);

    int n;
    CGroup& notation = NewGroup(n, CGroup::KIND_NOTATION);
    AddText(n, "x", 1);
    const int base = AddText(n, "H", 4);
    int tb, ts;
    // The block number is set by the search, so the search runs before the block is looked up.
    CTexts* found = notation.FindBaseText(&m_doc, tb, ts);
    EXPECT_EQ(found, m_doc.TextBlockAt(tb));
    EXPECT_EQ(ts, base);
    EXPECT_EQ(notation.FindAngleDimensionArc(&m_doc), nullptr);
}
