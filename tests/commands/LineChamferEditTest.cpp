// Chamfers between lines, circles and arcs, the double clicks that trim the chamfered elements,
// and the edits of an existing line: what each leaves in the drawing, its message and its undo
// step, and the geometry they keep on generated inputs.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/line/LineCommand.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "platform/core/Services.h"
#include "platform/ui/UiServices.h"
#include "tests/commands/LineTestSupport.h"
#include "tests/support/CommandTape.h"

namespace {

using line_tests::At;
using line_tests::LiveLines;
using line_tests::LoggedLines;

bool Listed(const CCommandRow& row, const std::string& text)
{
    for (const std::string& l : row.listing)
        if (l == text)
            return true;
    return false;
}

int Beeps()
{
    return static_cast<int>(DefaultScriptedServices().m_beeps.size());
}

class LineChamfer : public testing::Test {
protected:
    CLineCommand& Line() { return m_tape.Line(); }
    CZelkDoc& Doc() { return m_tape.Doc(); }
    CZelkApp& App() { return m_tape.App(); }
    int UndoSteps() { return Doc().m_undoHistory->GetStepCount(); }
    int Run(const char* tokens)
    {
        App().CommitOperation(&Doc(), 0);
        Line().m_tokenString = tokens;
        return Line().Execute();
    }
    void Point(int slot, double x, double y) { Line().m_inputPoints[slot].SetPoint(At(x, y)); }
    void Value(int slot, double v) { Line().m_values[slot].value = v; }
    void Picked(int slot, CPointD a, CPointD b, CPointD pick)
    {
        CLine l;
        l.m_start = a;
        l.m_end = b;
        Line().m_pickedLines[slot].Assign(l);
        Line().m_pickPoints[slot] = pick;
    }
    void PickedCircle(int slot, CPointD centre, double r, CPointD pick)
    {
        CCircle c;
        c.m_centre = centre;
        c.m_radius = r;
        Line().m_pickedCircles[slot].Assign(c);
        Line().m_pickPoints[slot] = pick;
    }
    // The live line of the drawing with the given index in block order, and where it is.
    CLine* LineAt(int index, std::int16_t& block, std::int16_t& slot)
    {
        for (block = 0; block < Doc().m_lineBlocks.GetSize(); ++block) {
            auto* lines = static_cast<CLines*>(Doc().m_lineBlocks[block]);
            for (slot = 0; slot < lines->m_count; ++slot)
                if (!(lines->m_slots[slot].m_state & STATE_DELETED) && index-- == 0)
                    return &lines->m_slots[slot];
        }
        return nullptr;
    }
    // One group of all the lines of the drawing, the i-th with the role 10 + i.
    void GroupAllLines()
    {
        auto* group = new CGroup;
        Doc().m_groups.Add(group);
        std::int16_t block = 0, slot = 0;
        for (int i = 0; CLine* l = LineAt(i, block, slot); ++i) {
            l->m_group = static_cast<std::int16_t>(Doc().m_groups.GetSize() - 1);
            l->m_role = static_cast<std::int16_t>(10 + i);
            CElemRef ref;
            ref.Init(ELEM_LINE, block, slot, 1, 0);
            group->m_members.push_back(ref);
        }
    }
    CCommandTape m_tape;
};

// ---- chamfers on the tape ----------------------------------------------------------------------

class LineChamferTape : public LineChamfer {
protected:
    void SetUp() override
    {
        m_tape.AddLine(At(0, 0), At(10, 0));
        m_tape.AddLine(At(5, -5), At(5, 5));
        std::int16_t block = 0, slot = 0;
        LineAt(1, block, slot)->m_layer = 3;
        GroupAllLines();
    }
};

TEST_F(LineChamferTape, TwoClicksMakeTheChamferSegment)
{
    const CCommandRow& menu = m_tape.LineMenu("面取り");
    EXPECT_EQ(menu.lineMode, "DLL");
    EXPECT_EQ(App().m_appElem.m_layerCondition, 1);
    EXPECT_EQ(m_tape.Value(2, 6).lineTokens, "D");
    EXPECT_EQ(m_tape.Pick(At(1, 0)).lineTokens, "DL");
    const CCommandRow& made = m_tape.Pick(At(5, 4));
    EXPECT_EQ(made.result, " 面取り線分を作成しました");
    EXPECT_EQ(made.undoKinds, "1");
    // The tape has no main frame to run the chamfer's timer on; the window test sees it.
    EXPECT_EQ(made.timers, "");
    EXPECT_TRUE(Listed(made, "line 3.000000,0.000000 5.000000,2.000000 layer 0 group -1 role 0 pen 0"));
    // Both lines as they were.
    EXPECT_TRUE(Listed(made, "line 0.000000,0.000000 10.000000,0.000000 layer 0 group 0 role 10 pen 0"));
    EXPECT_TRUE(Listed(made, "line 5.000000,-5.000000 5.000000,5.000000 layer 3 group 0 role 11 pen 0"));
}

TEST_F(LineChamferTape, DoubleClicksTrimBothLinesInTheirLayersAndGroup)
{
    m_tape.LineMenu("面取り");
    App().SetLayerCondCurrent();
    m_tape.Value(2, 6);
    const CCommandRow& first = m_tape.LeftDouble(At(1, 0));
    EXPECT_EQ(first.lineTokens, "DL");
    EXPECT_EQ(first.result, " 選択要素の環境で作成するモードに切り替えました");
    EXPECT_EQ(App().m_appElem.m_creationEnv, 1);
    EXPECT_EQ(App().m_appElem.m_layerCondition, 1);

    const CCommandRow& second = m_tape.LeftDouble(At(5, 4));
    // The first line trimmed to its chamfer point by the chamfer, the second by the double click.
    EXPECT_EQ(second.undoKinds, "3 3");
    EXPECT_TRUE(Listed(second, "line 3.000000,0.000000 5.000000,2.000000 layer 0 group -1 role 0 pen 0"));
    EXPECT_TRUE(Listed(second, "line 0.000000,0.000000 3.000000,0.000000 layer 0 group 0 role 10 pen 0"));
    EXPECT_TRUE(Listed(second, "line 5.000000,2.000000 5.000000,5.000000 layer 3 group 0 role 11 pen 0"));
    EXPECT_EQ(second.listing.back(), "retired 2");
    EXPECT_EQ(App().m_appElem.m_creationEnv, 0);
    EXPECT_EQ(App().m_appElem.m_layerCondition, 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Line().m_stepOptions[i], 0) << i;

    // Each undo step brings its line back.
    Doc().m_undoHistory->Undo();
    Doc().m_undoHistory->Undo();
    EXPECT_EQ(LiveLines(Doc()).size(), 2u);
}

TEST_F(LineChamferTape, TheChamferMessageOfTheTrimComesWithTheSecondClick)
{
    m_tape.LineMenu("面取り");
    m_tape.Value(2, 6);
    m_tape.LeftDouble(At(1, 0));
    const CCommandRow& made = m_tape.Pick(At(5, 4));
    EXPECT_EQ(made.result, " 面取りを行いました");
    EXPECT_EQ(made.undoKinds, "3");
    EXPECT_POINT(Line().m_trimEnds[1], 5, 2);
    EXPECT_POINT(Line().m_trimEnds[3], 5, 5);
}

// ---- chamfers run from their inputs ---------------------------------------------------------------

TEST_F(LineChamfer, RefusedChamfersSayWhyBeepAndLeaveTheNoteForTheDoubleClick)
{
    m_tape.AddLine(At(0, 0), At(10, 0));
    struct Case {
        const char* tokens;
        const char* message;
    } cases[] = {
        { "DLL", "指定の２つの線分が平行なので面取りはできません" },
        { "DCC", "指定の２つの円(弧)が同心なので面取り線分は作成できません" },
        { "DCC", "指定の２つの円(弧)は交点を持たないので面取り線分は作成できません" },
        { "DLC", "指定の線分と円(弧)は交点を持たないので面取り線分は作成できません" },
    };
    Value(0, 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        if (i == 0) {
            Picked(1, At(0, 0), At(10, 0), At(1, 0));
            Picked(2, At(0, 2), At(10, 2), At(1, 2));
        } else if (i == 1) {
            PickedCircle(1, At(0, 0), 5, At(5, 0));
            PickedCircle(2, At(0, 0), 3, At(3, 0));
        } else if (i == 2) {
            PickedCircle(1, At(0, 0), 5, At(5, 0));
            PickedCircle(2, At(20, 0), 3, At(17, 0));
        } else {
            Picked(1, At(0, 10), At(10, 10), At(1, 10));
            PickedCircle(2, At(0, 0), 3, At(3, 0));
        }
        const int beeps = Beeps();
        Line().m_refusalNote = 0;
        EXPECT_EQ(Run(cases[i].tokens), 0) << i;
        EXPECT_EQ(App().m_lastMessage, cases[i].message) << i;
        EXPECT_EQ(Beeps() - beeps, 1) << i;
        EXPECT_EQ(Line().m_refusalNote, 1) << i;
        Line().OnDoubleClick();
        EXPECT_EQ(Line().m_refusalNote, 0) << i;
        EXPECT_EQ(LiveLines(Doc()).size(), 1u) << i;
        EXPECT_EQ(App().m_appElem.m_creationEnv, 0) << i;
    }
    EXPECT_EQ(UndoSteps(), 0);
}

TEST_F(LineChamfer, TheLineAndCircleChamferTakesTheCrossingNearerBothPicks)
{
    Value(0, 1);
    PickedCircle(1, At(0, 0), 5, At(0, 5));
    Picked(2, At(-10, 3), At(10, 3), At(8, 3));
    EXPECT_EQ(Run("DCL"), 1);
    const std::vector<CLine> made = LoggedLines(Doc());
    ASSERT_EQ(made.size(), 1u);
    // Crossing (4, 3); one unit along the line towards the pick, one unit of arc towards (0, 5).
    const CPointD onLine = Distance(made[0].m_start, At(5, 3)) < 1e-9 ? made[0].m_start : made[0].m_end;
    const CPointD onCircle = Distance(made[0].m_start, At(5, 3)) < 1e-9 ? made[0].m_end : made[0].m_start;
    EXPECT_POINT(onLine, 5, 3);
    EXPECT_NEAR(Distance(onCircle, At(0, 0)), 5, 1e-9);
    const double turned = PointsAngleRad(At(0, 0), onCircle) - PointsAngleRad(At(0, 0), At(4, 3));
    EXPECT_NEAR(turned * 5, 1, 1e-9);
    EXPECT_EQ(App().m_lastResultMessage, " 面取り線分を作成しました");
}

TEST_F(LineChamfer, AFullCircleIsNeverTrimmedButAnArcIs)
{
    const std::int16_t pen = Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    Doc().AddCircle(At(0, 0), 5, 0, pen);
    Doc().AddArc(At(20, 0), 5, At(0, 180), 0, pen);
    Value(0, 1);
    // Two circles crossing at (2.5, ±4.33); the first one double-clicked.
    PickedCircle(1, At(0, 0), 5, At(3, 4));
    PickedCircle(2, At(5, 0), 5, At(2, 4));
    Line().m_pickedRefs[0].Init(ELEM_CIRCLE, 0, 0, 1, 0);
    Line().m_pickedRefs[1].Init(ELEM_CIRCLE, 0, 0, 1, 0);
    Line().m_stepOptions[1] = 1;
    EXPECT_EQ(Run("DCC"), 1);
    EXPECT_EQ(App().m_lastResultMessage, " 面取り線分を作成しました");
    ASSERT_EQ(UndoSteps(), 1);
    EXPECT_EQ(Doc().m_undoHistory->m_steps[0]->m_kind, 1);
    EXPECT_EQ(Doc().GetCircleElem(0, 0)->m_state & STATE_DELETED, 0);

    // The arc of radius 5 about (20, 0) and a circle about (25, 0): the arc keeps its far end.
    PickedCircle(1, At(20, 0), 5, At(16, 3));
    PickedCircle(2, At(25, 0), 5, At(28, 4));
    Line().m_pickedRefs[0].Init(ELEM_ARC, 0, 0, 1, 0);
    Line().m_stepOptions[1] = 1;
    EXPECT_EQ(Run("DCC"), 1);
    EXPECT_EQ(App().m_lastResultMessage, " 面取りを行いました");
    EXPECT_EQ(Doc().m_undoHistory->m_steps[1]->m_kind, 3);
    EXPECT_NE(Doc().GetArcElem(0, 0)->m_state & STATE_DELETED, 0);
    const CArc* rebuilt = Doc().GetArcElem(0, 1);
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_NEAR(rebuilt->m_radius, 5, 1e-9);
    // From the crossing (22.5, 4.33) one unit of arc away from the pick side's far end at 180.
    EXPECT_NEAR(rebuilt->m_endAngle, 180, 1e-9);
    EXPECT_NEAR((rebuilt->m_startAngle - 60) * M_PI / 180 * 5, 1, 1e-9);
}

TEST_F(LineChamfer, ADoubleClickSkipsASecondElementAlreadyGone)
{
    m_tape.AddLine(At(5, -5), At(5, 5));
    CLineCommand& c = Line();
    c.m_tokenString = "DLL";
    c.m_pickedRefs[1].Init(ELEM_LINE, 0, 0, 1, 0);
    c.m_trimEnds[1] = At(5, 2);
    c.m_trimEnds[3] = At(5, 5);
    Doc().GetLineElem(0, 0)->m_state |= STATE_DELETED;
    c.OnDoubleClick();
    EXPECT_TRUE(LiveLines(Doc()).empty());
    EXPECT_EQ(UndoSteps(), 0);
    EXPECT_POINT(c.m_trimEnds[1], 0, 0);
    EXPECT_POINT(c.m_trimEnds[3], 0, 0);
}

// ---- edits of an existing line ------------------------------------------------------------------

class LineEditing : public LineChamfer {
protected:
    void SetUp() override
    {
        m_tape.AddLine(At(0, 0), At(10, 0));
        GroupAllLines();
        Line().m_editFlag = 1;
        Line().m_editBlock = 0;
        Line().m_editSlot = 0;
        Line().m_editPickPosition = 5;
    }
    void TearDown() override { Line().m_editFlag = 0; }
    // One undo step of kind 3 whose undo brings the edited line back alone.
    void ExpectOneEditStep(const char* tokens)
    {
        ASSERT_EQ(UndoSteps(), 1) << tokens;
        EXPECT_EQ(Doc().m_undoHistory->m_steps[0]->m_kind, 3) << tokens;
        Doc().m_undoHistory->Undo();
        const std::vector<CLine> back = LiveLines(Doc());
        ASSERT_EQ(back.size(), 1u) << tokens;
        EXPECT_POINT(back[0].m_start, 0, 0);
        EXPECT_POINT(back[0].m_end, 10, 0);
    }
};

TEST_F(LineEditing, EachEditReplacesTheLineInOneStep)
{
    struct Case {
        const char* tokens;
        double value;      // slot 1 for "#AP" and "#DP"
        CPointD p1, p2;    // the points of the slots the pattern reads
        std::vector<std::pair<CPointD, CPointD>> lines;
        const char* message;
    } cases[] = {
        { "#P", 0, At(15, 3), {}, { { At(0, 0), At(15, 0) } }, "線分を延短しました" },
        { "#AP", 90, {}, At(0, 0), { { At(0, 0), At(0, 10) } }, "線分の角度を変更しました" },
        { "#DP", 20, {}, At(5, 1), { { At(-5, 0), At(15, 0) } }, " 線分の長さを変更しました" },
        { "#DP", -4, {}, At(5, 1), { { At(3, 0), At(7, 0) } }, " 線分の長さを変更しました" },
        { "#pp", 0, At(3, 1), At(6, -2), { { At(0, 0), At(3, 0) }, { At(6, 0), At(10, 0) } }, "線分を切断しました" },
        { "#pp", 0, At(6, 1), At(3, -2), { { At(0, 0), At(3, 0) }, { At(6, 0), At(10, 0) } }, "線分を切断しました" },
        { "#pp", 0, At(4, 1), At(4, -2), { { At(0, 0), At(4, 0) }, { At(4, 0), At(10, 0) } }, "線分を切断しました" },
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.tokens);
        Point(1, k.p1.m_x, k.p1.m_y);
        Value(1, k.value);
        Point(2, k.p2.m_x, k.p2.m_y);
        App().m_lastMessage = "";
        App().m_lastResultMessage = "";
        EXPECT_EQ(Run(k.tokens), 1);
        const std::vector<CLine> lines = LiveLines(Doc());
        ASSERT_EQ(lines.size(), k.lines.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_POINT(lines[i].m_start, k.lines[i].first.m_x, k.lines[i].first.m_y);
            EXPECT_POINT(lines[i].m_end, k.lines[i].second.m_x, k.lines[i].second.m_y);
            EXPECT_EQ(lines[i].m_group, 0);
            EXPECT_EQ(lines[i].m_role, 10);
        }
        const std::string said = std::string(App().m_lastMessage.GetString()) + App().m_lastResultMessage.GetString();
        EXPECT_NE(said.find(k.message), std::string::npos) << said;
        EXPECT_EQ(static_cast<const CGroup*>(Doc().m_groups[0])->m_members.size(), 1 + k.lines.size());
        ExpectOneEditStep(k.tokens);
        static_cast<CGroup*>(Doc().m_groups[0])->m_members.resize(1);
        Doc().m_undoHistory->m_steps.clear();
    }
}

