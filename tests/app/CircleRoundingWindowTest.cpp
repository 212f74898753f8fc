// Corner rounding in the started program: the radius-tangent mode from the circle command's
// menu, the radius typed into the input box, a real double click on the first line and a click
// on the second; the creation-environment button follows the switch and its return.
#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "commands/circle/CircleCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "tests/app/StartedProgram.h"
#include "tests/support/CommandTape.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

class CircleRoundingWindow : public StartedProgram {
protected:
    void SetUp() override
    {
        StartedProgram::SetUp();
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        m_doc = m_view->m_document;
        ASSERT_NE(m_doc, nullptr);
        UiDriver::ShowAndActivate(m_frame);
        m_view->SetFocus();
        UiDriver::Pump();
    }
    POINT PixelOf(CPointD world)
    {
        const CPointD s = world.WorldToScreen(m_view->m_origin, m_view->m_zoom);
        return m_view->LogicalToDevicePoint(POINT{ static_cast<LONG>(std::lround(s.m_x)), static_cast<LONG>(std::lround(s.m_y)) });
    }
    CPointD Off(double dx, double dy) const
    {
        CPointD p;
        p.Init(m_o.m_x + dx, m_o.m_y + dy);
        return p;
    }
    int Bitmap() const { return static_cast<int>(m_frame->m_wndSubBar.m_creationEnvButton.m_nBitmaps[0]); }

    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
    CPointD m_o;
};

} // namespace

