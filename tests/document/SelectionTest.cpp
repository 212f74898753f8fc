// Extents, deletion, attribute strings on the selection, group chains and collections.
#include "DocTestSupport.h"
#include "app/ZelkCntrItem.h"
#include "view/ZelkOleObj.h"

#include <cmath>

#include "document/UndoHistory.h"
#include "elements/Arcs.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "geometry/Numeric.h"
#include "view/ZelkObj.h"

class SelectionTest : public DocFixture {
protected:
    CLine* AddLine(CPointD a, CPointD b, std::int16_t layer = 0, int lineType = 0)
    {
        std::int16_t block, slot;
        Doc().AddLineWithPen(a, b, layer, Pen(lineType), block, slot);
        return Doc().GetLineElem(block, slot);
    }
    // Groups nested outermost first: group i holds group i + 1.
    void Nest(int depth, int kind = 0)
    {
        for (int i = 0; i < depth; ++i) {
            CGroup* g = new CGroup;
            g->m_kind = static_cast<std::int16_t>(kind);
            g->m_parent = static_cast<std::int16_t>(i - 1);
            Doc().m_groups.Add(g);
        }
    }
};

TEST_F(SelectionTest, ElementsOnWorkPrintLayersAndDraftPensDoNotCount)
{
    Doc().ComputeExtents();
    EXPECT_EQ(Doc().m_extents.m_left, 1e308);
    EXPECT_EQ(Doc().m_extents.m_top, -1e308);

    const std::int16_t frame = Doc().FindOrCreateLayer("print-WORK");
    AddLine(Pt(0, 0), Pt(100, 100), frame);
    AddLine(Pt(0, 0), Pt(50, 50), 0, 5);
    Doc().ComputeExtents();
    EXPECT_EQ(Doc().m_extents.m_left, 1e308);
    EXPECT_EQ(Doc().m_extents.m_right, -1e308);

    CLine* gone = AddLine(Pt(-9, -9), Pt(9, 9));
    gone->m_state = 0x88;
    AddLine(Pt(1, 2), Pt(3, 2));
    Doc().ComputeExtents();
    EXPECT_EQ(Doc().m_extents.m_left, 1);
    EXPECT_EQ(Doc().m_extents.m_right, 3);
    EXPECT_EQ(Doc().m_extents.m_top, 2);
    EXPECT_EQ(Doc().m_extents.m_bottom, 2);
}

TEST_F(SelectionTest, ArcWidensOnlyWhereItsSweepPasses)
{
    Doc().AddArc(Pt(0, 0), 10, Pt(300, 420), 0, Pen());
    Doc().ComputeExtents();
    EXPECT_NEAR(Doc().m_extents.m_right, 10, 1e-12);        // 360 inside the sweep
    EXPECT_NEAR(Doc().m_extents.m_top, 10 * std::sin(420 * PI / 180), 1e-12);   // 450 is not
    EXPECT_NEAR(Doc().m_extents.m_left, 10 * std::cos(420 * PI / 180), 1e-12);
    EXPECT_NEAR(Doc().m_extents.m_bottom, 10 * std::sin(300 * PI / 180), 1e-12);
}

TEST_F(SelectionTest, GroupExtentsCountLiveMembersOnly)
{
    CLine* a = AddLine(Pt(0, 0), Pt(1, 0));
    CLine* b = AddLine(Pt(0, 0), Pt(0, 5));
    (void)a;
    b->m_state = 0x88;
    CGroup* g = new CGroup;
    CElemRef m;
    m.Init(ELEM_LINE, 0, 0, 1, 0);
    g->m_members.push_back(m);
    m.Init(ELEM_LINE, 1, 0, 1, 0);
    g->m_members.push_back(m);
    Doc().m_groups.Add(g);
    double x0 = 1e308, y0 = 1e308, x1 = -1e308, y1 = -1e308;
    Doc().ExtendExtents(x0, y0, x1, y1, ELEM_GROUP, 0, 0);
    EXPECT_EQ(x1, 1);
    EXPECT_EQ(y1, 0);
}