// The edits as a person starts them: a left double click on the line and the edit menu's item.
TEST_F(LineChamfer, EditsStartFromADoubleClickOnTheLine)
{
    m_tape.AddLine(At(0, 0), At(10, 0));
    const CCommandRow& start = m_tape.LeftDouble(At(8, 0));
    EXPECT_EQ(start.lineTokensInt, "#");
    const CCommandRow& moved = m_tape.Typed("15,3");
    EXPECT_EQ(moved.result, "線分を延短しました");
    EXPECT_EQ(moved.undoKinds, "3");
    EXPECT_TRUE(Listed(moved, "line 0.000000,0.000000 15.000000,0.000000 layer 0 group -1 role 0 pen 0"));
    EXPECT_EQ(moved.listing.back(), "retired 1");
    EXPECT_POINT(Doc().m_basePoint, 15, 0);

    // In the reference element's environment the edit runs in the selected element's and then
    // gives the reference element's back.
    CCommandTape tape;
    tape.AddLine(At(0, 0), At(10, 0));
    tape.App().m_appElem.m_creationEnv = 2;
    EXPECT_EQ(tape.LeftDouble(At(4, 0)).lineTokensInt, "#");
    EXPECT_EQ(tape.App().m_appElem.m_creationEnv, 1);
    EXPECT_EQ(tape.LineMenu("属性変更").lineModeInt, "#Q");
    const CCommandRow& changed = tape.Event(11, 0);
    EXPECT_EQ(changed.result, " 参照要素の環境で作成するモードに戻しました。");
    EXPECT_EQ(tape.App().m_appElem.m_creationEnv, 2);
    EXPECT_EQ(changed.undoKinds, "3");
    EXPECT_TRUE(Listed(changed, "line 0.000000,0.000000 10.000000,0.000000 layer 0 group -1 role 0 pen 0"));
    EXPECT_EQ(changed.listing.back(), "retired 1");
}

