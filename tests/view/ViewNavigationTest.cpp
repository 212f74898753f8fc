// Navigation of the view: the previous-screen history under a clock the test moves, zoom steps
// about the pointer, panning by scroll lines, dragging the screen, and the screen operation's
// gestures and saved screens.
#include "ViewTestSupport.h"

#include "commands/annotate/GroupProcessor.h"
#include "elements/ElementKinds.h"
#include "input/ScreenOperation.h"
#include "platform/ui/KeyMap.h"

#include <cmath>

namespace {

class ViewNavigation : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        Clock().SetTime(1800000000);
        m_app->m_activeView = m_view.get();
        UiResetKeyState();
    }
    void TearDown() override
    {
        UiResetKeyState();
        m_app->m_groupProcessor = nullptr;
        ViewFixture::TearDown();
    }
    static CScriptedServices& Clock() { return DefaultScriptedServices(); }
    // A screen the history can tell from the others.
    void ShowZoom(double zoom)
    {
        View().m_zoom = zoom;
        View().m_centre = W(zoom, -zoom);
    }
    int HistorySize() { return View().m_screenHistory.GetSize(); }
    const CSavedScreen& Record(int i) { return *static_cast<const CSavedScreen*>(View().m_screenHistory[i]); }
    // Where a world point shows in the window's logical units.
    CPointD Shown(const CPointD& world) { return world.WorldToScreen(View().m_origin, View().m_zoom); }
};

TEST_F(ViewNavigation, OnePushPerIntervalAndNoneForTheNewestScreen)
{
    ShowZoom(1);
    View().PushPreviousScreen();
    ASSERT_EQ(HistorySize(), 1);
    EXPECT_EQ(Record(0).zoom, 1);
    EXPECT_EQ(Record(0).view, nullptr);

    // Zoom steps every 2 seconds: each attempt renews the time, so none is recorded.
    for (int i = 2; i <= 4; ++i) {
        Clock().Advance(2000);
        ShowZoom(i);
        View().PushPreviousScreen();
    }
    EXPECT_EQ(HistorySize(), 1);

    // Three seconds later the screen is recorded.
    Clock().Advance(3000);
    View().PushPreviousScreen();
    ASSERT_EQ(HistorySize(), 2);
    EXPECT_EQ(Record(0).zoom, 4);
    EXPECT_EQ(Record(0).centre.m_x, 4);

    // The same screen again adds nothing, but its attempt still counts as the last one.
    Clock().Advance(3000);
    View().PushPreviousScreen();
    EXPECT_EQ(HistorySize(), 2);
    Clock().Advance(2000);
    ShowZoom(9);
    View().PushPreviousScreen();
    EXPECT_EQ(HistorySize(), 2);
}

TEST_F(ViewNavigation, TheHistoryKeepsThirtyScreensNewestFirst)
{
    for (int i = 1; i <= 31; ++i) {
        Clock().Advance(3000);
        ShowZoom(i);
        View().PushPreviousScreen();
    }
    ASSERT_EQ(HistorySize(), 30);
    EXPECT_EQ(Record(0).zoom, 31);
    EXPECT_EQ(Record(29).zoom, 2);
    EXPECT_EQ(View().m_historyIndex, 0);
}

