// The input-event router: which consumer takes an event, what the payload sets on the way, and
// when the running operation is closed.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "app/ZelkApp.h"
#include "commands/annotate/DimCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/annotate/TextCommand.h"
#include "commands/line/LineCommand.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Line.h"
#include "input/InputEvent.h"
#include "input/PickList.h"
#include "macro/MacroRecorder.h"
#include "userapp/UserAppBlock.h"
#include "tests/support/InputTape.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// A command that posts a value of its own when it is handed a point, as the commands do when one
// input completes another. The line and dimension commands are plain classes now; the loop
// command still offers its input entry to be taken over.
class CPostingLoopCommand : public CLoopCommand {
public:
    using CLoopCommand::CLoopCommand;
    std::string m_seen;
    void OnInput(int kind, int subCode) override
    {
        m_seen += std::to_string(kind) + "/" + std::to_string(subCode) + " ";
        if (kind == 4)
            m_doc->m_inputEvent->PostValue(12.5, 6);
        // The nested post left its payload; the point is still there to read.
        if (kind == 4)
            m_seen += std::to_string(static_cast<int>(m_doc->m_inputEvent->point.m_x)) + " ";
        CLoopCommand::OnInput(kind, subCode);
    }
};

} // namespace

TEST(InputEventRouting, EachEventReachesExactlyOneConsumerInTheFixedOrder)
{
    struct Case {
        const char* name;
        std::function<void(CZelkApp&, CZelkDoc&)> state;
        std::function<const CTapeStep&(CInputTape&)> post;
        const char* consumers;
    } cases[] = {
        { "main line", [](CZelkApp&, CZelkDoc&) {}, [](CInputTape& t) -> const CTapeStep& { return t.PostPoint(Pt(1, 2), 0); },
          "line 4/0" },
        { "group processing before the command",
          [](CZelkApp& a, CZelkDoc&) { a.m_groupProcessing = 1; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPoint(Pt(1, 2), 0); }, "group 4/0" },
        { "box selection of the drawing", [](CZelkApp&, CZelkDoc& d) { d.m_groupProcessing = 1; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPick(19); }, "group 6/19" },
        { "group processing before the user application",
          [](CZelkApp& a, CZelkDoc&) { a.m_groupProcessing = 1; a.m_commandKind = 9; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostValue(3, 6); }, "group 3/6" },
        { "user application", [](CZelkApp& a, CZelkDoc&) { a.m_commandKind = 9; a.m_interruptKind = 2; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostValue(3, 6); }, "userapp 3/6" },
        { "recorder's message", [](CZelkApp& a, CZelkDoc&) { a.m_recordMessageNext = 1; a.m_groupProcessing = 1; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostText("memo", 0); }, "recorder" },
        { "interrupting point", [](CZelkApp& a, CZelkDoc&) { a.m_interruptKind = 1; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPoint(Pt(1, 2), 16); }, "point* 4/16" },
        { "interrupting line", [](CZelkApp& a, CZelkDoc&) { a.m_interruptKind = 2; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPick(20); }, "line* 8/20" },
        { "interrupting circle", [](CZelkApp& a, CZelkDoc&) { a.m_interruptKind = 3; a.m_commandKind = 10; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostValue(3, 6); }, "circle* 3/6" },
        { "interrupting arc", [](CZelkApp& a, CZelkDoc&) { a.m_interruptKind = 4; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostValue(3, 6); }, "circle* 3/6" },
        { "ellipse edit", [](CZelkApp& a, CZelkDoc&) { a.m_interruptKind = 22; },
          [](CInputTape& t) -> const CTapeStep& { return t.Event(12, 0); }, "circle* 12/0" },
        { "interrupting text", [](CZelkApp& a, CZelkDoc&) { a.m_interruptKind = 7; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostText("abc", 31); }, "text* 7/31" },
        { "interrupting dimension", [](CZelkApp& a, CZelkDoc&) { a.m_interruptKind = 10; },
          [](CInputTape& t) -> const CTapeStep& { return t.Event(9, 0); }, "dimension* 9/0" },
        { "unknown interrupting kind falls to the main command",
          [](CZelkApp& a, CZelkDoc&) { a.m_interruptKind = 5; a.m_commandKind = 12; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPick(19); }, "loop 6/19" },
        { "main arc", [](CZelkApp& a, CZelkDoc&) { a.m_commandKind = 4; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPoint(Pt(1, 2), 0); }, "circle 4/0" },
        { "main text", [](CZelkApp& a, CZelkDoc&) { a.m_commandKind = 7; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostText("abc", 0); }, "text 5/0" },
        { "group delete", [](CZelkApp& a, CZelkDoc&) { a.m_commandKind = 21; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPick(21); }, "group delete 6/21" },
        { "freehand line takes no input", [](CZelkApp& a, CZelkDoc&) { a.m_commandKind = 11; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPoint(Pt(1, 2), 0); }, "" },
        { "write layer mode", [](CZelkApp& a, CZelkDoc&) { a.m_interruptMode = 33; a.m_groupProcessing = 1; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPick(19); }, "layers 6/19" },
        { "reference layer mode", [](CZelkApp& a, CZelkDoc&) { a.m_interruptMode = 35; a.m_recordMessageNext = 1; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostText("x", 0); }, "layers 5/0" },
        { "base point mode", [](CZelkApp& a, CZelkDoc&) { a.m_interruptMode = 38; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPoint(Pt(1, 2), 0); }, "base point 4/0" },
        { "constraint point mode", [](CZelkApp& a, CZelkDoc&) { a.m_interruptMode = 39; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostPoint(Pt(1, 2), 16); }, "" },
        { "measurement mode leaves input to the command", [](CZelkApp& a, CZelkDoc&) { a.m_interruptMode = 40; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostValue(1, 6); }, "line 3/6" },
        { "text height", [](CZelkApp& a, CZelkDoc&) { a.m_commandKind = 9; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostValue(7, 22); }, "" },
        { "text width", [](CZelkApp& a, CZelkDoc&) { a.m_recordMessageNext = 1; },
          [](CInputTape& t) -> const CTapeStep& { return t.PostValue(7, 24); }, "" },
        { "italic option", [](CZelkApp&, CZelkDoc&) {}, [](CInputTape& t) -> const CTapeStep& { return t.PostInt(0x101, 27); },
          "" },
        { "another option reaches the command", [](CZelkApp&, CZelkDoc&) {},
          [](CInputTape& t) -> const CTapeStep& { return t.PostInt(1, 40); }, "line 1/40" },
        { "face name", [](CZelkApp&, CZelkDoc&) {}, [](CInputTape& t) -> const CTapeStep& { return t.PostText("MS Gothic", 30); },
          "" },
        { "pick of an unknown kind posts nothing", [](CZelkApp&, CZelkDoc&) {},
          [](CInputTape& t) -> const CTapeStep& { return t.PostPick(22); }, "" },
    };
    for (const Case& c : cases) {
        CInputTape tape;
        c.state(tape.App(), tape.Doc());
        const CTapeStep& step = c.post(tape);
        EXPECT_EQ(step.consumers, c.consumers) << c.name;
    }
}

