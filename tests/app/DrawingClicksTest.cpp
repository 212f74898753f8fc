// Clicks in the drawing window of the started program, as a user makes them: double clicks of
// the middle button and of Shift with the left button zoom in about the pointer; a left double
// click on a line starts its edit; a click with Delete held deletes it; in the measure mode a
// left click lists a line and a right click measures a point.
#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "commands/line/LineCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "input/HistoryList.h"
#include "input/InputBar.h"
#include "input/PickList.h"
#include "macro/TextDoc.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/DocTemplate.h"
#include "view/ZelkView.h"
#include "tests/app/StartedProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

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

    // A line across the window from about pixel (100, row) to (300, row), its ends on whole
    // millimetres, drawn; its middle's pixel.
    CLine* AddLineAcross(POINT& middlePixel, LONG row = 100)
    {
        CZelkDoc* doc = m_app->GetActiveDrawingDoc();
        CPointD a = WorldAt(POINT{ 100, row });
        CPointD b = WorldAt(POINT{ 300, row });
        a.Init(std::round(a.m_x), std::round(a.m_y));
        b.Init(std::round(b.m_x), std::round(a.m_y));
        CLines* block = doc->AddLine(a, b, 0, doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
        m_view->Invalidate(TRUE);
        UiDriver::Pump();
        CPointD middle;
        middle.Init((a.m_x + b.m_x) / 2, (a.m_y + b.m_y) / 2);
        middlePixel = PixelOf(middle);
        return &block->m_slots[block->m_count - 1];
    }

    // The main window as large as a user makes it to reach the ruler button: the starting size
    // cuts the end of the second tool bar off.
    void WidenMainWindow()
    {
        m_frame->MoveWindow(0, 0, 1600, 1000);
        UiDriver::Pump();
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
    WidenMainWindow();
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

// ---- the measure mode -------------------------------------------------------------------

namespace {

// A value as the listings print it: rounded half away from zero to 3 decimals, shortest form.
std::string Printed(double v)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", std::round(v * 1000) / 1000 + 0.0);
    return text;
}

CPointD Point(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

std::string Coords(const CPointD& p)
{
    return "( " + Printed(p.m_x) + ", " + Printed(p.m_y) + ")";
}

std::string Offset(const CPointD& from, const CPointD& to)
{
    return Printed(to.m_x - from.m_x) + "X " + Printed(to.m_y - from.m_y) + "Y " +
           Printed(std::hypot(to.m_x - from.m_x, to.m_y - from.m_y)) + "L";
}

struct Listed {
    std::string text;
    WORD code;
    bool operator==(const Listed&) const = default;
};

std::vector<Listed> ListedLines(CHistoryList& list, int first = 0)
{
    std::vector<Listed> lines;
    for (int i = first; i < list.m_texts.GetSize(); ++i)
        lines.push_back({ list.m_texts[i].Std(), list.GetCode(i) });
    return lines;
}

// What a horizontal line from a to b lists below its pen and layer lines, from the top, when
// the previous reference is the point q.
std::vector<Listed> LineFromPoint(const CPointD& a, const CPointD& b, const CPointD& q)
{
    return { { Printed(b.m_x - a.m_x) + "L ･･･ 長さ", 4 }, { "0D ･･･ 角度", 3 },
             { Coords(a) + " ･･･ 始点", 1 }, { Coords(b) + " ･･･ 終点", 1 },
             { "前点と始点の距離 ･･･", 100 }, { Offset(q, a), 4 },
             { "前点と終点の距離 ･･･", 100 }, { Offset(q, b), 4 },
             { Printed(std::fabs(a.m_y - q.m_y)) + "L ･･･ 前点との距離", 4 } };
}

std::vector<CTextDoc*> ListingWindows(CZelkApp* app)
{
    std::vector<CTextDoc*> docs;
    POSITION pos = app->m_pTextTemplate->GetFirstDocPosition();
    while (pos) {
        auto* doc = static_cast<CTextDoc*>(app->m_pTextTemplate->GetNextDoc(pos));
        if (doc->GetTitle() == CString("Devide.txt"))
            docs.push_back(doc);
    }
    return docs;
}

} // namespace

// The ruler button and a left click on a line: the line's information fills the input box's
// listing list, the mode ends, and the line is the reference the next listing measures from.
TEST_F(DrawingClicks, ALeftClickInTheMeasureModeListsTheLine)
{
    ASSERT_NE(m_app->GetActiveDrawingDoc(), nullptr);
    WidenMainWindow();
    POINT on;
    CLine* line = AddLineAcross(on);
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 33064));
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_interruptMode, 40);
    EXPECT_EQ(m_app->m_hint, CString("測定する要素を左ｸﾘｯｸ、または点を右ｸﾘｯｸすると属性と距離をリストします。"));

    UiDriver::Click(m_view, on);
    UiDriver::Pump();
    CHistoryList& listing = m_app->m_inputBar->GetList(8);
    EXPECT_EQ(m_view->m_messageText, CString("要素参照モードです"));
    EXPECT_EQ(m_app->m_inputBar->m_currentList, 8);
    EXPECT_NE(m_frame->m_timers[4], 0u);   // drops the list down
    EXPECT_NE(m_app->m_interruptMode, 40);
    // Pen and layer lines on top, then the line's own, then its distances from the world origin.
    ASSERT_EQ(listing.m_texts.GetSize(), 15);
    const WORD penAndLayer[] = { 7, 6, 9, 8, 11, 10 };
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(listing.GetCode(i), penAndLayer[i]) << i;
    EXPECT_EQ(ListedLines(listing, 6), LineFromPoint(line->m_start, line->m_end, Point(0, 0)));
    EXPECT_EQ(listing.m_prevElem.m_kind, 4);
    EXPECT_EQ(listing.m_prevDoc, m_app->GetActiveDrawingDoc());
    EXPECT_TRUE(ListingWindows(m_app).empty());
}

