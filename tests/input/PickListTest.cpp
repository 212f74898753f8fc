// The pick list: the candidate limit, the order of candidates, the group rule, crossing and
// deform searches, stepping with Tab, clearing marks, the element-reference mode and the
// layer-wise selection.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "elements/Arcs.h"
#include "document/BlockExtents.h"
#include "document/UndoHistory.h"
#include "elements/Conics.h"
#include "elements/Circles.h"
#include "elements/Lines.h"
#include "input/PointSearch.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Texts.h"
#include "input/PickList.h"
#include "tests/view/ViewTestSupport.h"
#include "view/ZelkObj.h"

namespace {

class PickListTest : public PickFixture {
protected:
    CPickList& List() { return *Doc().m_pickList; }
    // The pick square about a world point, in view units (half size 20 as the default).
    CRectD Square(double x, double y, double h = 20)
    {
        const CPointD c = W(x, y).WorldToScreen(View().m_origin, View().m_zoom);
        CRectD r;
        r.Init(c.m_x - h, c.m_y + h, c.m_x + h, c.m_y - h);
        return r;
    }
    // The element a candidate names, as an address to compare with.
    const void* Elem(const CElemCandidate& c)
    {
        switch (c.m_kind) {
        case ELEM_LINE: return Doc().GetLineElem(c.m_block, c.m_slot);
        case ELEM_CIRCLE: return Doc().GetCircleElem(c.m_block, c.m_slot);
        case ELEM_ARC: return Doc().GetArcElem(c.m_block, c.m_slot);
        case ELEM_TEXT: return Doc().GetTextElem(c.m_block, c.m_slot);
        case ELEM_POINT: return Doc().GetPointElem(c.m_block, c.m_slot);
        case ELEM_GROUP: return Doc().GetGroup(c.m_block);
        default: return nullptr;
        }
    }
    std::vector<const void*> Order()
    {
        std::vector<const void*> out;
        for (const CElemCandidate& c : List().m_candidates)
            out.push_back(Elem(c));
        return out;
    }
    // Everything the searches of one window answer, in order: the picks inside and crossing,
    // the box collections of every type and the point search about `at`.
    std::string Results(const CRectD& window, const CPointD& at)
    {
        std::ostringstream r;
        auto signature = [&](const std::vector<CElemCandidate>& list) {
            for (const CElemCandidate& c : list)
                r << c.m_kind << '/' << c.m_block << '/' << c.m_slot << '/' << c.m_segmentIndex << '/'
                  << int(c.m_partFlags) << ' ';
        };
        for (int type : {1, 2}) {
            r << List().Search(&View(), window, type) << ':';
            signature(List().m_candidates);
        }
        for (int type : {1, 2, 3}) {
            List().ClearFoundSet();
            r << List().CollectInWindow(&View(), window, type) << ':';
            signature(List().foundSet);
        }
        Doc().m_pointSearch->Reset();
        r << Doc().m_pointSearch->Search(&View(), at);
        for (const CFoundPoint& f : Doc().m_pointSearch->foundPoints)
            r << ' ' << f.m_point.m_x << ',' << f.m_point.m_y;
        return r.str();
    }
    CText* Text(CPointD underlineStart, CPointD underlineEnd)
    {
        CTexts* block = Doc().AddText(underlineStart, "AB", RGB(0, 0, 0), 8, 0, Doc().FindOrAddCurrentFont(0.0));
        EXPECT_NE(block, nullptr);
        CText* t = &Last(block);
        t->m_underlineStart = underlineStart;
        t->m_underlineEnd = underlineEnd;
        t->m_point = underlineStart;
        return t;
    }
    // A plain group of the given lines.
    int Group(std::initializer_list<CLine*> lines)
    {
        CGroup* g = new CGroup;
        const int number = Doc().m_groups.Add(g);
        for (CLine* l : lines) {
            for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b)
                for (int s = 0; s < Doc().LineBlockAt(b)->m_count; ++s)
                    if (Doc().GetLineElem(b, s) == l) {
                        CElemRef r;
                        r.Init(ELEM_LINE, static_cast<std::int16_t>(b), static_cast<std::int16_t>(s), 1, 0);
                        g->m_members.push_back(r);
                    }
            l->m_group = static_cast<std::int16_t>(number);
        }
        return number;
    }
};

