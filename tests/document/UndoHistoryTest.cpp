// The undo history: messages on an empty history, the marker steps that keep an abandoned
// branch, what undo and redo write into the elements, and committing.
#include "DocTestSupport.h"

#include "document/UndoHistory.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"

class UndoHistoryTest : public DocFixture {
protected:
    CUndoHistory& History() { return *Doc().m_undoHistory; }

    // One operation: a new point, recorded and committed as a creation step.
    CDataPoint* AddPointStep(double x)
    {
        std::int16_t block, slot;
        Doc().AddPointWithCurrentPen(Pt(x, 0), block, slot);
        History().RecordChange(1, ELEM_POINT, block, slot, 0x08);
        History().Commit(1);
        return Doc().GetPointElem(block, slot);
    }
    std::string Kinds()
    {
        std::string s;
        for (const auto& step : Doc().m_undoHistory->m_steps) {
            if (!s.empty())
                s += ",";
            if (step->m_kind & 0x80)
                s += 'M';
            s += std::to_string(step->m_kind & 0x80 ? step->m_linked : step->m_kind);
        }
        return s;
    }
};

TEST_F(UndoHistoryTest, EmptyHistoryAnswersWithBeepAndMessage)
{
    History().Undo();
    EXPECT_EQ(LastMessage(), "これ以上 UNDO できません");
    ASSERT_EQ(Scripted().m_beeps.size(), 1u);
    EXPECT_EQ(Scripted().m_beeps[0], MB_ICONASTERISK);
    History().Redo();
    EXPECT_EQ(LastMessage(), "REDO データはありません");
    EXPECT_EQ(Scripted().m_beeps.size(), 2u);
    EXPECT_EQ(History().m_current, -1);
}

// After the redraw the redraw bit is cleared again, so the elements read 0x08 and 0x01 here;
// the value written before the redraw is checked by the test after the next.
TEST_F(UndoHistoryTest, UndoAndRedoOfACreation)
{
    CDataPoint* p = AddPointStep(1);
    History().Undo();
    EXPECT_EQ(p->m_state, 0x08);
    EXPECT_EQ(LastMessage(), "データを戻しました");
    History().Redo();
    EXPECT_EQ(p->m_state, 0x01);
    EXPECT_EQ(LastMessage(), "データを回復しました");
    History().Redo();
    EXPECT_EQ(LastMessage(), "これ以上 REDO できません");
    EXPECT_EQ(History().m_current, 0);
}

TEST_F(UndoHistoryTest, UndoOfADeletionRestoresTheRecordedState)
{
    std::int16_t b1, s1, b2, s2;
    Doc().AddLineWithCurrentPen(Pt(0, 0), Pt(1, 0), b1, s1);
    Doc().AddLineWithCurrentPen(Pt(0, 0), Pt(2, 0), b2, s2);
    CLine* kept = Doc().GetLineElem(b1, s1);
    CLine* zero = Doc().GetLineElem(b2, s2);
    kept->m_mark = 0x02;
    History().RecordChange(2, ELEM_LINE, b1, s1, kept->m_state);
    kept->m_state = 0x88;
    zero->m_state = 0;
    History().RecordChange(2, ELEM_LINE, b2, s2, zero->m_state);
    zero->m_state = 0x88;
    History().Commit(2);

    RecordingView view;
    Doc().AddView(&view);
    History().Undo();
    // The redraw bit is set for the views and cleared after the redraw.
    EXPECT_TRUE(view.Saw("RedrawElements 1"));
    EXPECT_EQ(kept->m_state, 0x01);
    EXPECT_EQ(zero->m_state, 0x01);
    EXPECT_EQ(kept->m_mark, 0);   // the recorded mark is always 0
    History().Redo();
    EXPECT_EQ(kept->m_state, 0x08);
    EXPECT_EQ(zero->m_state, 0x08);
    Doc().RemoveView(&view);
}

TEST_F(UndoHistoryTest, UndoWritesTheStateBytesBeforeTheRedraw)
{
    // A view that looks at the element while it is asked to redraw sees the redraw bit.
    struct Peek : RecordingView {
        CDataPoint* p = nullptr;
        int seen = -1;
        void RedrawElements(int) override { seen = p->m_state; }
    } view;
    view.p = AddPointStep(3);
    Doc().AddView(&view);
    History().Undo();
    EXPECT_EQ(view.seen, 0x88);
    History().Redo();
    EXPECT_EQ(view.seen, 0x81);
    Doc().RemoveView(&view);
}

