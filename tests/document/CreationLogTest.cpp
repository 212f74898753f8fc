// The creation log: tentative elements, their exact removal, commit into one undo step.
#include "CreationTestSupport.h"

namespace {

std::vector<std::vector<WORD>> Maps(CZelkDoc& doc)
{
    std::vector<std::vector<WORD>> out;
    for (auto& m : doc.m_blockMaps) {
        std::vector<WORD> v;
        for (int i = 0; i < m.GetSize(); ++i)
            v.push_back(m[i]);
        out.push_back(v);
    }
    return out;
}

}  // namespace

using CreationLogTest = CreationFixture;

TEST_F(CreationLogTest, AnAddWithoutKeepReplacesTheTentativeElement)
{
    const auto before = Maps(Doc());
    std::int16_t block = -1, slot = -1;
    Log().AddPoint(At(1, 1), 1, block, slot, 0, 0);
    ASSERT_EQ(block, 0);
    ASSERT_EQ(Doc().m_pointBlocks.GetSize(), 1);
    Log().AddPoint(At(2, 2), 1, block, slot, 0, 0);

    // The first point's block went with it; the second point made a block of its own again.
    ASSERT_EQ(Doc().m_pointBlocks.GetSize(), 1);
    const CDataPoints* b = Doc().PointBlockAt(0);
    EXPECT_EQ(b->m_count, 1);
    EXPECT_DOUBLE_EQ(b->m_slots[0].m_position.m_x, 2);
    EXPECT_EQ(Log().m_log.size(), 1u);
    EXPECT_EQ(Undo().m_pendingFirst.size(), 1u);

    // Escape brings the maps back to what they were before the first add.
    Log().Rollback();
    EXPECT_EQ(Maps(Doc()), before);
    EXPECT_EQ(Doc().m_pointBlocks.GetSize(), 0);
    EXPECT_TRUE(Undo().m_pendingFirst.empty());
}

TEST_F(CreationLogTest, KeepJoinsTheNewElementToTheLoggedOnes)
{
    std::int16_t block = -1, slot = -1;
    Log().AddPoint(At(1, 1), 1, block, slot, 0, 0);
    Log().AddPoint(At(2, 2), 1, block, slot, 0, 1);
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(Doc().PointBlockAt(0)->m_count, 2);
    ASSERT_EQ(Log().m_log.size(), 2u);
    EXPECT_EQ(Log().m_log[0]->m_slot, 0);
    EXPECT_EQ(Log().m_log[1]->m_slot, 1);
}

TEST_F(CreationLogTest, RollbackTruncatesABlockThatHeldEarlierElementsAndResetsTheSlot)
{
    std::int16_t block = -1, slot = -1;
    Log().AddPoint(At(1, 1), 1, block, slot, 0, 0);
    Log().Commit(0);
    Log().AddPoint(At(2, 2), 2, block, slot, 0, 0);
    ASSERT_EQ(slot, 1);
    CDataPoint& p = Doc().PointBlockAt(0)->m_slots[1];
    // What a command may have written on the tentative element before it was dropped.
    p.m_group = 7;
    p.m_role = 16;
    p.m_state = 0x88;
    Log().Rollback();
    ASSERT_EQ(Doc().m_pointBlocks.GetSize(), 1);
    EXPECT_EQ(Doc().PointBlockAt(0)->m_count, 1);
    EXPECT_EQ(p.m_group, -1);
    EXPECT_EQ(p.m_role, 0);
    EXPECT_EQ(p.m_state, 1);
    EXPECT_EQ(p.m_mark, 0);
}

TEST_F(CreationLogTest, RollbackRemovesThePenMadeForTheTentativeElement)
{
    std::int16_t block = -1, slot = -1;
    Log().AddLine(At(0, 0), At(5, 0), 1, block, slot, 0, 0);
    Log().Commit(0);
    const int pens = Doc().m_pens.GetSize();
    const auto maps = Maps(Doc());
    m_app->m_appElem.m_lineWidth = 7;
    ASSERT_EQ(Log().AddLine(At(0, 1), At(5, 3), 1, block, slot, 0, 0), 1);
    ASSERT_EQ(Doc().m_pens.GetSize(), pens + 1);
    Log().Rollback();
    EXPECT_EQ(Doc().m_pens.GetSize(), pens);
    EXPECT_EQ(Maps(Doc()), maps);
    EXPECT_EQ(Doc().m_lineBlocks.GetSize(), 1);
    // The pen comes back under the same number, with a block of its own again.
    ASSERT_EQ(Log().AddLine(At(0, 1), At(5, 3), 1, block, slot, 0, 0), 1);
    EXPECT_EQ(Doc().m_pens.GetSize(), pens + 1);
    EXPECT_EQ(Doc().LineBlockAt(block)->m_pen, pens);
    EXPECT_EQ(slot, 0);
}

