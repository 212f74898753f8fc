// The commands of the drawing view as its command map runs them: context help, the codes the
// dispatcher receives, the menu states, the single-layer view, select all in the reference-layer
// mode, the starters, group processing and the numeric moves of the base point.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "commands/annotate/GroupProcessor.h"
#include "document/UndoHistory.h"
#include "elements/Texts.h"
#include "input/InputBar.h"
#include "macro/TextDoc.h"
#include "platform/ui/Resources.h"
#include "userapp/UserAppManager.h"
#include "view/ViewCommandTable.h"
#include "platform/core/ProgramFolder.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/UiServices.h"
#include "tests/view/ViewCommandSupport.h"

namespace {

class ViewCommands : public ViewCommandFixture {
protected:
    void AddLayers(int count)
    {
        for (int i = 1; i <= count; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "L%d", i);
            m_doc->FindOrCreateLayer(name);
        }
        m_view->m_layerStates.SetSize(m_doc->m_layers.GetSize());
    }

};

// Every command of the view's menus, its help page and the code it sends (0: an action of its
// own that sends none by itself), as the menus list them.
struct CCommandRow {
    UINT id;
    const char* helpPage;
    int code;
};

const CCommandRow kCommandRows[] = {
    { 32779, "Help\\HID_OPERATIONBACK.htm", 203 }, { 32774, "Help\\HID_UNDO.htm", 201 },
    { 32775, "Help\\HID_REDO.htm", 202 }, { 32782, "Help\\HID_REDRAW.htm", 103 },
    { 32783, "Help\\HID_HOMEVIEW.htm", 104 }, { 113, "Help\\HID_ATR_LAYERACTIVE.htm", 204 },
    { 114, "Help\\HID_ATR_LAYERREFERENCE.htm", 205 }, { 115, "Help\\HID_ATR_LAYEREVERY.htm", 206 },
    { 33090, "Help\\HID_LAYER_CHANGENAME.htm", 219 }, { 33088, "Help\\HID_ATR_LAYERALONE.htm", 218 },
    { 33064, "Help\\H_INP_DEVIDE.htm", 212 }, { 33065, "Help\\HID_FIND_LENGTH.htm", 213 },
    { 33066, "Help\\HID_FIND_DEGREE.htm", 214 }, { 33068, "Help\\HID_FIND_TYPELINE.htm", 215 },
    { 33069, "Help\\HID_FIND_COLOR.htm", 216 }, { 33084, "Help\\HID_FIND_WIDTHLINE.htm", 217 },
    { 116, "Help\\H_POINT_ORIGIN.htm", 208 }, { 126, "Help\\HID_POINTRESTRICT.htm", 210 },
    { 32836, "Help\\HID_ANALYZE.htm", 207 }, { 141, "Help\\HID_SELPOINT_EXTEND.htm", 105 },
    { 32830, "Help\\HID_CONTROL_VIEW.htm", 101 }, { 32864, "Help\\HID_DELETEELEM.htm", 401 },
    { 32897, "Help\\HID_POINT.htm", 301 }, { 32776, "Help\\HID_LINE.htm", 303 },
    { 32789, "Help\\HID_CIRCLE.htm", 305 }, { 32777, "Help\\HID_ARC.htm", 306 },
    { 32778, "Help\\HID_TEXT.htm", 309 }, { 32805, "Help\\HID_DIMENSION.htm", 312 },
    { 32900, "Help\\HID_CURVE_SCRIB.htm", 314 }, { 32901, "Help\\HID_LOOP.htm", 316 },
    { 32895, "Help\\H_COMMAND_DRAG.htm", 0 }, { 32945, "Help\\HID_ESCAPE.htm", 0 },
    { 32773, "Help\\HID_SETFONT.htm", 0 }, { 32784, "Help\\HID_FILE_ADD.htm", 0 },
    { 125, "Help\\HID_POINTLAST.htm", 209 }, { 127, "Help\\HID_DIRECTION_POINT.htm", 211 },
    { 130, "Help\\HID_DIRECTION_HOLZ.htm", 211 }, { 131, "Help\\HID_DIRECTION_VERT.htm", 211 },
    { 132, "Help\\HID_DIRECTION_FREE.htm", 211 }, { 33140, "Help\\HID_MACRO_TEXT_OPEN.htm", 0 },
    { 32835, "Help\\HID_ANALYZE_TEXT.htm", 0 }, { 32797, "Help\\HID_APPDO.htm", 0 },
    { 32806, "Help\\HID_SELECT_ALL.htm", 0 }, { 32894, "Help\\HID_TEXT_MALTI.htm", 0 },
    { 33135, "Help\\HID_OLEFILE_DRAW.htm", 0 },
};

