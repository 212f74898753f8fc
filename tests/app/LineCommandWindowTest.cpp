// The line command in the started program, as a user meets it: the L key opens the line menu, an
// item of it chooses the construction, and right clicks on the drawing give its points.
#include "app/MainFrame.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "tests/app/StartedProgram.h"
#include "view/SubModeTable.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class LineCommandWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_doc = m_app->GetActiveDrawingDoc();
        ASSERT_NE(m_doc, nullptr);
        m_view->SetFocus();
        UiDriver::Pump();
    }
    CPointD WorldAt(POINT pixel) { return StartedProgram::WorldAt(m_view, pixel); }
    POINT PixelOf(CPointD world) { return StartedProgram::PixelOf(m_view, world); }
    static UINT ItemOf(CSubMode::Object object, const char* title)
    {
        for (const CSubMode* m = SubModesBegin(); m != SubModesEnd(); ++m) {
            if (m->object == object && std::strcmp(m->title, title) == 0)
                return m->id;
        }
        return 0;
    }
    static UINT LineItem(const char* title) { return ItemOf(CSubMode::Object::Line, title); }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

} // namespace

TEST_F(LineCommandWindow, TheTwoPointLineFromItsMenuTakesTwoRightClicks)
{
    // A line to snap to: its two ends are the points the clicks find.
    const CPointD a = WorldAt(POINT{ 120, 90 });
    const CPointD b = WorldAt(POINT{ 260, 170 });
    m_doc->AddLine(a, b, 0, m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    m_view->Invalidate(TRUE);
    UiDriver::Pump();

    CLineCommand& line = *m_doc->m_lineCmd;
    line.m_modePattern = "LP";
    const UINT item = LineItem("2点線");
    ASSERT_NE(item, 0u);
    DefaultScriptedUiServices().QueueMenuChoice(item);
    KeyInView('L');
    ASSERT_EQ(m_app->m_commandKind, 2);
    EXPECT_EQ(line.m_modePattern, "SE");
    EXPECT_EQ(line.m_tokenString, "");

    UiDriver::Click(m_view, PixelOf(a), UiDriver::Right);
    UiDriver::Pump();
    EXPECT_EQ(line.m_tokenString, "P");
    EXPECT_NEAR(line.m_inputPoints[0].point.m_x, a.m_x, 1e-9);
    EXPECT_NEAR(line.m_inputPoints[0].point.m_y, a.m_y, 1e-9);

    UiDriver::Click(m_view, PixelOf(b), UiDriver::Right);
    UiDriver::Pump();
    EXPECT_EQ(line.m_tokenString, "SE");
    EXPECT_NEAR(line.m_inputPoints[1].point.m_x, b.m_x, 1e-9);
    EXPECT_NEAR(line.m_inputPoints[1].point.m_y, b.m_y, 1e-9);

    // The drawing holds the new line beside the one clicked on, as one undo step of kind 1.
    ASSERT_EQ(m_doc->m_lineBlocks.GetSize(), 1);
    const auto* block = static_cast<const CLines*>(m_doc->m_lineBlocks[0]);
    ASSERT_EQ(block->m_count, 2);
    const CLine& made = block->m_slots[1];
    EXPECT_EQ(made.m_state & STATE_DELETED, 0);
    EXPECT_NEAR(made.m_start.m_x, a.m_x, 1e-9);
    EXPECT_NEAR(made.m_start.m_y, a.m_y, 1e-9);
    EXPECT_NEAR(made.m_end.m_x, b.m_x, 1e-9);
    EXPECT_NEAR(made.m_end.m_y, b.m_y, 1e-9);
    ASSERT_EQ(m_doc->m_undoHistory->GetStepCount(), 1);
    EXPECT_EQ(m_doc->m_undoHistory->m_steps[0]->m_kind, 1);
    m_doc->m_undoHistory->Undo();
    EXPECT_NE(block->m_slots[1].m_state & STATE_DELETED, 0);
}

// The creation environment a line edit or chamfer saved comes back on the environment button.
TEST_F(LineCommandWindow, TheSavedCreationEnvironmentComesBackOnItsButton)
{
    CToolBitmapButton& button = m_frame->m_wndSubBar.m_creationEnvButton;
    m_app->SetCreationEnvCurrent();
    ASSERT_EQ(button.m_nBitmaps[0], 189u);
    CLineCommand& line = *m_doc->m_lineCmd;
    line.m_savedCreationMode = 1;
    line.RestoreCreationMode();
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 1);
    EXPECT_EQ(button.m_nBitmaps[0], 191u);
    EXPECT_EQ(button.m_nBitmaps[1], 190u);
    EXPECT_EQ(m_app->m_lastResultMessage, " 選択要素の環境で作成するモードに戻しました。");
}