TEST_F(ViewNavigation, BackspaceStepsThroughTheHistoryAndSaysWhere)
{
    // An empty history: nothing happens.
    ShowZoom(2);
    View().ShowPreviousScreen(1);
    EXPECT_EQ(View().m_zoom, 2);
    EXPECT_EQ(View().m_messageText, CString(""));

    View().m_clientRectLogical = RECT{0, 0, 400, -400};
    View().PushPreviousScreen();
    View().m_scrollPos = POINT{-5, -7};
    ShowZoom(8);
    View().m_origin = W(3, 4);
    Clock().Advance(3000);
    // From the newest screen the current one is recorded first, then the one before it shows.
    View().ShowPreviousScreen(1);
    ASSERT_EQ(HistorySize(), 2);
    EXPECT_EQ(View().m_historyIndex, 1);
    EXPECT_EQ(View().m_zoom, 2);
    EXPECT_EQ(View().m_centre.m_x, 2);
    EXPECT_EQ(m_app->m_viewZoom, 2);
    EXPECT_EQ(View().m_messageText, CString("前画面 - 1 を表示しました 画面幅 200mm"));

    // Past the oldest stays on the oldest; forward goes back to the newest.
    View().ShowPreviousScreen(1);
    EXPECT_EQ(View().m_historyIndex, 1);
    View().ShowPreviousScreen(-1);
    EXPECT_EQ(View().m_historyIndex, 0);
    EXPECT_EQ(View().m_zoom, 8);
    EXPECT_EQ(View().m_origin.m_x, 3);
    EXPECT_EQ(View().m_scrollPos.x, -5);
    View().ShowPreviousScreen(-1);
    EXPECT_EQ(View().m_historyIndex, 0);
    m_app->m_specialRepeat = 1;
    View().ShowPreviousScreen(-1);
    EXPECT_EQ(View().m_messageText, CString("前画面 - 0 を表示しました 画面幅 50mm 画面操作継続モードです"));
}

TEST_F(ViewNavigation, ZoomStepsKeepThePointUnderThePointer)
{
    View().m_centre = W(10, 20);
    View().m_origin = W(10 - 16000, 20 + 16000);
    const CPointD pointer = W(123.4, -56.7);
    View().m_cursorWorldPoint = pointer;
    const CPointD before = Shown(pointer);
    View().ZoomInAtCursor();
    EXPECT_EQ(View().m_zoom, 5);
    EXPECT_EQ(m_app->m_viewZoom, 5);
    // The anchor is the pointer's screen point cut to whole units; that point stays put.
    const CPointD anchor = W(std::trunc(before.m_x), std::trunc(before.m_y));
    const CPointD anchorWorld = anchor.ScreenToWorld(View().m_origin, View().m_zoom);
    EXPECT_NEAR(Shown(anchorWorld).m_x, anchor.m_x, 1e-6);
    EXPECT_NEAR(Shown(pointer).m_x, before.m_x, 5.0);
    EXPECT_NEAR(Shown(pointer).m_y, before.m_y, 5.0);
    // The scroll position is the centred one of the new mapping.
    EXPECT_EQ(View().m_scrollPos.x, 16000 - 1000 / 2);

    View().ZoomOutAtCursor();
    EXPECT_DOUBLE_EQ(View().m_zoom, 1);

    // A zoom the mapping refuses leaves origin, zoom and centre as they were.
    View().m_zoom = 1e100;
    View().m_centre = W(1, 2);
    View().m_origin = W(7, 8);
    View().ZoomInAtCursor();
    EXPECT_EQ(View().m_zoom, 1e100);
    EXPECT_EQ(View().m_centre.m_x, 1);
    EXPECT_EQ(View().m_origin.m_x, 7);
}

TEST_F(ViewNavigation, ArrowsPanOneScrollLineOrTenWithShift)
{
    View().m_clientRectLogical = RECT{0, 0, 400, -200};
    View().UpdateScrollSizes();
    View().CenterScrollPosition();
    View().m_zoom = 2;
    struct Case {
        int (CZelkView::*pan)();
        bool shift;
        int dx, dy;
    } cases[] = {
        {&CZelkView::PanRight, false, 20, 0}, {&CZelkView::PanLeft, false, -20, 0},
        {&CZelkView::PanUp, false, 0, 10},    {&CZelkView::PanDown, true, 0, -100},
        {&CZelkView::PanRight, true, 200, 0},
    };
    for (const Case& c : cases) {
        UiNoteKey(VK_SHIFT, c.shift);
        const POINT scroll = View().m_scrollPos;
        const CPointD centre = View().m_centre;
        const CPointD cursor = View().m_cursorWorldPoint;
        EXPECT_EQ((View().*c.pan)(), 1);
        EXPECT_EQ(View().m_scrollPos.x - scroll.x, c.dx);
        EXPECT_EQ(View().m_scrollPos.y - scroll.y, c.dy);
        EXPECT_EQ(View().m_centre.m_x - centre.m_x, c.dx / 2.0);
        EXPECT_EQ(View().m_centre.m_y - centre.m_y, c.dy / 2.0);
        EXPECT_EQ(View().m_cursorWorldPoint.m_x - cursor.m_x, c.dx / 2.0);
    }
    UiNoteKey(VK_SHIFT, false);
    // At the edge of the scroll area the pan is refused and the centre stays.
    View().m_scrollPos = POINT{0, -16000};
    const CPointD centre = View().m_centre;
    EXPECT_EQ(View().PanLeft(), 0);
    EXPECT_EQ(View().m_centre.m_y, centre.m_y);
}

