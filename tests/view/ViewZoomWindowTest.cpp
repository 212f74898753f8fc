// Zoom windows and new windows of the started application, and a user's navigation in the real
// drawing window: drags and keys through the dispatcher as the window's handlers hand them over,
// the pointer moved by real events.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "input/SavedScreen.h"
#include "input/ScreenOperation.h"
#include "platform/core/Services.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

class ZoomWindows : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedServices().SetTime(1800000000);
        DefaultScriptedUiServices().Reset();
        PrepareProgramFolderForStart();
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        m_app->m_pMainFrame->MoveWindow(0, 0, 1100, 700);
        AfxPumpMessages();
        ASSERT_NE(m_app->m_activeView, nullptr);
        m_view = m_app->m_activeView;
        m_doc = m_view->m_document;
        m_app->m_appDraw.zoomWindowFactor = 4;
        UiResetKeyState();
    }
    void TearDown() override
    {
        UiResetKeyState();
        StopApplication(m_app);
    }
    CScriptedServices& Services() { return DefaultScriptedServices(); }
    int ViewCount() const { return m_app->m_drawingViews.GetSize(); }
    // The world point under a window pixel of the view.
    CPointD AtPixel(CZelkView* view, int x, int y)
    {
        POINT p{x, y};
        CClientDC dc(view);
        view->OnPrepareDC(&dc);
        dc.DPtoLP(&p);
        return P(p.x, p.y).ScreenToWorld(view->m_origin, view->m_zoom);
    }
    // A left drag as the window's button handlers hand it to the dispatcher; the pointer moves
    // across the window by real events in between, which marks the drag.
    void LeftDrag(POINT from, POINT to, bool shift)
    {
        UiNoteKey(VK_SHIFT, shift);
        m_app->m_leftPressPoint = AtPixel(m_view, from.x, from.y);
        m_app->m_leftButtonDown = 1;
        m_view->m_pressPoint = from;
        m_app->DispatchCommand(m_doc, m_view, 1);
        UiDriver::MouseMove(m_view, to);
        // The move's event carries the modifiers it was made with; the key stays held.
        UiNoteKey(VK_SHIFT, shift);
        m_view->m_leftDragged = 1;
        m_app->m_leftReleasePoint = AtPixel(m_view, to.x, to.y);
        m_app->DispatchCommand(m_doc, m_view, 2);
        m_app->m_leftButtonDown = 0;
        m_view->m_leftDragged = 0;
        UiNoteKey(VK_SHIFT, false);
    }
    void KeyToDispatcher(CZelkView* view, int key, bool shift = false)
    {
        UiNoteKey(VK_SHIFT, shift);
        m_app->m_lastKey = key;
        m_app->DispatchCommand(view->m_document, view, 7);
        UiNoteKey(VK_SHIFT, false);
    }
    CZelkView* ZoomView() const { return m_doc->m_zoomView; }
    // A user's drag in the view: the press, the pointer through the middle to the end, the
    // release, with the keys held throughout.
    void UserDrag(POINT from, POINT to, UiDriver::Button button, UINT modifiers = UiDriver::NoModifier)
    {
        UiDriver::MouseDown(m_view, from, button, modifiers);
        UiDriver::MouseMoveAt(m_view, POINT{(from.x + to.x) / 2, (from.y + to.y) / 2}, modifiers,
                              UiDriver::MouseClock() + 20);
        UiDriver::MouseMoveAt(m_view, to, modifiers, UiDriver::MouseClock() + 20);
        UiDriver::MouseUp(m_view, to, button, modifiers);
        UiDriver::Pump();
    }
    // A drawing of one circle, shown whole in the window the user works in.
    void ShowACircleInTheActiveWindow()
    {
        m_doc->AddCircle(P(0, 0), 50, 0, m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
        m_doc->ComputeExtents();
        m_view->ShowAll();
        UiDriver::ShowAndActivate(m_app->m_pMainFrame);
        m_view->SetFocus();
        UiDriver::Pump();
    }

    CZelkApp* m_app = nullptr;
    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

TEST_F(ZoomWindows, TheSettingChoosesTheKindAndNoneRefusesEveryRequest)
{
    m_app->m_appDraw.zoomWindowMode = 2;
    const int views = ViewCount();
    EXPECT_FALSE(m_view->OpenZoomWindow());
    m_app->m_pMainFrame->m_zoomWindowKind = -1;
    m_app->m_pMainFrame->StartTimer(15, 300);
    Services().Advance(300);
    EXPECT_EQ(ViewCount(), views);
    EXPECT_EQ(ZoomView(), nullptr);

    // A maximised frame gets a copy, not a small window.
    m_app->m_appDraw.zoomWindowMode = 1;
    m_view->GetParentFrame()->ShowWindow(SW_MAXIMIZE);
    AfxPumpMessages();
    m_view->m_pressLogicalPoint = P(16100, -16100);
    ASSERT_TRUE(m_view->OpenZoomWindow());
    AfxPumpMessages();
    CZelkView* zoomed = ZoomView();
    ASSERT_NE(zoomed, nullptr);
    EXPECT_EQ(ViewCount(), views + 1);
    EXPECT_EQ(zoomed->m_viewKind, 2);
    EXPECT_EQ(zoomed->m_primaryView, m_view);
    EXPECT_TRUE(zoomed->GetParentFrame()->IsZoomed());
    EXPECT_DOUBLE_EQ(zoomed->m_zoom, 4 * m_view->m_zoom);
    EXPECT_EQ(m_app->m_appDraw.zoomWindowClosed, 0);

    // One from the zoom window replaces it and keeps the first view as its primary view.
    ASSERT_TRUE(zoomed->OpenZoomWindow());
    AfxPumpMessages();
    CZelkView* second = ZoomView();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, zoomed);
    EXPECT_EQ(second->m_primaryView, m_view);
    EXPECT_EQ(ViewCount(), views + 1);
    EXPECT_EQ(m_app->m_appDraw.zoomWindowClosed, 1);

    // Closing: only a zoom window closes.
    EXPECT_FALSE(m_view->CloseZoomWindow());
    EXPECT_TRUE(second->CloseZoomWindow());
    AfxPumpMessages();
    EXPECT_EQ(ZoomView(), nullptr);
    EXPECT_EQ(ViewCount(), views);
}