TEST_F(LineEditing, TheExtensionMovesTheEndOnThePickSideAndTheBasePoint)
{
    Point(1, 15, 3);
    EXPECT_EQ(Run("#P"), 1);
    EXPECT_POINT(Doc().m_basePoint, 15, 0);
    EXPECT_EQ(App().m_lastResultMessage, "線分を延短しました");
    Doc().m_undoHistory->Undo();

    // Picked on its first half: the start moves.
    Line().m_editPickPosition = 3;
    Point(1, -4, 1);
    EXPECT_EQ(Run("#P"), 1);
    std::vector<CLine> lines = LiveLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_start, -4, 0);
    EXPECT_POINT(lines[0].m_end, 10, 0);
    Doc().m_undoHistory->Undo();

    // To a line and to the circle crossing nearer its pick.
    Line().m_editPickPosition = 5;
    Picked(1, At(12, -1), At(12, 1), At(12, 0));
    EXPECT_EQ(Run("#L"), 1);
    lines = LiveLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_end, 12, 0);
    Doc().m_undoHistory->Undo();
    PickedCircle(1, At(20, 0), 5, At(26, 0));
    EXPECT_EQ(Run("#C"), 1);
    lines = LiveLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_end, 25, 0);
    EXPECT_EQ(App().m_lastMessage, "線分を延短しました");
    EXPECT_EQ(Doc().m_undoHistory->m_steps.back()->m_kind, 3);
}

