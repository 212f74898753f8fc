// The dispatcher's buttons on two crossing lines at zoom 10: a click picks for the command, a
// right press gives the snapped point, a right drag an angle; Ctrl picks, Ctrl and Shift measure;
// the selection conditions replaced for a pick are put back.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/ZelkApp.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupDeleteMode.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "input/PickList.h"
#include "platform/ui/WinUser.h"
#include "tests/support/InputTape.h"
#include "tests/support/TextCommandBoxes.h"
#include "view/ZelkView.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class DispatcherPicks : public testing::Test {
protected:
    void SetUp() override
    {
        CZelkDoc& doc = m_tape.Doc();
        m_tape.View().m_zoom = 10;
        m_red = doc.FindOrAddPen(0, 1, RGB(255, 0, 0), 0, 70);
        const std::int16_t black = doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
        CLines* block = doc.AddLine(Pt(0, 0), Pt(10, 10), 0, m_red);
        m_first = &block->m_slots[block->m_count - 1];
        block = doc.AddLine(Pt(0, 10), Pt(10, 0), 0, black);
        m_second = &block->m_slots[block->m_count - 1];
        // The parallel takes a picked line without a word of its own.
        doc.m_lineCmd->m_modePattern = "LP";
    }
    // A press as the view takes it: the pick rectangle about the logical point, then the code.
    const CTapeStep& Press(int code, CPointD world)
    {
        CZelkView& v = m_tape.View();
        const CPointD c = world.WorldToScreen(v.m_origin, v.m_zoom);
        const LONG x = static_cast<LONG>(c.m_x), y = static_cast<LONG>(c.m_y);
        v.m_pickRect = RECT{x - 20, y + 20, x + 20, y - 20};
        return m_tape.Button(code, world);
    }
    const CTapeStep& Click(CPointD world)
    {
        Press(1, world);
        return m_tape.Button(2, world);
    }
    CInputEvent& Posted() { return *m_tape.Doc().m_inputEvent; }
    std::string Message() { return m_tape.App().m_lastMessage.GetString(); }

    CInputTape m_tape;
    std::int16_t m_red = 0;
    CLine* m_first = nullptr;
    CLine* m_second = nullptr;
};

TEST_F(DispatcherPicks, AClickPicksForTheCommandAndARightPressGivesTheSnapPoint)
{
    CZelkApp& app = m_tape.App();
    app.m_appElem.m_creationEnv = 1;
    EXPECT_EQ(Click(Pt(2, 2.5)).marked, 1);
    EXPECT_EQ(Message(), "一つの要素を選択");
    EXPECT_EQ(Posted().kind, 6);
    EXPECT_EQ(Posted().subCode, 19);
    EXPECT_EQ(app.m_lastStatus, 5);
    EXPECT_TRUE(m_first->m_mark & MARK_SELECTED);
    EXPECT_FALSE(m_second->m_mark & MARK_SELECTED);
    // The picked red line's pen became the selected-element pen and, in that environment, the
    // creation pen.
    EXPECT_EQ(app.m_atrElem.m_color, RGB(255, 0, 0));
    EXPECT_EQ(app.m_appElem.m_color, RGB(255, 0, 0));

    Press(3, Pt(5.2, 5.1));
    EXPECT_EQ(Posted().kind, 4);
    EXPECT_EQ(Posted().subCode, 16);
    EXPECT_DOUBLE_EQ(Posted().point.m_x, 5);
    EXPECT_DOUBLE_EQ(Posted().point.m_y, 5);
    EXPECT_EQ(std::string(m_tape.View().m_messageText.GetString()), "交点(5,5)を選択");
    m_tape.Button(4, Pt(5.2, 5.1));
    // The point search ran with its own conditions, put back afterwards.
    EXPECT_EQ(app.m_appFind.selectableKinds, 958);
    EXPECT_EQ(app.m_appFind.groupSelectMode, 1);
}

