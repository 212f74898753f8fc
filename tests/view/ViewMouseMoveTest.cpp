// The mouse move of a drawing view: the preview kinds it draws from the drawing's preview model,
// the drag threshold, the erase of every view's previews, and the right-button gestures that
// switch the drawing command.
#include "ViewTestSupport.h"

#include <cmath>

#include "commands/annotate/DimCommand.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "elements/Arc.h"
#include "document/CreationLog.h"
#include "geometry/Angles.h"
#include "input/InputBar.h"
#include "geometry/Numeric.h"
#include "platform/gdi/DC.h"
#include "view/ZelkObj.h"

namespace {

// A recorded view that also notes the command popup menus it was asked for.
class CMenuView : public CRecordedView {
public:
    std::vector<int> m_menus;
    void ShowCommandPopupMenu(int kind, int, int) override { m_menus.push_back(kind); }
};

class ViewMouseMove : public testing::Test {
protected:
    std::unique_ptr<CZelkApp> m_app;
    std::unique_ptr<CZelkDoc> m_doc;
    std::unique_ptr<CMenuView> m_view;
    std::unique_ptr<CMenuView> m_second;

    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_app->m_appFind.gestureZoneSize = 25;
        m_app->m_appFind.pickHalfSize = 20;
        m_app->m_appColor.previewColor = RGB(0, 255, 0);
        m_app->m_commandKind = 2;
        m_doc = std::make_unique<CZelkDoc>();
        m_doc->m_bAutoDelete = FALSE;
        m_view = std::make_unique<CMenuView>();
        m_second = std::make_unique<CMenuView>();
        m_view->m_active = 1;  // the buttons reach the active drawing view only
        for (CMenuView* v : {m_view.get(), m_second.get()}) {
            m_doc->AddView(v);
            v->m_clientRectLogical = RECT{0, 0, 1000, -600};
            // World (0, 0) at logical (100, -100).
            v->m_origin = W(-100, 100);
        }
    }
    void TearDown() override
    {
        m_doc->RemoveView(m_view.get());
        m_doc->RemoveView(m_second.get());
        m_view.reset();
        m_second.reset();
        m_doc.reset();
        g_pApp = nullptr;
        m_app.reset();
    }
    CZelkDoc& Doc() { return *m_doc; }
    CMenuView& View() { return *m_view; }
    std::vector<std::string> Take(CRecordedView& v)
    {
        std::vector<std::string> calls;
        for (const auto& [pen, call] : DrawsWithPens(v.m_clientCalls))
            calls.push_back(call);
        v.m_clientCalls.clear();
        return calls;
    }
    void Kind(int kind, CPointD p, int* end = nullptr)
    {
        Doc().m_previewKind = static_cast<std::int16_t>(kind);
        int ended = 0;
        View().ShowKindPreview(p, 0, 0, ended);
        if (end)
            *end = ended;
    }
    static void ExpectLine(const CLine* line, double x1, double y1, double x2, double y2, const char* what)
    {
        EXPECT_NEAR(line->m_start.m_x, x1, 1e-6) << what;
        EXPECT_NEAR(line->m_start.m_y, y1, 1e-6) << what;
        EXPECT_NEAR(line->m_end.m_x, x2, 1e-6) << what;
        EXPECT_NEAR(line->m_end.m_y, y2, 1e-6) << what;
    }
    // The window pixel of a world point, as the view's mapping puts it.
    POINT Device(CPointD world)
    {
        const CPointD logical = world.WorldToScreen(View().m_origin, View().m_zoom);
        POINT p{static_cast<LONG>(std::lround(logical.m_x)), static_cast<LONG>(std::lround(logical.m_y))};
        CRecordingDC dc;
        View().OnPrepareDC(&dc);
        dc.LPtoDP(&p, 1);
        return p;
    }
};

