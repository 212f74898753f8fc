// Clicks in the drawing window of the started program, as a user makes them: double clicks of
// the middle button and of Shift with the left button zoom in about the pointer; a left double
// click on a line starts its edit; a click with Delete held deletes it.
#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "commands/line/LineCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Lines.h"
#include "input/PickList.h"
#include "platform/ui/ClientDC.h"
#include "view/ZelkView.h"
#include "tests/app/StartedProgram.h"

#include <gtest/gtest.h>


namespace {

class DrawingClicks : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        DefaultScriptedServices().SetTime(1800000000);
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_view->SetFocus();
        UiDriver::Pump();
    }
    CPointD WorldAt(POINT pixel) { return StartedProgram::WorldAt(m_view, pixel); }
    POINT PixelOf(CPointD world) { return StartedProgram::PixelOf(m_view, world); }

    // A line across the window from pixel (100, 100) to (300, 100), drawn; its middle's pixel.
    CLine* AddLineAcross(POINT& middlePixel)
    {
        CZelkDoc* doc = m_app->GetActiveDrawingDoc();
        const CPointD a = WorldAt(POINT{ 100, 100 });
        const CPointD b = WorldAt(POINT{ 300, 100 });
        CLines* block = doc->AddLine(a, b, 0, doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
        m_view->Invalidate(TRUE);
        UiDriver::Pump();
        CPointD middle;
        middle.Init((a.m_x + b.m_x) / 2, (a.m_y + b.m_y) / 2);
        middlePixel = PixelOf(middle);
        return &block->m_slots[block->m_count - 1];
    }

    CZelkView* m_view = nullptr;
};

} // namespace

TEST_F(DrawingClicks, MiddleAndShiftDoubleClicksZoomInAboutThePointer)
{
    const double step = m_app->m_appDraw.zoomStepFactor;
    const POINT at{ 200, 150 };
    const CPointD under = WorldAt(at);
    const double zoom = m_view->m_zoom;
    const int kept = m_view->m_screenHistory.GetSize();

    UiDriver::MouseMove(m_view, at);
    UiDriver::DoubleClick(m_view, at, UiDriver::Middle);
    UiDriver::Pump();
    EXPECT_DOUBLE_EQ(m_view->m_zoom, zoom * step);
    EXPECT_EQ(m_view->m_screenHistory.GetSize(), kept + 1);
    // The point under the pointer stays there, to the pixel.
    EXPECT_NEAR(WorldAt(at).m_x, under.m_x, 1.5 / m_view->m_zoom);
    EXPECT_NEAR(WorldAt(at).m_y, under.m_y, 1.5 / m_view->m_zoom);

    // In a single screen operation Shift with the left button does the same and ends it.
    DefaultScriptedServices().Advance(5000);
    m_app->DispatchCommand(m_app->GetActiveDrawingDoc(), m_view, 101);
    ASSERT_EQ(m_app->m_specialMode, 53);
    UiDriver::DoubleClick(m_view, at, UiDriver::Left, UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_DOUBLE_EQ(m_view->m_zoom, zoom * step * step);
    EXPECT_EQ(m_view->m_screenHistory.GetSize(), kept + 2);
    EXPECT_EQ(m_app->m_specialMode, 0);
}

TEST_F(DrawingClicks, ALeftDoubleClickOnALineStartsItsEdit)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    POINT on;
    CLine* line = AddLineAcross(on);
    UiDriver::DoubleClick(m_view, on);
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_interruptKind, 2);
    // The interrupting line command edits the line double-clicked.
    EXPECT_EQ(doc->GetLineElem(doc->m_lineCmdInt->m_editBlock, doc->m_lineCmdInt->m_editSlot), line);
    EXPECT_EQ(doc->m_lineCmdInt->m_editFlag, 1);
}

TEST_F(DrawingClicks, AClickWithDeleteHeldDeletesTheLineUnderThePointer)
{
    ASSERT_NE(m_app->GetActiveDrawingDoc(), nullptr);
    POINT on;
    CLine* line = AddLineAcross(on);
    UiDriver::KeyDown(VK_DELETE);
    UiDriver::Click(m_view, on);
    UiDriver::KeyUp(VK_DELETE);
    UiDriver::Pump();
    EXPECT_TRUE(line->m_state & 0x08);
    EXPECT_EQ(m_view->m_messageText, CString("指定要素を消去しました"));
    EXPECT_EQ(m_app->m_deleteKeyDown, 0);
}

// A click in the layer-wise selection opens the box selection in the selected element's
// environment, and the creation-environment button shows it.
TEST_F(DrawingClicks, ALayerWiseClickShowsTheSelectedElementsEnvironment)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    m_app->SetCreationEnvCurrent();
    CToolBitmapButton& button = m_app->m_pMainFrame->m_wndSubBar.m_creationEnvButton;
    ASSERT_EQ(button.m_nBitmaps[0], 189u);
    POINT on;
    CLine* line = AddLineAcross(on);
    m_app->m_pMainFrame->SendMessage(WM_COMMAND, 32812, 0);
    ASSERT_EQ(m_app->m_appFind.layerWiseSelection, 1);
    UiDriver::Click(m_view, on);
    UiDriver::Pump();
    EXPECT_TRUE(line->m_mark & 0x02);
    EXPECT_EQ(doc->m_groupProcessing, 1);
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 1);
    EXPECT_EQ(button.m_nBitmaps[0], 191u);
}

// The input box taking the focus and losing it again drops the element picked before.
TEST_F(DrawingClicks, LeavingTheInputBoxDropsThePickedCandidate)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    POINT on;
    AddLineAcross(on);
    UiDriver::Click(m_view, on);
    UiDriver::Pump();
    ASSERT_NE(doc->m_pickList->GetCurrentCandidate(), nullptr);
    CInputComboBox& box = m_app->m_pMainFrame->m_wndInputBar.m_inputBox;
    box.SetFocus();
    UiDriver::Pump();
    ASSERT_EQ(box.m_hasFocus, 1);
    m_view->SetFocus();
    UiDriver::Pump();
    EXPECT_EQ(box.m_hasFocus, 0);
    EXPECT_EQ(doc->m_pickList->GetCurrentCandidate(), nullptr);
    EXPECT_EQ(doc->m_pickList->m_current, -1);
}