TEST_F(SelectionTest, DeleteSelectedTakesLinesPickedAtAnEnd)
{
    CLine* end = AddLine(Pt(0, 0), Pt(1, 0));
    CLine* plain = AddLine(Pt(0, 1), Pt(1, 1));
    CLine* whole = AddLine(Pt(0, 2), Pt(1, 2));
    end->m_mark = MARK_SECOND_END;
    whole->m_mark = MARK_SELECTED | MARK_FIRST_END;
    EXPECT_EQ(Doc().DeleteSelected(0), 1);
    EXPECT_EQ(end->m_state, 136);
    EXPECT_EQ(end->m_mark, 0);
    EXPECT_EQ(plain->m_state, STATE_LIVE);
    EXPECT_EQ(whole->m_state, 136);
    EXPECT_EQ(whole->m_mark, MARK_FIRST_END);   // only the bit that made it selected
    ASSERT_EQ(Doc().m_undoHistory->m_pendingSecond.size(), 2u);
    EXPECT_EQ(Doc().m_undoHistory->m_pendingSecond[0].m_state, STATE_LIVE);
    EXPECT_EQ(Doc().DeleteSelected(0), 0);
}

TEST_F(SelectionTest, DeleteSelectedWithGroupsDeletesTheGroupAndItsMembers)
{
    CLine* l = AddLine(Pt(0, 0), Pt(1, 0));
    CGroup* g = new CGroup;
    CElemRef m;
    m.Init(ELEM_LINE, 0, 0, 1, 0);
    g->m_members.push_back(m);
    g->m_mark = MARK_SELECTED;
    Doc().m_groups.Add(g);
    l->m_group = 0;
    EXPECT_EQ(Doc().DeleteSelected(1), 1);
    EXPECT_EQ(g->m_state, 136);
    EXPECT_EQ(l->m_state, 136);
    EXPECT_EQ(g->m_mark & MARK_SELECTED, 0);
    // The group and its member are both recorded as deleted, in that order.
    ASSERT_EQ(Doc().m_undoHistory->m_pendingSecond.size(), 2u);
    EXPECT_EQ(Doc().m_undoHistory->m_pendingSecond[0].m_kind, ELEM_GROUP);
    EXPECT_EQ(Doc().m_undoHistory->m_pendingSecond[1].m_kind, ELEM_LINE);
}