// A right click on the line's start in the measure mode measures that point; the measured point
// is then the previous reference of a line listed with Ctrl+Shift and a left click.
TEST_F(DrawingClicks, ARightClickInTheMeasureModeMeasuresThePoint)
{
    ASSERT_NE(m_app->GetActiveDrawingDoc(), nullptr);
    WidenMainWindow();
    POINT on;
    CLine* line = AddLineAcross(on);
    const CPointD a = line->m_start;
    const POINT start = PixelOf(a);
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 33064));
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_interruptMode, 40);
    UiDriver::MouseMove(m_view, start);
    UiDriver::Click(m_view, start, UiDriver::Right);
    UiDriver::Pump();
    CHistoryList& listing = m_app->m_inputBar->GetList(8);
    EXPECT_EQ(m_view->m_messageText, CString("点の位置を測定しました。"));
    EXPECT_EQ(m_app->m_inputBar->m_currentList, 8);
    EXPECT_NE(m_app->m_interruptMode, 40);
    const std::vector<Listed> measured = { { Coords(a) + " ･･･ 点", 1 }, { "前点との距離 ･･･", 100 },
                                           { Offset(Point(0, 0), a), 4 } };
    EXPECT_EQ(ListedLines(listing), measured);

    // Without the mode, Ctrl+Shift with a left click lists the line, measured from that point.
    UiDriver::Click(m_view, on, UiDriver::Left, UiDriver::Control | UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_EQ(m_view->m_messageText, CString("要素参照モードです"));
    ASSERT_EQ(listing.m_texts.GetSize(), 15);
    EXPECT_EQ(ListedLines(listing, 6), LineFromPoint(a, line->m_end, a));
}

// With 測定結果のTextDoc表示 on, each listing also opens in a text window of its own, and the
// input box's list is not dropped down over it.
TEST_F(DrawingClicks, MeasureResultsOpenInATextWindowWhenThatIsOn)
{
    ASSERT_NE(m_app->GetActiveDrawingDoc(), nullptr);
    WidenMainWindow();
    POINT on;
    CLine* line = AddLineAcross(on);
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_frame, "設定(&S)"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("測定結果のTextDoc表示"));
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_measureToTextWindow, 1);

    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 33064));
    UiDriver::Pump();
    UiDriver::Click(m_view, on);
    UiDriver::Pump();
    CHistoryList& listing = m_app->m_inputBar->GetList(8);
    ASSERT_EQ(listing.m_texts.GetSize(), 15);
    EXPECT_EQ(ListedLines(listing, 6), LineFromPoint(line->m_start, line->m_end, Point(0, 0)));
    std::vector<CTextDoc*> windows = ListingWindows(m_app);
    ASSERT_EQ(windows.size(), 1u);
    CStringArray shown;
    windows[0]->GetLines(shown);
    ASSERT_EQ(shown.GetSize(), listing.m_texts.GetSize());
    for (int i = 0; i < shown.GetSize(); ++i)
        EXPECT_EQ(shown[i], listing.m_texts[i]) << i;
    EXPECT_EQ(m_frame->m_timers[4], 0u);

    // A point measured after it opens one more.
    m_view->GetParentFrame()->ActivateFrame();
    UiDriver::Pump();
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 33064));
    UiDriver::Pump();
    UiDriver::Click(m_view, PixelOf(line->m_end), UiDriver::Right);
    UiDriver::Pump();
    windows = ListingWindows(m_app);
    ASSERT_EQ(windows.size(), 2u);
    ASSERT_EQ(listing.m_texts.GetSize(), 6);
    EXPECT_EQ(listing.m_texts[0], CString((Coords(line->m_end) + " ･･･ 点").c_str()));
}