TEST_F(ZoomWindows, TheTimerOpensTheWindowOfTheSettingOrOfItsOwnFactor)
{
    m_app->m_appDraw.zoomWindowMode = 0;
    const double zoom = m_view->m_zoom;
    m_app->m_pMainFrame->m_zoomWindowKind = -1;
    m_app->m_pMainFrame->StartTimer(15, 300);
    Services().Advance(300);
    AfxPumpMessages();
    ASSERT_NE(ZoomView(), nullptr);
    EXPECT_DOUBLE_EQ(ZoomView()->m_zoom, 4 * zoom);
    EXPECT_FALSE(Services().IsTimerActive(m_app->m_pMainFrame, 15));

    m_app->m_activeView = m_view;
    m_app->m_pMainFrame->m_zoomWindowKind = 1500;
    m_app->m_pMainFrame->StartTimer(15, 300);
    Services().Advance(300);
    AfxPumpMessages();
    ASSERT_NE(ZoomView(), nullptr);
    EXPECT_DOUBLE_EQ(ZoomView()->m_zoom, 1500 * zoom);
    // The factor held for that one opening only.
    EXPECT_EQ(m_app->m_appDraw.zoomWindowFactor, 4);
}

TEST_F(ZoomWindows, TheZoomWindowModesOpenAboutThePointerAndEndAtOnce)
{
    m_app->m_appDraw.zoomWindowMode = 0;
    UiDriver::ShowAndActivate(m_app->m_pMainFrame);
    for (short mode : {66, 67}) {
        SCOPED_TRACE(mode);
        m_app->m_activeView = m_view;
        UiDriver::MouseMove(m_view, POINT{310, 170});
        const CPointD cursor = m_view->m_cursorWorldPoint.WorldToScreen(m_view->m_origin, m_view->m_zoom);
        const double zoom = m_view->m_zoom;
        m_app->SwitchMode(m_doc, m_view, 3, mode, 0);
        EXPECT_EQ(m_app->m_specialMode, 0);
        ASSERT_NE(ZoomView(), nullptr);
        EXPECT_DOUBLE_EQ(ZoomView()->m_zoom, 4 * zoom);
        // The window enlarges the pointer's place, taken in whole logical units.
        EXPECT_EQ(ZoomView()->m_zoomAnchor.m_x, std::trunc(cursor.m_x));
        EXPECT_EQ(ZoomView()->m_zoomAnchor.m_y, std::trunc(cursor.m_y));
        ZoomView()->CloseZoomWindow();
        AfxPumpMessages();
    }
}