TEST_F(ViewCommands, ContextHelpOpensEachCommandsPageAndRunsNothingElseTheCommandRuns)
{
    for (const CCommandRow& row : kCommandRows) {
        SCOPED_TRACE(row.id);
        m_app->m_calls.clear();
        DefaultScriptedServices().m_opened.clear();
        m_app->m_contextHelpMode = 11;
        ASSERT_TRUE(Command(row.id));
        ASSERT_EQ(DefaultScriptedServices().m_opened.size(), 1u);
        EXPECT_EQ(DefaultScriptedServices().m_opened[0], ProgramFolder() + row.helpPage);
        EXPECT_EQ(m_app->m_contextHelpMode, 0);
        EXPECT_TRUE(m_app->Dispatched().empty());
        EXPECT_TRUE(DefaultScriptedUiServices().m_shownDialogs.empty());
        // Disarmed: the second click runs the command.
        if (row.code == 0)
            continue;
        m_app->m_calls.clear();
        ASSERT_TRUE(Command(row.id));
        EXPECT_EQ(m_app->Dispatched(), std::vector<std::string>{Dispatch(row.code)});
        EXPECT_EQ(DefaultScriptedServices().m_opened.size(), 1u);
    }
}

TEST_F(ViewCommands, EscapeCancelsTheModeAndAnswersForNoOtherCommand)
{
    ASSERT_TRUE(Command(32945));
    EXPECT_EQ(m_app->m_calls, std::vector<std::string>{"cancel"});
    EXPECT_FALSE(Command(32946));
}

TEST_F(ViewCommands, UndoAndRedoAreEnabledByThePositionInTheHistory)
{
    CUndoHistory& history = *m_doc->m_undoHistory;
    struct Case {
        int steps;
        int current;
        int undo;
        int redo;
    };
    const Case cases[] = {
        { 0, -1, 0, 0 },  // empty history
        { 2, -1, 0, 1 },  // everything undone
        { 2, 0, 1, 1 },
        { 2, 1, 1, 0 },   // on the last step
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps * 10 + c.current);
        history.m_steps.clear();
        for (int i = 0; i < c.steps; ++i)
            history.Commit(1);
        history.m_current = c.current;
        EXPECT_EQ(Update(32774).m_enabled, c.undo);
        EXPECT_EQ(Update(32775).m_enabled, c.redo);
    }
}