TEST_F(CircleRoundingWindow, ADoubleClickedCornerIsRoundedWithTheSelectedElementsEnvironment)
{
    // Two lines crossing at a corner about 160 pixels wide, at whole world units.
    UiDriver::MouseMove(m_view, POINT{ 180, 200 });
    UiDriver::Pump();
    m_o.Init(std::round(m_view->m_cursorWorldPoint.m_x), std::round(m_view->m_cursorWorldPoint.m_y));
    const int r = std::max(1, static_cast<int>(std::lround(20.0 / m_view->m_zoom)));
    const double l = 8.0 * r;
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    m_doc->AddLine(Off(0, 0), Off(l, 0), 0, pen);
    m_doc->AddLine(Off(l / 2, -l / 2), Off(l / 2, l / 2), 0, pen);
    m_view->Invalidate();
    UiDriver::Pump();

    m_app->m_noPopupMenu = 0;
    DefaultScriptedUiServices().QueueMenuChoice(32989);
    UiDriver::MouseMove(m_view, POINT{ 200, 150 });
    UiDriver::Key('C');
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_commandKind, 3);
    CCircleCommand& c = *m_doc->m_circleCmd;
    ASSERT_EQ(c.m_modePattern, "DLL");

    m_frame->ShowControlBar(&m_frame->m_wndInputBar, TRUE, FALSE);
    UiDriver::Pump();
    CInputComboBox& box = m_frame->m_wndInputBar.m_inputBox;
    UiDriver::Click(&box, POINT{ 6, 6 });
    for (char digit : std::to_string(r))
        UiDriver::Key(static_cast<UINT>(digit));
    UiDriver::Key(VK_RETURN);
    UiDriver::Pump();
    ASSERT_EQ(c.m_tokenString, "D");
    ASSERT_EQ(c.m_values[0].value, r);
    // The radius step made the circle command the one that ran last.
    ASSERT_EQ(m_app->m_appElem.m_lastCommandKind, 2);

    ASSERT_EQ(Bitmap(), 189);
    m_view->SetFocus();
    UiDriver::DoubleClick(m_view, PixelOf(Off(0.35 * l, 0)));
    UiDriver::Pump();
    EXPECT_EQ(c.m_tokenString, "DL");
    EXPECT_EQ(c.m_stepOptions[1], 1);
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 1);
    EXPECT_EQ(Bitmap(), 191);
    EXPECT_EQ(m_frame->m_wndSubBar.m_creationEnvButton.m_nBitmaps[1], 190u);
    EXPECT_EQ(m_app->m_lastResultMessage, " [同レイヤ] [選択要素の環境で作成する] モードに切り替えました");

    UiDriver::Click(m_view, PixelOf(Off(l / 2, 0.15 * l)));
    UiDriver::Pump();
    ASSERT_EQ(c.m_pickedRefs[1].m_kind, ELEM_LINE);
    // The construction of the completed pattern, at the points the user aimed at, then the
    // double click on the second line.
    c.m_stepOptions[1] = 1;
    c.m_pickPoints[1] = Off(0.35 * l, 0);
    c.m_pickPoints[2] = Off(l / 2, 0.15 * l);
    int changed = 0;
    ASSERT_EQ(c.AddTangentCircleToTwoLines(0, 1, 2, changed), 1);
    ASSERT_EQ(changed, 1);
    m_doc->m_undoHistory->Commit(3);
    EXPECT_EQ(Bitmap(), 191);
    c.m_tokenString = "D";
    c.OnDoubleClick();
    UiDriver::Pump();
    EXPECT_EQ(Bitmap(), 189);
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 0);

    // The corner: the circle in it, the first line up to it, the second from it.
    int circles = 0, lines = 0;
    for (const std::string& row : ListElements(*m_doc)) {
        circles += row.rfind("circle ", 0) == 0 ? 1 : 0;
        lines += row.rfind("line ", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(circles, 1);
    EXPECT_EQ(lines, 2);
    const CPointD centre = Off(l / 2 - r, r);
    bool circleFound = false, firstFound = false, secondFound = false;
    for (const std::string& row : ListElements(*m_doc)) {
        char text[160];
        std::snprintf(text, sizeof text, "circle %.6f,%.6f r %.6f", centre.m_x, centre.m_y, static_cast<double>(r));
        circleFound = circleFound || row.rfind(text, 0) == 0;
        std::snprintf(text, sizeof text, "line %.6f,%.6f %.6f,%.6f", m_o.m_x, m_o.m_y, centre.m_x, m_o.m_y);
        firstFound = firstFound || row.rfind(text, 0) == 0;
        std::snprintf(text, sizeof text, "line %.6f,%.6f %.6f,%.6f", m_o.m_x + l / 2, centre.m_y, m_o.m_x + l / 2,
                      m_o.m_y + l / 2);
        secondFound = secondFound || row.rfind(text, 0) == 0;
    }
    EXPECT_TRUE(circleFound);
    EXPECT_TRUE(firstFound);
    EXPECT_TRUE(secondFound);
}

// The same corner with real events only: the click of the second double click picks the second
// line and the dispatch rounds the first; its double click cuts the second.
TEST_F(CircleRoundingWindow, TwoRealDoubleClicksRoundTheCornerThroughTheDispatch)
{
    UiDriver::MouseMove(m_view, POINT{ 180, 200 });
    UiDriver::Pump();
    m_o.Init(std::round(m_view->m_cursorWorldPoint.m_x), std::round(m_view->m_cursorWorldPoint.m_y));
    const int r = std::max(1, static_cast<int>(std::lround(20.0 / m_view->m_zoom)));
    const double l = 8.0 * r;
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    m_doc->AddLine(Off(0, 0), Off(l, 0), 0, pen);
    m_doc->AddLine(Off(l / 2, -l / 2), Off(l / 2, l / 2), 0, pen);
    m_view->Invalidate();
    UiDriver::Pump();

    m_app->m_noPopupMenu = 0;
    DefaultScriptedUiServices().QueueMenuChoice(32989);
    UiDriver::MouseMove(m_view, POINT{ 200, 150 });
    UiDriver::Key('C');
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_commandKind, 3);
    CCircleCommand& c = *m_doc->m_circleCmd;
    m_frame->ShowControlBar(&m_frame->m_wndInputBar, TRUE, FALSE);
    UiDriver::Pump();
    CInputComboBox& box = m_frame->m_wndInputBar.m_inputBox;
    UiDriver::Click(&box, POINT{ 6, 6 });
    for (char digit : std::to_string(r))
        UiDriver::Key(static_cast<UINT>(digit));
    UiDriver::Key(VK_RETURN);
    UiDriver::Pump();
    ASSERT_EQ(c.m_tokenString, "D");
    // The typed radius made the circle command the one that ran last: the double click is its.
    ASSERT_EQ(m_app->m_appElem.m_lastCommandKind, 2);

    m_view->SetFocus();
    UiDriver::DoubleClick(m_view, PixelOf(Off(0.35 * l, 0)));
    UiDriver::Pump();
    ASSERT_EQ(c.m_tokenString, "DL");
    EXPECT_EQ(Bitmap(), 191);
    EXPECT_EQ(m_frame->m_wndSubBar.m_creationEnvButton.m_nBitmaps[1], 190u);
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 1);
    UiDriver::DoubleClick(m_view, PixelOf(Off(l / 2, 0.15 * l)));
    UiDriver::Pump();
    EXPECT_EQ(c.m_tokenString, "D");
    EXPECT_EQ(Bitmap(), 189);
    EXPECT_EQ(m_app->m_appElem.m_creationEnv, 0);

    const CPointD centre = Off(l / 2 - r, r);
    char circle[160], first[160], second[160];
    std::snprintf(circle, sizeof circle, "circle %.6f,%.6f r %.6f", centre.m_x, centre.m_y, static_cast<double>(r));
    std::snprintf(first, sizeof first, "line %.6f,%.6f %.6f,%.6f", m_o.m_x, m_o.m_y, centre.m_x, m_o.m_y);
    std::snprintf(second, sizeof second, "line %.6f,%.6f %.6f,%.6f", m_o.m_x + l / 2, centre.m_y, m_o.m_x + l / 2,
                  m_o.m_y + l / 2);
    int circles = 0, lines = 0;
    bool circleFound = false, firstFound = false, secondFound = false;
    for (const std::string& row : ListElements(*m_doc)) {
        circles += row.rfind("circle ", 0) == 0 ? 1 : 0;
        lines += row.rfind("line ", 0) == 0 ? 1 : 0;
        circleFound = circleFound || row.rfind(circle, 0) == 0;
        firstFound = firstFound || row.rfind(first, 0) == 0;
        secondFound = secondFound || row.rfind(second, 0) == 0;
    }
    EXPECT_EQ(circles, 1);
    EXPECT_EQ(lines, 2);
    EXPECT_TRUE(circleFound) << circle;
    EXPECT_TRUE(firstFound) << first;
    EXPECT_TRUE(secondFound) << second;
}
