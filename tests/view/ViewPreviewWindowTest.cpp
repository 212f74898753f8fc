// The previews in the started program under the user's pointer: two windows of one drawing
// show the same rubber band, and removing it leaves both windows as a fresh paint draws them.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "document/ZelkDoc.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/WindowSurface.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

namespace {

CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class ViewPreviewWindows : public testing::Test {
protected:
    void SetUp() override
    {
        m_app = StartShownApplication();
        ASSERT_NE(m_app, nullptr);
        m_doc = m_app->m_activeView->m_document;
        // A second window of the same drawing.
        CFrameWnd* frame = m_app->m_pDocTemplate->CreateNewFrame(m_doc, nullptr);
        ASSERT_NE(frame, nullptr);
        m_app->m_pDocTemplate->InitialUpdateFrame(frame, m_doc, TRUE);
        UiDriver::Pump();
        for (CZelkView* v : m_doc->GetViews())
            m_views.push_back(v);
        ASSERT_EQ(m_views.size(), 2u);
        m_doc->AddLine(P(-20, -20), P(40, 30), 0, m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
        for (CZelkView* v : m_views) {
            v->Invalidate(TRUE);
            v->UpdateWindow();
        }
    }
    void TearDown() override { StopApplication(m_app); }
    static CSurfaceCopy Shot(CZelkView* v)
    {
        CSurfaceCopy copy;
        EXPECT_TRUE(CopyWindowSurface(v, copy));
        return copy;
    }
    static CSurfaceCopy FreshPaint(CZelkView* v)
    {
        v->Invalidate(TRUE);
        v->UpdateWindow();
        return Shot(v);
    }
    // The window pixel of a world point in a view.
    static POINT DevicePoint(CZelkView* v, CPointD world)
    {
        const CPointD logical = world.WorldToScreen(v->m_origin, v->m_zoom);
        POINT p{static_cast<LONG>(logical.m_x), static_cast<LONG>(logical.m_y)};
        CClientDC dc(v);
        v->OnPrepareDC(&dc);
        dc.LPtoDP(&p, 1);
        return p;
    }

    CZelkApp* m_app = nullptr;
    CZelkDoc* m_doc = nullptr;
    std::vector<CZelkView*> m_views;
};

TEST_F(ViewPreviewWindows, SegmentShowsInBothWindowsAndGoesWithoutATrace)
{
    CZelkView* first = m_views[0];
    std::vector<CSurfaceCopy> painted;
    for (CZelkView* v : m_views)
        painted.push_back(FreshPaint(v));
    m_doc->m_previewKind = 14;
    m_doc->m_previewPointA = P(0, 0);
    const POINT at = DevicePoint(first, P(30, -10));
    UiDriver::MouseMove(first, at);
    UiDriver::Pump();
    for (size_t i = 0; i < m_views.size(); ++i) {
        EXPECT_EQ(m_views[i]->m_segmentShown, 1) << i;
        EXPECT_FALSE(Shot(m_views[i]).pixels == painted[i].pixels) << i;
    }
    // The next move removes the band everywhere before it draws the new one; the erase alone
    // leaves each window as a paint draws it.
    m_doc->m_previewKind = 0;
    UiDriver::MouseMove(first, POINT{at.x + 7, at.y + 3});
    UiDriver::Pump();
    for (size_t i = 0; i < m_views.size(); ++i) {
        EXPECT_EQ(m_views[i]->m_segmentShown, 0) << i;
        const CSurfaceCopy erased = Shot(m_views[i]);
        EXPECT_TRUE(erased.pixels == painted[i].pixels) << i;
        EXPECT_TRUE(FreshPaint(m_views[i]).pixels == erased.pixels) << i;
    }
}

TEST_F(ViewPreviewWindows, RightDragAroundThePressPointStartsTheCircleCommand)
{
    CZelkView* view = m_views[0];
    m_app->m_commandKind = 2;
    const POINT press{300, 250};
    UiDriver::MouseDown(view, press, UiDriver::Right);
    for (POINT m : {POINT{60, 0}, POINT{60, -80}, POINT{-90, -80}, POINT{-90, 100}})
        UiDriver::MouseMove(view, POINT{press.x + m.x, press.y + m.y});
    UiDriver::MouseUp(view, POINT{press.x - 90, press.y + 100}, UiDriver::Right);
    UiDriver::Pump();
    EXPECT_EQ(m_app->m_commandKind, 3);
    EXPECT_EQ(m_doc->m_circleCmd->m_modePattern, "PP");
    EXPECT_EQ(m_doc->m_circleCmd->m_circleFlag, 1);
    EXPECT_EQ(m_app->m_rightButtonDown, 0);
}

}  // namespace