// The menu states: a state that ticks or enables the item, and the one that does not.
TEST_F(ViewCommands, MenuStatesFollowTheModesTheyShow)
{
    struct Case {
        UINT id;
        void (*on)(CZelkApp&, CZelkDoc&, CZelkView&);
        bool enables;   // the rule enables instead of ticking
    };
    const Case cases[] = {
        { 113, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 33; }, false },
        { 113, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 34; }, false },
        { 33065, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 41; }, false },
        { 33066, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 42; }, false },
        { 33068, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 43; }, false },
        { 33069, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 44; }, false },
        { 116, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 37; }, false },
        { 126, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 39; }, false },
        { 32897, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_commandKind = 1; }, false },
        { 32776, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_commandKind = 2; }, false },
        { 32777, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_commandKind = 4; }, false },
        { 32778, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_commandKind = 7; }, false },
        { 32805, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_commandKind = 10; }, false },
        { 32901, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_commandKind = 12; }, false },
        { 114, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 35; }, false },
        { 33090, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 34; }, false },
        { 33064, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 40; }, false },
        { 33084, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 45; }, false },
        { 32836, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 36; }, false },
        { 125, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_interruptMode = 38; }, false },
        { 141, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_specialMode = 70; }, false },
        { 32830, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_specialMode = 53; }, false },
        { 32864, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_commandKind = 21; }, false },
        { 32789, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_commandKind = 3; }, false },
        { 32900, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_commandKind = 11; }, false },
        { 115, [](CZelkApp&, CZelkDoc&, CZelkView& v) { v.m_showAllLayers = 1; }, false },
        { 33088, [](CZelkApp&, CZelkDoc&, CZelkView& v) { v.m_singleLayerMode = 1; }, false },
        { 32895, [](CZelkApp&, CZelkDoc& d, CZelkView&) { d.m_groupProcessing = 1; }, false },
        { 127, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_pointConstraintMode = 2; }, false },
        { 130, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_horizontalConstraint = 1; }, false },
        { 131, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_verticalConstraint = 1; }, false },
        { 132, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_pointConstrained = 1; }, true },
        { 32894, [](CZelkApp& a, CZelkDoc&, CZelkView&) { a.m_groupProcessing = 1; }, false },
        { 33135, [](CZelkApp&, CZelkDoc&, CZelkView& v) { v.m_pastedImagesLast = 1; }, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        m_app->m_interruptMode = 0;
        m_app->m_specialMode = 0;
        m_app->m_commandKind = 0;
        m_app->m_pointConstraintMode = 1;
        m_app->m_groupProcessing = 0;
        m_view->m_showAllLayers = 0;
        m_doc->m_groupProcessing = 0;
        const CRecordedUI off = Update(c.id);
        EXPECT_EQ(c.enables ? off.m_enabled : off.m_checked, 0);
        c.on(*m_app, *m_doc, *m_view);
        const CRecordedUI on = Update(c.id);
        EXPECT_EQ(c.enables ? on.m_enabled : on.m_checked, 1);
    }
    // Multi-text is not ticked while the drawing itself is in box selection.
    m_app->m_groupProcessing = 1;
    m_doc->m_groupProcessing = 1;
    EXPECT_EQ(Update(32894).m_checked, 0);
    // Always enabled: the handler leaves the item alone; commands without a rule have none.
    for (UINT id : { 32945u, 33140u, 32835u }) {
        const CRecordedUI always = Update(id);
        EXPECT_EQ(always.m_enabled, -1) << id;
        EXPECT_EQ(always.m_checked, -1) << id;
    }
    for (UINT id : { 32779u, 32782u, 32783u, 32773u, 32784u, 32806u }) {
        CRecordedUI ui;
        ui.m_nID = id;
        EXPECT_FALSE(m_view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr)) << id;
    }
}

TEST_F(ViewCommands, HorizontalConstraintSetsThenReleasesAndLeavesTheFlagToTheHandler)
{
    ASSERT_TRUE(Command(130));
    EXPECT_EQ(m_app->m_pointConstraintMode, 3);
    EXPECT_EQ(m_app->m_lastMessage, "横の拘束を設定しました");
    EXPECT_EQ(m_app->m_horizontalConstraint, 0);
    m_app->m_horizontalConstraint = 1;   // as the constraint handler behind code 211 sets it
    ASSERT_TRUE(Command(130));
    EXPECT_EQ(m_app->m_pointConstraintMode, 1);
    EXPECT_EQ(m_app->m_lastMessage, "横の拘束を解除しました");
    ASSERT_TRUE(Command(131));
    EXPECT_EQ(m_app->m_pointConstraintMode, 4);
    EXPECT_EQ(m_app->m_lastMessage, "縦の拘束を設定しました");
    m_app->m_horizontalConstraint = 1;
    m_app->m_pointConstrained = 1;
    ASSERT_TRUE(Command(127));
    EXPECT_EQ(m_app->m_pointConstraintMode, 2);
    EXPECT_EQ(m_app->m_horizontalConstraint + m_app->m_pointConstrained, 0);
    ASSERT_TRUE(Command(132));
    EXPECT_EQ(m_app->m_pointConstraintMode, 5);
    EXPECT_EQ(m_app->Dispatched(), std::vector<std::string>(5, Dispatch(211)));
}