TEST_F(ZoomWindows, ASmallWindowCentresThePressPointAndIsPlacedBesideIt)
{
    m_app->m_appDraw.zoomWindowMode = 1;
    CFrameWnd* frame = m_view->GetParentFrame();
    WINDOWPLACEMENT place{};
    frame->GetWindowPlacement(&place);
    place.showCmd = SW_SHOWNORMAL;
    place.rcNormalPosition = RECT{0, 100, 800, 600};
    frame->SetWindowPlacement(&place);
    AfxPumpMessages();
    ASSERT_FALSE(frame->IsZoomed());
    const CPointD press = AtPixel(m_view, 60, 60);
    const CPointD logical = press.WorldToScreen(m_view->m_origin, m_view->m_zoom);
    m_view->m_pressLogicalPoint = P(std::trunc(logical.m_x), std::trunc(logical.m_y));
    const CPointD pressed = m_view->m_pressLogicalPoint.ScreenToWorld(m_view->m_origin, m_view->m_zoom);
    const double zoom = m_view->m_zoom;
    ASSERT_TRUE(m_view->OpenZoomWindow());
    CZelkView* small = ZoomView();
    ASSERT_NE(small, nullptr);
    EXPECT_FALSE(small->GetParentFrame()->IsZoomed());
    EXPECT_DOUBLE_EQ(small->m_zoom, 4 * zoom);
    EXPECT_DOUBLE_EQ(small->m_centre.m_x, pressed.m_x);
    EXPECT_DOUBLE_EQ(small->m_centre.m_y, pressed.m_y);
    WINDOWPLACEMENT placement{};
    small->GetParentFrame()->GetWindowPlacement(&placement);
    const RECT& r = placement.rcNormalPosition;
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 200);
    // Right of the press point (60, 160 in the client of the frames), level with it.
    EXPECT_GT(r.left, 60);
    EXPECT_LT(r.top, 160);
    EXPECT_GT(r.bottom, 160);
}

TEST(ZoomWindowPlacement, TheSmallWindowAvoidsThePressPointOrStaysInside)
{
    const RECT frame{0, 0, 800, 600};
    struct Case {
        POINT device;
        int keepInside;
        RECT expected;
    } cases[] = {
        // Room on the right: beside the point.
        {{200, 200}, 0, {200 - 100 + 5 + 125, 200 - 100 + 26, 200 + 100 + 5 + 125, 200 + 100 + 26}},
        // Near the top right corner: no room right, so left of the point.
        {{700, 150}, 0, {700 - 100 + 5 - 125, 150 - 100 + 26, 700 + 100 + 5 - 125, 150 + 100 + 26}},
        // Nowhere strictly inside: the corner of the frame.
        {{400, 300}, 0, {0, 0, 205, 226}},
        // Kept inside: shifted in by the excess at the bottom right.
        {{750, 580}, 1, {800 - 200, 600 - 200, 800, 600}},
        {{10, 10}, 1, {0, 0, 200, 200}},
    };
    for (const Case& c : cases) {
        const RECT frameForCase = c.device.x == 400 ? RECT{0, 0, 300, 300} : frame;
        const RECT r = CZelkView::PlaceSmallZoomWindow(POINT{0, 0}, c.device, 100, c.keepInside, frameForCase);
        EXPECT_EQ(r.left, c.expected.left) << c.device.x;
        EXPECT_EQ(r.top, c.expected.top) << c.device.x;
        EXPECT_EQ(r.right, c.expected.right) << c.device.x;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.device.x;
    }
}