TEST_F(ViewMouseMove, StraightLineKinds)
{
    Doc().m_previewPointA = W(0, 0);
    Doc().m_previewLength = 10;
    Kind(11, W(3, 4));
    ExpectLine(Doc().m_workLines[0], 0, 0, 6, 8, "kind 11");
    EXPECT_EQ(View().m_lineShown[0], 1);
    EXPECT_EQ(m_second->m_lineShown[0], 1);
    Doc().RedrawPreviewsInViews();
    Take(View());

    Doc().m_previewAngle = 0;
    Kind(10, W(5, 3));
    EXPECT_EQ(Take(View()), std::vector<std::string>{"LineTo(105,-100)"});
    Doc().RedrawPreviewsInViews();
    Take(View());

    // Tangents from the pointer to K1: none from inside, else the one nearer the first pick.
    Doc().m_previewCircles[0].m_centre = W(0, 0);
    Doc().m_previewCircles[0].m_radius = 5;
    Doc().m_pickPoint1 = W(0, 10);
    Doc().m_workLines[0]->m_start = W(-1, -1);
    Doc().m_workLines[0]->m_end = W(0, 0);
    Kind(12, W(3, 0));
    EXPECT_TRUE(Take(View()).empty());
    ExpectLine(Doc().m_workLines[0], -1, -1, 0, 0, "kind 12 inside");
    Kind(12, W(10, 0));
    ExpectLine(Doc().m_workLines[0], 2.5, 5 * std::sin(PI / 3), 10, 0, "kind 12");
    Doc().RedrawPreviewsInViews();
}

TEST_F(ViewMouseMove, AngleArcBetweenTwoRays)
{
    Doc().m_previewPointA = W(10, 0);
    Doc().m_previewAngle = 0;
    Doc().m_previewPointB = W(0, 10);
    Doc().m_previewAngle2 = 90;
    Doc().m_workLines[0]->m_start = W(-7, -7);
    Kind(46, W(3, 4));
    auto calls = Take(View());
    ASSERT_EQ(calls.size(), 1u);
    // The quarter of radius 5 about (0, 0), between the rays through the two work points' directions.
    EXPECT_EQ(calls[0], "Arc(95,-95,105,-105,1110,-100,100,910)");
    EXPECT_EQ(View().m_lineShown[0], 0);
    EXPECT_NEAR(Doc().m_workLines[0]->m_start.m_x, -7, 0);
    Doc().RedrawPreviewsInViews();
    Take(View());

    Kind(46, W(0, -20));
    ExpectLine(Doc().m_workLines[0], 10, 0, 20, 0, "ray 1");
    ExpectLine(Doc().m_workLines[1], 0, 10, 0, 20, "ray 2");
    EXPECT_EQ(View().m_previewArc[0], 80);
    EXPECT_EQ(View().m_previewArc[2], 120);
    Doc().RedrawPreviewsInViews();

    // Parallel rays: nothing, and the handler ends before the group step.
    Doc().m_previewAngle2 = 0;
    int end = 0;
    Take(View());
    Kind(46, W(3, 4), &end);
    EXPECT_EQ(end, 1);
    EXPECT_TRUE(Take(View()).empty());
}