TEST_F(ViewCommands, BasePointCommandShowsTheUserPointAtTheMessageDecimalsThenDispatches)
{
    m_app->m_appAcc.m_digits1 = 2;
    m_doc->m_refPoint = W(12.3456, -7.001);
    ASSERT_TRUE(Command(125));
    ASSERT_FALSE(m_view->m_lines.empty());
    EXPECT_EQ(m_view->m_lines.back(), "現在の数値移動起点は ( 12.35, -7 ) です");
    EXPECT_EQ(m_app->Dispatched(), std::vector<std::string>{"dispatch 209"});
}

TEST_F(ViewCommands, SingleLayerViewStepsThroughTheLayersAndWrapsBothWays)
{
    AddLayers(2);   // three layers: the drawing's first and L1, L2
    m_view->m_layerStates[2] = 1;
    m_view->m_showAllLayers = 1;
    const std::vector<WORD> before = { 0, 0, 1 };
    auto words = [&] {
        std::vector<WORD> w;
        for (int i = 0; i < m_view->m_layerStates.GetSize(); ++i)
            w.push_back(m_view->m_layerStates[i]);
        return w;
    };
    const CString first = m_doc->GetLayer(0)->m_name;
    const std::vector<std::vector<WORD>> shown = { { 0, 1, 1 }, { 1, 0, 1 }, { 1, 1, 0 } };
    const char* const names[] = { first.GetString(), "L1", "L2" };
    for (int i = 0; i < 3; ++i) {
        m_view->StepSingleLayerView(0);
        EXPECT_EQ(words(), shown[i]) << i;
        EXPECT_EQ(m_view->m_lines.back(), std::string("レイヤ ") + names[i] + " を表示しました");
        EXPECT_EQ(m_view->m_showAllLayers, 0);
        EXPECT_EQ(Update(33088).m_checked, 1);
    }
    m_view->StepSingleLayerView(0);
    EXPECT_EQ(words(), before);
    EXPECT_EQ(m_view->m_lines.back(), "参照レイヤを表示しました");
    EXPECT_EQ(m_view->m_singleLayerMode, 0);
    EXPECT_EQ(m_view->m_singleLayerIndex, -1);
    // Backward from the start restores at once; the next backward step shows the last layer.
    m_view->StepSingleLayerView(1);
    EXPECT_EQ(words(), before);
    EXPECT_EQ(m_view->m_singleLayerIndex, 3);
    m_view->StepSingleLayerView(1);
    EXPECT_EQ(words(), shown[2]);
    EXPECT_EQ(m_view->HasHiddenLayer(), 1);
}

TEST_F(ViewCommands, EndingTheSingleLayerViewShowsLayersAddedMeanwhile)
{
    AddLayers(1);
    m_view->m_layerStates[1] = 1;
    m_view->StepSingleLayerView(0);
    m_doc->FindOrCreateLayer("new");
    m_view->EndSingleLayerView();
    ASSERT_EQ(m_view->m_layerStates.GetSize(), 3);
    EXPECT_EQ(m_view->m_layerStates[0], 0);
    EXPECT_EQ(m_view->m_layerStates[1], 1);
    EXPECT_EQ(m_view->m_layerStates[2], 0);
    // Without a single-layer view there is nothing to end, and no layers nothing to step.
    m_view->m_layerStates[2] = 1;
    m_view->EndSingleLayerView();
    EXPECT_EQ(m_view->m_layerStates[2], 1);
    CMessageView empty;
    empty.StepSingleLayerView(0);
    EXPECT_EQ(empty.m_singleLayerMode, 0);
    EXPECT_EQ(empty.HasHiddenLayer(), 0);
}

