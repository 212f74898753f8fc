// The circle command's changed inputs, fed as a person gives them: step back, the point
// constraint set and released, Tab over found points and element candidates, the double-click
// undo; and the services it adds circles, arcs and lines with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Layer.h"
#include "input/PointPair.h"
#include "input/PointSearch.h"
#include "platform/core/Services.h"
#include "platform/ui/WinUser.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class CircleStepBack : public testing::Test {
protected:
    void SetUp() override { m_tape.Code(305); }
    // A tentative circle in the running operation, as the arc mode's edit circle is.
    void AddTentativeCircle()
    {
        std::int16_t block = -1, slot = -1;
        m_tape.Doc().m_creationLog->AddCircle(At(50, -50), 3, 2, block, slot, 0, 0);
    }
    CCircleCommand& C() { return m_tape.Circle(); }
    CCommandTape m_tape;
};

TEST_F(CircleStepBack, SpaceTakesBackTheLastInputAndItsTentativeElements)
{
    m_tape.Menu("直径円");
    EXPECT_EQ(m_tape.RightClick(At(20, 20)).tokens, "B");
    EXPECT_EQ(m_tape.Typed("5").tokens, "BD");
    C().m_stepTexts.Add("first");
    C().m_stepTexts.Add("second");
    AddTentativeCircle();
    const int before = m_tape.Rows().back().elements;
    const CCommandRow& back = m_tape.Key(VK_SPACE);
    EXPECT_EQ(back.tokens, "B");
    EXPECT_EQ(back.mode, "BB");
    EXPECT_EQ(back.message, "ステップは 点 を設定したところまで戻しました");
    EXPECT_EQ(ListElements(m_tape.Doc()).back(), "retired 0");
    EXPECT_EQ(back.elements, before);
    EXPECT_EQ(m_tape.Doc().m_creationLog->m_log.size(), 0u);
    ASSERT_EQ(C().m_stepTexts.GetSize(), 1);
    EXPECT_EQ(C().m_stepTexts[0], "first");
    EXPECT_EQ(m_tape.App().m_appElem.m_lastCommandKind, 0);

    // Back to the first point, then nothing is left to take back in the main instance.
    EXPECT_EQ(m_tape.Key(VK_SPACE).message, "ステップは コマンド を設定したところまで戻しました");
    EXPECT_EQ(C().m_tokenString, "");
    const CCommandRow& empty = m_tape.Key(VK_SPACE);
    EXPECT_EQ(empty.tokens, "");
    EXPECT_EQ(empty.beeps, 0);
}

TEST_F(CircleStepBack, TheRemainingLettersAreReplayedWithTheirValues)
{
    m_tape.Menu("多角形");
    m_tape.Value(5, 4);
    m_tape.RightClick(At(10, 10));
    EXPECT_EQ(m_tape.Typed("30d").tokens, "NPA");
    // Something else changed the current count meanwhile; the replayed "N" hands its own back.
    m_tape.Doc().m_workMode = 9;
    EXPECT_EQ(m_tape.Key(VK_SPACE).tokens, "NP");
    EXPECT_EQ(m_tape.Doc().m_workMode, 5);
    EXPECT_EQ(m_tape.Rows().back().message, "ステップは 点 を設定したところまで戻しました");
}