TEST(InputEventRouting, PayloadSettingsAndFlagsOnTheWay)
{
    CInputTape tape;
    CZelkApp& app = tape.App();

    // The recorder's message flag is used once.
    app.m_recordMessageNext = 1;
    EXPECT_EQ(tape.PostText("note", 0).consumers, "recorder");
    EXPECT_EQ(app.m_recordMessageNext, 0);
    EXPECT_EQ(app.m_macroRecorder->m_noteDoc, &tape.Doc());
    EXPECT_EQ(tape.PostText("next", 0).consumers, "line 5/0");

    // A pick of an unknown sub-code leaves the event as it was.
    tape.PostValue(2.5, 6);
    tape.PostPick(22);
    EXPECT_EQ(tape.Doc().m_inputEvent->kind, 3);
    EXPECT_EQ(tape.Doc().m_inputEvent->subCode, 6);

    // Text options change the text settings from the low byte only.
    tape.PostInt(0x101, 27);
    EXPECT_EQ(app.m_appText.m_logFont.lfItalic, 1);
    tape.PostInt(0x100, 27);
    EXPECT_EQ(app.m_appText.m_logFont.lfItalic, 0);
    tape.PostValue(3.2, 24);
    EXPECT_EQ(app.m_appText.m_widthTenths, 32);

    // A point sets the base point, status 2 and frees the point constraint; the length input
    // flag of the receiving command is cleared.
    app.m_pointConstraintMode = 3;
    app.m_lengthInputMain = 1;
    app.m_lengthInputInterrupt = 1;
    const CTapeStep& point = tape.PostPoint(Pt(7, 8), 0);
    EXPECT_EQ(point.lastStatus, 2);
    EXPECT_EQ(point.pointConstraintMode, 1);
    EXPECT_EQ(app.m_lengthInputMain, 0);
    EXPECT_EQ(app.m_lengthInputInterrupt, 1);
    EXPECT_EQ(tape.Doc().m_basePoint.m_x, 7);
    EXPECT_EQ(tape.Doc().m_basePoint.m_y, 8);
    EXPECT_EQ(app.m_constraintPointSet, 0);

    // In the constraint-point mode the point becomes the constraint point and nothing more.
    app.m_interruptMode = 39;
    EXPECT_EQ(tape.PostPoint(Pt(3, 4), 16).consumers, "");
    EXPECT_EQ(tape.Doc().m_referencePoint.m_x, 3);
    EXPECT_EQ(tape.Doc().m_referencePoint.m_y, 4);
    EXPECT_EQ(app.m_constraintPointSet, 1);
    app.m_interruptMode = 0;
    tape.PostPoint(Pt(5, 5), 0);
    EXPECT_EQ(app.m_constraintPointSet, 0);
    EXPECT_EQ(tape.Doc().m_referencePoint.m_x, 3);

    // The relative twin of a posted point is the drawing's relative point.
    tape.Doc().m_relOrigin = Pt(10, 0);
    tape.Doc().m_relAngle = 90;
    tape.PostPoint(Pt(10, 5), 0);
    EXPECT_NEAR(tape.Doc().m_inputEvent->relativePoint.m_x, 5, 1e-12);
    EXPECT_NEAR(tape.Doc().m_inputEvent->relativePoint.m_y, 0, 1e-12);
}