TEST_F(ViewCommands, SelectAllInReferenceLayerModeInvertsTheLayersAndMovesTheWriteLayer)
{
    AddLayers(2);
    m_view->m_layerStates[1] = 1;
    m_view->m_layerStates[2] = 1;
    m_doc->m_writeLayer = 0;
    m_app->m_interruptMode = 35;
    m_app->m_appFind.toggleSelection = 1;
    ASSERT_TRUE(Command(32806));
    EXPECT_EQ(m_view->m_layerStates[0], 1);
    EXPECT_EQ(m_view->m_layerStates[1], 0);
    EXPECT_EQ(m_view->m_layerStates[2], 0);
    EXPECT_EQ(m_doc->m_writeLayer, 1);
    EXPECT_EQ(m_app->m_lastMessage, "L1 を書き込みレイヤとしました");
    EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), 1u);
    // Without inversion every layer becomes shown and the write layer stays.
    m_app->m_appFind.toggleSelection = 0;
    m_view->m_layerStates[2] = 1;
    ASSERT_TRUE(Command(32806));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m_view->m_layerStates[i], 0) << i;
    EXPECT_EQ(m_doc->m_writeLayer, 1);
}

TEST_F(ViewCommands, StartersSendTheirCodesAndThePointStarterTellsEveryView)
{
    struct Case {
        void (CZelkView::*start)(int);
        int menu;
        int macro;
    };
    const Case cases[] = {
        { &CZelkView::StartPointCommand, 301, 302 }, { &CZelkView::StartLineCommand, 303, 304 },
        { &CZelkView::StartCircleCommand, 305, 307 }, { &CZelkView::StartArcCommand, 306, 308 },
        { &CZelkView::StartTextCommand, 309, 310 }, { &CZelkView::StartDimensionCommand, 312, 313 },
        { &CZelkView::StartCurveCommand, 314, 315 }, { &CZelkView::StartLoopCommand, 316, 317 },
    };
    for (const Case& c : cases) {
        m_app->m_calls.clear();
        (m_view.get()->*c.start)(0);
        (m_view.get()->*c.start)(1);
        EXPECT_EQ(m_app->Dispatched(), (std::vector<std::string>{Dispatch(c.menu),
                                                                 Dispatch(c.macro)}));
    }
    CMessageView second;
    m_doc->AddView(&second);
    m_doc->m_ratio = 50;
    ASSERT_TRUE(Command(32897));
    EXPECT_EQ(m_view->m_lines.back(), "尺度50 点コマンドです");
    EXPECT_EQ(second.m_lines.back(), "尺度50 点コマンドです");
    m_view->StartPointCommand(1);
    EXPECT_EQ(second.m_lines.back(), "尺度50 マクロの点コマンドです");
    m_doc->RemoveView(&second);
}

TEST_F(ViewCommands, GroupProcessingFromTheMenuLeavesTheDeformSelectionFirst)
{
    CMessageView second;
    m_doc->AddView(&second);
    m_doc->m_ratio = 1;
    m_app->m_appFind.boxSelectionMode = 3;
    m_doc->m_deformMode = 1;
    m_app->m_appElem.m_layerCondition = 0;
    ASSERT_TRUE(Command(32895));
    const std::string entered = "範囲内モードボタンに切替えました 群処理モードに入りました。処理する要素を選択してください。";
    EXPECT_EQ(second.m_lines, (std::vector<std::string>{"範囲内モードボタンに切替えました", entered}));
    EXPECT_EQ(m_app->m_appFind.boxSelectionMode, 1);
    EXPECT_EQ(m_doc->m_groupProcessing, 1);
    EXPECT_EQ(m_doc->m_deformMode, 0);
    EXPECT_EQ(m_group->m_document, m_doc.get());
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 1);
    EXPECT_EQ(m_app->m_appElem.m_layerCondition, 1);
    EXPECT_EQ(Update(32895).m_checked, 1);
    m_doc->RemoveView(&second);
}