// The arc command's edit circle is made by the letters before its "%": stepping back over a
// later input rebuilds it, stepping back over its "%" takes the value that made it.
TEST(CircleStepBackArcs, TheEditCircleComesBackWithTheLettersThatMadeIt)
{
    CCommandTape tape;
    tape.Code(306);
    tape.Menu("中心(接)円弧/同心円弧", 1);
    tape.RightClick(At(0, 0));
    ASSERT_EQ(tape.Value(10, 6).tokens, "PD%");
    CCircleCommand& c = tape.Circle();
    auto editCircle = [&]() -> const CCircle* {
        const CCircle* circle = tape.Doc().GetCircleElem(c.m_editBlock, c.m_editSlot);
        return circle && !(circle->m_state & 0x08) ? circle : nullptr;
    };
    ASSERT_NE(editCircle(), nullptr);
    ASSERT_EQ(tape.RightClick(At(10, 0)).tokens, "PD%P");

    const CCommandRow& back = tape.Key(VK_SPACE);
    EXPECT_EQ(back.tokens, "PD%");
    // The replayed letters say again what they made, after the step-back text.
    EXPECT_EQ(back.message, std::string("ステップは コマンド を設定したところまで戻しました") + back.result);
    EXPECT_EQ(back.result, " 中心･半径の編集円を表示しました");
    const CCircle* again = editCircle();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->m_radius, 10);
    EXPECT_EQ(again->m_mark & 0x7F, 2);
    EXPECT_EQ(back.elements, 1);
    EXPECT_EQ(back.undoSteps, 0);

    const CCommandRow& value = tape.Key(VK_SPACE);
    EXPECT_EQ(value.tokens, "P");
    EXPECT_EQ(value.message, "ステップは 点 を設定したところまで戻しました");
    EXPECT_EQ(editCircle(), nullptr);
    EXPECT_EQ(value.elements, 0);
}