TEST(InputEventRouting, AConsumerThatPostsFromItsInputEntryIsRoutedToo)
{
    CInputTape tape;
    CZelkDoc& doc = tape.Doc();
    CLoopCommand* original = doc.m_loopCmd;
    CPostingLoopCommand posting(&doc);
    doc.m_loopCmd = &posting;
    tape.App().m_commandKind = 12;
    tape.PostPoint(Pt(9, 1), 0);
    doc.m_loopCmd = original;
    EXPECT_EQ(posting.m_seen, "4/0 3/6 9 ");
    // The outer event finished last.
    EXPECT_EQ(posting.m_lastInputKind, 4);
    EXPECT_EQ(doc.m_inputEvent->value, 12.5);

    // The line command takes the point and the value the same way, each as its own step.
    tape.App().m_commandKind = 2;
    CLineCommand& line = *doc.m_lineCmd;
    line.m_modePattern = "SDNP";
    tape.PostPoint(Pt(9, 1), 0);
    EXPECT_EQ(line.m_tokenString, "P");
    tape.PostValue(12.5, 6);
    EXPECT_EQ(line.m_tokenString, "SDN");
    EXPECT_EQ(line.m_lastInputKind, 3);
    EXPECT_EQ(line.m_values[1].value, 12.5);
    EXPECT_EQ(line.m_inputPoints[0].point.m_x, 9);
}

TEST(InputEventRouting, AConstraintIntervalBelowATenthIsRefused)
{
    struct Case {
        double x, y;
        const char* message;
        int beeps;
        double keptX, keptY;
        int status;
    } cases[] = {
        { 0.09, 5, "0.1mm以下の間隔拘束は設定できません", 1, 1, 1, 17 },
        { 5, 0.09, "0.1mm以下の間隔拘束は設定できません", 1, 1, 1, 17 },
        { -0.05, 5, "0.1mm以下の間隔拘束は設定できません", 1, 1, 1, 17 },
        { 0.1, 0.1, "拘束間隔を 0.1, 0.1 に設定しました", 0, 0.1, 0.1, 0 },
        { -2.5, 10, "0.1mm以下の間隔拘束は設定できません", 1, 1, 1, 17 },
        { 2.5, 10, "拘束間隔を 2.5, 10 に設定しました", 0, 2.5, 10, 0 },
        { std::nan(""), 10, "0.1mm以下の間隔拘束は設定できません", 1, 1, 1, 17 },
    };
    for (const Case& c : cases) {
        CInputTape tape;
        tape.Doc().m_grid.m_pitch = Pt(1, 1);
        tape.App().m_lastStatus = 17;
        // The interval is typed: its relative form is the one given.
        const CTapeStep& step = tape.PostPointPair(Pt(50, 50), Pt(c.x, c.y), 0);
        EXPECT_EQ(step.message, c.message) << c.x << "," << c.y;
        EXPECT_EQ(step.beeps, c.beeps) << c.x << "," << c.y;
        EXPECT_EQ(step.lastStatus, c.status) << c.x << "," << c.y;
        EXPECT_EQ(step.consumers, "") << c.x << "," << c.y;
        EXPECT_DOUBLE_EQ(tape.Doc().m_grid.m_pitch.m_x, c.keptX);
        EXPECT_DOUBLE_EQ(tape.Doc().m_grid.m_pitch.m_y, c.keptY);
        EXPECT_EQ(tape.Doc().m_basePoint.m_x, 50);
    }
}