TEST_F(ViewMouseMove, ChainPolygonsAndArcSpans)
{
    m_app->m_commandKind = 10;
    Doc().m_dimCmd->m_textPoints = {W(0, 0), W(10, 0), W(20, 5)};
    Doc().m_workLines[3]->m_start = W(-9, -9);
    Kind(48, W(30, 30));
    ExpectLine(Doc().m_workLines[1], 10, 0, 20, 5, "last segment");
    ExpectLine(Doc().m_workLines[2], 0, 0, 10, 0, "the one before");
    EXPECT_EQ(View().m_lineShown[3], 0);
    EXPECT_NEAR(Doc().m_workLines[3]->m_start.m_x, -9, 0);
    Doc().RedrawPreviewsInViews();
    // Outside the dimension command nothing is shown and the handler ends.
    m_app->m_commandKind = 2;
    int end = 0;
    Kind(48, W(30, 30), &end);
    EXPECT_EQ(end, 1);
    EXPECT_EQ(View().m_segmentShown, 0);

    struct Case {
        double step;
        int sides;
    } polygons[] = {{60, 4}, {120, 3}, {360, 1}, {0, 0}, {1e-9, 0}, {0.001, 0}};
    Doc().m_previewValue = 50;
    Doc().m_previewAngle = 0;
    for (const Case& c : polygons) {
        Doc().m_previewAngle2 = c.step;
        Kind(56, W(300, -200));
        int shown = 0;
        for (int i = 0; i < 4; ++i)
            shown += View().m_lineShown[i];
        EXPECT_EQ(shown, c.sides) << c.step;
        EXPECT_EQ(View().m_secondArcShown, 1) << c.step;
        Doc().RedrawPreviewsInViews();
    }

    // An arc of A's circle from 0 to 90 degrees: a pointer before its start moves the start.
    Doc().m_previewPointA = W(0, 0);
    Doc().m_previewAngle = 0;
    Doc().m_previewAngle2 = 90;
    CPointD span;
    span.Init(0, 90);
    const CArc arc(W(0, 0), 50, span);
    Doc().m_previewWorkArc.Assign(arc);
    // Off the arc, the pointer lies before its start (class 1) or beyond its end (class 7).
    CPointD before, beyond;
    int seen = 0;
    for (double a = 1.6; a < 6.3; a += 0.05) {
        const CPointD q = W(50 * std::cos(a), 50 * std::sin(a));
        const int cls = arc.SnapClassOfPoint(q);
        if (cls == 1 && !(seen & 1)) {
            before = q;
            seen |= 1;
        } else if (cls == 7 && !(seen & 2)) {
            beyond = q;
            seen |= 2;
        }
    }
    ASSERT_EQ(seen, 3);
    Kind(54, before);
    EXPECT_EQ(Doc().m_previewArcMovesStart, 1);
    Doc().RedrawPreviewsInViews();
    Kind(54, beyond);
    EXPECT_EQ(Doc().m_previewArcMovesStart, 0);
    Doc().RedrawPreviewsInViews();
    // On the arc the span itself is shown.
    Take(View());
    Kind(54, W(50 * std::cos(0.7), 50 * std::sin(0.7)));
    EXPECT_EQ(Take(View()), std::vector<std::string>{"Arc(50,-50,150,-150,1100,-100,100,900)"});
    Doc().RedrawPreviewsInViews();
    Take(View());
    for (int kind : {0, 41, 63, 200}) {
        Kind(kind, W(30, 30), &end);
        EXPECT_EQ(end, 0) << kind;
        EXPECT_TRUE(Take(View()).empty()) << kind;
    }
}

TEST_F(ViewMouseMove, MovesEraseEveryViewAndDrawAtThePointer)
{
    Doc().m_previewKind = 14;
    Doc().m_previewPointA = W(0, 0);
    View().OnMouseMove(0, CPoint(Device(W(200, -100))));
    EXPECT_EQ(View().m_segmentShown, 1);
    EXPECT_EQ(m_second->m_segmentShown, 1);
    const auto first = Take(*m_second);
    ASSERT_EQ(first.size(), 1u);
    View().OnMouseMove(0, CPoint(Device(W(300, -150))));
    // The other view removed its segment (drawn again) and drew the new one.
    const auto second = Take(*m_second);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0], first[0]);
    EXPECT_NE(second[1], first[0]);
    Doc().RedrawPreviewsInViews();

    // While a placed object is being moved, only its outline follows the pointer.
    CZelkObj object;
    object.m_bottomRight = W(10, -10);
    object.m_topLeft = W(50, -40);
    View().m_oleSelection.push_back(&object);
    View().m_oleDragMode = 1;
    m_app->m_leftPressPoint = W(10, -10);
    Take(View());
    View().OnMouseMove(0, CPoint(Device(W(100, -100))));
    EXPECT_EQ(View().m_segmentShown, 0);
    EXPECT_EQ(View().m_lineShown[7], 1);
    EXPECT_EQ(Take(View()).size(), 4u);
    Doc().RedrawPreviewsInViews();
    View().m_oleSelection.clear();
}