TEST_F(PickListTest, TheCandidateLimitDependsOnTheZoomWindowMode)
{
    struct Case {
        short zoomWindowMode;
        int lines;
        int result;
    };
    const Case cases[] = {{2, 5, 5}, {2, 6, CPickList::kTooMany}, {0, 10, 10}, {1, 10, 10}, {0, 11, CPickList::kTooMany}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.zoomWindowMode << ", lines " << c.lines);
        ResetDrawing();
        m_app->m_appDraw.zoomWindowMode = c.zoomWindowMode;
        // Separate vertical lines through the square.
        for (int i = 0; i < c.lines; ++i)
            Line(-10 + 2 * i, -100, -10 + 2 * i, 100);
        EXPECT_EQ(List().Search(&View(), Square(0, 0), 2), c.result);
        // The list keeps what was found up to the limit, and the context of the pick.
        EXPECT_LE(List().GetCount(), c.zoomWindowMode == 2 ? 6 : 11);
        EXPECT_EQ(List().pickScale, View().m_zoom);
    }
}

TEST_F(PickListTest, AnUnknownSearchTypeFindsNothingAndKeepsThePickContext)
{
    Line(-50, 0, 50, 0);
    View().m_zoom = 2;
    EXPECT_EQ(List().Search(&View(), Square(0, 0), 2), 1);
    EXPECT_EQ(List().pickScale, 2);
    View().m_zoom = 4;
    EXPECT_EQ(List().Search(&View(), Square(0, 0), 5), 0);
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_EQ(List().pickScale, 2);
}

TEST_F(PickListTest, CandidatesRunByDistanceThenSizeWithTextsFirst)
{
    // Equal distances: the shorter line first; a nearer line before both.
    {
        CLine* longLine = Line(-15, 5, 15, 5);
        CLine* shortLine = Line(-3, -5, 3, -5);
        CLine* nearLine = Line(-15, 2, 15, 2);
        ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 3);
        EXPECT_EQ(Order(), (std::vector<const void*>{nearLine, shortLine, longLine}));
        EXPECT_DOUBLE_EQ(List().m_candidates[1].m_sizeKey, 6);
        EXPECT_DOUBLE_EQ(std::fabs(List().m_candidates[1].m_distanceKey), 5);
    }
    // A text goes before the first non-text; a line that comes after a text goes behind it.
    ResetDrawing();
    {
        CLine* line = Line(-15, 1, 15, 1);
        CText* text = Text(W(-10, 8), W(10, 8));
        CLine* later = Line(-15, 0.5, 15, 0.5);
        ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 3);
        // Lines are searched before texts: the text arrives last and still goes first.
        EXPECT_EQ(Order(), (std::vector<const void*>{text, later, line}));
    }
    // Inserted in the other order, a line goes by its distance: behind a text (distance 0).
    List().Clear();
    List().InsertCandidate(ELEM_TEXT, 1, 0, 0, 0, 0, 0.0, 20.0);
    List().InsertCandidate(ELEM_LINE, 1, 0, 0, 1, 0, 0.3, 30.0);
    List().InsertCandidate(ELEM_LINE, 1, 0, 0, 2, 0, -0.3, 10.0);
    ASSERT_EQ(List().GetCount(), 3);
    EXPECT_EQ(List().m_candidates[0].m_kind, ELEM_TEXT);
    EXPECT_EQ(List().m_candidates[1].m_slot, 2);
    EXPECT_EQ(List().m_candidates[2].m_slot, 1);
}