TEST_F(ViewCommands, GroupProcessingKeepsTheLayerConditionWhileASymbolIsPlaced)
{
    CZelkDoc symbol;
    symbol.m_bAutoDelete = FALSE;
    m_app->m_symbolDoc = &symbol;
    m_app->m_appElem.m_layerCondition = 2;
    m_doc->m_ratio = 1;
    m_view->StartGroupProcessing(0);
    EXPECT_EQ(m_app->m_appElem.m_layerCondition, 2);
    EXPECT_EQ(m_app->m_savedLayerCondition, 2);
    EXPECT_EQ(m_view->m_lines.back(), "尺度1 群処理モードに入りました。処理する要素を選択してください。");
    m_view->StartGroupProcessing(1);
    EXPECT_EQ(m_view->m_lines.back(), "尺度1 マクロの群処理です。処理する要素を箱選択してください。");
    m_app->m_symbolDoc = nullptr;
}

// The macro form attaches the processor and each of its steps to the drawing; a drawing that
// is freed is let go of wherever it is held, and the others stay.
TEST_F(ViewCommands, AFreedDrawingLeavesNoReferenceInGroupProcessing)
{
    m_view->StartGroupProcessing(1);
    EXPECT_EQ(m_group->m_document, m_doc.get());
    for (CZelkDoc* step : m_group->m_stepDocuments)
        EXPECT_EQ(step, m_doc.get());

    {
        CZelkDoc other;
        other.m_bAutoDelete = FALSE;
        m_group->m_stepDocuments[3] = &other;
    }
    EXPECT_EQ(m_group->m_stepDocuments[3], nullptr);
    EXPECT_EQ(m_group->m_stepDocuments[2], m_doc.get());
    EXPECT_EQ(m_group->m_document, m_doc.get());

    {
        CZelkDoc other;
        other.m_bAutoDelete = FALSE;
        m_group->AttachTo(&other);
    }
    EXPECT_EQ(m_group->m_document, nullptr);
    for (CZelkDoc* step : m_group->m_stepDocuments)
        EXPECT_EQ(step, nullptr);
}

TEST_F(ViewCommands, NumericMovesTurnWithTheRelativeAxes)
{
    m_app->m_appAcc.m_digits1 = 3;
    m_doc->m_relAngle = 30;
    m_doc->m_basePoint = W(100, 50);
    m_doc->m_refPoint = W(0, 0);
    m_view->MoveBasePointAlongAxis(4, 10);
    const double a = 120 * 3.141592653589793 / 180;
    EXPECT_NEAR(m_doc->m_basePoint.m_x, 100 - 10 * std::cos(a), 1e-12);
    EXPECT_NEAR(m_doc->m_basePoint.m_y, 50 - 10 * std::sin(a), 1e-12);
    EXPECT_DOUBLE_EQ(m_doc->m_refPoint.m_y, -10);
    EXPECT_EQ(m_view->m_lines.back(), "数値移動の点座標は ( 0 , -10 ) です");
    // At angle 0 a move by vector moves both points alike; kind 2 moves backward.
    m_doc->m_relAngle = 0;
    m_doc->m_basePoint = W(1, 2);
    m_doc->m_refPoint = W(3, 4);
    m_view->MoveBasePointByVector(1, 10, 5);
    EXPECT_DOUBLE_EQ(m_doc->m_basePoint.m_x, 11);
    EXPECT_DOUBLE_EQ(m_doc->m_basePoint.m_y, 7);
    EXPECT_DOUBLE_EQ(m_doc->m_refPoint.m_x, 13);
    EXPECT_DOUBLE_EQ(m_doc->m_refPoint.m_y, 9);
    m_view->MoveBasePointPolar(2, 90, 4);
    EXPECT_NEAR(m_doc->m_basePoint.m_x, 11, 1e-12);
    EXPECT_NEAR(m_doc->m_basePoint.m_y, 3, 1e-12);
    EXPECT_EQ(m_view->m_lines.back(), "数値移動の点座標は ( 13 , 5 ) です");
}

} // namespace