TEST_F(DispatcherPicks, ARightDragInTheLineCommandPostsTheSnappedAngle)
{
    m_tape.Doc().m_lineCmd->m_modePattern = "SE";
    Press(3, Pt(0, 0));
    m_tape.View().m_rightDragged = 1;
    m_tape.Button(4, Pt(10, 9));
    EXPECT_EQ(Posted().kind, 3);
    EXPECT_EQ(Posted().subCode, 15);
    EXPECT_NEAR(Posted().value, 45, 1e-9);
    EXPECT_EQ(m_tape.App().m_rightButtonDown, 0);
    // A drag turns the two-point line into the point-angle one.
    EXPECT_EQ(m_tape.Doc().m_lineCmd->m_modePattern, CString("PAPP"));
}

TEST_F(DispatcherPicks, CtrlPicksAndCtrlShiftMeasures)
{
    CZelkApp& app = m_tape.App();
    m_tape.Hold(false, true);
    // A cutting line is no letter of any construction: the line command refuses it and says so.
    Click(Pt(2, 2.5));
    EXPECT_EQ(Message(), "不適合な入力です");
    EXPECT_EQ(m_tape.Doc().m_lineCmd->m_lastInputKind, 8);
    // A macro-driven command with no pattern takes nothing and says nothing: the pick's own word stays.
    m_tape.Doc().m_lineCmd->m_macroFlag = 1;
    Click(Pt(2, 2.5));
    EXPECT_EQ(Message(), "CTRL要素を選択");
    EXPECT_EQ(app.m_lastStatus, 14);
    EXPECT_EQ(Posted().kind, 8);
    EXPECT_EQ(Posted().subCode, 20);

    m_tape.Hold(true, true);
    app.m_lastStatus = 0;
    Click(Pt(2, 2.5));
    EXPECT_EQ(app.m_lastStatus, 13);
    EXPECT_EQ(m_tape.Doc().m_refLineElem, m_first);
    EXPECT_EQ(app.m_appFind.groupSelectMode, 1);
    EXPECT_EQ(m_first->m_mark & 8, 0);

    Press(3, Pt(5.2, 5.1));
    EXPECT_EQ(Message(), "点の位置を測定しました。");
    m_tape.Hold(false, false);
    // The crossing is listed and is the reference of the next listing.
    CInputBar& bar = *app.m_inputBar;
    EXPECT_EQ(bar.m_currentList, 8);
    const CHistoryList& listing = bar.GetList(8);
    ASSERT_GT(listing.m_texts.GetSize(), 0);
    EXPECT_EQ(listing.m_prevElem.m_block, -1);
    EXPECT_DOUBLE_EQ(listing.m_prevPoint.m_x, 5);
    EXPECT_DOUBLE_EQ(listing.m_prevPoint.m_y, 5);
}