TEST_F(LineEditing, RefusedEditsLeaveTheDrawingAsItWas)
{
    const std::vector<std::string> before = ListElements(Doc());
    // A foot exactly on the end.
    Point(1, 10, 4);
    EXPECT_EQ(Run("#P"), 1);
    EXPECT_EQ(App().m_lastMessage, "延短先が線分の端点と同じ位置ですので、延短は中止。");
    EXPECT_EQ(ListElements(Doc()), before);
    // A cutter that misses the segment, beeping.
    for (double x : { 12.0, -1.0 }) {
        Point(1, 3, 0);
        Point(2, x, 0);
        const int beeps = Beeps();
        EXPECT_EQ(Run("#pp"), 1);
        EXPECT_EQ(App().m_lastMessage, "線分を切断出来ません");
        EXPECT_EQ(Beeps() - beeps, 1);
        EXPECT_EQ(ListElements(Doc()), before) << x;
    }
    // A cut at the end: the second piece has no length, so the first one made is taken back.
    Point(1, 3, 0);
    Point(2, 10, 0);
    EXPECT_EQ(Run("#pp"), 1);
    EXPECT_EQ(App().m_lastMessage, "線分を切断出来ません");
    EXPECT_EQ(LiveLines(Doc()).size(), 1u);
    // No length: the line stays, nothing committed.
    Value(1, 0);
    Point(2, 5, 1);
    EXPECT_EQ(Run("#DP"), 1);
    Picked(1, At(0, 3), At(10, 3), At(5, 3));
    EXPECT_EQ(Run("#L"), 1);
    EXPECT_EQ(LiveLines(Doc()).size(), 1u);
    EXPECT_EQ(UndoSteps(), 0);
    EXPECT_TRUE(Doc().m_undoHistory->m_pendingSecond.empty());
}