TEST_F(PickListTest, DuringABoxSelectionAGroupedLineBecomesItsOutermostGroup)
{
    CLine* loose = Line(-15, 1, 15, 1);
    CLine* grouped = Line(-15, 8, 15, 8);
    CLine* other = Line(100, 100, 110, 100);
    const int inner = Group({grouped, other});
    CGroup* outer = new CGroup;
    const int outerNumber = Doc().m_groups.Add(outer);
    Doc().GetGroup(inner)->m_parent = static_cast<std::int16_t>(outerNumber);
    CElemRef sub;
    sub.Init(ELEM_GROUP, static_cast<std::int16_t>(inner), 0, 1, 0);
    outer->m_members.push_back(sub);

    ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 2);
    EXPECT_EQ(Order(), (std::vector<const void*>{loose, grouped}));

    Doc().m_groupProcessing = 1;
    ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 2);
    const CElemCandidate& first = List().m_candidates[0];
    EXPECT_EQ(first.m_kind, ELEM_GROUP);
    EXPECT_EQ(first.m_block, outerNumber);
    EXPECT_EQ(first.m_distanceKey, 0);
    EXPECT_EQ(first.m_sizeKey, 0);
    EXPECT_EQ(Elem(List().m_candidates[1]), loose);

    // Group processing keeps lines themselves in the crossing search; deform mode everything.
    m_app->m_groupProcessing = 1;
    ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 2);
    EXPECT_EQ(Order(), (std::vector<const void*>{loose, grouped}));
    m_app->m_groupProcessing = 0;
    Doc().m_deformMode = 1;
    ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 2);
    EXPECT_EQ(Order(), (std::vector<const void*>{loose, grouped}));
}

TEST_F(PickListTest, CrossingAndInsideSearchesTellCirclesAndArcsApart)
{
    Doc().AddCircle(W(0, 0), 100, 0, m_pen);   // around the whole square
    CArc* arc = &Last(Doc().AddArc(W(0, -30), 30, W(80, 200), 0, m_pen));   // start inside only
    Doc().AddCircle(W(200, 0), 5, 0, m_pen);    // far away
    ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 1);
    EXPECT_EQ(Elem(List().m_candidates[0]), arc);
    // Inside: the arc is not wholly inside; a small circle is.
    CCircle* small = &Last(Doc().AddCircle(W(3, 3), 4, 0, m_pen));
    ASSERT_EQ(List().Search(&View(), Square(0, 0), 1), 1);
    EXPECT_EQ(Elem(List().m_candidates[0]), small);
}

TEST_F(PickListTest, HiddenLayersAreSkippedOnlyInASingleLayerView)
{
    AddLayers(1);
    Line(-15, 0, 15, 0, 1);
    View().m_layerStates[1] = 1;
    struct Case {
        int showAll;
        short interruptMode;
        int found;
    };
    for (const Case& c : {Case{1, 0, 1}, Case{0, 0, 0}, Case{0, 35, 1}}) {
        View().m_showAllLayers = c.showAll;
        m_app->m_interruptMode = c.interruptMode;
        EXPECT_EQ(List().Search(&View(), Square(0, 0), 2), c.found) << c.showAll << " " << c.interruptMode;
    }
}

TEST_F(PickListTest, ADeformBoxTakesALineWithOneEndInside)
{
    CLine* line = Line(0, 0, 100, 0);
    CLine* both = Line(-5, 5, 5, 5);
    m_app->m_appFind.boxSelectionMode = 3;
    EXPECT_EQ(List().CollectInWindow(&View(), Square(0, 0), 3), 2);
    ASSERT_EQ(List().foundSet.size(), 2u);
    EXPECT_EQ(List().foundSet[0].m_partFlags, 1);
    EXPECT_EQ(List().foundSet[1].m_partFlags, 3);
    List().ReportLayerSelection();
    EXPECT_EQ(line->m_mark, 0x84);
    EXPECT_EQ(both->m_mark, 0x82);
    // Applied again, the toggle takes the end mark off.
    List().ReportLayerSelection();
    EXPECT_EQ(line->m_mark & 0x04, 0);
}