TEST_F(UndoHistoryTest, NewOperationAfterUndoKeepsTheAbandonedStepBehindAMarker)
{
    CDataPoint* a = AddPointStep(1);
    CDataPoint* b = AddPointStep(2);
    History().Undo();
    EXPECT_EQ(b->m_state, 0x08);
    CDataPoint* c = AddPointStep(3);
    EXPECT_EQ(Kinds(), "1,1,M1,1");
    EXPECT_EQ(History().m_current, 3);

    History().Undo();
    EXPECT_EQ(c->m_state, 0x08);
    EXPECT_EQ(History().m_current, 2);
    History().Undo();   // the marker: B comes back
    EXPECT_EQ(b->m_state, 0x01);
    EXPECT_EQ(History().m_current, 1);
    EXPECT_EQ(a->m_state & STATE_DELETED, 0);

    // Redo over the marker undoes B again and rests on the marker.
    History().Redo();
    EXPECT_EQ(b->m_state, 0x08);
    EXPECT_EQ(History().m_current, 2);
    History().Redo();
    EXPECT_EQ(c->m_state, 0x01);
    EXPECT_EQ(History().m_current, 3);
}

TEST_F(UndoHistoryTest, OneUndoRestoresAWholeAbandonedBranch)
{
    AddPointStep(1);
    CDataPoint* b = AddPointStep(2);
    CDataPoint* c = AddPointStep(3);
    History().Undo();
    History().Undo();
    EXPECT_EQ(History().m_current, 0);
    CDataPoint* d = AddPointStep(4);
    EXPECT_EQ(Kinds(), "1,1,1,M2,M1,1");
    History().Undo();
    EXPECT_EQ(d->m_state, 0x08);
    History().Undo();
    EXPECT_EQ(b->m_state, 0x01);
    EXPECT_EQ(c->m_state, 0x01);
    EXPECT_EQ(History().m_current, 2);
}

TEST_F(UndoHistoryTest, UndoMovesOnlyTheRecordedEnd)
{
    std::int16_t block, slot;
    Doc().AddLineWithCurrentPen(Pt(0, 0), Pt(10, 10), block, slot);
    CLine* line = Doc().GetLineElem(block, slot);
    History().RecordChangeWithExtra(2, ELEM_LINE, block, slot, line->m_state);
    line->m_end.Init(13, 14);
    History().CommitTransform(4, Pt(3, 4), Pt(1, 1));
    History().Undo();
    EXPECT_EQ(line->m_start.m_x, 0);
    EXPECT_EQ(line->m_start.m_y, 0);
    EXPECT_EQ(line->m_end.m_x, 10);
    EXPECT_EQ(line->m_end.m_y, 10);
    EXPECT_EQ(line->m_state & 0x7F, STATE_LIVE);
    History().Redo();
    EXPECT_EQ(line->m_end.m_x, 13);
    EXPECT_EQ(line->m_end.m_y, 14);
    EXPECT_EQ(line->m_state, 0x01);
}

TEST_F(UndoHistoryTest, CommitRules)
{
    History().RecordChange(1, ELEM_POINT, 0, 0, 8);
    History().CommitTransform(1, Pt(0, 0), Pt(0, 1));
    EXPECT_EQ(History().GetStepCount(), 0);
    EXPECT_EQ(History().m_pendingFirst.size(), 1u);

    History().Commit(1);
    ASSERT_EQ(History().GetStepCount(), 1);
    EXPECT_EQ(History().m_steps[0]->m_first.size(), 1u);
    EXPECT_TRUE(History().m_pendingFirst.empty());

    History().Commit(1);
    ASSERT_EQ(History().GetStepCount(), 2);
    EXPECT_TRUE(History().m_steps[1]->m_first.empty());
    History().Undo();
    EXPECT_EQ(LastMessage(), "データを戻しました");

    History().DropLastStep();
    EXPECT_EQ(History().GetStepCount(), 1);
    EXPECT_EQ(History().m_current, 0);
}

TEST_F(UndoHistoryTest, UndoAndRedoMarkTheDrawingModified)
{
    AddPointStep(1);
    Doc().SetModifiedFlag(FALSE);
    History().Undo();
    EXPECT_TRUE(Doc().IsModified());
    Doc().SetModifiedFlag(FALSE);
    History().Redo();
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(UndoHistoryTest, StaleEntriesAreSkipped)
{
    History().RecordChange(1, ELEM_POINT, 99, 0, 8);
    History().RecordChange(2, ELEM_GROUP, 5, 0, 1);
    History().RecordChangeWithExtra(3, ELEM_LINE, 0, 500, 1);
    History().CommitTransform(7, Pt(1, 1), Pt(1, 1));
    History().Undo();
    History().Redo();
    EXPECT_EQ(History().m_current, 0);
}

TEST_F(UndoHistoryTest, RecordingAGroupResetsItsMemberReferences)
{
    CGroup* g = new CGroup;
    CElemRef m;
    m.Init(ELEM_POINT, 0, 0, 1, 0x82);
    g->m_members.push_back(m);
    Doc().m_groups.Add(g);
    History().RecordChange(2, ELEM_GROUP, 0, 0, 0x05);
    EXPECT_EQ(g->m_members[0].m_state, 0x05);
    EXPECT_EQ(g->m_members[0].m_mark, 0);
    ASSERT_EQ(History().m_pendingSecond.size(), 1u);
    EXPECT_EQ(History().m_pendingSecond[0].m_state, 0x05);
}