// In the reference element's environment an attribute change of a double-clicked line runs in
// the selected element's environment and gives the reference element's back, on the button.
TEST_F(LineCommandWindow, AnAttributeChangeRunsInTheSelectedElementsEnvironmentAndGivesTheOldOneBack)
{
    const CPointD a = WorldAt(POINT{ 120, 150 });
    const CPointD b = WorldAt(POINT{ 220, 150 });
    m_doc->AddLine(a, b, 0, m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    m_view->Invalidate(TRUE);
    UiDriver::Pump();
    m_app->m_noPopupMenu = 0;   // the edit popup menu is shown and answered
    CToolBitmapButton& button = m_frame->m_wndSubBar.m_creationEnvButton;
    m_app->SetCreationEnvReference();
    UiDriver::Pump();
    ASSERT_EQ(button.m_nBitmaps[0], 192u);

    DefaultScriptedUiServices().QueueMenuChoice(LineItem("属性変更"));
    UiDriver::DoubleClick(m_view, POINT{ 170, 150 });
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_interruptKind, 2);
    CLineCommand& edit = *m_doc->m_lineCmdInt;
    EXPECT_EQ(edit.m_modePattern, "#Q");
    EXPECT_EQ(edit.m_tokenString, "#");
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 1);
    EXPECT_EQ(button.m_nBitmaps[0], 191u);
    EXPECT_EQ(button.m_nBitmaps[1], 190u);

    KeyInView(VK_RETURN);
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 2);
    EXPECT_EQ(button.m_nBitmaps[0], 192u);
    EXPECT_EQ(m_app->m_lastResultMessage, " 参照要素の環境で作成するモードに戻しました。");
    // The line is replaced by its copy as one edit step.
    const auto* block = static_cast<const CLines*>(m_doc->m_lineBlocks[0]);
    ASSERT_EQ(block->m_count, 2);
    EXPECT_NE(block->m_slots[0].m_state & STATE_DELETED, 0);
    EXPECT_NEAR(block->m_slots[1].m_end.m_x, b.m_x, 1e-9);
    ASSERT_GE(m_doc->m_undoHistory->GetStepCount(), 1);
    EXPECT_EQ(m_doc->m_undoHistory->m_steps.back()->m_kind, 3);
}