TEST_F(SelectionTest, DeleteElementChecksTheReference)
{
    CLine* l = AddLine(Pt(0, 0), Pt(1, 0));
    CString entry = "memo";
    int index, mode;
    Doc().FindOrAddAttributeString(entry, index, mode);
    struct Case {
        int kind, block, slot, result;
    } cases[] = {
        {ELEM_GROUP, 0, 0, 0},  {ELEM_LINE, 1, 0, 0},  {ELEM_LINE, 0, 1, 0},
        {ELEM_LINE, -1, 0, 0},  {64, 0, 0, 0},         {ELEM_ATTRIBUTE_STRING, 1, 0, 0},
        {ELEM_LINE, 0, 0, 1},   {ELEM_LINE, 0, 0, 1},  {ELEM_ATTRIBUTE_STRING, 0, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Doc().DeleteElement(c.kind, c.block, c.slot), c.result)
            << c.kind << " " << c.block << " " << c.slot;
    EXPECT_EQ(l->m_state, 136);
    EXPECT_EQ(Doc().GetString(0)->m_state, 136);
    EXPECT_EQ(Doc().m_undoHistory->m_pendingSecond.size(), 3u);
}

TEST_F(SelectionTest, AttributeStringOnTheSelectionEndsGroupProcessing)
{
    RecordingView view;
    Doc().AddView(&view);
    CLine* l = AddLine(Pt(0, 0), Pt(1, 0));
    CString entry = "memo";
    int index, mode;
    Doc().FindOrAddAttributeString(entry, index, mode);
    l->m_mark = MARK_SELECTED;
    Doc().m_groupProcessing = 1;
    Doc().ApplyAttributeStringToSelection(index, 0);
    EXPECT_TRUE(view.Saw("Message 群選択要素に文字属性を設定して、群処理モードを解除しました"));
    EXPECT_TRUE(view.Saw("RedrawElements 1"));
    ASSERT_EQ(l->m_attrStrings.GetSize(), 1);
    EXPECT_EQ(l->m_mark & MARK_SELECTED, 0);
    EXPECT_EQ(Doc().m_groupProcessing, 0);

    view.m_calls.clear();
    l->m_mark = MARK_SELECTED;
    Doc().ApplyAttributeStringToSelection(index, 1);
    EXPECT_TRUE(view.Saw("Message 群選択要素の指定文字属性を解除して、群処理モードを解除しました"));
    EXPECT_EQ(l->m_attrStrings.GetSize(), 0);

    view.m_calls.clear();
    l->m_mark = MARK_SELECTED;
    Doc().m_groupProcessing = 1;
    Doc().ApplyAttributeStringToSelection(index, 1);
    EXPECT_TRUE(view.Saw("Message 群処理モードを解除しました"));
    EXPECT_FALSE(view.Saw("RedrawElements 1"));
    EXPECT_EQ(Doc().m_groupProcessing, 0);
    Doc().RemoveView(&view);
}

TEST_F(SelectionTest, TakingAStringFromTheSelectionLeavesTheOtherReferencesInOrder)
{
    CLine* first = AddLine(Pt(0, 0), Pt(1, 0));
    CLine* second = AddLine(Pt(0, 1), Pt(1, 1));
    ASSERT_EQ(Doc().GetLineElem(0, 0), first);
    ASSERT_EQ(Doc().GetLineElem(0, 1), second);
    CDataPoints* points = Doc().AddPoint(Pt(5, 5), 0, Pen());
    ASSERT_NE(points, nullptr);
    CDataPoint* point = &points->m_slots[0];
    CGroup* group = new CGroup;
    const int g = Doc().m_groups.Add(group);
    CString entry = "memo";
    int index, mode;
    Doc().FindOrAddAttributeString(entry, index, mode);
    // The point shares block and slot with the first line.
    first->LinkAttributeString(&Doc(), 0, 0, index);
    point->LinkAttributeString(&Doc(), 0, 0, index);
    second->LinkAttributeString(&Doc(), 0, 1, index);
    group->LinkAttributeString(&Doc(), g, 0, index);
    // A second reference to the second line, as a damaged file can leave: only the first goes.
    CElemRef stale;
    stale.Init(ELEM_LINE, 0, 1, 1, 0x40);
    Doc().GetString(index)->m_refs.push_back(stale);

    first->m_mark = MARK_SELECTED;
    second->m_mark = MARK_SELECTED;
    group->m_mark = MARK_SELECTED;
    Doc().ApplyAttributeStringToSelection(index, 1);

    const std::vector<CElemRef>& refs = Doc().GetString(index)->m_refs;
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_EQ(refs[0].m_kind, ELEM_POINT);
    EXPECT_EQ(refs[1].m_kind, ELEM_LINE);
    EXPECT_EQ(refs[1].m_mark, 0x40);
    EXPECT_EQ(first->m_attrStrings.GetSize(), 0);
    EXPECT_EQ(second->m_attrStrings.GetSize(), 0);
    EXPECT_EQ(group->m_attrStrings.GetSize(), 0);
    EXPECT_EQ(point->m_attrStrings.GetSize(), 1);
}

TEST_F(SelectionTest, GroupChainOfADeepNestStopsAtTenParents)
{
    Nest(12);
    CWordArray chain;
    EXPECT_EQ(Doc().GetGroupChain(11, chain), 1);
    ASSERT_EQ(chain.GetSize(), 11);
    EXPECT_EQ(chain[0], 1);
    EXPECT_EQ(chain[10], 11);
    CWordArray none;
    EXPECT_EQ(Doc().GetGroupChain(-1, none), 0);
    EXPECT_EQ(Doc().GetGroupChain(12, none), 0);
    EXPECT_EQ(none.GetSize(), 0);
}

TEST_F(SelectionTest, GroupChainWalkStopsOnAGroupAlreadyVisited)
{
    Nest(3);
    Doc().GetGroup(0)->m_parent = 2;   // a cycle from a damaged file
    CWordArray chain;
    Doc().GetGroupChain(2, chain);
    ASSERT_EQ(chain.GetSize(), 3);
    EXPECT_EQ(chain[0], 0);
    EXPECT_EQ(chain[2], 2);
    // A parent beyond the list is passed over.
    Doc().GetGroup(0)->m_parent = 40;
    CWordArray chain2;
    Doc().GetGroupChain(2, chain2);
    EXPECT_EQ(chain2.GetSize(), 3);
}

TEST_F(SelectionTest, GroupChainFilter)
{
    Nest(1, 0);                    // 0: plain group
    CGroup* dim = new CGroup;      // 1: dimension inside the plain group
    dim->m_kind = 2;
    dim->m_parent = 0;
    Doc().m_groups.Add(dim);
    CGroup* note = new CGroup;     // 2: notation string
    note->m_kind = 1;
    Doc().m_groups.Add(note);

    struct Case {
        std::vector<int> chain;
        int plain, dimension;
        int verdict;
        std::vector<int> left;
    } cases[] = {
        {{0}, 2, 1, 4, {}},
        {{0}, 1, 1, 1, {0}},
        {{0}, 3, 1, 0, {}},
        {{0, 1}, 3, 3, 0, {}},
        {{0, 1}, 1, 3, 1, {0}},
        {{0, 1}, 1, 2, 1, {0}},
        {{0, 1}, 2, 1, 1, {1}},
        {{1}, 1, 2, 4, {}},
        {{2}, 3, 3, 1, {2}},
        {{0, 1}, 5, 5, 4, {0, 1}},
    };
    for (const Case& c : cases) {
        m_app->m_appFind.groupSelectMode = static_cast<short>(c.plain);
        m_app->m_appFind.annotationGroupSelectMode = static_cast<short>(c.dimension);
        CWordArray chain;
        for (int g : c.chain)
            chain.Add(static_cast<WORD>(g));
        std::int16_t verdict = 4;
        Doc().FilterGroupChain(verdict, chain);
        EXPECT_EQ(verdict, c.verdict) << c.plain << c.dimension << c.chain.size();
        ASSERT_EQ(chain.GetSize(), static_cast<int>(c.left.size())) << c.plain << c.dimension;
        for (size_t i = 0; i < c.left.size(); ++i)
            EXPECT_EQ(chain[static_cast<int>(i)], c.left[i]);
    }
}

TEST_F(SelectionTest, CollectionsByLayerKindAndLineType)
{
    AddLine(Pt(0, 0), Pt(1, 0), 0, 0);
    AddLine(Pt(0, 0), Pt(0, 1), 0, 0);
    AddLine(Pt(0, 0), Pt(1, 1), 0, 2);
    CLine* gone = AddLine(Pt(0, 0), Pt(2, 1), 0, 0);
    gone->m_state = 0x88;
    Doc().AddPoint(Pt(0, 0), 0, Pen(5));
    CPtrArray refs;
    EXPECT_TRUE(Doc().CollectElements(-1, ELEM_LINE, 1, refs));
    EXPECT_EQ(refs.GetSize(), 2);
    CZelkDoc::FreeRefList(refs);
    EXPECT_EQ(refs.GetSize(), 0);
    EXPECT_TRUE(Doc().CollectElements(0, ELEM_LINE | ELEM_POINT, 0x1F, refs));
    EXPECT_EQ(refs.GetSize(), 3);   // line type 5 is never selected
    CZelkDoc::FreeRefList(refs);
    EXPECT_FALSE(Doc().CollectElements(3, ELEM_LINE, 0x1F, refs));
}

TEST_F(SelectionTest, SelectionListHoldsMarkedElements)
{
    CLine* a = AddLine(Pt(0, 0), Pt(1, 0));
    AddLine(Pt(0, 1), Pt(1, 1));
    a->m_mark = MARK_FIRST_END;
    EXPECT_TRUE(Doc().CollectSelection());
    ASSERT_EQ(Doc().m_selection.size(), 1u);
    EXPECT_EQ(Doc().m_selection[0].m_state, MARK_FIRST_END);   // mark first, then state
    EXPECT_EQ(Doc().m_selection[0].m_mark, STATE_LIVE);
    EXPECT_EQ(Doc().m_selection[0].m_kind, ELEM_LINE);
    a->m_mark = 0;
    EXPECT_FALSE(Doc().CollectSelection());
}

TEST_F(SelectionTest, PlacedObjects)
{
    RecordingView view;
    Doc().AddView(&view);
    CZelkObj* low = new CZelkObj;
    low->m_bottomRight = Pt(0, 0);
    low->m_topLeft = Pt(10, 10);
    CZelkObj* top = new CZelkObj;
    top->m_bottomRight = Pt(5, 5);
    top->m_topLeft = Pt(20, 20);
    EXPECT_EQ(Doc().AddObject(low), 0);
    EXPECT_EQ(Doc().AddObject(top), 1);
    EXPECT_EQ(top->m_pDocument, &Doc());
    view.m_origin = Pt(0, 0);
    view.m_zoom = 1;
    EXPECT_EQ(Doc().FindObjectAt(&view, POINT{7, 7}), top);
    EXPECT_EQ(Doc().FindObjectAt(&view, POINT{2, 2}), low);
    EXPECT_EQ(Doc().FindObjectAt(&view, POINT{50, 50}), nullptr);
    top->m_state = STATE_DELETED;
    CWordArray found;
    EXPECT_EQ(Doc().FindObjectsAt(&view, POINT{7, 7}, found), 1);
    EXPECT_EQ(found[0], 0);
    EXPECT_EQ(Doc().FindObjectAt(&view, POINT{7, 7}), top);

    Doc().SetModifiedFlag(FALSE);
    Doc().RemoveObject(top);
    EXPECT_EQ(Doc().FindObjectIndex(top), -1);
    EXPECT_EQ(Doc().FindObjectIndex(low), 0);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_TRUE(view.Saw("DeselectOleObject"));
    delete top;
    Doc().RemoveView(&view);
}

TEST_F(SelectionTest, DeleteSelectedTakesObjectsSelectedInTheActiveView)
{
    RecordingView view;
    Doc().AddView(&view);
    m_app->m_activeView = &view;
    CZelkObj* o = new CZelkObj;
    Doc().AddObject(o);
    view.m_oleSelection.push_back(o);
    EXPECT_EQ(Doc().DeleteSelected(0), 1);
    EXPECT_EQ(o->m_state, STATE_DELETED);
    EXPECT_TRUE(view.Saw("InvalidateObject"));
    EXPECT_TRUE(view.Saw("DeselectOleObject"));
    ASSERT_EQ(Doc().m_undoHistory->m_pendingSecond.size(), 1u);
    EXPECT_EQ(Doc().m_undoHistory->m_pendingSecond[0].m_kind, ELEM_OBJECT);
    EXPECT_EQ(Doc().m_undoHistory->m_pendingSecond[0].m_state, STATE_LIVE);
    // Undo brings the object back without a redraw bit.
    Doc().m_undoHistory->Commit(2);
    Doc().m_undoHistory->Undo();
    EXPECT_EQ(o->m_state, STATE_LIVE);
    m_app->m_activeView = nullptr;
    Doc().RemoveView(&view);
}

TEST_F(SelectionTest, UprightTextSpansItsHeightToTheLeft)
{
    LOGFONT lf{};
    const std::int16_t font = Doc().FindOrAddFont(lf, 20, 50, 1, 90);
    std::int16_t block, slot;
    Doc().AddTextWithFont("AB", Pt(10, 0), 0, font, 8, 0, block, slot);
    const CText* t = Doc().GetTextElem(block, slot);
    double x0 = 1e308, y0 = 1e308, x1 = -1e308, y1 = -1e308;
    Doc().ExtendExtents(x0, y0, x1, y1, ELEM_TEXT, block, slot);
    EXPECT_NEAR(x0, t->m_underlineStart.m_x - 5, 1e-9);
    EXPECT_NEAR(x1, t->m_underlineEnd.m_x, 1e-9);
    EXPECT_NEAR(y0, t->m_underlineStart.m_y, 1e-9);
    EXPECT_NEAR(y1, t->m_underlineEnd.m_y, 1e-9);
}

TEST_F(SelectionTest, SelectionListHoldsTheActiveViewsPlacedObjects)
{
    RecordingView view;
    view.m_document = &Doc();
    CZelkOleObj shown, selectedAlone, deleted;
    shown.m_stateBits = 0x02;
    deleted.m_state = STATE_DELETED;
    CZelkCntrItem first(&Doc()), second(&Doc());
    second.m_placedObjects.Add(&shown);
    Doc().m_oleItems = {&first, &second};
    view.m_oleSelection = {&selectedAlone, &shown, &deleted};

    // Another view active: only elements count.
    EXPECT_FALSE(Doc().CollectSelection());
    m_app->m_activeView = &view;
    EXPECT_TRUE(Doc().CollectSelection());
    ASSERT_EQ(Doc().m_selection.size(), 2u);
    EXPECT_EQ(Doc().m_selection[0].m_kind, 128);
    EXPECT_EQ(Doc().m_selection[0].m_block, 0);
    EXPECT_EQ(Doc().m_selection[0].m_slot, -1);   // shown by no item
    EXPECT_EQ(Doc().m_selection[1].m_block, 1);
    EXPECT_EQ(Doc().m_selection[1].m_slot, 1);    // the item that shows it
    EXPECT_EQ(Doc().m_selection[1].m_state, 0x02);  // mark first, then state
    m_app->m_activeView = nullptr;
    Doc().m_oleItems.clear();
}