TEST_F(CreationLogTest, MarkBytesFollowTheMarkType)
{
    struct Case { int kind; int markType; std::uint8_t mark; };
    const Case cases[] = {
        {2, 1, 0x81}, {2, 2, 0x82}, {2, 4, 0x84},
        {4, 1, 0x81}, {4, 2, 0x82},
        {8, 1, 0x80}, {8, 2, 0x82}, {8, 4, 0x80},
    };
    for (const Case& c : cases) {
        std::int16_t block = -1, slot = -1;
        std::uint8_t mark = 0;
        if (c.kind == 2) {
            Log().AddPoint(At(1, 1), c.markType, block, slot, 0, 0);
            mark = Doc().GetPointElem(block, slot)->m_mark;
        } else if (c.kind == 4) {
            Log().AddLine(At(1, 1), At(3, 4), c.markType, block, slot, 0, 0);
            mark = Doc().GetLineElem(block, slot)->m_mark;
        } else {
            Log().AddCircle(At(1, 1), 2, c.markType, block, slot, 0, 0);
            mark = Doc().GetCircleElem(block, slot)->m_mark;
        }
        EXPECT_EQ(mark, c.mark) << "kind " << c.kind << " mark type " << c.markType;
        EXPECT_EQ(Log().m_log.back()->m_mark, c.markType);
    }
    std::int16_t block = -1, slot = -1;
    Log().AddArc(At(0, 0), 2, 0, 90, 1, block, slot, 0, 0);
    EXPECT_EQ(Doc().GetArcElem(block, slot)->m_state, 0x81);
    EXPECT_EQ(Doc().GetArcElem(block, slot)->m_mark, 0);
}

TEST_F(CreationLogTest, TheMarkTypeChoosesTheDrawModeAndNoDrawSuppressesIt)
{
    std::int16_t block = -1, slot = -1;
    Log().AddPoint(At(1, 1), 2, block, slot, 0, 0);
    Log().AddLine(At(1, 1), At(2, 2), 4, block, slot, 0, 1);
    Log().AddCircle(At(1, 1), 1, 1, block, slot, 0, 1);
    EXPECT_EQ(m_view.m_draws, (std::vector<std::string>{"point 3 0", "line 4 0", "circle 1 0"}));
    m_view.m_draws.clear();
    Log().m_noDraw = 1;
    Log().AddCircle(At(1, 1), 1, 1, block, slot, 0, 1);
    EXPECT_TRUE(m_view.m_draws.empty());
}

TEST_F(CreationLogTest, EnterCommitsOneUndoStepAndEscapeRemovesEverything)
{
    std::int16_t block = -1, slot = -1;
    Log().AddLine(At(0, 0), At(4, 0), 1, block, slot, 0, 0);
    Log().AddLine(At(0, 0), At(0, 4), 1, block, slot, 0, 1);
    // Enter: the undo step for the tentative elements, then the commit.
    Undo().Commit(1);
    Log().Commit(0);
    EXPECT_EQ(Undo().GetStepCount(), 1);
    EXPECT_EQ(Undo().m_steps[0]->m_first.size(), 2u);
    EXPECT_EQ(Log().m_logged, 0);
    EXPECT_EQ(LiveLines(), 2);
    Undo().Undo();
    EXPECT_EQ(LiveLines(), 0);
    Undo().Redo();
    EXPECT_EQ(LiveLines(), 2);

    // Escape: the tentative line goes and the history is as it was.
    Log().AddLine(At(1, 1), At(3, 3), 1, block, slot, 0, 0);
    EXPECT_EQ(LiveLines(), 3);
    EXPECT_EQ(Log().EraseLogged(), 1);
    Log().Rollback();
    EXPECT_EQ(LiveLines(), 2);
    EXPECT_EQ(Undo().GetStepCount(), 1);
    EXPECT_EQ(Undo().m_current, 0);
}

TEST_F(CreationLogTest, RollbackUndoesAStepTheCommandCommittedAndRestoresWhatItDeleted)
{
    std::int16_t block = -1, slot = -1;
    Log().AddLine(At(0, 0), At(4, 0), 1, block, slot, 0, 0);
    Undo().Commit(1);
    Log().Commit(0);
    const std::int16_t oldBlock = block, oldSlot = slot;
    CLine* old = Doc().GetLineElem(oldBlock, oldSlot);
    old->m_state = 1;

    Log().AddLine(At(0, 0), At(0, 4), 1, block, slot, 1, 0);
    // The command deletes the old line in the same operation and commits the step itself.
    Undo().RecordChange(2, 4, oldBlock, oldSlot, old->m_state);
    old->m_state = 0x88;
    Undo().Commit(1);
    ASSERT_EQ(Undo().GetStepCount(), 2);

    Log().Rollback();
    EXPECT_EQ(Undo().GetStepCount(), 1);
    EXPECT_EQ(Undo().m_current, 0);
    // Back with the redraw bit, which the redraw that ends the rollback has taken off again.
    EXPECT_EQ(old->m_state, 0x01);
    EXPECT_EQ(LiveLines(), 1);
}