// A line double-clicked in the window, its edit menu answered with the extension and a right
// click beyond its end: the line is replaced by its extension as one edit step.
TEST_F(LineCommandWindow, ADoubleClickedLineIsExtendedToARightClick)
{
    const CPointD a = WorldAt(POINT{ 120, 150 });
    const CPointD b = WorldAt(POINT{ 220, 150 });
    m_doc->AddLine(a, b, 0, m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    m_view->Invalidate(TRUE);
    UiDriver::Pump();

    DefaultScriptedUiServices().QueueMenuChoice(32973);
    UiDriver::DoubleClick(m_view, POINT{ 200, 150 });
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_interruptKind, 2);
    CLineCommand& edit = *m_doc->m_lineCmdInt;
    EXPECT_EQ(edit.m_tokenString, "#");

    const CPointD beyond = WorldAt(POINT{ 300, 150 });
    UiDriver::Click(m_view, POINT{ 300, 150 }, UiDriver::Right);
    UiDriver::Pump();
    ASSERT_EQ(m_doc->m_lineBlocks.GetSize(), 1);
    const auto* block = static_cast<const CLines*>(m_doc->m_lineBlocks[0]);
    ASSERT_EQ(block->m_count, 2);
    EXPECT_NE(block->m_slots[0].m_state & STATE_DELETED, 0);
    const CLine& made = block->m_slots[1];
    EXPECT_EQ(made.m_state & STATE_DELETED, 0);
    EXPECT_NEAR(made.m_start.m_x, a.m_x, 1e-9);
    EXPECT_NEAR(made.m_start.m_y, a.m_y, 1e-9);
    EXPECT_NEAR(made.m_end.m_x, beyond.m_x, std::fabs(beyond.m_x - b.m_x) / 50);
    EXPECT_NEAR(made.m_end.m_y, a.m_y, 1e-9);
    ASSERT_EQ(m_doc->m_undoHistory->GetStepCount(), 1);
    EXPECT_EQ(m_doc->m_undoHistory->m_steps[0]->m_kind, 3);
}

// The first element of a chamfer double-clicked shows the selected element's environment on the
// button; the chamfer made starts the main frame's timer 13.
TEST_F(LineCommandWindow, AChamferStartsItsTimerAfterTheDoubleClickOnItsFirstLine)
{
    CToolBitmapButton& button = m_frame->m_wndSubBar.m_creationEnvButton;
    m_app->SetCreationEnvCurrent();
    CLineCommand& line = *m_doc->m_lineCmd;
    line.m_tokenString = "DL";
    line.OnDoubleClick();
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 1);
    EXPECT_EQ(button.m_nBitmaps[0], 191u);
    EXPECT_EQ(button.m_nBitmaps[1], 190u);
    EXPECT_EQ(m_app->m_lastResultMessage, " 選択要素の環境で作成するモードに切り替えました");

    CLine first, second;
    first.m_start.Init(0, 0);
    first.m_end.Init(10, 0);
    second.m_start.Init(5, -5);
    second.m_end.Init(5, 5);
    line.m_pickedLines[1].Assign(first);
    line.m_pickedLines[2].Assign(second);
    line.m_pickPoints[1].Init(1, 0);
    line.m_pickPoints[2].Init(5, 4);
    line.m_values[0].value = 2;
    line.m_tokenString = "DLL";
    EXPECT_EQ(m_frame->m_timers[13], 0u);
    EXPECT_EQ(line.Execute(), 1);
    EXPECT_NE(m_frame->m_timers[13], 0u);
    EXPECT_EQ(m_app->m_lastResultMessage, " 面取り線分を作成しました");
}