TEST_F(ViewMouseMove, ADragStartsOnePixelBeyondTheZone)
{
    m_app->m_leftButtonDown = 1;
    View().m_pressPoint = POINT{100, 100};
    View().OnMouseMove(MK_LBUTTON, CPoint(125, 100));
    EXPECT_EQ(View().m_leftDragged, 0);
    View().OnMouseMove(MK_LBUTTON, CPoint(126, 100));
    EXPECT_EQ(View().m_leftDragged, 1);
    View().OnMouseMove(MK_LBUTTON, CPoint(100, 74));
    EXPECT_EQ(View().m_leftDragged, 1);
    m_app->m_leftButtonDown = 0;
    View().OnMouseMove(0, CPoint(100, 100));
    EXPECT_EQ(View().m_leftDragged, 0);
    Doc().RedrawPreviewsInViews();
}

TEST_F(ViewMouseMove, RightButtonGesturesSwitchTheCommand)
{
    struct Case {
        const char* path;
        std::vector<POINT> moves;  // offsets from the press point, y downward
        int kind;
        const char* pattern;
    } cases[] = {
        {"right, up, left, down", {{60, 0}, {60, -80}, {-90, -80}, {-90, 100}}, 3, "PP"},
        {"left, down", {{-60, 0}, {-60, 80}}, 4, "PP"},
        {"down, right", {{0, 60}, {80, 60}}, 2, "SE"},
        {"right, down", {{60, 0}, {60, 80}}, 7, "P"},
    };
    auto bar = std::make_unique<CInputBar>();
    m_app->m_inputBar = bar.get();
    for (const Case& c : cases) {
        m_app->m_commandKind = 1;
        bar->m_currentList = 1;
        View().m_menus.clear();
        std::int16_t block = 0, slot = 0;
        Doc().m_creationLog->AddLine(W(0, 0), W(5, 5), 0, block, slot, 0, 0);
        ASSERT_FALSE(Doc().m_creationLog->m_log.empty());
        const POINT press{300, 300};
        View().OnRButtonDown(MK_RBUTTON, CPoint(press));
        EXPECT_EQ(m_app->m_rightButtonDown, 1);
        for (const POINT& m : c.moves)
            View().OnMouseMove(MK_RBUTTON, CPoint(press.x + m.x, press.y + m.y));
        EXPECT_EQ(m_app->m_commandKind, c.kind) << c.path;
        EXPECT_EQ(m_app->m_rightButtonDown, 0) << c.path;
        EXPECT_EQ(View().m_menus, std::vector<int>{c.kind}) << c.path;
        EXPECT_TRUE(Doc().m_creationLog->m_log.empty()) << c.path;
        if (c.kind == 3 || c.kind == 4) {
            EXPECT_EQ(Doc().m_circleCmd->m_modePattern, c.pattern) << c.path;
            EXPECT_EQ(Doc().m_circleCmd->m_circleFlag, c.kind == 3 ? 1 : 0) << c.path;
        } else if (c.kind == 2) {
            EXPECT_EQ(Doc().m_lineCmd->m_modePattern, c.pattern);
        } else {
            EXPECT_EQ(Doc().m_textCmd->m_modePattern, c.pattern);
            EXPECT_EQ(bar->m_currentList, 2);  // the text list, for typing the text
        }
        View().OnRButtonUp(0, CPoint(press));
        Doc().RedrawPreviewsInViews();
    }
    // Not in the freehand command, nor in deform mode.
    for (int deform = 0; deform < 2; ++deform) {
        m_app->m_commandKind = deform ? 2 : 11;
        Doc().m_deformMode = deform;
        View().m_menus.clear();
        View().OnRButtonDown(MK_RBUTTON, CPoint(300, 300));
        for (POINT m : {POINT{60, 0}, POINT{60, -80}, POINT{-90, -80}, POINT{-90, 100}})
            View().OnMouseMove(MK_RBUTTON, CPoint(300 + m.x, 300 + m.y));
        EXPECT_EQ(m_app->m_commandKind, deform ? 2 : 11);
        EXPECT_TRUE(View().m_menus.empty());
        View().OnRButtonUp(0, CPoint(300, 300));
        Doc().RedrawPreviewsInViews();
    }
    m_app->m_inputBar = nullptr;
}

