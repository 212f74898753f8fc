// The point search: the order of the categories and of the points in each, points listed once,
// end points of closed figures, the announced coordinates, crowded intersections, the over-zoom
// warning, stepping, the flash and the mark.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "input/PointSearch.h"
#include "tests/view/ViewTestSupport.h"

namespace {

class PointSearchTest : public PickFixture {
protected:
    void SetUp() override
    {
        PickFixture::SetUp();
        m_app->m_activeView = &View();
    }
    void TearDown() override
    {
        m_app->m_activeView = nullptr;
        PickFixture::TearDown();
    }

public:
    CPointSearch& Search() { return *Doc().m_pointSearch; }
    int Run(double x, double y)
    {
        Search().Reset();
        return Search().Search(&View(), W(x, y));
    }
    std::vector<std::pair<double, double>> Points()
    {
        std::vector<std::pair<double, double>> out;
        for (const CFoundPoint& p : Search().foundPoints)
            out.emplace_back(std::round(p.m_point.m_x * 1e9) / 1e9, std::round(p.m_point.m_y * 1e9) / 1e9);
        return out;
    }
    std::string Message() { return View().m_messageText.GetString(); }
};

using Pts = std::vector<std::pair<double, double>>;

TEST_F(PointSearchTest, CategoriesComeInOrderAndNearerPointsFirst)
{
    Line(0, 0, 10, 10);
    Line(0, 10, 10, 0);
    EXPECT_EQ(Run(4, 3), 8);
    EXPECT_EQ(Search().intersectionCount, 1);
    EXPECT_EQ(Search().endPointCount, 4);
    EXPECT_EQ(Search().onElementCount, 2);
    EXPECT_EQ(Search().featureCount, 0);   // the midpoints are the crossing
    EXPECT_EQ(Search().freeCount, 1);
    EXPECT_EQ(Points(), (Pts{{5, 5}, {0, 0}, {10, 0}, {0, 10}, {10, 10}, {3.5, 3.5}, {5.5, 4.5}, {4, 3}}));
    // The crossing is current and announced; its two lines flashed for the flash time.
    EXPECT_EQ(Search().currentIndex, 0);
    EXPECT_EQ(Search().GetCurrentCategory(), 1);
    EXPECT_EQ(Message(), "交点(5,5)を選択");
    EXPECT_EQ(DefaultScriptedServices().m_sleeps, std::vector<DWORD>{250});
    const CFoundPoint* current = Search().GetCurrent();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->m_firstKind, ELEM_LINE);
    EXPECT_EQ(current->m_secondKind, ELEM_LINE);

    // The mark of the current point in the intersection color.
    CRecordingDC dc;
    View().OnPrepareDC(&dc);
    EXPECT_TRUE(Search().DrawMarker(&View(), &dc, 0));
    bool red = false;
    for (const auto& [pen, call] : DrawsWithPens(dc.Calls()))
        red = red || (call.rfind("Arc(", 0) == 0 && pen.find("RGB(255,0,0)") != std::string::npos);
    EXPECT_TRUE(red);

    // Stepping: the next category's label; back from the first gives none, then the last.
    struct Step {
        int step;
        int index;
        const char* message;
    };
    const Step steps[] = {{1, 1, "端点(0,0)を選択"}, {-1, 0, "交点(5,5)を選択"}, {-1, -1, nullptr},
                          {-1, 7, "自由点(4,3)を選択"}, {1, 0, "交点(5,5)を選択"}};
    for (const Step& s : steps) {
        EXPECT_EQ(Search().Select(s.step), s.message != nullptr);
        EXPECT_EQ(Search().currentIndex, s.index);
        if (s.message) {
            EXPECT_EQ(Message(), s.message);
        }
    }
}

TEST_F(PointSearchTest, APointFoundTwiceIsListedOnceInItsFirstCategory)
{
    Line(0, 0, 10, 0);
    Line(0, 0, 0, 10);
    Run(1, 1);
    int seen = 0;
    for (size_t i = 0; i < Search().foundPoints.size(); ++i)
        if (Search().foundPoints[i].m_point.m_x == 0 && Search().foundPoints[i].m_point.m_y == 0) {
            ++seen;
            EXPECT_EQ(i, 0u);
        }
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(Search().intersectionCount, 1);
    EXPECT_EQ(Search().GetCurrentCategory(), 1);
}

