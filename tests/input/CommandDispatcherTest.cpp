// The command-start dispatcher fed as the views feed it: codes, keys and buttons on the tape.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "platform/core/Services.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/WinUser.h"
#include "tests/support/InputTape.h"
#include "tests/support/TextCommandBoxes.h"
#include "view/ZelkOleObj.h"
#include "view/ZelkView.h"

namespace {

class CListNotingBar : public CInputBar {
public:
    std::vector<int> m_lists;
    void SelectList(int list, int keepText, int focus) override
    {
        CInputBar::SelectList(list, keepText, focus);
        m_lists.push_back(list);
    }
};

} // namespace

TEST(CommandDispatcher, FromStartUpThroughACommandModesAndInputs)
{
    CInputTape tape;
    CZelkApp& app = tape.App();
    EXPECT_EQ(app.m_commandKind, 2);
    EXPECT_EQ(app.m_interruptKind, 0);
    EXPECT_EQ(app.m_interruptMode, 0);
    EXPECT_EQ(app.m_specialMode, 0);
    EXPECT_EQ(app.m_pointConstraintMode, 1);
    EXPECT_EQ(app.m_showModeBanner, 1);

    const CTapeStep& circle = tape.Code(305);
    EXPECT_EQ(circle.result, 1);
    EXPECT_EQ(circle.commandKind, 3);
    EXPECT_EQ(circle.lastStatus, 7);
    EXPECT_EQ(circle.eventCount, 1);
    EXPECT_EQ(app.m_showModeBanner, 0);

    EXPECT_EQ(tape.Code(207).interruptMode, 36);
    const CTapeStep& off = tape.Code(207);
    EXPECT_EQ(off.interruptMode, 0);
    EXPECT_EQ(off.commandKind, 3);
    EXPECT_EQ(off.eventCount, 3);

    // A code without a row runs the exit steps only.
    const CTapeStep& none = tape.Code(102);
    EXPECT_EQ(none.result, 1);
    EXPECT_EQ(none.eventCount, 4);
    EXPECT_EQ(none.commandKind, 3);
    EXPECT_EQ(none.lastStatus, 7);
    EXPECT_EQ(none.consumers, "");

    // A key release ends the Delete key's hold and skips the exit steps.
    app.m_deleteKeyDown = 1;
    const CTapeStep& release = tape.Code(8);
    EXPECT_EQ(release.result, 1);
    EXPECT_EQ(release.deleteKeyDown, 0);
    EXPECT_EQ(release.eventCount, 4);

    // A right double-click is a double point for the current command.
    const CTapeStep& twice = tape.Code(6);
    EXPECT_EQ(twice.consumers, "circle 12/0");
    EXPECT_EQ(twice.eventCount, 5);

    // The text height arrives as a value and reaches no command.
    const CTapeStep& height = tape.PostValue(4.5, 22);
    EXPECT_EQ(height.consumers, "");
    EXPECT_EQ(app.m_appText.m_heightTenths, 45);
    EXPECT_EQ(height.eventCount, 5);

    EXPECT_EQ(tape.Lines().size(), 7u);
}

TEST(CommandDispatcher, ADocumentThatIsNoOpenDrawingGetsABeepAndFalse)
{
    CInputTape tape;
    CZelkDoc stray;
    stray.m_bAutoDelete = FALSE;
    const size_t beeps = DefaultScriptedServices().m_beeps.size();
    EXPECT_FALSE(tape.App().DispatchCommand(&stray, &tape.View(), 305));
    EXPECT_EQ(tape.App().m_commandKind, 2);
    EXPECT_EQ(tape.App().m_eventCount, 0);
    ASSERT_EQ(DefaultScriptedServices().m_beeps.size(), beeps + 1);
    EXPECT_EQ(DefaultScriptedServices().m_beeps.back(), MB_ICONASTERISK);
    EXPECT_EQ(tape.Code(102).beeps, 0);
}