TEST_F(PickListTest, TabAndShiftTabRunThroughTheCandidatesAndNone)
{
    CLine* a = Line(-15, 1, 15, 1);
    CLine* b = Line(-15, 2, 15, 2);
    CLine* c = Line(-15, 3, 15, 3);
    const CLine* lines[] = {a, b, c};
    ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 3);
    // Only the current candidate carries the selection mark.
    auto marked = [&] {
        int index = -1;
        for (int i = 0; i < 3; ++i)
            if (lines[i]->m_mark & MARK_SELECTED) {
                EXPECT_EQ(index, -1);
                index = i;
            }
        return index;
    };
    std::vector<int> tab;
    for (int i = 0; i < 5; ++i) {
        List().Cycle(1);
        tab.push_back(List().m_current);
        EXPECT_EQ(marked(), List().m_current);
    }
    EXPECT_EQ(tab, (std::vector<int>{0, 1, 2, -1, 0}));
    std::vector<int> back;
    for (int i = 0; i < 2; ++i) {
        List().Cycle(-1);
        back.push_back(List().m_current);
        EXPECT_EQ(marked(), List().m_current);
    }
    EXPECT_EQ(back, (std::vector<int>{-1, 2}));
    CElemRef ref;
    EXPECT_TRUE(List().GetCurrent(ref));
    // Cycle 0 takes the highlight off the current candidate.
    List().Cycle(0);
    EXPECT_EQ(marked(), -1);
}

TEST_F(PickListTest, ClearingMarksReachesGroupsAndMembersButNotPlacedObjects)
{
    CLine* line = Line(0, 0, 10, 0);
    CLine* member = Line(0, 5, 10, 5);
    const int g = Group({line, member});
    line->m_mark = MARK_SELECTED;
    member->m_mark = MARK_SELECTED | MARK_SECOND_END;
    Doc().GetGroup(g)->m_mark = MARK_SELECTED;
    CZelkObj* object = new CZelkObj;
    object->m_stateBits = MARK_SELECTED;
    Doc().AddObject(object);
    List().ClearMarks(14);
    EXPECT_EQ(line->m_mark, MARK_REDRAW);
    EXPECT_EQ(member->m_mark, MARK_REDRAW);
    EXPECT_EQ(Doc().GetGroup(g)->m_mark, MARK_REDRAW);
    EXPECT_EQ(object->m_stateBits, MARK_SELECTED);
    Doc().RemoveObject(object);
    delete object;
}

TEST_F(PickListTest, ReferencingTheSameElementAgainCancelsIt)
{
    CLine* line = Line(-15, 1, 15, 1);
    ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 1);
    List().StepCurrent(1);
    List().ReferenceCurrent(0);
    EXPECT_EQ(Doc().m_refLineElem, line);
    EXPECT_EQ(m_app->m_lastMessage, CString("要素参照モードです"));
    List().ReferenceCurrent(0);
    EXPECT_EQ(Doc().m_refLineElem, nullptr);
    EXPECT_EQ(m_app->m_lastMessage, CString("要素参照をキャンセルしました"));

    // A point reference clears the line reference, a circle the point reference.
    List().ReferenceCurrent(0);
    ASSERT_EQ(Doc().m_refLineElem, line);
    CDataPoint* point = &Last(Doc().AddPoint(W(100, 100), 0, m_pen));
    ASSERT_EQ(List().Search(&View(), Square(100, 100), 2), 1);
    List().StepCurrent(1);
    List().ReferenceCurrent(0);
    EXPECT_EQ(Doc().m_refPointElem, point);
    EXPECT_EQ(Doc().m_refLineElem, nullptr);
    Doc().AddCircle(W(300, 300), 5, 0, m_pen);
    ASSERT_EQ(List().Search(&View(), Square(305, 300), 2), 1);
    List().StepCurrent(1);
    List().ReferenceCurrent(0);
    EXPECT_NE(Doc().m_refCircleElem, nullptr);
    EXPECT_EQ(Doc().m_refPointElem, nullptr);
}