TEST_F(ViewNavigation, AShortScreenDragZoomsInALongOneScrolls)
{
    View().m_cursorWorldPoint = W(0, 0);
    View().DragScreen(W(10, 5), W(0, 0));
    EXPECT_EQ(View().m_zoom, 5);
    EXPECT_EQ(HistorySize(), 1);

    View().m_zoom = 1;
    View().m_scrollPos = POINT{1000, -1000};
    View().m_centre = W(0, 0);
    // The first point moves onto the second: 50 mm to the right of it scrolls left by 50.
    EXPECT_EQ(View().DragScreen(W(0, 0), W(50, 0)), 1);
    EXPECT_EQ(View().m_scrollPos.x, 950);
    EXPECT_EQ(View().m_centre.m_x, -50);
    // Beyond the scroll area: refused, nothing moves.
    View().m_scrollPos = POINT{10, -1000};
    EXPECT_EQ(View().DragScreen(W(0, 0), W(50, 0)), 0);
    EXPECT_EQ(View().m_centre.m_x, -50);
}

TEST_F(ViewNavigation, EveryMappingChangeRebuildsTheSketchOfBoxSelection)
{
    CGroupProcessor group;
    m_app->m_groupProcessor = &group;
    group.m_document = &Doc();
    CLines* block = Doc().AddLine(W(0, 0), W(10, 0), 0, Pen(RGB(0, 0, 0)));
    group.m_elemSet.AddElement(&Doc(), ELEM_LINE, 0, block->m_count - 1, 1, 2);
    View().m_dragSketch.Build(group.m_elemSet, &Doc(), &View());
    auto length = [&] {
        const auto* s = static_cast<const CSketchSegment*>(View().m_dragSketch.segments[0]);
        return s->x2 - s->x1;
    };
    EXPECT_EQ(length(), 10);
    View().PushPreviousScreen();
    View().m_cursorWorldPoint = W(0, 0);
    View().ZoomInAtCursor();
    EXPECT_EQ(length(), 50);
    Clock().Advance(3000);
    View().ShowPreviousScreen(1);
    EXPECT_EQ(View().m_zoom, 1);
    EXPECT_EQ(length(), 10);
    Doc().ComputeExtents();
    View().ShowAll();
    EXPECT_NE(View().m_zoom, 1);
    EXPECT_NEAR(length(), 10 * View().m_zoom, 1);
}