// A click lists the element clicked, also while an element of another kind stays referenced
// from an earlier click: a line after a circle lists the line, measured from the circle.
TEST_F(DrawingClicks, TheMeasureModeListsTheLineClickedAfterACircle)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    WidenMainWindow();
    POINT on;
    CLine* line = AddLineAcross(on);
    const CPointD near = WorldAt(POINT{ 200, 250 });
    const CPointD centre = Point(std::round(near.m_x), std::round(near.m_y));
    const double radius = std::round(WorldAt(POINT{ 240, 250 }).m_x - centre.m_x);
    doc->AddCircle(centre, radius, 0, doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    m_view->Invalidate(TRUE);
    UiDriver::Pump();

    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 33064));
    UiDriver::Click(m_view, PixelOf(Point(centre.m_x + radius, centre.m_y)));
    UiDriver::Pump();
    ASSERT_NE(doc->m_refCircleElem, nullptr);
    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 33064));
    UiDriver::Click(m_view, on);
    UiDriver::Pump();
    EXPECT_NE(doc->m_refCircleElem, nullptr);
    EXPECT_EQ(doc->m_refLineElem, line);

    CHistoryList& listing = m_app->m_inputBar->GetList(8);
    const CPointD a = line->m_start, b = line->m_end;
    ASSERT_EQ(listing.m_texts.GetSize(), 18);
    std::vector<Listed> own = LineFromPoint(a, b, Point(0, 0));
    own.resize(4);
    const double h = std::fabs(a.m_y - centre.m_y);
    const double endGap = std::hypot(b.m_x - centre.m_x, b.m_y - centre.m_y) - radius;
    const std::vector<Listed> listed = ListedLines(listing, 6);
    EXPECT_EQ(std::vector<Listed>(listed.begin(), listed.begin() + 4), own);
    EXPECT_EQ(listing.m_texts[10], CString((Printed(h) + "L ･･･ 前円中心との距離").c_str()));
    EXPECT_EQ(listing.m_texts[11], CString((Printed(h - radius) + "L ･･･ 前円円周との距離").c_str()));
    EXPECT_EQ(listing.m_texts[17], CString((Printed(endGap) + "L ･･･ 前円円周と終点の距離").c_str()));
}

// A text is listed with its font: its placement point, measured from the world origin.
TEST_F(DrawingClicks, TheMeasureModeListsAText)
{
    CZelkDoc* doc = m_app->GetActiveDrawingDoc();
    ASSERT_NE(doc, nullptr);
    WidenMainWindow();
    const CPointD near = WorldAt(POINT{ 150, 300 });
    const CPointD at = Point(std::round(near.m_x), std::round(near.m_y));
    const int height = static_cast<int>(std::round((WorldAt(POINT{ 150, 260 }).m_y - at.m_y) * 10));
    CTypeFont font;
    CTexts* block = doc->AddText(at, "abc", RGB(0, 0, 0), 8, 0, doc->FindOrAddFont(font.m_logFont, height / 2, height, 1, 0));
    ASSERT_NE(block, nullptr);
    const CText& text = block->m_slots[block->m_count - 1];
    m_view->Invalidate(TRUE);
    UiDriver::Pump();

    ASSERT_TRUE(UiDriver::ClickToolButton(m_frame, 33064));
    const CPointD under = Point((text.m_underlineStart.m_x + text.m_underlineEnd.m_x) / 2,
                                (text.m_underlineStart.m_y + text.m_underlineEnd.m_y) / 2);
    UiDriver::Click(m_view, PixelOf(under));
    UiDriver::Pump();
    ASSERT_EQ(doc->m_refTextElem, &text);
    CHistoryList& listing = m_app->m_inputBar->GetList(8);
    ASSERT_GE(listing.m_texts.GetSize(), 3);
    const std::vector<Listed> listed = ListedLines(listing);
    const std::vector<Listed> bottom(listed.end() - 2, listed.end());
    EXPECT_EQ(bottom, (std::vector<Listed>{ { "前点と配置点の距離 ･･･", 100 }, { Offset(Point(0, 0), at), 4 } }));
    EXPECT_NE(std::find(listed.begin(), listed.end(), Listed{ Coords(at) + " ･･･ 配置点", 1 }), listed.end());
}