TEST_F(ZoomWindows, ANewWindowShowsTheWholeDrawing)
{
    // A window wider than high, from a frame that is not maximised.
    m_app->m_appDraw.m_newWindowWidth = 600;
    m_app->m_appDraw.m_newWindowHeight = 300;
    ASSERT_FALSE(m_view->GetParentFrame()->IsZoomed());
    const int views = ViewCount();
    m_view->OnWindowNew();
    ASSERT_EQ(ViewCount(), views + 1);
    auto* added = static_cast<CZelkView*>(m_app->m_drawingViews[views]);
    AfxPumpMessages();
    EXPECT_EQ(added->m_viewKind, 1);
    EXPECT_EQ(added->m_document, m_doc);
    EXPECT_EQ(std::string(added->m_messageText.Left(14).GetString()), "全表示しました");
    WINDOWPLACEMENT placement{};
    added->GetParentFrame()->GetWindowPlacement(&placement);
    EXPECT_EQ(placement.rcNormalPosition.right - placement.rcNormalPosition.left, 600);
    EXPECT_EQ(placement.rcNormalPosition.bottom - placement.rcNormalPosition.top, 300);
    // The whole drawing fits the window's real client area.
    const RECT r = added->m_clientRectLogical;
    EXPECT_GT(std::abs(r.right - r.left), std::abs(r.bottom - r.top));
}

// ---- a user's navigation -----------------------------------------------------------------