TEST(CommandDispatcher, StatusOfANumericMoveSurvivesOnlyTheEnterKey)
{
    struct Case {
        const char* name;
        int code;
        int key;
        int status;
    } cases[] = {
        { "enter", 7, 13, 1 },
        { "escape", 7, 27, 0 },
        { "code without a row", 102, 0, 0 },
        { "mode toggle", 212, 0, 7 },
        { "right double-click", 6, 0, 0 },
    };
    for (const Case& c : cases) {
        CInputTape tape;
        tape.App().m_lastStatus = 1;
        // Without a command the Enter reaches no consumer: only the exit steps act on the status.
        if (c.key == 13)
            tape.App().m_commandKind = 0;
        const CTapeStep& step = c.code == 7 ? tape.Key(c.key) : tape.Code(c.code);
        EXPECT_EQ(step.lastStatus, c.status) << c.name;
        EXPECT_EQ(step.result, 1) << c.name;
    }
}

TEST(CommandDispatcher, TheRecoveryFileIsSavedWhenTheOperationCounterReachesTheInterval)
{
    CInputTape tape;
    tape.App().m_recoveryInterval = 3;
    std::string saved;
    for (int i = 0; i < 7; ++i)
        saved += std::to_string(tape.Code(102).recoverySaved);
    EXPECT_EQ(saved, "0010010");

    // Events inside an interrupting mode or a special mode are not counted.
    tape.Code(212);
    EXPECT_EQ(tape.Doc().m_recoveryOpCount, 1);
    EXPECT_EQ(tape.Code(102).recoverySaved, 0);
    EXPECT_EQ(tape.Code(102).recoverySaved, 0);
    EXPECT_EQ(tape.Doc().m_recoveryOpCount, 1);

    // An interval of 0 saves after every event that reaches the exit steps.
    CInputTape every;
    every.App().m_recoveryInterval = 0;
    EXPECT_EQ(every.Code(102).recoverySaved, 1);
    EXPECT_EQ(every.Code(102).recoverySaved, 1);
    EXPECT_EQ(every.Code(8).recoverySaved, 0);
}

TEST(CommandDispatcher, ModeCodesToggleTheirInterruptingMode)
{
    const struct {
        int code;
        int mode;
    } toggles[] = { { 207, 36 }, { 208, 37 }, { 209, 38 }, { 210, 39 }, { 212, 40 }, { 213, 41 },
                    { 214, 42 }, { 215, 43 }, { 216, 44 }, { 217, 45 } };
    for (const auto& t : toggles) {
        CInputTape tape;
        tape.Code(305);
        const CTapeStep& on = tape.Code(t.code);
        EXPECT_EQ(on.interruptMode, t.mode) << t.code;
        EXPECT_EQ(on.commandKind, 3) << t.code;
        EXPECT_EQ(on.lastStatus, 7) << t.code;
        // Another mode's code replaces it; its own code ends it.
        tape.Code(t.code == 207 ? 208 : 207);
        EXPECT_NE(tape.Steps().back().interruptMode, t.mode) << t.code;
        tape.Code(t.code);
        EXPECT_EQ(tape.Code(t.code).interruptMode, 0) << t.code;
    }
}

TEST(CommandDispatcher, CommandCodesChooseTheirKindAndEndModes)
{
    const struct {
        int code;
        int kind;
    } commands[] = { { 301, 1 }, { 302, 1 }, { 303, 2 }, { 304, 2 }, { 305, 3 }, { 307, 3 }, { 306, 4 },
                     { 308, 4 }, { 309, 7 }, { 310, 7 }, { 311, 9 }, { 312, 10 }, { 313, 10 },
                     { 314, 11 }, { 315, 11 }, { 316, 12 }, { 317, 12 }, { 401, 21 } };
    for (const auto& c : commands) {
        CInputTape tape;
        tape.Code(212);
        tape.Code(101);
        const CTapeStep& step = tape.Code(c.code);
        EXPECT_EQ(step.commandKind, c.kind) << c.code;
        EXPECT_EQ(step.interruptMode, 0) << c.code;
        EXPECT_EQ(step.specialMode, 0) << c.code;
    }
}