TEST_F(LineEditing, TheAttributeChangeKeepsTheGeometryAndTakesTheCurrentPen)
{
    App().m_appElem.m_color = RGB(255, 0, 0);
    EXPECT_EQ(Run("#Q"), 1);
    EXPECT_EQ(App().m_lastResultMessage, " 線分の属性を変更しました");
    const std::vector<CLine> lines = LiveLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_start, 0, 0);
    EXPECT_POINT(lines[0].m_end, 10, 0);
    const auto* block = static_cast<const CLines*>(Doc().m_lineBlocks[Doc().m_lineBlocks.GetSize() - 1]);
    const CTypePen* pen = Doc().GetPen(block->m_pen);
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(pen->m_color, RGB(255, 0, 0));
    ExpectOneEditStep("#Q");
}

TEST_F(LineEditing, CutPiecesKeepTheEditedLinesPenInTheSelectedElementsEnvironment)
{
    App().m_appElem.m_creationEnv = 1;
    App().m_appElem.m_color = RGB(0, 0, 255);
    App().m_appElem.m_blurMode = 0;
    Point(1, 3, 0);
    Point(2, 6, 0);
    EXPECT_EQ(Run("#pp"), 1);
    // Both pieces in the block of the edited line's pen; the settings as they were.
    const auto* block = static_cast<const CLines*>(Doc().m_lineBlocks[0]);
    ASSERT_EQ(block->m_count, 3);
    EXPECT_EQ(LiveLines(Doc()).size(), 2u);
    EXPECT_EQ(App().m_appElem.m_color, RGB(0, 0, 255));
    EXPECT_EQ(App().m_appElem.m_blurMode, 0);
    App().m_appElem.m_creationEnv = 0;
}