TEST(InputEventRouting, TentativeElementsStayOpenUntilTheCommandFinishesThem)
{
    CInputTape tape;
    CZelkDoc& doc = tape.Doc();
    CCreationLog& log = *doc.m_creationLog;
    std::int16_t block = -1, slot = -1;

    // A guide line added with final 0 survives the next input.
    log.AddLine(Pt(0, 0), Pt(10, 0), 1, block, slot, 0, 0);
    const CTapeStep& next = tape.PostPoint(Pt(1, 1), 0);
    EXPECT_EQ(next.logged, 1);
    EXPECT_EQ(next.elements, 1);
    EXPECT_EQ(next.undoSteps, 0);

    // A finished operation is closed by the next input, before the command sees it.
    log.AddLine(Pt(0, 0), Pt(10, 10), 1, block, slot, 1, 1);
    const CTapeStep& closes = tape.PostValue(1, 6);
    EXPECT_EQ(closes.logged, 0);
    EXPECT_EQ(closes.elements, 2);

    // These inputs leave a finished operation open.
    struct Case {
        const char* name;
        short command;
        const char* tokens;
        std::function<const CTapeStep&(CInputTape&)> post;
        int logged;
    } cases[] = {
        { "double point", 2, "", [](CInputTape& t) -> const CTapeStep& { return t.Event(12, 0); }, 1 },
        { "relative angle", 2, "", [](CInputTape& t) -> const CTapeStep& { return t.PostValue(30, 15); }, 1 },
        { "box text", 7, "B", [](CInputTape& t) -> const CTapeStep& { return t.PostPoint(Pt(2, 2), 0); }, 1 },
        { "box text with its point", 7, "BP", [](CInputTape& t) -> const CTapeStep& { return t.PostValue(2, 6); }, 1 },
        { "another text token", 7, "BPK", [](CInputTape& t) -> const CTapeStep& { return t.PostValue(2, 6); }, 0 },
        { "box tokens of another command", 2, "B", [](CInputTape& t) -> const CTapeStep& { return t.PostValue(2, 6); }, 0 },
        { "in an interrupting mode", 2, "", [](CInputTape& t) -> const CTapeStep& {
              t.App().m_interruptMode = 40;
              return t.PostValue(2, 6);
          }, 1 },
    };
    for (const Case& c : cases) {
        CInputTape t;
        std::int16_t b = -1, s = -1;
        t.App().m_commandKind = c.command;
        t.Doc().m_textCmd->m_tokenString = c.tokens;
        t.Doc().m_creationLog->AddLine(Pt(0, 0), Pt(5, 0), 1, b, s, 1, 0);
        EXPECT_EQ(c.post(t).logged, c.logged) << c.name;
    }
}

TEST(InputEventRouting, RelativeCoordinatesTakeAPointAndEndOnAValueOrAPick)
{
    CInputTape tape;
    tape.Doc().m_relOrigin = Pt(1.23456, -2);
    tape.Doc().m_relAngle = 30;
    tape.App().m_interruptMode = 37;
    const CTapeStep& point = tape.PostPoint(Pt(1, 1), 0);
    EXPECT_EQ(point.consumers, "relative 4/0");
    EXPECT_EQ(point.interruptMode, 37);
    // The point is the new origin.
    EXPECT_EQ(point.message, "相対原点は(1,1)30度");
    EXPECT_EQ(point.beeps, 0);
    EXPECT_EQ(tape.PostValue(45, 11).interruptMode, 0);

    tape.App().m_interruptMode = 37;
    EXPECT_EQ(tape.PostPick(21).interruptMode, 37);
    EXPECT_EQ(tape.PostPick(19).interruptMode, 0);
}