TEST(CircleStepBackEnds, NothingToTakeBackEndsTheInterruptingModes)
{
    struct Case {
        const char* name;
        int instance, macro;
        const char* tokens;
        const char* saved;
        const char* message;
    } cases[] = {
        { "interrupting, empty", 1, 0, "", "", "割り込みの円弧作図モードを解除しました" },
        { "interrupting, edit entry", 1, 0, "%", "%", "円の割り込み編集モードを解除しました" },
        { "drawn by a macro", 0, 1, "", "", "作図の完了したマクロは操作戻りはできません。" },
        { "main, empty", 0, 0, "", "", "kept" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        CCircleCommand& c = k.instance ? tape.CircleInt() : tape.Circle();
        c.m_macroFlag = k.macro;
        c.m_tokenString = k.tokens;
        c.m_savedTokenString = k.saved;
        tape.App().ShowMessage("kept", 0);
        c.StepBack(1);
        EXPECT_EQ(tape.App().m_lastMessage, k.message) << k.name;
        EXPECT_EQ(c.m_tokenString, "") << k.name;
    }
    // Without messages the double click's step back ends the mode silently.
    CCommandTape tape;
    tape.App().ShowMessage("kept", 0);
    tape.CircleInt().StepBack(0);
    EXPECT_EQ(tape.App().m_lastMessage, "kept");
}

TEST_F(CircleStepBack, AnAutomaticModeIsGivenUpWithTheInputThatChoseIt)
{
    CCommandTape tape;
    tape.App().m_noPopupMenu = 1;
    tape.Code(305);
    const CCommandRow& angle = tape.Typed("30d");
    EXPECT_EQ(angle.mode, "APP");
    EXPECT_EQ(angle.tokens, "A");
    const CCommandRow& back = tape.Key(VK_SPACE);
    EXPECT_EQ(back.message, "ステップは コマンド を設定したところまで戻しました");
    EXPECT_EQ(back.mode, "PP");
    EXPECT_EQ(back.tokens, "");
    EXPECT_EQ(tape.Circle().m_autoSavedModePattern, "");
}

TEST_F(CircleStepBack, TheReferencePointConstraintAdvancesAndIsReleased)
{
    // The constraint point: code 210, then a point.
    EXPECT_EQ(m_tape.Code(210).what, "code 210");
    EXPECT_EQ(m_tape.App().m_interruptMode, 39);
    m_tape.RightClick(At(30, 40));
    ASSERT_EQ(m_tape.App().m_constraintPointSet, 1);
    const CPointD reference = m_tape.Doc().m_referencePoint;
    EXPECT_NEAR(reference.m_x, 30, 0.5);
    EXPECT_NEAR(reference.m_y, 40, 0.5);

    const CCommandRow& fixed = m_tape.Constraint("点拘束");
    EXPECT_EQ(m_tape.App().m_pointConstraintMode, 2);
    EXPECT_EQ(fixed.tokens, "P");
    EXPECT_EQ(fixed.result, "点拘束でステップを進めました");
    const CInputPoint& first = C().m_inputPoints[0];
    EXPECT_EQ(first.mode, 2);
    EXPECT_EQ(first.flags & 0x01, 0x01);
    EXPECT_EQ(first.point.m_x, reference.m_x);
    EXPECT_EQ(first.point.m_y, reference.m_y);
    EXPECT_EQ(m_tape.App().m_constraintPointSet, 0);
    EXPECT_EQ(m_tape.Doc().m_inputMarkFlag, 1);
    EXPECT_EQ(m_tape.Doc().m_inputMarkPos.m_x, reference.m_x);
    EXPECT_EQ(m_tape.Doc().m_inputMarkPos.m_y, reference.m_y);

    // The code alone leaves the mode the buttons set.
    m_tape.Code(211);
    EXPECT_EQ(m_tape.App().m_pointConstraintMode, 2);

    const CCommandRow& released = m_tape.Constraint("点拘束解除");
    EXPECT_EQ(released.tokens, "");
    EXPECT_EQ(released.message, "点の拘束を解除し、ステップを戻しました");
    EXPECT_EQ(C().m_inputPoints[0].mode, 1);
    EXPECT_EQ(C().m_inputPoints[0].flags & 0x01, 0);
}

TEST_F(CircleStepBack, AStringThatFitsNoPatternHasNoStepPointToConstrain)
{
    C().m_tokenString = "XQ";
    for (const char* button : { "横拘束", "点拘束" }) {
        m_tape.Constraint(button);
        for (int i = 0; i < CCircleCommand::kPositions; ++i)
            EXPECT_EQ(C().m_inputPoints[i].mode, 1) << button << " " << i;
    }
    EXPECT_EQ(C().m_tokenString, "XQ");
}

TEST_F(CircleStepBack, StepBackOverAReferencePointKeepsTheTentativeElements)
{
    m_tape.Code(210);
    m_tape.RightClick(At(30, 40));
    m_tape.Constraint("点拘束");
    ASSERT_EQ(C().m_tokenString, "P");
    AddTentativeCircle();
    const int with = m_tape.Rows().back().elements + 1;
    const CCommandRow& back = m_tape.Key(VK_SPACE);
    EXPECT_EQ(back.tokens, "");
    EXPECT_EQ(back.message, "点の拘束を解除し、ステップを戻しました");
    EXPECT_EQ(back.elements, with);
    EXPECT_EQ(m_tape.Doc().m_creationLog->m_log.size(), 1u);
    EXPECT_EQ(C().m_inputPoints[0].mode, 1);
}

TEST_F(CircleStepBack, AnAxisConstraintTakesTheBasePoint)
{
    m_tape.Menu("中心(接)円/同心円");
    m_tape.RightClick(At(10, 10));
    const CPointD base = m_tape.Doc().m_basePoint;
    m_tape.Constraint("横拘束");
    EXPECT_EQ(m_tape.App().m_pointConstraintMode, 3);
    const CInputPoint& next = C().m_inputPoints[1];
    EXPECT_EQ(next.mode, 3);
    EXPECT_EQ(next.reference.m_x, base.m_x);
    EXPECT_EQ(next.reference.m_y, base.m_y);
    EXPECT_EQ(next.flags & 0x01, 0);
    EXPECT_EQ(C().m_tokenString, "P");
    EXPECT_EQ(m_tape.App().m_constraintStepX, 1);

    // The constrained point given, then taken back: its letter goes and the point is free.
    EXPECT_EQ(m_tape.RightClick(At(20, 15)).tokens, "PP");
    ASSERT_EQ(C().m_inputPoints[1].mode, 3);
    const CCommandRow& back = m_tape.Key(VK_SPACE);
    EXPECT_EQ(back.tokens, "P");
    EXPECT_EQ(back.message, "点の拘束を解除し、ステップを戻しました");
    EXPECT_EQ(C().m_inputPoints[1].mode, 1);
}

TEST_F(CircleStepBack, TabTakesTheOtherElementWhereALineAndACircleCross)
{
    m_tape.AddLine(At(0, 0), At(20, 0));
    m_tape.AddCircle(At(10, 0), 5);
    m_tape.Menu("３要素接円～３点円");
    const CCommandRow& picked = m_tape.Pick(At(5, 0));
    ASSERT_EQ(picked.tokens.size(), 1u);
    const std::string other = picked.tokens == "L" ? "C" : "L";
    const CCommandRow& swapped = m_tape.Key(VK_TAB);
    EXPECT_EQ(swapped.tokens, other);
    if (other == "C") {
        EXPECT_EQ(C().m_pickedCircles[0].m_radius, 5);
    } else {
        EXPECT_EQ(C().m_pickedLines[0].m_end.m_x, 20);
    }
    // Past the last candidate the pick list has none: the string stays as it is.
    EXPECT_EQ(m_tape.Key(VK_TAB).tokens, other);
    EXPECT_EQ(m_tape.Key(VK_TAB).tokens, picked.tokens);
}

TEST_F(CircleStepBack, TabReappliesAPointAtTheNextFoundPoint)
{
    // Two line ends close together: the search about them finds both.
    m_tape.AddLine(At(0, 0), At(10, 10));
    m_tape.AddLine(At(10.2, 10), At(30, 0));
    m_tape.Menu("中心(接)円/同心円");
    EXPECT_EQ(m_tape.RightClick(At(10.1, 10)).tokens, "P");
    const CPointD first = C().m_inputPoints[0].point;
    ASSERT_GE(m_tape.Doc().m_pointSearch->foundPoints.size(), 2u);
    const CCommandRow& next = m_tape.Key(VK_TAB);
    EXPECT_EQ(next.tokens, "P");
    const CPointD second = C().m_inputPoints[0].point;
    EXPECT_NE(first.m_x, second.m_x);
    EXPECT_EQ(second.m_x, m_tape.Doc().m_basePoint.m_x);
    EXPECT_EQ(second.m_y, m_tape.Doc().m_basePoint.m_y);
}

TEST_F(CircleStepBack, ADoubleClickTakesBackItsFirstPick)
{
    m_tape.AddLine(At(0, 0), At(20, 0));
    m_tape.Menu("３要素接円～３点円");
    EXPECT_EQ(m_tape.Pick(At(3, 0)).tokens, "L");
    EXPECT_EQ(m_tape.Pick(At(6, 0)).tokens, "LL");
    const CCommandRow& twice = m_tape.LeftDouble(At(9, 0));
    EXPECT_EQ(twice.tokens, "LL");
    EXPECT_EQ(twice.message, "");

    // The double click went on to edit the line it found.
    EXPECT_EQ(m_tape.App().m_interruptKind, 2);

    // After a typed value the last letter is no click of a double click.
    CCommandTape tape;
    tape.Code(305);
    tape.Menu("中心(接)円/同心円");
    tape.RightClick(At(10, 10));
    ASSERT_EQ(tape.Typed("5").tokens, "PD");
    CCircleCommand& c = tape.Circle();
    c.m_pickFlag = 1;
    tape.App().ShowMessage("kept", 0);
    c.UndoClickBeforeDoubleClick();
    EXPECT_EQ(c.m_tokenString, "PD");
    EXPECT_EQ(tape.App().m_lastMessage, "kept");
}

// Two crossing lines and a tangent point between them: two circles, one on each side, the one
// above shown.
void ShowTwoTangentCircles(CCommandTape& tape)
{
    tape.AddLine(At(-20, 0), At(20, 0));
    tape.AddLine(At(0, -20), At(0, 20));
    tape.Menu("３要素接円～３点円");
    tape.Pick(At(8, 0));
    tape.Pick(At(0, 4));
    ASSERT_EQ(tape.Typed("5,0").tokens, "LLH");
    ASSERT_EQ(tape.Circle().m_candidates.GetSize(), 2);
}

TEST_F(CircleStepBack, CandidatesOutliveTheCommandsOwnInputsButNotAnotherCommands)
{
    ShowTwoTangentCircles(m_tape);
    // The circle command's next input keeps them: Q still brings the other circle.
    m_tape.RightClick(At(40, 40));
    EXPECT_EQ(C().m_candidates.GetSize(), 2);
    const CCommandRow& other = m_tape.Key('Q');
    bool below = false;
    for (const std::string& line : other.listing)
        below = below || line.rfind("circle 5.000000,-5.000000 r 5.000000", 0) == 0;
    EXPECT_TRUE(below) << other.listing[0];

    // The line or the point command's input ends them.
    for (int command : { 303, 301 }) {
        CCommandTape tape;
        tape.Code(305);
        ShowTwoTangentCircles(tape);
        tape.Code(command);
        tape.RightClick(At(30, 30));
        EXPECT_EQ(tape.Circle().m_candidates.GetSize(), 0) << command;
    }
}

TEST(CircleCandidates, EveryAddButTheShownCandidateClearsTheList)
{
    struct Case {
        const char* add;
        int showing;
        int left;
    } cases[] = {
        { "circle", 0, 0 }, { "arc", 0, 0 }, { "line", 0, 0 },
        { "circle", 1, 1 }, { "arc", 1, 1 }, { "line", 1, 0 },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        CCircleCommand& c = tape.Circle();
        c.m_candidates.Add(new CPointPair);
        c.m_showingCandidate = k.showing;
        std::int16_t block = -1, slot = -1;
        const std::string add = k.add;
        const int added = add == "circle" ? c.AddCircle(At(1, 1), 2, 1)
                          : add == "arc"  ? c.AddArc(At(1, 1), 2, 0, 90, block, slot, 1, 0)
                                          : c.AddLine(At(0, 0), At(4, 4), block, slot, 1, 0);
        c.m_showingCandidate = 0;
        EXPECT_EQ(added, 1) << k.add;
        EXPECT_EQ(c.m_candidates.GetSize(), k.left) << k.add << " showing " << k.showing;
    }
}

TEST(CircleEditPick, ThePicksThatBelongToAnEdit)
{
    struct Case {
        const char* tokens;
        const char* mode;
        int edit;
    } cases[] = {
        { "#", "PP", 1 },  { "#p", "PP", 1 }, { "#l", "PP", 1 }, { "#c", "PP", 1 }, { "#L", "PP", 0 },
        { "DL", "DLL", 1 }, { "D", "DLL", 0 }, { "DL", "PP", 0 }, { "", "DLL", 0 },
    };
    CCommandTape tape;
    CCircleCommand& c = tape.Circle();
    for (const Case& k : cases) {
        c.m_tokenString = k.tokens;
        c.m_modePattern = k.mode;
        EXPECT_EQ(c.IsEditPick(), k.edit) << k.tokens << " in " << k.mode;
    }
}

TEST(CircleEditPick, APickOfTheEditDoesNotBecomeTheSelectedElement)
{
    CCommandTape tape;
    tape.Code(305);
    tape.AddLine(At(0, 0), At(20, 0));
    tape.Doc().AddLine(At(0, 30), At(20, 30), 0, tape.Doc().FindOrAddPen(2, 3, RGB(255, 0, 0), 0, 70));
    tape.Menu("連続半径接円/2点円");
    EXPECT_EQ(tape.Pick(At(5, 0)).tokens, "DL");
    const COLORREF taken = tape.App().m_atrElem.m_color;
    // The second line completes the figure; the string restarts from the radius.
    EXPECT_EQ(tape.Pick(At(5, 30)).tokens, "D");
    EXPECT_EQ(tape.App().m_atrElem.m_color, taken);
    // Outside the edit the pick is the selected element.
    tape.Menu("中心(接)円/同心円");
    tape.Pick(At(5, 30));
    EXPECT_EQ(tape.App().m_atrElem.m_color, RGB(255, 0, 0));
}

TEST(CircleCreationMode, AnEditPutsBackTheEnvironmentItSwitchedFrom)
{
    struct Case {
        int saved;
        const char* result;
    } cases[] = {
        { 1, " 選択要素の環境で作成するモードに戻しました。" },
        { 2, " 参照要素の環境で作成するモードに戻しました。" },
        { 0, "" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        CZelkApp& app = tape.App();
        app.m_atrElem.m_color = RGB(1, 2, 3);
        app.m_atrReference.m_color = RGB(4, 5, 6);
        app.m_atrCurrent.m_color = RGB(7, 8, 9);
        app.m_appElem.m_creationEnv = 1;
        tape.Circle().m_savedCreationMode = static_cast<std::int16_t>(k.saved);
        tape.Circle().RestoreCreationMode();
        EXPECT_EQ(app.m_appElem.m_creationEnv, k.saved);
        EXPECT_EQ(app.m_lastResultMessage, k.result) << k.saved;
        const COLORREF pens[] = { RGB(7, 8, 9), RGB(1, 2, 3), RGB(4, 5, 6) };
        EXPECT_EQ(app.m_appElem.m_color, pens[k.saved]) << k.saved;
    }
    // Drawing draft lines, the draft pen stays.
    CCommandTape tape;
    CZelkApp& app = tape.App();
    app.m_appElem.m_draftMode = 1;
    app.m_atrElem.m_lineType = 2;
    tape.Circle().m_savedCreationMode = 1;
    tape.Circle().RestoreCreationMode();
    EXPECT_EQ(app.m_appElem.m_lineType, 5);
    EXPECT_EQ(app.m_appElem.m_creationEnv, 1);
}

class CircleAdding : public testing::Test {
protected:
    CCircleCommand& C() { return m_tape.Circle(); }
    std::vector<std::string> Listed() { return ListElements(m_tape.Doc()); }
    size_t Beeps() const { return DefaultScriptedServices().m_beeps.size(); }
    CCommandTape m_tape;
};

TEST_F(CircleAdding, AFullTurnAddsACircleAndNoArcPosition)
{
    const struct {
        double start, end;
    } turns[] = { { 30, 390 }, { 0, 360 }, { 30, 30 } };
    for (const auto& t : turns) {
        CCommandTape tape;
        CCircleCommand& c = tape.Circle();
        std::int16_t block = 7, slot = 7;
        ASSERT_EQ(c.AddArc(At(1, 2), 3, t.start, t.end, block, slot, 1, 0), 1);
        EXPECT_EQ(block, -1);
        EXPECT_EQ(slot, -1);
        const std::vector<std::string> listed = ListElements(tape.Doc());
        ASSERT_EQ(listed.size(), 2u) << t.start << " " << t.end;
        EXPECT_EQ(listed[0].rfind("circle 1.000000,2.000000 r 3.000000", 0), 0u) << listed[0];
        EXPECT_NE(tape.Doc().GetCircleElem(c.m_editBlock, c.m_editSlot), nullptr);
    }
    // A true arc writes its position.
    std::int16_t block = -1, slot = -1;
    ASSERT_EQ(C().AddArc(At(0, 0), -4, 10, 100, block, slot, 1, 0), 1);
    EXPECT_NE(m_tape.Doc().GetArcElem(block, slot), nullptr);
    EXPECT_EQ(Listed()[0].rfind("arc 0.000000,0.000000 r 4.000000 10.000000-100.000000", 0), 0u) << Listed()[0];
}

TEST_F(CircleAdding, ZeroRadiiAreRefusedWithABeep)
{
    const size_t beeps = Beeps();
    EXPECT_EQ(C().AddCircle(At(0, 0), 0, 1), 0);
    EXPECT_EQ(m_tape.App().m_lastMessage, "半径が零の円は登録しません");
    std::int16_t block = 5, slot = 5;
    EXPECT_EQ(C().AddArc(At(0, 0), 1e-12, 0, 90, block, slot, 1, 0), 0);
    EXPECT_EQ(m_tape.App().m_lastMessage, "半径が零の円弧は登録しません");
    EXPECT_EQ(block, -1);
    EXPECT_EQ(slot, -1);
    EXPECT_EQ(Beeps(), beeps + 2);
    EXPECT_EQ(Listed(), std::vector<std::string>{ "retired 0" });
    // A negative radius is its length.
    ASSERT_EQ(C().AddCircle(At(0, 0), -2.5, 1), 1);
    EXPECT_EQ(Listed()[0].rfind("circle 0.000000,0.000000 r 2.500000", 0), 0u);
}

TEST_F(CircleAdding, ALineIsStoredInOrderAndMovesTheBasePoint)
{
    C().m_candidates.Add(new CPointPair);
    std::int16_t block = -1, slot = -1;
    ASSERT_EQ(C().AddLine(At(10, 5), At(0, 0), block, slot, 1, 0), 1);
    EXPECT_EQ(Listed()[0].rfind("line 0.000000,0.000000 10.000000,5.000000", 0), 0u) << Listed()[0];
    EXPECT_NE(m_tape.Doc().GetLineElem(block, slot), nullptr);
    EXPECT_EQ(m_tape.Doc().m_basePoint.m_x, 0);
    EXPECT_EQ(m_tape.Doc().m_basePoint.m_y, 0);
    EXPECT_EQ(C().m_candidates.GetSize(), 0);

    // Equal ends add nothing and say nothing; the base point stays.
    C().m_candidates.Add(new CPointPair);
    m_tape.App().ShowMessage("", 0);
    const size_t beeps = Beeps();
    EXPECT_EQ(C().AddLine(At(3, 3), At(3, 3), block, slot, 1, 0), 0);
    EXPECT_EQ(block, -1);
    EXPECT_EQ(slot, -1);
    EXPECT_EQ(m_tape.App().m_lastMessage, "");
    EXPECT_EQ(Beeps(), beeps);
    EXPECT_EQ(C().m_candidates.GetSize(), 0);
    EXPECT_EQ(m_tape.Doc().m_basePoint.m_x, 0);
    EXPECT_EQ(Listed().size(), 2u);
}

TEST_F(CircleAdding, UnderTheNewLayerConditionTheLineMakesItsOwnLayer)
{
    CZelkDoc& doc = m_tape.Doc();
    m_tape.AddLine(At(0, 0), At(1, 1));
    m_tape.App().m_appElem.m_layerCondition = 2;
    const std::int16_t before = doc.m_writeLayer;
    std::int16_t block = -1, slot = -1;
    ASSERT_EQ(C().AddLine(At(0, 5), At(5, 5), block, slot, 1, 0), 1);
    EXPECT_NE(doc.m_writeLayer, before);
    EXPECT_EQ(doc.GetLineElem(block, slot)->m_layer, doc.m_writeLayer);
    ASSERT_LT(doc.m_writeLayer, doc.m_layers.GetSize());
    EXPECT_EQ(static_cast<const CLayer*>(doc.m_layers[doc.m_writeLayer])->m_name.GetLength(), 4);
    EXPECT_EQ(m_tape.App().m_lastMessage, "新レイヤに作成モードで新レイヤを作りました");

    // The current layer condition puts the write layer back.
    m_tape.App().m_appElem.m_layerCondition = 0;
    const std::int16_t kept = doc.m_writeLayer;
    ASSERT_EQ(C().AddLine(At(0, 6), At(5, 6), block, slot, 1, 0), 1);
    EXPECT_EQ(doc.m_writeLayer, kept);
}

TEST_F(CircleAdding, TheAddedCircleBecomesTheArcCommandsEditCircle)
{
    C().m_tokenString = "PP";
    C().m_editClass = 0;
    ASSERT_EQ(C().AddCircle(At(4, 4), 2, 0), 1);
    C().StartEditOfAddedCircle();
    EXPECT_EQ(C().m_tokenString, "PP%");
    EXPECT_EQ(C().m_editClass, 1);
    const CCircle* edited = m_tape.Doc().GetCircleElem(C().m_editBlock, C().m_editSlot);
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(edited->m_radius, 2);
}

} // namespace