TEST_F(ZoomWindows, AUserZoomsPansAndStepsBackWithMouseAndKeys)
{
    m_doc->AddCircle(P(0, 0), 50, 0, m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    m_doc->ComputeExtents();
    m_view->ShowAll();
    AfxPumpMessages();
    const double all = m_view->m_zoom;

    // A Shift drag up and to the right zooms to the rectangle.
    LeftDrag(POINT{100, 200}, POINT{300, 100}, true);
    AfxPumpMessages();
    EXPECT_GT(m_view->m_zoom, all);
    EXPECT_EQ(std::string(m_view->m_messageText.Left(11).GetString()), "図形拡大率 ");
    const double zoomed = m_view->m_zoom;

    // A drag to the left that stays level shows all; one 25 pixels up goes forward in the
    // history, one 26 down goes back.
    Services().Advance(3000);
    LeftDrag(POINT{300, 200}, POINT{100, 210}, true);
    EXPECT_DOUBLE_EQ(m_view->m_zoom, all);
    Services().Advance(3000);
    LeftDrag(POINT{300, 200}, POINT{100, 226}, true);
    EXPECT_EQ(std::string(m_view->m_messageText.Left(10).GetString()), "前画面 - 1");
    EXPECT_DOUBLE_EQ(m_view->m_zoom, zoomed);
    LeftDrag(POINT{300, 200}, POINT{100, 175}, true);
    EXPECT_EQ(std::string(m_view->m_messageText.Left(10).GetString()), "前画面 - 0");
    EXPECT_DOUBLE_EQ(m_view->m_zoom, all);

    // Page Down zooms out about the pointer; Right pans one scroll line.
    UiDriver::MouseMove(m_view, POINT{250, 150});
    AfxPumpMessages();
    const CPointD pointer = m_view->m_cursorWorldPoint;
    Services().Advance(3000);
    KeyToDispatcher(m_view, 34);
    EXPECT_DOUBLE_EQ(m_view->m_zoom, all / 5);
    const CPointD shown = pointer.WorldToScreen(m_view->m_origin, m_view->m_zoom);
    const CPointD pixel = AtPixel(m_view, 250, 150).WorldToScreen(m_view->m_origin, m_view->m_zoom);
    EXPECT_NEAR(shown.m_x, pixel.m_x, 6);
    const int x = m_view->m_scrollPos.x;
    KeyToDispatcher(m_view, 39);
    EXPECT_EQ(m_view->m_scrollPos.x, x + m_view->m_lineSize.x);
    Services().Advance(200);
    AfxPumpMessages();

    // Shift+F6 keeps this screen; F6 from another window brings it back, maximised.
    KeyToDispatcher(m_view, 117, true);
    EXPECT_EQ(m_view->m_messageText, CString("この画面を記憶しました"));
    const double kept = m_view->m_zoom;
    m_view->OnWindowNew();
    AfxPumpMessages();
    auto* other = static_cast<CZelkView*>(m_app->m_drawingViews[m_app->m_drawingViews.GetSize() - 1]);
    ASSERT_NE(other, m_view);
    Services().Advance(3000);
    KeyToDispatcher(m_view, 33);
    EXPECT_NE(m_view->m_zoom, kept);
    KeyToDispatcher(other, 117);
    AfxPumpMessages();
    EXPECT_DOUBLE_EQ(m_view->m_zoom, kept);
    EXPECT_TRUE(m_view->GetParentFrame()->IsZoomed());
}


// The same steps as a user makes them: presses, moves and keys arrive as window events and go
// through the view's button handlers and key filter.
TEST_F(ZoomWindows, RealButtonsAndKeysReachTheNavigation)
{
    ShowACircleInTheActiveWindow();
    const double all = m_view->m_zoom;

    auto drag = [&](POINT from, POINT to) { UserDrag(from, to, UiDriver::Left, UiDriver::Shift); };
    // A Shift drag up and to the right zooms to the rectangle.
    drag(POINT{100, 200}, POINT{300, 100});
    EXPECT_GT(m_view->m_zoom, all);
    EXPECT_EQ(std::string(m_view->m_messageText.Left(11).GetString()), "図形拡大率 ");
    const double zoomed = m_view->m_zoom;
    // Leftward and level: everything; 26 pixels down goes back in the history, exactly 25 up
    // forward again.
    Services().Advance(3000);
    drag(POINT{300, 200}, POINT{100, 210});
    EXPECT_DOUBLE_EQ(m_view->m_zoom, all);
    Services().Advance(3000);
    drag(POINT{300, 200}, POINT{100, 226});
    EXPECT_EQ(std::string(m_view->m_messageText.Left(10).GetString()), "前画面 - 1");
    EXPECT_DOUBLE_EQ(m_view->m_zoom, zoomed);
    drag(POINT{300, 200}, POINT{100, 175});
    EXPECT_EQ(std::string(m_view->m_messageText.Left(10).GetString()), "前画面 - 0");
    EXPECT_DOUBLE_EQ(m_view->m_zoom, all);

    // Page Down zooms out; Right pans one scroll line.
    UiDriver::MouseMove(m_view, POINT{250, 150});
    UiDriver::Pump();
    Services().Advance(3000);
    UiDriver::Key(VK_NEXT);
    UiDriver::Pump();
    EXPECT_DOUBLE_EQ(m_view->m_zoom, all / 5);
    const int x = m_view->m_scrollPos.x;
    UiDriver::Key(VK_RIGHT);
    UiDriver::Pump();
    EXPECT_EQ(m_view->m_scrollPos.x, x + m_view->m_lineSize.x);

    // Shift+F6 keeps this screen.
    Services().Advance(200);
    UiDriver::Key(VK_F6, UiDriver::Shift);
    UiDriver::Pump();
    EXPECT_EQ(m_view->m_messageText, CString("この画面を記憶しました"));
    const double kept = m_view->m_zoom;

    // Page Up changes the screen; F6 pressed in another window of the drawing brings the kept
    // screen back, maximised.
    Services().Advance(3000);
    UiDriver::Key(VK_PRIOR);
    UiDriver::Pump();
    EXPECT_NE(m_view->m_zoom, kept);
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_app->m_pMainFrame, "ウィンドウ(&W)"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("新しいウィンドウを開く(&N)"));
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_drawingViews.GetSize(), 2);
    auto* other = static_cast<CZelkView*>(m_app->m_drawingViews[1]);
    ASSERT_NE(other, m_view);
    EXPECT_EQ(other->m_document, m_doc);
    // Side by side, as the window menu lays them.
    ASSERT_TRUE(UiDriver::ClickMenuBar(m_app->m_pMainFrame, "ウィンドウ(&W)"));
    ASSERT_TRUE(UiDriver::ClickMenuItem("並べて表示(&T)"));
    UiDriver::Pump();
    // The user brings the other window up by its title bar's maximise button.
    ASSERT_TRUE(UiDriver::ClickTitleButton(static_cast<CMDIChildWnd*>(other->GetParentFrame()),
                                           UiDriver::MaximizeButton));
    UiDriver::Pump();
    ASSERT_EQ(m_app->m_activeView, other);
    EXPECT_FALSE(m_view->GetParentFrame()->IsZoomed());
    UiDriver::Key(VK_F6);
    UiDriver::Pump();
    EXPECT_DOUBLE_EQ(m_view->m_zoom, kept);
    EXPECT_TRUE(m_view->GetParentFrame()->IsZoomed());
}

}  // namespace