TEST_F(LineEditing, GeneratedEditsKeepTheirGeometry)
{
    std::mt19937 random(167);
    std::uniform_real_distribution<double> coord(-50, 50), unit(0.05, 0.95), angle(-170, 170), length(-30, 30);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const CPointD a = At(coord(random), coord(random));
        const CPointD b = At(coord(random), coord(random));
        m_tape.AddLine(a, b);
        Line().m_editBlock = -1;
        // The line just added is the edited one.
        CLineCommand& c = Line();
        std::int16_t blk = -1, slt = -1;
        for (int i = 0; CLine* l = LineAt(i, blk, slt); ++i)
            if (Distance(l->m_start, a) + Distance(l->m_end, b) < 1e-9 ||
                Distance(l->m_start, b) + Distance(l->m_end, a) < 1e-9) {
                c.m_editBlock = blk;
                c.m_editSlot = slt;
            }
        ASSERT_GE(c.m_editBlock, 0);
        const CLine edited = *Doc().GetLineElem(c.m_editBlock, c.m_editSlot);
        const double len = Distance(a, b);
        auto on = [&](double t) { return edited.PointAtParameter(t); };

        // Turned to a direction about a point: the length stays.
        const double theta = angle(random);
        Value(1, theta);
        Point(2, coord(random), coord(random));
        ASSERT_EQ(Run("#AP"), 1);
        std::vector<CLine> made = LoggedLines(Doc());
        ASSERT_EQ(made.size(), 1u);
        EXPECT_NEAR(Distance(made[0].m_start, made[0].m_end), len, 1e-7);
        const double got = PointsAngleDeg(made[0].m_start, made[0].m_end);
        EXPECT_NEAR(std::sin((got - theta) * M_PI / 180), 0, 1e-9);
        Doc().m_undoHistory->Undo();

        // A new length about the foot of a point: |D| long, the foot keeps its place on the line.
        const double d = length(random);
        const double tf = unit(random);
        const CPointD foot = on(tf);
        Value(1, d);
        Point(2, foot.m_x + (b.m_y - a.m_y) / len, foot.m_y - (b.m_x - a.m_x) / len);
        ASSERT_EQ(Run("#DP"), 1);
        made = LoggedLines(Doc());
        ASSERT_EQ(made.size(), 1u);
        EXPECT_NEAR(Distance(made[0].m_start, made[0].m_end), std::fabs(d), 1e-7);
        EXPECT_NEAR(Distance(made[0].m_start, foot) + Distance(made[0].m_end, foot), std::fabs(d), 1e-7);
        Doc().m_undoHistory->Undo();

        // Cut between two points: two pieces on the line, ending where it was cut.
        const double t1 = unit(random), t2 = unit(random);
        Point(1, on(t1).m_x, on(t1).m_y);
        Point(2, on(t2).m_x, on(t2).m_y);
        ASSERT_EQ(Run("#pp"), 1);
        made = LoggedLines(Doc());
        ASSERT_EQ(made.size(), 2u);
        const CPointD k1 = on(std::min(t1, t2)), k2 = on(std::max(t1, t2));
        for (const CLine& piece : made) {
            EXPECT_NEAR(SignedDistanceToLine(piece.m_start, a, b), 0, 1e-7);
            EXPECT_NEAR(SignedDistanceToLine(piece.m_end, a, b), 0, 1e-7);
        }
        EXPECT_NEAR(Distance(made[0].m_start, made[0].m_end), Distance(edited.m_start, k1), 1e-7);
        EXPECT_NEAR(Distance(made[1].m_start, made[1].m_end), Distance(k2, edited.m_end), 1e-7);
        Doc().m_undoHistory->Undo();
        EXPECT_EQ(Doc().GetLineElem(c.m_editBlock, c.m_editSlot)->m_state & STATE_DELETED, 0);
    }
}