TEST_F(PickListTest, LayerWiseSelectionSelectsWholeLayersOnce)
{
    AddLayers(3);
    CLine* onOne = Line(-15, 1, 15, 1, 1);
    CLine* onTwo = Line(-15, 2, 15, 2, 2);
    CLine* farOnOne = Line(500, 500, 510, 500, 1);
    CLine* farOnTwo = Line(600, 500, 610, 500, 2);
    CLine* onThree = Line(700, 500, 710, 500, 3);
    m_app->m_appFind.layerWiseSelection = 1;
    ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 2);
    List().SelectLayersOfCandidates();
    for (CLine* l : {onOne, onTwo, farOnOne, farOnTwo})
        EXPECT_TRUE(l->m_mark & MARK_SELECTED);
    EXPECT_FALSE(onThree->m_mark & MARK_SELECTED);
    EXPECT_EQ(m_app->m_appFind.layerWiseSelection, 0);
    EXPECT_EQ(Doc().m_groupProcessing, 1);
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 1);
    EXPECT_EQ(m_app->m_lastMessage,
              CString("レイヤ別選択で群処理モードに入りました。 要素作成条件を [選択要素の環境で作成] [同レイヤに作成] に設定。"));
    // Switched off: the next pick leaves the layers alone.
    onThree->m_mark = 0;
    farOnOne->m_mark = 0;
    ASSERT_EQ(List().Search(&View(), Square(0, 0), 2), 2);
    List().SelectLayersOfCandidates();
    EXPECT_EQ(farOnOne->m_mark, 0);
}

TEST_F(PickListTest, SelectAllTakesGroupsWholeOrMembersOneByOne)
{
    CLine* a = Line(0, 0, 10, 0);
    CLine* b = Line(0, 5, 10, 5);
    CLine* loose = Line(0, 9, 10, 9);
    (void)loose;
    Group({a, b});
    struct Case {
        short groupSelectMode;
        std::vector<int> kinds;
    };
    for (const Case& c : {Case{1, {ELEM_GROUP, ELEM_LINE}}, Case{2, {ELEM_LINE, ELEM_LINE, ELEM_LINE}}}) {
        m_app->m_appFind.groupSelectMode = c.groupSelectMode;
        List().ClearFoundSet();
        EXPECT_EQ(List().SelectAll(&View()), static_cast<int>(c.kinds.size()));
        std::vector<int> kinds;
        for (const CElemCandidate& e : List().foundSet)
            kinds.push_back(e.m_kind);
        EXPECT_EQ(kinds, c.kinds);
    }
}

TEST_F(PickListTest, TheSnapshotReselectsWhatWasSelected)
{
    CLine* a = Line(0, 0, 10, 0);
    CLine* b = Line(0, 5, 10, 5);
    CLine* deleted = Line(0, 9, 10, 9);
    a->m_mark = MARK_SELECTED;
    deleted->m_mark = MARK_SELECTED;
    List().SnapshotSelection();
    deleted->m_state = 0x88;
    List().ClearMarks(MARK_SELECTED);
    Doc().ClearRedrawBits();
    EXPECT_EQ(List().ReselectSnapshot(), 1);
    EXPECT_EQ(a->m_mark, MARK_SELECTED | MARK_REDRAW);
    EXPECT_EQ(b->m_mark, 0);
    EXPECT_EQ(deleted->m_mark & MARK_SELECTED, 0);
}

}  // namespace