TEST_F(CreationLogTest, RollbackKeepsStepsUndoneBeforeTheOperationUndone)
{
    std::int16_t block = -1, slot = -1;
    for (int i = 0; i < 2; ++i) {
        Log().AddLine(At(0, i), At(4, i + 1), 1, block, slot, 0, 0);
        Undo().Commit(1);
        Log().Commit(0);
    }
    Undo().Undo();
    ASSERT_EQ(Undo().m_current, 0);
    Log().AddPoint(At(9, 9), 1, block, slot, 1, 0);
    Undo().Commit(1);
    Log().Rollback();
    EXPECT_EQ(Undo().GetStepCount(), 2);
    EXPECT_EQ(Undo().m_current, 0);
    Undo().Redo();
    EXPECT_EQ(LiveLines(), 2);
}

TEST_F(CreationLogTest, ADrawingOfTheExperienceLibraryIsNotMarkedModified)
{
    std::int16_t block = -1, slot = -1;
    Doc().m_path = "C:\\Zelk\\作図体験ライブラリ\\a.zel";
    Log().AddPoint(At(1, 1), 1, block, slot, 0, 0);
    EXPECT_FALSE(Doc().IsModified());
    Doc().m_path = "C:\\Zelk\\a.zel";
    Log().AddPoint(At(1, 1), 1, block, slot, 0, 0);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(CreationLogTest, CommitClearsTheSelectionOfSingleElementsOnlyAndWidensTheExtents)
{
    std::int16_t block = -1, slot = -1, group = -1;
    Doc().m_extents.Init(0, 1, 1, 0);
    Log().AddCircle(At(10, 10), 2, 2, block, slot, 0, 0);
    CGroup* g = Log().AddGroup(2, group, 0, 1);
    g->m_mark = 0x02;
    Log().Commit(1);
    const CCircle* c = Doc().GetCircleElem(block, slot);
    EXPECT_EQ(c->m_mark & 0x02, 0);
    EXPECT_EQ(g->m_mark, 0x02);
    EXPECT_DOUBLE_EQ(Doc().m_extents.m_right, 12);
    EXPECT_DOUBLE_EQ(Doc().m_extents.m_top, 12);
    EXPECT_DOUBLE_EQ(Doc().m_extents.m_left, 0);
}

TEST_F(CreationLogTest, RollbackRemovesALoggedGroupWithItsMembers)
{
    std::int16_t group = -1, block = -1, slot = -1;
    const int groups = Doc().m_groups.GetSize();
    Log().AddGroup(1, group, 0, 0);
    Doc().m_dimCmd->m_inputPoints[1].point = At(0, 10);
    Doc().m_dimCmd->m_inputPoints[2].point = At(0, 0);
    Doc().m_dimCmd->m_inputPoints[3].point = At(25, 0);
    ASSERT_GE(Log().AddLinearDimension(1, 0), 0);
    EXPECT_EQ(Doc().m_groups.GetSize(), groups + 1);
    Log().AddLine(At(0, 0), At(1, 1), 1, block, slot, 0, 1);
    Log().Rollback();
    EXPECT_EQ(Doc().m_groups.GetSize(), groups);
    EXPECT_EQ(Doc().m_lineBlocks.GetSize(), 0);
    EXPECT_EQ(Doc().m_textBlocks.GetSize(), 0);
}

TEST_F(CreationLogTest, AGroupBeyondWhatGroupNumbersCanNameIsRefusedAndChangesNothing)
{
    while (Doc().m_groups.GetSize() < CGroup::MaxCount - 1)
        Doc().m_groups.Add(new CGroup);
    std::int16_t group = -1, block = -1, slot = -1;
    Log().AddLine(At(0, 0), At(1, 1), 1, block, slot, 0, 0);
    ASSERT_NE(Log().AddGroup(1, group, 0, 1), nullptr);
    EXPECT_EQ(group, CGroup::MaxCount - 1);
    const size_t logged = Log().m_log.size();
    const size_t recorded = Undo().m_pendingFirst.size();

    // Without keep the add would first remove the tentative line and group: a refused add
    // leaves them.
    EXPECT_EQ(Log().AddGroup(1, group, 0, 0), nullptr);
    EXPECT_EQ(group, -1);
    EXPECT_EQ(Doc().m_groups.GetSize(), CGroup::MaxCount);
    EXPECT_EQ(Log().m_log.size(), logged);
    EXPECT_EQ(Undo().m_pendingFirst.size(), recorded);
    EXPECT_EQ(LiveLines(), 1);
    EXPECT_EQ(m_app->m_lastMessage, "グループの数が上限を超えるため追加できません");
}