TEST_F(ViewMouseMove, GroupStepFollowsEveryKindUnlessTheKindEndsTheMove)
{
    // While group processing runs, a right drag lays work line 2 along the drag, undrawn.
    m_app->m_groupProcessing = 1;
    m_app->m_commandKind = 1;
    Doc().m_previewAngle = 0;
    Doc().m_previewAngle2 = 0;  // kind 46 with parallel rays ends the move
    struct Case {
        int kind;
        bool lineLaid;
    } cases[] = {{0, true}, {41, true}, {63, true}, {46, false}};
    for (const Case& c : cases) {
        Doc().m_previewKind = static_cast<std::int16_t>(c.kind);
        Doc().m_workLines[2]->m_start = W(-1, -1);
        Doc().m_workLines[2]->m_end = W(-1, -1);
        View().OnRButtonDown(MK_RBUTTON, CPoint(300, 300));
        View().OnMouseMove(MK_RBUTTON, CPoint(400, 300));
        EXPECT_EQ(View().m_rightDragged, 1) << c.kind;
        const double length = Distance(Doc().m_workLines[2]->m_start, Doc().m_workLines[2]->m_end);
        EXPECT_EQ(length > 1000, c.lineLaid) << c.kind;
        EXPECT_EQ(View().m_lineShown[2], 0) << c.kind;
        View().OnRButtonUp(0, CPoint(400, 300));
        Doc().RedrawPreviewsInViews();
    }
}

// The application as the release sees it: the button code and the right-button flag.
class CReleaseApp : public CZelkApp {
public:
    std::vector<std::pair<int, int>> m_codes;
    BOOL DispatchCommand(CZelkDoc*, CZelkView*, int code) override
    {
        m_codes.emplace_back(code, m_rightButtonDown);
        return TRUE;
    }
};

TEST_F(ViewMouseMove, TheReleaseAfterAGestureStillDispatches)
{
    auto app = std::make_unique<CReleaseApp>();
    g_pApp = app.get();
    app->m_appFind.gestureZoneSize = 25;
    app->m_commandKind = 1;
    View().OnRButtonDown(MK_RBUTTON, CPoint(300, 300));
    View().OnMouseMove(MK_RBUTTON, CPoint(300, 360));
    View().OnMouseMove(MK_RBUTTON, CPoint(380, 360));
    EXPECT_EQ(app->m_commandKind, 2);
    View().OnRButtonUp(0, CPoint(380, 360));
    // The press went to the dispatcher as code 3 with the button down.
    EXPECT_EQ(app->m_codes, (std::vector<std::pair<int, int>>{{3, 1}, {4, 0}}));
    Doc().RedrawPreviewsInViews();
    g_pApp = m_app.get();
}

}  // namespace

namespace {

TEST_F(ViewMouseMove, APressInOneViewAndAReleaseInAnotherIsNoClick)
{
    auto app = std::make_unique<CReleaseApp>();
    g_pApp = app.get();
    View().OnLButtonDown(MK_LBUTTON, CPoint(300, 300));
    EXPECT_EQ(app->m_leftButtonDown, 1);
    // The other view, made active, only clears the flags.
    View().m_active = 0;
    m_second->m_active = 1;
    app->m_leftDoubleClicked = 1;
    m_second->OnLButtonUp(0, CPoint(300, 300));
    EXPECT_EQ(app->m_leftButtonDown, 0);
    EXPECT_EQ(app->m_leftDoubleClicked, 0);
    app->m_skipNextButtonDown = 1;
    m_second->OnMButtonUp(0, CPoint(300, 300));
    EXPECT_EQ(app->m_skipNextButtonDown, 0);
    // A view that is not the active one takes no press at all.
    View().OnRButtonDown(MK_RBUTTON, CPoint(300, 300));
    EXPECT_EQ(app->m_rightButtonDown, 0);
    EXPECT_EQ(app->m_codes, (std::vector<std::pair<int, int>>{{1, 0}}));
    m_second->m_active = 0;
    View().m_active = 1;
    g_pApp = m_app.get();
}

}  // namespace