namespace {

TEST_F(ViewCommands, FontCommandTakesTheChosenFontIntoTheTextSettingsAndTheFontList)
{
    CInputBar bar;
    m_app->m_inputBar = &bar;
    m_app->m_historyLength = 20;
    m_view->m_measuredWidth = 599;
    LOGFONT font{};
    font.lfHeight = -4;
    font.lfItalic = 1;
    std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", "ＭＳ 明朝");
    DefaultScriptedUiServices().QueueFont(TRUE, font, RGB(12, 34, 56));
    ASSERT_TRUE(Command(32773));
    EXPECT_EQ(m_app->m_appText.m_heightTenths, 40);
    EXPECT_EQ(m_app->m_appText.m_widthTenths, 20);   // 599 / 260, the quotient truncated
    EXPECT_EQ(m_app->m_appText.m_logFont.lfItalic, 1);
    // The chosen color joins the user colors; without a frame there is no color box to take it
    // from as the creation color.
    EXPECT_NE(m_app->m_appColor.FindUserColor(RGB(12, 34, 56)), CAppColor::kNotFound);
    EXPECT_EQ(bar.m_currentList, 3);
    ASSERT_GT(bar.GetList(3).m_texts.GetSize(), 0);
    EXPECT_EQ(bar.GetList(3).m_texts[0], "4H, 2W, ＭＳ 明朝, /, !_, !=");
    // Cancelled: nothing changes.
    m_app->m_inputBar = nullptr;
    ASSERT_TRUE(Command(32773));
    EXPECT_EQ(m_app->m_appText.m_heightTenths, 40);
}

TEST_F(ViewCommands, MultiTextHandsTheSelectedTextsToATextWindowInReadingOrder)
{
    LOGFONT font{};
    const std::int16_t f = m_doc->FindOrAddFont(font, 0, 30, 1, 0.0);
    for (const auto& [s, y] : std::vector<std::pair<const char*, double>>{{"second", 0}, {"first", 10}}) {
        CTexts* block = m_doc->AddText(W(0, y), s, RGB(0, 0, 0), 8, 0, f);
        CText& t = block->m_slots[block->m_count - 1];
        t.m_underlineStart = W(0, y);
        t.m_mark = 2;
    }
    m_doc->m_groupProcessing = 1;
    m_doc->m_multiLineTexts.Add("old");
    ASSERT_TRUE(Command(32894));
    ASSERT_EQ(m_doc->m_multiLineTexts.GetSize(), 2);
    EXPECT_EQ(m_doc->m_multiLineTexts[0], "first");
    EXPECT_EQ(m_doc->m_multiLineTexts[1], "second");
    EXPECT_EQ(m_group->modePattern, "MP");
    EXPECT_EQ(m_group->m_document, m_doc.get());
    EXPECT_EQ(m_app->m_lastMessage, "文字列をテキスト画面で入力してから、テキスト画面を終了させてください");
    std::vector<CTextDoc*> texts = m_app->TextDocs();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->m_ownerDrawing, m_doc.get());
    EXPECT_EQ(texts[0]->m_multiLineInput, 1);
    CStringArray lines;
    texts[0]->GetLines(lines);
    ASSERT_EQ(lines.GetSize(), 2);
    EXPECT_EQ(lines[0], "first");
    m_app->DeleteWindowlessTextDocs();
}

TEST_F(ViewCommands, AMacroTextThatCannotBeReadIsToldAndRunsNothing)
{
    m_app->m_lastCommandId = 7;
    DefaultScriptedUiServices().QueueFiles({ CString("/nonexistent/zelk/macro.txt") });
    ASSERT_TRUE(Command(32835));
    ASSERT_EQ(DefaultScriptedServices().m_messages.size(), 1u);
    const CString& text = DefaultScriptedServices().m_messages[0].text;
    EXPECT_NE(text.Find("macro.txt はオープンできませんでした"), -1) << text.GetString();
    EXPECT_EQ(m_app->m_lastCommandId, 7);
    // A cancelled choice does nothing at all.
    ASSERT_TRUE(Command(32835));
    EXPECT_EQ(DefaultScriptedServices().m_messages.size(), 1u);
}