TEST(CommandDispatcher, LayerCodesEndTheirModeAndReturnTheInputBarToItsFirstList)
{
    struct Case {
        const char* name;
        int mode;
        int code;
        bool shift;
        int after;
        std::vector<int> lists;
    } cases[] = {
        { "write layer on", 0, 204, false, 33, { 7 } },  // the layer list
        { "write layer with shift", 0, 204, true, 34, {} },
        { "write layer off", 33, 204, false, 0, { 1 } },
        { "rename off by write layer", 34, 204, false, 0, { 1 } },
        { "reference layer on", 0, 205, false, 35, { 7 } },
        { "reference layer off", 35, 205, false, 0, { 1 } },
        { "rename on", 0, 219, false, 34, {} },
        { "rename off", 34, 219, false, 0, { 1 } },
        { "rename replaces write layer", 33, 219, false, 34, {} },
    };
    for (const Case& c : cases) {
        CInputTape tape;
        auto* bar = new CListNotingBar;
        delete tape.App().m_inputBar;
        tape.App().m_inputBar = bar;
        tape.App().m_interruptMode = static_cast<short>(c.mode);
        tape.Hold(c.shift, false);
        EXPECT_EQ(tape.Code(c.code).interruptMode, c.after) << c.name;
        EXPECT_EQ(bar->m_lists, c.lists) << c.name;
    }
}

TEST(CommandDispatcher, ShowAllLayersIsInvertedAndEndsTheReferenceLayerMode)
{
    CInputTape tape;
    const int before = tape.View().m_showAllLayers;
    tape.App().m_interruptMode = 35;
    const CTapeStep& step = tape.Code(206);
    EXPECT_EQ(tape.View().m_showAllLayers, before ? 0 : 1);
    EXPECT_EQ(step.interruptMode, 0);
    tape.Code(212);
    EXPECT_EQ(tape.Code(206).interruptMode, 40);
    EXPECT_EQ(tape.View().m_showAllLayers, before);
}

TEST(CommandDispatcher, KeysStartCommandsAndUnknownKeysReturnFalseWithoutTheExitSteps)
{
    struct Case {
        int key;
        bool shift;
        int result;
        int kind;
        int mode;
        int events;
    } cases[] = {
        { 'C', false, 1, 3, 0, 1 },  { 'A', false, 1, 4, 0, 1 }, { 'P', false, 1, 1, 0, 1 },
        { 'D', false, 1, 10, 0, 1 }, { 'O', false, 1, 12, 0, 1 }, { 'Z', false, 1, 11, 0, 1 },
        // Undo and redo are modes only while they are performed.
        { 'U', false, 1, 2, 0, 1 }, { 'U', true, 1, 2, 0, 1 },  { 'W', true, 1, 2, 34, 1 },
        { 'Y', false, 1, 2, 35, 1 }, { 'N', false, 0, 2, 0, 0 },  { 112, false, 0, 2, 0, 0 },
        // K sends the interpret-and-run code through the dispatcher itself: two exits.
        { 'K', false, 1, 2, 36, 2 },
    };
    for (const Case& c : cases) {
        CInputTape tape;
        tape.Hold(c.shift, false);
        const CTapeStep& step = tape.Key(c.key);
        EXPECT_EQ(step.result, c.result) << c.key;
        EXPECT_EQ(step.commandKind, c.kind) << c.key;
        EXPECT_EQ(step.interruptMode, c.mode) << c.key;
        EXPECT_EQ(step.eventCount, c.events) << c.key;
    }

    // In the user-application command the letters belong to the application.
    CInputTape user;
    user.Code(311);
    EXPECT_EQ(user.Key('C').result, 0);
    EXPECT_EQ(user.Steps().back().commandKind, 9);
}

// B asks for the text alignment: a chosen anchor has both text commands measure their boxes
// again and tells the current command (input 15); a cancelled dialog changes nothing.
TEST(CommandDispatcher, TheAlignmentKeyRemeasuresBothTextBoxesWhenAnAnchorIsChosen)
{
    for (bool chosen : { true, false }) {
        SCOPED_TRACE(chosen ? "chosen" : "cancelled");
        CInputTape tape;
        CScriptedUiServices& ui = DefaultScriptedUiServices();
        ui.Reset();
        CTextCommand& main = *tape.Doc().m_textCmd;
        CTextCommand& interrupting = *tape.Doc().m_textCmdInt;
        main.m_string = "abc";
        interrupting.m_string = "abcdef";
        const int anchor = tape.App().m_appText.m_anchor;
        SpoilTextBox(main);
        SpoilTextBox(interrupting);
        if (chosen)
            ui.QueueDialog([](IModalSession& s) { s.Press(1022); });   // bottom centre
        const CTapeStep& step = tape.Key('B');
        EXPECT_EQ(step.result, 1);
        EXPECT_EQ(ui.m_shownDialogs, std::vector<UINT>{ 134 });
        EXPECT_EQ(tape.App().m_appText.m_anchor, chosen ? 14 : anchor);
        EXPECT_EQ(TextBoxMeasured(main), chosen);
        EXPECT_EQ(TextBoxMeasured(interrupting), chosen);
        EXPECT_EQ(step.consumers.find("15/0") != std::string::npos, chosen) << step.consumers;
        ui.Reset();
    }
}