TEST_F(ViewNavigation, TheSketchOfBoxSelectionFollowsThePointer)
{
    CGroupProcessor group;
    m_app->m_groupProcessor = &group;
    m_app->m_groupProcessing = 1;
    group.m_document = &Doc();
    std::int16_t block = 0, slot = 0;
    Doc().AddLineWithPen(W(0, 0), W(10, 0), 0, Pen(RGB(0, 0, 0)), block, slot);
    group.m_elemSet.AddElement(&Doc(), ELEM_LINE, block, slot, 1, 2);
    View().m_origin = W(-100, 100);
    View().m_dragSketch.Build(group.m_elemSet, &Doc(), &View());
    auto device = [&](CPointD world) {
        const CPointD logical = world.WorldToScreen(View().m_origin, View().m_zoom);
        POINT p{static_cast<LONG>(std::lround(logical.m_x)), static_cast<LONG>(std::lround(logical.m_y))};
        CRecordingDC dc;
        View().OnPrepareDC(&dc);
        dc.LPtoDP(&p, 1);
        return CPoint(p);
    };
    View().OnMouseMove(0, device(W(50, -20)));
    ASSERT_EQ(View().m_dragSketch.shown, 1);
    const CPointD at = View().m_cursorWorldPoint.WorldToScreen(View().m_origin, View().m_zoom);
    EXPECT_EQ(View().m_dragSketch.shownX, static_cast<int>(at.m_x));
    EXPECT_EQ(View().m_dragSketch.shownY, static_cast<int>(at.m_y));
    const int shownX = View().m_dragSketch.shownX;
    View().m_clientCalls.clear();
    View().OnMouseMove(0, device(W(80, -20)));
    // The old outline drawn again (removed), the new one drawn.
    std::vector<std::string> lines;
    for (const std::string& call : View().m_clientCalls)
        if (call.rfind("LineTo", 0) == 0)
            lines.push_back(call);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_GT(View().m_dragSketch.shownX, shownX);
    // The end of the selection takes the sketch off the screen and empties it.
    m_app->ResetSelectionState();
    EXPECT_EQ(View().m_dragSketch.shown, 0);
    EXPECT_EQ(View().m_dragSketch.FigureCount(), 0);
    m_app->m_groupProcessing = 0;
}

// ---- the screen operation ------------------------------------------------------------------

class ScreenOperation : public ViewNavigation {
protected:
    void SetUp() override
    {
        ViewNavigation::SetUp();
        m_app->m_screenOperation = &m_operation;
        View().m_clientRectLogical = RECT{0, 0, 400, -400};
    }
    void TearDown() override
    {
        m_app->m_screenOperation = nullptr;
        ViewNavigation::TearDown();
    }
    int Gesture(int gesture, CPointD a, CPointD b)
    {
        m_operation.gesture = static_cast<BYTE>(gesture);
        m_operation.OnPoint(&View(), a);
        m_operation.gesture = static_cast<BYTE>(gesture);
        return m_operation.OnPoint(&View(), b);
    }
    CScreenOperation m_operation;
};

TEST_F(ScreenOperation, ADraggedRectangleFillsTheWindowOrTheWindowShrinksIntoIt)
{
    EXPECT_EQ(m_operation.m_prompt, CString("[画面操作] ドラッグ右上|右下|左|左下|左上 or スクロール基点|拡大位置点"));
    EXPECT_EQ(Gesture(1, W(0, 0), W(100, 50)), 1);
    EXPECT_EQ(View().m_zoom, 4);
    EXPECT_EQ(View().m_centre.m_x, 50);
    EXPECT_EQ(View().m_centre.m_y, 25);
    EXPECT_EQ(m_app->m_viewZoom, 4);
    EXPECT_EQ(View().m_messageText, CString("図形拡大率 4 画面幅 100mm"));
    EXPECT_EQ(m_operation.state, 0);
    EXPECT_EQ(m_operation.view, nullptr);

    View().m_zoom = 1;
    m_app->m_specialRepeat = 1;
    EXPECT_EQ(Gesture(2, W(0, 0), W(100, 50)), 1);
    EXPECT_EQ(View().m_zoom, 0.25);
    EXPECT_EQ(View().m_messageText, CString("図形拡大率 0.25 画面幅 1600mm 画面操作継続モードです"));
}

TEST_F(ScreenOperation, ARectangleWithoutHeightWaitsAndARefusedZoomChangesNothing)
{
    EXPECT_EQ(Gesture(1, W(0, 0), W(100, 0)), 0);
    EXPECT_EQ(m_operation.state, 3);
    EXPECT_EQ(View().m_zoom, 1);

    m_operation.Reset();
    View().m_zoom = 1e99;
    View().m_centre = W(7, 7);
    EXPECT_EQ(Gesture(1, W(0, 0), W(1e-98, 1e-98)), 1);
    EXPECT_EQ(View().m_zoom, 1e99);
    EXPECT_EQ(View().m_centre.m_x, 7);
    EXPECT_EQ(m_operation.state, 0);
    EXPECT_EQ(View().m_messageText.Left(11), CString("図形拡大率 "));
}