// A zoom drag without height (or width) zooms nothing and leaves both its points behind; the
// next press must start afresh instead of scrolling from the old first point, in the
// continuous screen operation as outside it, and Escape drops a click that waits for its second.
TEST_F(ZoomWindows, ALevelZoomDragLeavesNothingForTheNextPress)
{
    ShowACircleInTheActiveWindow();

    struct Case {
        const char* name;
        int insertPresses;  // 0 no screen operation, 2 the continuous one
    };
    for (const Case& c : {Case{"shift drag", 0}, Case{"continuous", 2}}) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < c.insertPresses; ++i)
            UiDriver::Key(VK_INSERT);
        UiDriver::Pump();
        ASSERT_EQ(m_app->m_specialMode, c.insertPresses ? 53 : 0);
        const double zoom = m_view->m_zoom;
        const POINT scroll = m_view->m_scrollPos;

        UserDrag(POINT{100, 200}, POINT{300, 200}, UiDriver::Left, UiDriver::Shift);
        EXPECT_DOUBLE_EQ(m_view->m_zoom, zoom);

        // The next press is a first point (in the mode) or an ordinary click (outside it).
        UiDriver::Click(m_view, POINT{400, 300});
        UiDriver::Pump();
        EXPECT_EQ(m_view->m_scrollPos.x, scroll.x);
        EXPECT_EQ(m_view->m_scrollPos.y, scroll.y);
        EXPECT_DOUBLE_EQ(m_view->m_zoom, zoom);
        EXPECT_EQ(m_app->m_screenOperation->state, c.insertPresses ? 1 : 0);

        // Escape ends the mode and drops the waiting click: a later click is a click.
        UiDriver::Key(VK_ESCAPE);
        UiDriver::Pump();
        EXPECT_EQ(m_app->m_specialMode, 0);
        EXPECT_EQ(m_app->m_screenOperation->state, 0);
        UiDriver::Click(m_view, POINT{200, 100}, UiDriver::Right);
        UiDriver::Pump();
        EXPECT_EQ(m_view->m_scrollPos.x, scroll.x);
        EXPECT_EQ(m_view->m_scrollPos.y, scroll.y);
        Services().Advance(3000);
    }
}