// ---- properties on generated inputs -------------------------------------------------------------

TEST_F(LineChamfer, GeneratedChamfersAndEditsKeepTheirGeometry)
{
    m_tape.AddLine(At(0, 0), At(10, 0));
    std::mt19937 random(67);
    std::uniform_real_distribution<double> coord(-50, 50), small(0.5, 4), angle(-170, 170);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        // Two lines through a common point X, picked on either side of it.
        const CPointD x = At(coord(random), coord(random));
        const double a1 = angle(random), a2 = a1 + 20 + std::fabs(angle(random)) / 2;
        const double d = small(random);
        auto along = [&](double deg, double t) {
            return At(x.m_x + t * std::cos(deg * M_PI / 180), x.m_y + t * std::sin(deg * M_PI / 180));
        };
        const double side1 = round % 2 ? 8 : -8, side2 = round % 3 ? 8 : -8;
        Value(0, d);
        Picked(1, along(a1, -20), along(a1, 20), along(a1, side1));
        Picked(2, along(a2, -20), along(a2, 20), along(a2, side2));
        ASSERT_EQ(Run("DLL"), 1);
        std::vector<CLine> made = LoggedLines(Doc());
        ASSERT_EQ(made.size(), 1u);
        for (const CPointD end : { made[0].m_start, made[0].m_end }) {
            EXPECT_NEAR(Distance(end, x), d, 1e-7);
            const bool onFirst = Distance(end, along(a1, side1 > 0 ? d : -d)) < 1e-7;
            const bool onSecond = Distance(end, along(a2, side2 > 0 ? d : -d)) < 1e-7;
            EXPECT_TRUE(onFirst || onSecond);
        }

        // Two circles: each chamfer point lies at arc length d from the crossing.
        const double r1 = 5 + small(random), r2 = 5 + small(random);
        const CPointD m1 = At(coord(random), coord(random));
        const CPointD m2 = At(m1.m_x + r1 + r2 - 2, m1.m_y);
        PickedCircle(1, m1, r1, At(m1.m_x, m1.m_y + r1));
        PickedCircle(2, m2, r2, At(m2.m_x, m2.m_y + r2));
        ASSERT_EQ(Run("DCC"), 1);
        made = LoggedLines(Doc());
        ASSERT_EQ(made.size(), 1u);
        CPointD x1, x2;
        CCircle c1, c2;
        c1.m_centre = m1;
        c1.m_radius = r1;
        c2.m_centre = m2;
        c2.m_radius = r2;
        ASSERT_EQ(IntersectCircles(c1, c2, x1, x2), 2);
        // Both picks on top: the upper crossing is the nearer one.
        const CPointD top = x1.m_y > x2.m_y ? x1 : x2;
        auto arc = [](CPointD centre, double r, CPointD p, CPointD q) {
            double t = std::fabs(PointsAngleRad(centre, p) - PointsAngleRad(centre, q));
            if (t > M_PI)
                t = 2 * M_PI - t;
            return t * r;
        };
        const CPointD e1 = made[0].m_start, e2 = made[0].m_end;
        const bool firstOnC1 = std::fabs(Distance(e1, m1) - r1) < 1e-7;
        EXPECT_NEAR(arc(m1, r1, firstOnC1 ? e1 : e2, top), d, 1e-7);
        EXPECT_NEAR(arc(m2, r2, firstOnC1 ? e2 : e1, top), d, 1e-7);
    }
}

} // namespace