TEST_F(ViewCommands, PastedImagesAreDrawnLastOnlyAfterTheConfirmation)
{
    ASSERT_TRUE(Command(33135));   // no answer: cancelled
    EXPECT_EQ(m_view->m_pastedImagesLast, 0);
    DefaultScriptedUiServices().QueueDialog([](IModalSession& s) { s.Press(IDOK); });
    ASSERT_TRUE(Command(33135));
    EXPECT_EQ(m_view->m_pastedImagesLast, 1);
    ASSERT_EQ(DefaultScriptedServices().m_messages.size(), 1u);
    const CString& text = DefaultScriptedServices().m_messages[0].text;
    EXPECT_EQ(text.Left(20), "貼り付けた画像が原因");
    EXPECT_NE(text.Find("このビューは閉じてください。。\n"), -1);
    DefaultScriptedUiServices().QueueDialog([](IModalSession& s) { s.Press(IDOK); });
    ASSERT_TRUE(Command(33135));
    EXPECT_EQ(m_view->m_pastedImagesLast, 0);
    EXPECT_EQ(DefaultScriptedServices().m_messages.size(), 1u);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownDialogs, (std::vector<UINT>{249, 249, 249}));
}

} // namespace

namespace {

TEST_F(ViewCommands, SelectAllEntersGroupProcessingOnceThenSaysEverythingIsSelected)
{
    m_doc->m_ratio = 1;
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    CLines* block = m_doc->AddLine(W(0, 0), W(10, 0), 0, pen);
    ASSERT_TRUE(Command(32806));
    EXPECT_EQ(block->m_slots[block->m_count - 1].m_mark & 2, 2);
    EXPECT_EQ(m_doc->m_groupProcessing, 1);
    EXPECT_EQ(m_view->m_lines.back(), "尺度1 群処理モードに入りました。処理する要素を選択してください。");
    ASSERT_TRUE(Command(32806));
    EXPECT_EQ(m_app->m_lastMessage, "全てのデータを選択しました");
}

TEST_F(ViewCommands, RunningAUserApplicationOffersTheRegisteredOnesInTheInputBar)
{
    CUserAppManager apps;
    CInputBar bar;
    m_app->m_userAppManager = &apps;
    m_app->m_inputBar = &bar;
    EXPECT_EQ(Update(32797).m_enabled, 0);
    apps.InsertApp(0, "calc.so", "計算", "1");
    apps.InsertApp(1, "draw.so", "作図", "1");
    apps.CommitEdits();
    EXPECT_EQ(Update(32797).m_enabled, 1);
    apps.m_prompt = "old";
    ASSERT_TRUE(Command(32797));
    EXPECT_EQ(bar.m_currentList, 5);
    EXPECT_EQ(bar.m_enteredText, "計算");
    EXPECT_EQ(apps.m_searchStart, 1);
    EXPECT_TRUE(apps.m_prompt.IsEmpty());
    m_app->m_inputBar = nullptr;
    m_app->m_userAppManager = nullptr;
    apps.m_apps.clear();
}

TEST_F(ViewCommands, EveryTableTitleIsTheStringOfItsCommandWhereTheProgramHasOne)
{
    int compared = 0;
    for (const CViewCommand* c = ViewCommandsBegin(); c != ViewCommandsEnd(); ++c) {
        CString text;
        AfxLoadString(c->id, text);
        if (text.IsEmpty())
            continue;
        const int end = text.Find('\n');
        EXPECT_EQ(end < 0 ? text : text.Left(end), c->title) << c->id;
        ++compared;
    }
    EXPECT_GT(compared, 20);
}

} // namespace