TEST(CommandDispatcher, AReleaseWithoutItsPressDoesNothing)
{
    CInputTape tape;
    CPointD at;
    at.Init(5, 5);
    tape.App().m_rightButtonDown = 1;
    tape.Button(4, at);
    EXPECT_EQ(tape.App().m_rightButtonDown, 0);
    const CTapeStep& left = tape.Button(2, at);
    EXPECT_EQ(left.result, 1);
    EXPECT_EQ(left.consumers, "");
}

TEST(CommandDispatcher, TheReleaseAfterAPlacedObjectResizeRecordsItForUndo)
{
    struct Case {
        const char* name;
        double width;       // of the object, 200 high
        int handle;
        int dx;             // the pointer's x from the handle's
        int code;           // what the dispatcher gets next
        int steps;          // undo steps it adds
        double scaleX, scaleY;
    } cases[] = {
        { "corner, twice the size", 100, 5, 100, 2, 1, 2, 2 },
        { "right edge, half the width", 100, 4, -50, 2, 1, 0.5, 1 },
        { "a right release records nothing", 100, 5, 100, 4, 0, 0, 0 },
        // The history refuses a scale of 0: nothing is left over for the next step.
        { "squeezed to no width", 100, 4, -100, 2, 0, 0, 0 },
        // An object of no width records the size the drag gave it, unscaled.
        { "no width before", 0, 4, 30, 2, 1, 30, 200 },
    };
    for (const Case& c : cases) {
        CInputTape tape;
        CZelkDoc& doc = tape.Doc();
        CZelkView& view = tape.View();
        view.m_origin.Init(-100, 1000);
        view.m_zoom = 1.0;
        auto* obj = new CZelkOleObj;
        obj->m_topLeft.Init(0, 200);
        obj->m_bottomRight.Init(c.width, 0);
        obj->m_stateBits |= 0x02;
        doc.AddObject(obj);
        view.m_oleSelection = { obj };
        const POINT h = obj->GetHandle(c.handle, &view);
        ASSERT_TRUE(view.BeginObjectResize(h)) << c.name;
        view.ResizeSelectedObjects(POINT{ h.x + c.dx, h.y });
        CPointD at;
        at.Init(0, 0);
        const int before = doc.m_undoHistory->GetStepCount();
        if (c.code == 4)
            tape.App().m_rightButtonDown = 1;
        tape.Button(c.code, at);
        EXPECT_EQ(view.m_oleResized, 0) << c.name;
        ASSERT_EQ(doc.m_undoHistory->GetStepCount(), before + c.steps) << c.name;
        EXPECT_TRUE(doc.m_undoHistory->m_pendingFirst.empty()) << c.name;
        if (c.steps == 0)
            continue;
        const CUndoStep& step = *doc.m_undoHistory->m_steps.back();
        EXPECT_EQ(step.m_kind, 4) << c.name;
        EXPECT_DOUBLE_EQ(step.m_scale.m_x, c.scaleX) << c.name;
        EXPECT_DOUBLE_EQ(step.m_scale.m_y, c.scaleY) << c.name;
        EXPECT_EQ(step.m_offset.m_x, 0) << c.name;
        ASSERT_EQ(step.m_first.size(), 1u) << c.name;
        EXPECT_EQ(step.m_first[0].m_kind, 128) << c.name;
        EXPECT_EQ(step.m_first[0].m_block, 0) << c.name;
    }
}

TEST(CommandDispatcher, TheTapeReadsTheRunningTimers)
{
    CInputTape tape;
    const CTapeStep& started = tape.Run("timer", [&] { Services().StartTimer(&tape, 7, 50, [](UINT) {}); });
    EXPECT_EQ(started.timers, 1);
    EXPECT_NE(started.Line().find(" timers 1 "), std::string::npos);
    EXPECT_EQ(tape.Run("stop", [&] { Services().StopTimer(&tape, 7); }).timers, 0);
}