TEST_F(DispatcherPicks, AListOfTheInputBarThatWaitsForAPickTakesItInsteadOfTheCommand)
{
    struct Case {
        const char* name;
        int focusLeft, current, touched, previousStatus;
        const char* consumers;   // what the click reached
        int listAfter;
        const char* message;
    } cases[] = {
        { "line types the focus left", 9, 1, 0, 0, "", 1, "指定要素と同じ線種を設定しました" },
        { "line types already chosen from", 9, 1, 1, 0, "line 6/19", 1, "一つの要素を選択" },
        { "fonts", 0, 3, 0, 0, "line 13/0", 1, "一つの要素を選択" },
        { "fonts already edited", 0, 3, 1, 0, "line 6/19", 3, "一つの要素を選択" },
        { "texts keep their list", 0, 2, 0, 16, "line 6/19", 2, "一つの要素を選択" },
        { "the color box waits", 0, 2, 1, 16, "", 2, "一つの要素を選択" },
        { "nothing waits", 0, 1, 0, 0, "line 6/19", 1, "一つの要素を選択" },
    };
    for (const Case& c : cases) {
        CInputTape tape;
        CZelkDoc& doc = tape.Doc();
        tape.View().m_zoom = 10;
        const std::int16_t dashed = doc.FindOrAddPen(2, 5, RGB(0, 0, 255), 0, 70);
        doc.AddLine(Pt(0, 0), Pt(10, 10), 0, dashed);
        doc.m_lineCmd->m_modePattern = "LP";
        CZelkApp& app = tape.App();
        CInputBar& bar = *app.m_inputBar;
        bar.m_focusLeftList = c.focusLeft;
        bar.m_currentList = c.current;
        bar.GetList(c.focusLeft ? c.focusLeft : c.current).m_touched = c.touched;
        app.m_lastStatus = c.previousStatus;
        const CTapeStep* step = nullptr;
        for (int code : { 1, 2 }) {
            CZelkView& v = tape.View();
            const CPointD at = Pt(2, 2.5).WorldToScreen(v.m_origin, v.m_zoom);
            const LONG x = static_cast<LONG>(at.m_x), y = static_cast<LONG>(at.m_y);
            v.m_pickRect = RECT{ x - 20, y + 20, x + 20, y - 20 };
            const CTapeStep& s = tape.Button(code, Pt(2, 2.5));
            step = &s;
        }
        EXPECT_EQ(step->consumers, c.consumers) << c.name;
        EXPECT_EQ(bar.m_currentList, c.listAfter) << c.name;
        EXPECT_EQ(std::string(app.m_lastMessage.GetString()), c.message) << c.name;
        if (c.focusLeft == 9 && !c.touched) {
            EXPECT_EQ(app.m_appElem.m_lineType, 2) << c.name;
            EXPECT_EQ(app.m_appElem.m_lineWidth, 5) << c.name;
        }
    }
}

