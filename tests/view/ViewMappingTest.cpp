// The view's mapping: defaults, origin for a zoom and its limits, panning within the scroll
// area, show all and its message, the view-state record.
#include "ViewTestSupport.h"

#include "platform/core/Archive.h"
#include "platform/core/File.h"

#include <cmath>
#include <cstring>

namespace {

class ViewMapping : public ViewFixture {};

TEST_F(ViewMapping, NewViewShowsWorldOriginAtTheLogicalCentre)
{
    CZelkView view;
    EXPECT_EQ(view.m_origin.m_x, -16000);
    EXPECT_EQ(view.m_origin.m_y, 16000);
    EXPECT_EQ(view.m_zoom, 1.0);
    EXPECT_EQ(view.m_centre.m_x, 0);
    EXPECT_EQ(view.m_centre.m_y, 0);
    const CPointD logical = W(0, 0).WorldToScreen(view.m_origin, view.m_zoom);
    EXPECT_EQ(logical.m_x, 16000);
    EXPECT_EQ(logical.m_y, -16000);
    // Views are numbered from the application's counter and listed in creation order.
    CZelkView second;
    EXPECT_EQ(second.m_viewNumber, view.m_viewNumber + 1);
    ASSERT_GE(m_app->m_drawingViews.GetSize(), 2);
    EXPECT_EQ(m_app->m_drawingViews[m_app->m_drawingViews.GetSize() - 1], &second);
}

TEST_F(ViewMapping, OriginForZoomKeepsItsLimitsAndLeavesTheOutputOnFailure)
{
    struct Case {
        double zoom;
        BOOL accepted;
    } cases[] = {
        {1e-101, FALSE}, {1e101, FALSE}, {1e100, TRUE},
        // Half the area at this zoom exceeds 1e100 units, so the smallest zoom is refused.
        {1e-100, FALSE}, {1.0, TRUE},
    };
    for (const Case& c : cases) {
        CPointD out = W(7, 8);
        EXPECT_EQ(View().ComputeOriginForZoom(out, c.zoom, 3), c.accepted) << c.zoom;
        if (!c.accepted) {
            EXPECT_EQ(out.m_x, 7) << c.zoom;
            EXPECT_EQ(out.m_y, 8) << c.zoom;
        }
    }
    View().m_centre = W(100, 50);
    CPointD out;
    ASSERT_TRUE(View().ComputeOriginForZoom(out, 2.0, 3));
    EXPECT_EQ(out.m_x, 100 - 8000);
    EXPECT_EQ(out.m_y, 50 + 8000);
    // One axis keeps the current origin of the other.
    View().m_origin = W(-1, -2);
    ASSERT_TRUE(View().ComputeOriginForZoom(out, 2.0, 1));
    EXPECT_EQ(out.m_y, -2);
    // A centre that far out would put the origin beyond 1e11 areas.
    View().m_centre = W(2e15, 0);
    EXPECT_FALSE(View().ComputeOriginForZoom(out, 1.0, 1));
    EXPECT_TRUE(View().ComputeOriginForZoom(out, 1.0, 2));
}

TEST_F(ViewMapping, PanStoresPositionsInsideTheAreaAndRecentresOutside)
{
    POINT zero{0, -16000};
    EXPECT_TRUE(View().PanTo(zero));
    EXPECT_EQ(View().m_scrollPos.x, 0);
    EXPECT_EQ(m_app->m_viewScrollPos.x, 0);
    EXPECT_EQ(View().m_messageText, CString(""));

    // y = 1 lies above the area: the view recentres that axis instead.
    View().m_scrollPos = POINT{5, 5};
    EXPECT_FALSE(View().PanTo(POINT{100, 1}));
    EXPECT_EQ(View().m_scrollPos.y, 300 - 16000);
    EXPECT_EQ(View().m_scrollPos.x, 5);

    // Where the origin cannot follow, the prompt says so.
    View().m_centre = W(2e15, 0);
    EXPECT_FALSE(View().PanTo(POINT{-1, -100}));
    EXPECT_EQ(m_app->m_prompt, CString("この拡大率での画面移動の限界です ･･･ 拡大率 = 1 座標 = -16000"));
    EXPECT_EQ(m_app->m_promptAmended, 1);
}

TEST_F(ViewMapping, ShowAllFitsTheExtentsAndReportsTheScreenWidth)
{
    m_app->m_appDraw.showAllMargin = 1.0;
    // An empty drawing keeps its inverted extents.
    Doc().ComputeExtents();
    ASSERT_GT(Doc().m_extents.m_left, Doc().m_extents.m_right);
    View().m_zoom = 3;
    View().m_centre = W(5, 5);
    ASSERT_TRUE(View().ShowAll());
    EXPECT_EQ(View().m_zoom, 1.0);
    EXPECT_EQ(View().m_centre.m_x, 0);
    EXPECT_EQ(View().m_centre.m_y, 0);
    EXPECT_EQ(View().m_messageText, CString("全表示しました 画面幅 1000mm"));

    // A horizontal line is fitted by its width alone.
    Doc().m_extents.Init(100, 20, 300, 20);
    ASSERT_TRUE(View().ShowAll());
    EXPECT_DOUBLE_EQ(View().m_zoom, 1000.0 / 200.0);
    EXPECT_EQ(View().m_centre.m_x, 200);
    EXPECT_EQ(View().m_centre.m_y, 20);
    EXPECT_DOUBLE_EQ(View().m_origin.m_x, 200 - 16000 / 5.0);
    EXPECT_EQ(m_app->m_viewZoom, View().m_zoom);

    // Both sides: the smaller zoom wins; the width is written at three significant digits.
    View().m_clientRectLogical = RECT{0, 0, 1058, -600};
    Doc().m_extents.Init(0, 600, 1000, 0);
    ASSERT_TRUE(View().ShowAll());
    EXPECT_DOUBLE_EQ(View().m_zoom, 600.0 / 600.0);
    EXPECT_EQ(View().m_messageText, CString("全表示しました 画面幅 1060mm"));
    m_app->m_specialRepeat = 1;
    ASSERT_TRUE(View().ShowAll());
    EXPECT_EQ(View().m_messageText, CString("全表示しました 画面幅 1060mm 画面操作継続モードです"));

    // An extent the origin cannot follow leaves the view as it was, silently.
    View().m_messageText = "";
    Doc().m_extents.Init(1e20, 1e20, 1e20 + 1e-3, 1e20);
    const double zoom = View().m_zoom;
    EXPECT_FALSE(View().ShowAll());
    EXPECT_EQ(View().m_zoom, zoom);
    EXPECT_EQ(View().m_messageText, CString(""));
}

TEST_F(ViewMapping, ViewStateRecordIsFortyEightBytesReadBackInOrder)
{
    View().m_origin = W(1.5, -2.5);
    View().m_centre = W(3.25, 4.75);
    View().m_zoom = 0.125;
    View().m_scrollPos = POINT{123, -456};
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        View().Serialize(ar);
        ar.Close();
    }
    ASSERT_EQ(file.GetLength(), 48u);
    std::vector<BYTE> bytes(48);
    file.SeekToBegin();
    file.Read(bytes.data(), 48);
    double first = 0;
    std::memcpy(&first, bytes.data(), 8);
    EXPECT_EQ(first, 1.5);
    double zoom = 0;
    std::memcpy(&zoom, bytes.data() + 32, 8);
    EXPECT_EQ(zoom, 0.125);

    CZelkView copy;
    CMemFile in(bytes.data(), 48);
    CArchive ar(&in, CArchive::load);
    copy.Serialize(ar);
    EXPECT_EQ(copy.m_origin.m_y, -2.5);
    EXPECT_EQ(copy.m_centre.m_x, 3.25);
    EXPECT_EQ(copy.m_zoom, 0.125);
    EXPECT_EQ(copy.m_scrollPos.x, 123);
    EXPECT_EQ(copy.m_scrollPos.y, -456);
}

}  // namespace