TEST_F(PointSearchTest, ClosedFiguresHaveFewerEndPoints)
{
    m_app->m_appFind.m_searchMask = 1;
    struct Case {
        const char* name;
        void (*build)(PointSearchTest&);
        int endPoints;
    };
    const Case cases[] = {
        {"open curve", [](PointSearchTest& t) {
             t.D().AddCurve(1, {W(100, 100), W(110, 100), W(110, 110)}, 0, t.m_pen);
         }, 2},
        {"closed curve", [](PointSearchTest& t) {
             t.D().AddCurve(1, {W(100, 100), W(110, 100), W(110, 110), W(100, 100)}, 0, t.m_pen);
         }, 1},
        {"full ellipse", [](PointSearchTest& t) {
             t.D().AddConic(W(105, 100), 5, 0.5, W(0, 360), 0, 0, t.m_pen);
         }, 0},
        {"half ellipse", [](PointSearchTest& t) {
             t.D().AddConic(W(105, 100), 5, 0.5, W(0, 180), 0, 0, t.m_pen);
         }, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDrawing();
        c.build(*this);
        Run(104, 102);
        EXPECT_EQ(Search().endPointCount, c.endPoints);
    }
}

TEST_F(PointSearchTest, AtADrawingScaleTheAnnouncementGivesBothCoordinates)
{
    Doc().AddPoint(W(1, 2), 0, m_pen);
    Doc().m_ratio = 0.01;
    Run(1.5, 2);
    EXPECT_EQ(Message(), "端点(100,200) 実点(1,2)を選択");
}

TEST_F(PointSearchTest, CrowdedIntersectionsOfferAZoomWindow)
{
    CMainFrame frame;
    m_app->m_pMainFrame = &frame;
    struct Case {
        short zoomWindowMode;
        double gap;
        bool shiftCtrl;
        bool triggers;
        double factor;
    };
    const Case cases[] = {{0, 0.01, false, true, 1500}, {1, 0.01, true, true, -2}, {0, 0.0005, false, false, -2},
                          {2, 0.01, false, false, -2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.zoomWindowMode << " " << c.gap << " " << c.shiftCtrl);
        ResetDrawing();
        DefaultScriptedServices() = CScriptedServices();
        UiResetKeyState();
        if (c.shiftCtrl) {
            UiNoteKey(VK_SHIFT, true);
            UiNoteKey(VK_CONTROL, true);
        }
        frame.m_zoomWindowKind = -2;
        m_app->m_lastMessage = "";
        m_app->m_appDraw.zoomWindowMode = c.zoomWindowMode;
        Line(-10, 0, 10, 0);
        Line(0, -10, 0, 10);
        Line(c.gap, -10, c.gap, 10);
        const int n = Run(0.002, 0.001);
        EXPECT_EQ(Search().intersectionCount, 2);
        EXPECT_EQ(Search().currentIndex, 0);
        const std::string message = m_app->m_lastMessage.GetString();
        const std::string crowded = " 検索された多数の交点から第１点を選択しました";
        if (c.triggers) {
            EXPECT_EQ(n, 2);   // no further category is searched
            EXPECT_EQ(Search().endPointCount, 0);
            EXPECT_EQ(message.substr(message.size() - crowded.size()), crowded);
            EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), 1u);
            EXPECT_EQ(m_app->m_rightPressPoint.m_x, 0);
        } else {
            EXPECT_GT(n, 2);
            EXPECT_EQ(message.find(crowded), std::string::npos);
        }
        EXPECT_DOUBLE_EQ(frame.m_zoomWindowKind, c.factor);
    }
    m_app->m_pMainFrame = nullptr;
}

TEST_F(PointSearchTest, AnOverZoomedEndPointGivesNoFreePointAndAWarning)
{
    Line(1, 1, 2, 1);
    View().m_zoom = 2000;
    Run(1, 1);
    EXPECT_EQ(Search().freeCount, 0);
    EXPECT_EQ(m_app->m_prompt,
              CString("過大な拡大率(2000)の為に、浮動小数点変数の処理の限界を越えて数値の丸めが起こりました"));
    EXPECT_EQ(m_app->m_promptAmended, 1);
    m_app->m_prompt = "";
    m_app->m_promptAmended = 0;
    Run(1.00001, 1.000005);
    EXPECT_EQ(Search().freeCount, 1);
    EXPECT_EQ(m_app->m_promptAmended, 0);
}

TEST_F(PointSearchTest, ACircleGivesItsCentreBehindItsOtherFeaturePoints)
{
    m_app->m_appFind.m_searchMask = 4;
    Doc().AddCircle(W(0, 0), 10, 0, m_pen);
    Run(10, 0.5);
    // The quadrant point at 0 degrees (the perpendicular points lie at 90 and 270), then the
    // centre 0.1 behind it.
    ASSERT_EQ(Search().featureCount, 2);
    EXPECT_EQ(Points(), (Pts{{10, 0}, {0, 0}}));
    EXPECT_NEAR(Search().foundPoints[1].m_distance, 0.5 + 0.1, 1e-12);
}

}  // namespace