namespace {

// Passing over elements by their extent changes no pick, crossing or inside, no point search
// and no box collection, on random drawings of every kind at random zooms, also after the
// drawing has been moved about as the undo history moves it.
TEST_F(PickListTest, PassingOverByExtentChangesNoResult)
{
    std::mt19937 random(30);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(random); };
    m_app->m_appDraw.zoomWindowMode = 0;
    for (int drawing = 0; drawing < 6; ++drawing) {
        ResetDrawing();
        for (int i = 0; i < 120; ++i) {
            const CPointD p = W(uniform(-50, 50), uniform(-50, 50));
            switch (i % 7) {
            case 0: Doc().AddPoint(p, 0, m_pen); break;
            case 1: Line(p.m_x, p.m_y, p.m_x + uniform(-20, 20), p.m_y + uniform(-20, 20)); break;
            case 2: Doc().AddCircle(p, uniform(0.1, 15), 0, m_pen); break;
            case 3: Doc().AddArc(p, uniform(0.1, 15), W(uniform(0, 180), uniform(180, 360)), 0, m_pen); break;
            case 4: Text(p, W(p.m_x + uniform(0, 10), p.m_y + uniform(-3, 3))); break;
            case 5: Doc().AddConic(p, uniform(1, 15), uniform(0.2, 1), W(uniform(0, 90), uniform(180, 360)),
                                   uniform(0, 180), 0, m_pen); break;
            default:
                Doc().AddCurve(1, {p, W(p.m_x + uniform(-9, 9), p.m_y + uniform(-9, 9)),
                                   W(p.m_x + uniform(-9, 9), p.m_y + uniform(-9, 9))}, 0, m_pen);
                break;
            }
        }
        for (int pass = 0; pass < 2; ++pass) {
            for (int k = 0; k < 25; ++k) {
                View().m_zoom = std::pow(10.0, uniform(-1, 1.5));
                const CPointD at = W(uniform(-60, 60), uniform(-60, 60));
                const double h = uniform(2, 200);
                const CRectD window = Square(at.m_x, at.m_y, h);
                const std::string passingOver = Results(window, at);
                CPickList::s_passOverByExtent = false;
                const std::string plain = Results(window, at);
                CPickList::s_passOverByExtent = true;
                EXPECT_EQ(passingOver, plain) << "drawing " << drawing << " pass " << pass << " window " << k;
            }
            // Moved as the undo history moves elements: ellipses with their polylines.
            const double dx = uniform(-30, 30), dy = uniform(-30, 30);
            for (int b = 0; b < Doc().m_conicBlocks.GetSize(); ++b)
                for (int s = 0; s < Doc().ConicBlockAt(b)->m_count; ++s) {
                    CConic* c = Doc().GetConicElem(b, s);
                    c->m_centre.AddXY(dx, dy);
                    for (CPointD& p : c->m_polyline)
                        p.AddXY(dx, dy);
                }
            Doc().m_blockExtents.Invalidate();
        }
    }
}