// What the person sees while drawing: the prompt of each step and the rubber band from the
// first point under the moving pointer.
TEST_F(LineCommandWindow, TheTwoPointLineShowsItsStepsAndItsRubberBand)
{
    m_app->m_appCommand.m_lineFlag = 1;
    m_app->m_noPopupMenu = 0;   // menu guidance: the chosen construction's own texts
    CLineCommand& line = *m_doc->m_lineCmd;
    const UINT item = LineItem("2点線");
    ASSERT_NE(item, 0u);
    DefaultScriptedUiServices().QueueMenuChoice(item);
    KeyInView('L');
    ASSERT_EQ(m_app->m_commandKind, 2);
    EXPECT_EQ(line.m_prompt, "[２点線] 【始点】 終点");

    const CPointD a = WorldAt(POINT{ 100, 100 });
    UiDriver::Click(m_view, POINT{ 100, 100 }, UiDriver::Right);
    UiDriver::Pump();
    EXPECT_EQ(line.m_tokenString, "P");
    EXPECT_EQ(line.m_prompt, "[２点線] 始点 【終点】");
    EXPECT_EQ(m_app->m_prompt, "[２点線] 始点 【終点】");
    UiDriver::MouseMove(m_view, POINT{ 200, 150 });
    UiDriver::Pump();
    EXPECT_EQ(m_doc->m_previewKind, 1);
    EXPECT_NEAR(m_doc->m_previewPointA.m_x, a.m_x, 1e-6);
    EXPECT_NEAR(m_doc->m_previewPointA.m_y, a.m_y, 1e-6);

    const CPointD b = WorldAt(POINT{ 200, 150 });
    UiDriver::Click(m_view, POINT{ 200, 150 }, UiDriver::Right);
    UiDriver::Pump();
    ASSERT_EQ(m_doc->m_lineBlocks.GetSize(), 1);
    const auto* block = static_cast<const CLines*>(m_doc->m_lineBlocks[0]);
    ASSERT_EQ(block->m_count, 1);
    EXPECT_NEAR(block->m_slots[0].m_start.m_x, a.m_x, 1e-6);
    EXPECT_NEAR(block->m_slots[0].m_end.m_x, b.m_x, 1e-6);
    EXPECT_NEAR(block->m_slots[0].m_end.m_y, b.m_y, 1e-6);
}

// The loop command in the window: key O, the popup item of the offset, a click on a side of a
// square and Enter extract the square as one loop without touching the drawing.
TEST_F(LineCommandWindow, ASquareClickedInTheLoopCommandIsExtractedByEnter)
{
    const CPointD corners[4] = { WorldAt(POINT{ 100, 200 }), WorldAt(POINT{ 200, 200 }), WorldAt(POINT{ 200, 100 }),
                                 WorldAt(POINT{ 100, 100 }) };
    const int pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    for (int i = 0; i < 4; ++i)
        m_doc->AddLine(corners[i], corners[(i + 1) % 4], 0, pen);
    m_view->Invalidate(TRUE);
    UiDriver::Pump();

    m_app->m_appCommand.m_loopFlag = 1;
    m_app->m_noPopupMenu = 0;   // the loop's popup menu is shown and answered
    const UINT item = ItemOf(CSubMode::Object::Loop, "オフセット");
    ASSERT_NE(item, 0u);
    DefaultScriptedUiServices().QueueMenuChoice(item);
    KeyInView('O');
    ASSERT_EQ(m_app->m_commandKind, 12);
    CLoopCommand& loop = *m_doc->m_loopCmd;
    EXPECT_EQ(loop.m_modePattern, "OD");

    UiDriver::Click(m_view, POINT{ 130, 200 });
    UiDriver::Pump();
    EXPECT_EQ(loop.m_extractState, 1);
    EXPECT_EQ(m_app->m_prompt, "[ループ図形抽出] 【ループの接合要素を選択】 【１ループ抽出終了Enter】");

    KeyInView(VK_RETURN);
    EXPECT_EQ(m_app->m_lastMessage, "１つのループを抽出しました");
    EXPECT_EQ(loop.m_extractState, 3);
    ASSERT_EQ(loop.m_loops.GetSize(), 1);
    EXPECT_EQ(loop.m_lineCopies.GetSize(), 4);
    // The drawing holds its four sides as they were, and nothing was made.
    int lines = 0;
    for (int b = 0; b < m_doc->m_lineBlocks.GetSize(); ++b) {
        const auto* block = static_cast<const CLines*>(m_doc->m_lineBlocks[b]);
        for (int i = 0; i < block->m_count; ++i, ++lines)
            EXPECT_EQ(block->m_slots[i].m_state & STATE_DELETED, 0) << b << ":" << i;
    }
    EXPECT_EQ(lines, 4);
    EXPECT_EQ(m_doc->m_circleBlocks.GetSize() + m_doc->m_arcBlocks.GetSize(), 0);
}