TEST_F(DispatcherPicks, ARightReleaseGivesTheDragToTheCommandThatTakesIt)
{
    struct Case {
        const char* name;
        short command, interrupt;
        const char* tokens;      // of the line, circle and dimension commands
        CPointD to;              // released here after a press at (0, 0)
        bool dragged;
        const char* consumers;
        double lineDrag, textDrag, dimDrag;
        const char* dimTokens;   // the dimension command's after the release
    } cases[] = {
        { "line command", 2, 0, "", Pt(10, 9), true, "line 3/15", std::sqrt(181.0), 0, 0, "" },
        { "line command, no length", 2, 0, "", Pt(0, 0), true, "line 3/15", 0, 0, 0, "" },
        { "line edit", 1, 2, "", Pt(10, 9), true, "line* 3/15", std::sqrt(181.0), 0, 0, "" },
        { "text edit", 2, 7, "", Pt(10, 9), true, "text* 3/15", 0, std::sqrt(181.0), 0, "" },
        { "dimension edit", 2, 10, "", Pt(10, 9), true, "dimension* 3/15", 0, 0, std::sqrt(181.0), "" },
        { "dimension command", 10, 0, "", Pt(10, 9), true, "dimension 3/15", 0, 0, std::sqrt(181.0), "A" },
        { "dimension leader", 10, 0, "T", Pt(10, 9), true, "dimension 3/15", 0, 0, std::sqrt(181.0),
          "TPA" },
        { "arc edit, a click on a finished circle", 2, 4, "", Pt(0.1, 0), false, "circle* 4/16", 0, 0, 0, "" },
        { "circle edit, a click", 2, 3, "", Pt(0.1, 0), false, "", 0, 0, 0, "" },
    };
    for (const Case& c : cases) {
        CInputTape tape;
        CZelkDoc& doc = tape.Doc();
        tape.View().m_zoom = 10;
        doc.AddLine(Pt(0, 0), Pt(10, 10), 0, doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
        CDimCommand& dim = *doc.m_dimCmd;
        CZelkApp& app = tape.App();
        app.m_commandKind = c.command;
        app.m_interruptKind = c.interrupt;
        dim.m_tokenString = c.tokens;
        dim.m_modePattern = c.tokens[0] == 'T' ? "TPAP" : "APPP";
        CZelkView& v = tape.View();
        v.m_pickRect = RECT{ -20, 20, 20, -20 };
        tape.Button(3, Pt(0, 0));
        v.m_rightDragged = c.dragged ? 1 : 0;
        const CTapeStep& step = tape.Button(4, c.to);
        EXPECT_EQ(step.consumers, c.consumers) << c.name;
        EXPECT_NEAR(doc.m_lineCmd->m_dragLength, c.lineDrag, 1e-9) << c.name;
        EXPECT_NEAR(doc.m_textCmd->m_dragLength, c.textDrag, 1e-9) << c.name;
        EXPECT_NEAR(dim.m_dragLength, c.dimDrag, 1e-9) << c.name;
        if (c.command == 10 && c.interrupt == 0) {
            // The press gave the angle, the release the angle again (and a leader its point).
            EXPECT_EQ(dim.m_tokenString.Std(), c.dimTokens) << c.name;
        }
        EXPECT_EQ(app.m_rightButtonDown, 0) << c.name;
    }
}

TEST_F(DispatcherPicks, AClickOfTheRightButtonTurnsTheLineCommandBackToTwoPoints)
{
    CLineCommand& line = *m_tape.Doc().m_lineCmd;
    line.m_modePattern = "PAPP";
    line.m_tokenString = "PA";
    Press(3, Pt(20, 20));
    m_tape.Button(4, Pt(20, 20));
    EXPECT_EQ(line.m_modePattern, CString("PAPP"));
    line.m_tokenString = "P";
    Press(3, Pt(20, 20));
    m_tape.Button(4, Pt(20, 20));
    EXPECT_EQ(line.m_modePattern, CString("SE"));
}

TEST_F(DispatcherPicks, ARightPressInAnArcEditGivesAPointOnlyWhileTheCircleCommandWaits)
{
    CZelkApp& app = m_tape.App();
    app.m_interruptKind = 4;
    // Nothing entered: the circle command's string is complete as it is.
    EXPECT_EQ(Press(3, Pt(5.2, 5.1)).consumers, "");
    m_tape.Button(4, Pt(5.2, 5.1));
    m_tape.Hold(false, true);
    EXPECT_EQ(Press(3, Pt(5.2, 5.1)).consumers, "circle* 4/18");
    m_tape.Hold(false, false);
    m_tape.Button(4, Pt(5.2, 5.1));
    // A dimension edit takes the main command's sub-codes.
    app.m_interruptKind = 10;
    app.m_justAnnounced = 0;
    EXPECT_EQ(Press(3, Pt(5.2, 5.1)).consumers, "dimension* 4/16");
}

TEST_F(DispatcherPicks, GroupProcessingAndAnOpenBoxPickOneByOneWithoutMarking)
{
    struct Case {
        const char* name;
        int groupProcessing, boxOpen;
        const char* tokens;
        short selectable;        // the selection conditions' kinds
        int oleDragMode;
        CPointD at;
        const char* consumers;
        bool marked;             // the rising line carries the selected bit afterwards
        bool warned;
    } cases[] = {
        { "group processing", 1, 0, "", 958, 0, Pt(2, 2.5), "group 6/19", false, false },
        { "group processing on nothing", 1, 0, "", 958, 0, Pt(30, 2), "", false, false },
        { "group processing, restricted kinds", 1, 0, "", 4, 0, Pt(30, 2), "", false, true },
        { "a box of a move", 0, 1, "Z", 958, 0, Pt(2, 2.5), "group 6/19", false, false },
        { "a box of a copy", 0, 1, "AP", 958, 0, Pt(2, 2.5), "group 6/19", false, false },
        { "a box waiting for more", 0, 1, "M", 958, 0, Pt(2, 2.5), "", true, false },
        { "a placed object pressed", 0, 0, "", 958, 1, Pt(2, 2.5), "", false, false },
        { "nothing open", 0, 0, "", 958, 0, Pt(2, 2.5), "line 6/19", true, false },
    };
    for (const Case& c : cases) {
        CInputTape tape;
        CZelkDoc& doc = tape.Doc();
        CZelkView& v = tape.View();
        v.m_zoom = 10;
        CLines* block = doc.AddLine(Pt(0, 0), Pt(10, 10), 0, doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
        CLine* rising = &block->m_slots[block->m_count - 1];
        CZelkApp& app = tape.App();
        app.m_groupProcessing = c.groupProcessing;
        doc.m_groupProcessing = c.boxOpen;
        app.m_groupProcessor->m_tokenString = c.tokens;
        app.m_appFind.selectableKinds = c.selectable;
        v.m_oleDragMode = c.oleDragMode;
        const CPointD s = c.at.WorldToScreen(v.m_origin, v.m_zoom);
        const LONG x = static_cast<LONG>(s.m_x), y = static_cast<LONG>(s.m_y);
        v.m_pickRect = RECT{ x - 20, y + 20, x + 20, y - 20 };
        tape.Button(1, c.at);
        const CTapeStep& step = tape.Button(2, c.at);
        EXPECT_EQ(step.consumers, c.consumers) << c.name;
        EXPECT_EQ((rising->m_mark & MARK_SELECTED) != 0, c.marked) << c.name;
        EXPECT_EQ(std::string(app.m_lastMessage.GetString()) == " (注意)一部の要素の選択モードが解除されています", c.warned) << c.name;
        EXPECT_EQ(app.m_appFind.selectableKinds, c.selectable) << c.name;
        EXPECT_EQ(app.m_appFind.groupSelectMode, 1) << c.name;
    }
}

TEST_F(DispatcherPicks, AClickWithTheDeleteKeyHeldDeletesThePickedElementAsOneUndoStep)
{
    CZelkApp& app = m_tape.App();
    app.m_deleteKeyDown = 1;
    // Nothing under the pointer: nothing happens.
    const CTapeStep& none = Click(Pt(30, 2));
    EXPECT_EQ(none.elements, 2);
    EXPECT_EQ(none.undoSteps, 0);
    const CTapeStep& step = Click(Pt(2, 2.5));
    EXPECT_EQ(step.elements, 1);
    EXPECT_EQ(step.undoSteps, 1);
    EXPECT_EQ(step.consumers, "");
    EXPECT_EQ(step.message, "指定要素を消去しました");
    EXPECT_TRUE(m_first->m_state & 0x08);
    EXPECT_FALSE(m_second->m_state & 0x08);
    EXPECT_EQ(m_first->m_mark & MARK_SELECTED, 0);
    EXPECT_EQ(m_tape.Doc().m_groupDeleteMode->m_work1, 1);
}

// A pick that fills the environment in use gives its text settings to both text commands, which
// measure their boxes again; a pick for another environment leaves the boxes alone.
TEST_F(DispatcherPicks, APickForTheEnvironmentInUseRemeasuresTheTextBoxes)
{
    CZelkApp& app = m_tape.App();
    CTextCommand& main = *m_tape.Doc().m_textCmd;
    CTextCommand& interrupting = *m_tape.Doc().m_textCmdInt;
    main.m_string = "abc";
    interrupting.m_string = "abcdef";
    const struct {
        short env;
        bool reference;   // Ctrl and Shift held: the reference element
        bool measured;
    } cases[] = {
        { 1, false, true },
        { 0, false, false },
        { 2, true, true },
        { 1, true, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.env << (c.reference ? " reference" : " selected"));
        app.m_appElem.m_creationEnv = c.env;
        app.m_lastStatus = 0;
        m_tape.Hold(c.reference, c.reference);
        SpoilTextBox(main);
        SpoilTextBox(interrupting);
        Click(Pt(2, 2.5));
        EXPECT_EQ(app.m_lastStatus, c.reference ? 13 : 5);
        EXPECT_EQ(TextBoxMeasured(main), c.measured);
        EXPECT_EQ(TextBoxMeasured(interrupting), c.measured);
    }
    m_tape.Hold(false, false);
}

}  // namespace