TEST(InputEventRouting, PayloadsAreCopiedToTheExchangeBlockForThePlugIn)
{
    CInputTape tape;
    CZelkDoc& doc = tape.Doc();
    UserAppBlock& block = tape.Block();
    std::int16_t b = -1, s = -1;
    doc.m_creationLog->AddLine(Pt(0, 0), Pt(10, 0), 1, b, s, 1, 1);
    doc.m_relOrigin = Pt(10, 0);

    // Points: raw and relative; the constraint point only in its mode.
    tape.PostPoint(Pt(13, 4), 0);
    EXPECT_EQ(block.m_lastPoint.m_x, 13);
    EXPECT_EQ(block.m_lastPoint.m_y, 4);
    EXPECT_NEAR(block.m_lastPointRelative.m_x, 3, 1e-12);
    EXPECT_EQ(block.m_constraintPoint.m_x, 0);
    tape.App().m_interruptMode = 39;
    tape.PostPoint(Pt(6, 7), 16);
    EXPECT_EQ(block.m_constraintPoint.m_x, 6);
    EXPECT_EQ(block.m_constraintPoint.m_y, 7);
    tape.App().m_interruptMode = 0;

    // Values by their class; the text sizes reach neither the block nor a consumer.
    struct Case {
        int subCode;
        double UserAppBlock::*slot;
    } values[] = {
        { 2, &UserAppBlock::m_numberValue },
        { 11, &UserAppBlock::m_angleValue },
        { 6, &UserAppBlock::m_lengthValue },
        { 14, &UserAppBlock::m_value14 },
    };
    for (const Case& c : values) {
        tape.PostValue(40.0 + c.subCode, c.subCode);
        EXPECT_EQ(block.*c.slot, 40.0 + c.subCode) << c.subCode;
    }
    tape.PostValue(3.5, 22);
    tape.PostValue(4.5, 24);
    tape.PostValue(9, 15);
    for (const Case& c : values)
        EXPECT_EQ(block.*c.slot, 40.0 + c.subCode) << c.subCode;

    // Texts and the option word.
    tape.PostText("abc", 0);
    EXPECT_STREQ(block.m_lastText.GetString(), "abc");
    tape.PostText("def", 31);
    EXPECT_STREQ(block.m_lastText.GetString(), "abc");
    doc.m_inputEvent->PostPointer(5, 0);
    EXPECT_EQ(block.m_eventWord, 5u);

    // A pick without a current candidate copies nothing but is still routed.
    EXPECT_EQ(tape.PostPick(19).consumers, "line 6/19");
    EXPECT_EQ(block.m_pickRef.m_kind, 0);
    doc.m_pickList->SetSingleCandidate(b, s, 0, 4);
    doc.m_pickList->StepCurrent(1);
    doc.m_pickList->pickPoint = Pt(4, 0.5);
    tape.PostPick(19);
    EXPECT_EQ(block.m_pickRef.m_kind, 4);
    EXPECT_EQ(block.m_pickRef.m_block, b);
    EXPECT_EQ(block.m_pickRef.m_slot, s);
    EXPECT_EQ(block.m_pickCursor.m_x, 4);
    EXPECT_EQ(block.m_pickCursor.m_y, 0.5);
    block.m_pickRef.m_kind = 0;
    tape.Event(9, 0);
    EXPECT_EQ(block.m_pickRef.m_kind, 4);

    // The selected set replaces the whole list; a single pick leaves it alone.
    std::int16_t b2 = -1, s2 = -1;
    doc.m_creationLog->AddLine(Pt(0, 5), Pt(10, 5), 1, b2, s2, 1, 1);
    doc.GetLineElem(b, s)->m_mark = 2;
    doc.GetLineElem(b2, s2)->m_mark = 2;
    tape.PostPick(21);
    ASSERT_EQ(block.m_selectedSet.GetSize(), 2);
    doc.GetLineElem(b, s)->m_mark = 0;
    tape.PostPick(21);
    ASSERT_EQ(block.m_selectedSet.GetSize(), 1);
    EXPECT_EQ(static_cast<UserAppElemRef*>(block.m_selectedSet[0])->m_slot, s2);
    tape.PostPick(19);
    EXPECT_EQ(block.m_selectedSet.GetSize(), 1);

    // In the relative-coordinates mode the point and the angle go to their own slots too.
    tape.App().m_interruptMode = 37;
    tape.PostPoint(Pt(2, 3), 0);
    EXPECT_EQ(block.m_relativePoint.m_x, 2);
    EXPECT_EQ(block.m_relativePoint.m_y, 3);
    tape.PostValue(30, 11);
    EXPECT_EQ(block.m_relativeValue, 30);
    EXPECT_EQ(block.m_angleValue, 30);
}