// The blocks passed over by their boxes change no pick, crossing or inside, no point search and
// no box collection, on drawings whose blocks each cover a small part of the drawing (so that
// most are passed over), as elements are added, deleted, and the deletion and a movement undone
// and redone.
TEST_F(PickListTest, PassingOverBlocksChangesNoResultThroughAddsDeletesUndoAndRedo)
{
    std::mt19937 random(82);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(random); };
    m_app->m_appDraw.zoomWindowMode = 0;
    std::vector<CPointD> cursors;
    // Elements of every kind in a walk across the plane, so that each block holds neighbours.
    auto addElements = [&](int count) {
        CPointD at = W(uniform(-400, 400), uniform(-400, 400));
        for (int i = 0; i < count; ++i) {
            if (i % 40 == 0)
                at = W(uniform(-400, 400), uniform(-400, 400));
            const CPointD p = W(at.m_x + uniform(-8, 8), at.m_y + uniform(-8, 8));
            cursors.push_back(p);
            switch (i % 7) {
            case 0: Doc().AddPoint(p, 0, m_pen); break;
            case 1: Line(p.m_x, p.m_y, p.m_x + uniform(-6, 6), p.m_y + uniform(-6, 6)); break;
            case 2: Doc().AddCircle(p, uniform(0.1, 5), 0, m_pen); break;
            case 3: Doc().AddArc(p, uniform(0.1, 5), W(uniform(0, 180), uniform(180, 360)), 0, m_pen); break;
            case 4: Text(p, W(p.m_x + uniform(0, 5), p.m_y + uniform(-2, 2))); break;
            case 5: Doc().AddConic(p, uniform(1, 5), uniform(0.2, 1), W(uniform(0, 90), uniform(180, 360)),
                                   uniform(0, 180), 0, m_pen); break;
            default:
                Doc().AddCurve(1, {p, W(p.m_x + uniform(-4, 4), p.m_y + uniform(-4, 4)),
                                   W(p.m_x + uniform(-4, 4), p.m_y + uniform(-4, 4))}, 0, m_pen);
                break;
            }
        }
    };
    int passedOver = 0;
    auto compare = [&](const char* phase) {
        for (int k = 0; k < 30; ++k) {
            View().m_zoom = std::pow(10.0, uniform(-1, 1.5));
            const CPointD& near = cursors[static_cast<size_t>(uniform(0, static_cast<double>(cursors.size()) - 1))];
            const CPointD at = W(near.m_x + uniform(-3, 3), near.m_y + uniform(-3, 3));
            const CRectD window = Square(at.m_x, at.m_y, uniform(2, 100));
            const CWorldWindow world = CWorldWindow::FromView(window, View().m_origin, View().m_zoom);
            const CBlockExtents::Entry* boxes = Doc().m_blockExtents.Boxes(CBlockExtents::kTexts, Doc().m_textBlocks);
            for (int b = 0; b < Doc().m_textBlocks.GetSize(); ++b)
                passedOver += world.Meets(boxes[b].box) ? 0 : 1;
            const std::string passingOver = Results(window, at);
            CBlockExtents::s_enabled = false;
            const std::string plain = Results(window, at);
            CBlockExtents::s_enabled = true;
            EXPECT_EQ(passingOver, plain) << phase << " window " << k;
        }
    };
    addElements(1400);
    compare("drawn");
    addElements(700);
    compare("added to");
    // Every third line, circle and text deleted, as the delete command deletes a selection.
    for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b)
        for (int s = 0; s < Doc().LineBlockAt(b)->m_count; s += 3)
            Doc().GetLineElem(b, s)->m_mark = MARK_SELECTED;
    for (int b = 0; b < Doc().m_textBlocks.GetSize(); ++b)
        for (int s = 0; s < Doc().TextBlockAt(b)->m_count; s += 3)
            Doc().GetTextElem(b, s)->m_mark = MARK_SELECTED;
    for (int b = 0; b < Doc().m_circleBlocks.GetSize(); ++b)
        for (int s = 0; s < Doc().CircleBlockAt(b)->m_count; s += 3)
            Doc().GetCircleElem(b, s)->m_mark = MARK_SELECTED;
    ASSERT_TRUE(Doc().DeleteSelected(1));
    Doc().m_undoHistory->Commit(2);
    compare("deleted");
    Doc().m_undoHistory->Undo();
    compare("deletion undone");
    Doc().m_undoHistory->Redo();
    compare("deletion redone");
    // Lines and ellipses moved far across the drawing by a movement step, undone and redone.
    for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b)
        for (int s = 1; s < Doc().LineBlockAt(b)->m_count; s += 3)
            Doc().m_undoHistory->RecordChangeWithExtra(3, ELEM_LINE, b, s, Doc().GetLineElem(b, s)->m_state);
    for (int b = 0; b < Doc().m_conicBlocks.GetSize(); ++b)
        for (int s = 0; s < Doc().ConicBlockAt(b)->m_count; s += 2)
            Doc().m_undoHistory->RecordChangeWithExtra(1, ELEM_CONIC, b, s, Doc().GetConicElem(b, s)->m_state);
    Doc().m_undoHistory->CommitTransform(4, W(300, -250), W(1, 1));
    Doc().m_undoHistory->Undo();
    compare("movement undone");
    Doc().m_undoHistory->Redo();
    compare("movement redone");
    EXPECT_GT(passedOver, 1000) << "the drawing's blocks should mostly be passed over";
}

}  // namespace