TEST_F(ScreenOperation, ASecondClickScrollsOrOnTheSameSpotZoomsIn)
{
    View().m_scrollPos = POINT{1000, -1000};
    EXPECT_EQ(Gesture(3, W(10, 10), W(60, 10)), 2);
    EXPECT_EQ(View().m_scrollPos.x, 950);
    EXPECT_EQ(m_app->m_lastStatus, 18);
    EXPECT_EQ(m_operation.state, 0);

    View().m_cursorWorldPoint = W(10, 10);
    EXPECT_EQ(Gesture(3, W(10, 10), W(10, 10)), 2);
    EXPECT_EQ(View().m_zoom, 5);
    EXPECT_EQ(HistorySize(), 1);
}

TEST_F(ScreenOperation, AGestureBegunInAnotherViewIsDropped)
{
    CRecordedView other;
    Doc().AddView(&other);
    m_operation.gesture = 1;
    m_operation.OnPoint(&other, W(0, 0));
    EXPECT_TRUE(m_operation.IsActiveIn(&other));
    EXPECT_FALSE(m_operation.IsActiveIn(&View()));
    EXPECT_EQ(m_operation.OnPoint(&View(), W(100, 50)), 0);
    EXPECT_EQ(m_operation.state, 0);
    EXPECT_EQ(m_operation.view, &View());
    EXPECT_EQ(View().m_zoom, 1);
    // A released view is no longer named by the operation or a saved screen.
    m_operation.OnPoint(&other, W(0, 0));
    CSavedScreen kept;
    kept.view = &other;
    m_app->m_savedScreens[0] = &kept;
    Doc().RemoveView(&other);
    other.ReleaseViewState();
    EXPECT_EQ(m_operation.view, nullptr);
    EXPECT_EQ(kept.view, nullptr);
    m_app->m_savedScreens[0] = nullptr;
}

TEST_F(ViewNavigation, AZoomWindowOutlivingItsPrimaryViewHandsItsLayersToNobody)
{
    auto primary = std::make_unique<CRecordedView>();
    auto zoomWindow = std::make_unique<CRecordedView>();
    Doc().AddView(primary.get());
    Doc().AddView(zoomWindow.get());
    zoomWindow->m_viewKind = 2;
    zoomWindow->m_primaryView = primary.get();
    zoomWindow->m_layerStates.Add(1);
    Doc().m_zoomView = zoomWindow.get();
    // While the primary view lives it takes the layer states back.
    Doc().RemoveView(zoomWindow.get());
    zoomWindow->ReleaseViewState();
    EXPECT_EQ(primary->m_layerStates.GetSize(), 1);
    EXPECT_EQ(Doc().m_zoomView, nullptr);
    zoomWindow->m_primaryView = primary.get();
    Doc().AddView(zoomWindow.get());
    m_app->m_drawingViews.Add(zoomWindow.get());
    // The primary view goes first: the zoom window no longer names it.
    Doc().RemoveView(primary.get());
    primary.reset();
    EXPECT_EQ(zoomWindow->m_primaryView, nullptr);
    Doc().RemoveView(zoomWindow.get());
    zoomWindow.reset();
}

TEST(SavedScreen, BothConstructorsHoldNoView)
{
    const CSavedScreen plain;
    EXPECT_EQ(plain.view, nullptr);
    EXPECT_EQ(plain.origin.m_x, -16000);
    EXPECT_EQ(plain.origin.m_y, 16000);
    EXPECT_EQ(plain.zoom, 1.0);
    const CSavedScreen full(W(1, 2), W(3, 4), 5, 6, 7);
    EXPECT_EQ(full.view, nullptr);
    EXPECT_EQ(full.centre.m_y, 4);
    EXPECT_EQ(full.scrollY, 7);
}

}  // namespace