// The middle button's drags are the same gestures without the mode: up and to the right zooms
// in, leftward and level shows everything.
TEST_F(ZoomWindows, MiddleButtonDragsZoomAndShowAll)
{
    ShowACircleInTheActiveWindow();
    const double all = m_view->m_zoom;
    UserDrag(POINT{100, 200}, POINT{300, 100}, UiDriver::Middle);
    EXPECT_GT(m_view->m_zoom, all);
    Services().Advance(3000);
    UserDrag(POINT{300, 200}, POINT{100, 205}, UiDriver::Middle);
    EXPECT_DOUBLE_EQ(m_view->m_zoom, all);
    EXPECT_EQ(m_app->m_screenOperation->state, 0);
}

// In the screen operation (Insert) plain drags of either button are its gestures, and one
// gesture ends the mode.
TEST_F(ZoomWindows, TheScreenOperationTakesPlainDragsOfEitherButton)
{
    ShowACircleInTheActiveWindow();

    struct Case {
        UiDriver::Button button;
        POINT to;
        bool zoomsIn;
    };
    // The right button's gesture clears the status, so that the next Insert starts the mode
    // afresh instead of making it continuous.
    for (const Case& c : {Case{UiDriver::Right, POINT{300, 300}, false}, Case{UiDriver::Left, POINT{300, 100}, true}}) {
        SCOPED_TRACE(c.button);
        UiDriver::Key(VK_INSERT);
        UiDriver::Pump();
        ASSERT_EQ(m_app->m_specialMode, 53);
        const double zoom = m_view->m_zoom;
        const POINT from{100, 200};
        UserDrag(from, c.to, c.button);
        if (c.zoomsIn)
            EXPECT_GT(m_view->m_zoom, zoom);
        else
            EXPECT_LT(m_view->m_zoom, zoom);
        EXPECT_EQ(std::string(m_view->m_messageText.Left(11).GetString()), "図形拡大率 ");
        EXPECT_EQ(m_app->m_specialMode, 0);
        EXPECT_EQ(m_app->m_screenOperation->state, 0);
        Services().Advance(3000);
    }
}

// With ZELK_NAVIGATION_SCREENSHOTS naming a path prefix, the main window is saved as PNG files
// after each step of a user's zooming and panning; skipped otherwise.
TEST_F(ZoomWindows, ScreenshotsOfZoomAndPan)
{
    const char* prefix = std::getenv("ZELK_NAVIGATION_SCREENSHOTS");
    if (!prefix)
        GTEST_SKIP() << "ZELK_NAVIGATION_SCREENSHOTS not set";
    const std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    for (int i = 0; i <= 10; ++i) {
        m_doc->AddLine(P(-100, -100 + 20 * i), P(100, -100 + 20 * i), 0, pen);
        m_doc->AddLine(P(-100 + 20 * i, -100), P(-100 + 20 * i, 100), 0, pen);
    }
    m_doc->AddCircle(P(60, 40), 5, 0, pen);
    ShowACircleInTheActiveWindow();
    // The pans scroll when the frame's short timer fires.
    auto shot = [&](const char* step) {
        UiDriver::Pump();
        Services().Advance(300);
        UiDriver::Pump();
        EXPECT_TRUE(UiDriver::SaveScreenshot(m_app->m_pMainFrame, (std::string(prefix) + step + ".png").c_str()));
    };
    shot("1-all");
    UserDrag(POINT{300, 250}, POINT{500, 150}, UiDriver::Left, UiDriver::Shift);
    shot("2-zoomed");
    Services().Advance(3000);
    for (int i = 0; i < 3; ++i)
        UiDriver::Key(VK_RIGHT);
    UiDriver::Key(VK_DOWN);
    shot("3-panned");
    Services().Advance(3000);
    UiDriver::MouseMove(m_view, POINT{200, 200});
    UiDriver::Key(VK_NEXT);
    shot("4-zoomed-out");
    Services().Advance(3000);
    UiDriver::Key(VK_BACK);
    shot("5-previous");
}
