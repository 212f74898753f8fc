// A user's buttons and keys on the started program's drawing view: what reaches the command
// dispatcher, in which order, and what is swallowed.
#include "app/MainFrame.h"
#include "app/ZelkCntrItem.h"
#include "app/ZelkApp.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Curves.h"
#include "input/InputBar.h"
#include "platform/core/Services.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/UiDriver.h"
#include "view/ZelkOleObj.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The application as the view sees it: every code the view hands over is noted, then served.
class CCodeApp : public CZelkApp {
public:
    std::vector<int> m_codes;
    std::vector<int> m_keys;  // the key word of each code 7
    bool m_serve = true;
    BOOL DispatchCommand(CZelkDoc* doc, CZelkView* view, int code) override
    {
        m_codes.push_back(code);
        if (code == 7)
            m_keys.push_back(m_lastKey);
        return m_serve ? CZelkApp::DispatchCommand(doc, view, code) : TRUE;
    }
};

class CNumericBar : public CInputBar {
public:
    std::vector<int> m_numeric;
    void EnterNumericMode(int virtualKey) override { m_numeric.push_back(virtualKey); }
};

class ViewButtons : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        PrepareProgramFolderForStart();
        m_app = new CCodeApp;
        ASSERT_TRUE(m_app->InitInstance());
        m_bar = new CNumericBar;
        delete m_app->m_inputBar;
        m_app->m_inputBar = m_bar;
        UiDriver::ShowAndActivate(m_app->m_pMainFrame);
        m_view = m_app->m_activeView;
        ASSERT_NE(m_view, nullptr);
        ASSERT_EQ(m_view->m_active, 1);
        // The view takes the keyboard as after a click into it.
        UiDriver::Click(m_view, kAt, UiDriver::Left);
        m_app->m_codes.clear();
    }
    void TearDown() override
    {
        UiResetKeyState();
        StopApplication(m_app);
    }
    std::vector<int> Codes()
    {
        std::vector<int> codes = m_app->m_codes;
        m_app->m_codes.clear();
        return codes;
    }

    static constexpr POINT kAt{120, 90};
    CCodeApp* m_app = nullptr;
    CNumericBar* m_bar = nullptr;
    CZelkView* m_view = nullptr;
};

TEST_F(ViewButtons, DoubleClicksDispatchTheirCodesAndSwallowWhatBelongsToThem)
{
    UiDriver::DoubleClick(m_view, kAt, UiDriver::Left);
    EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 5}));  // the release after the double-click: nothing
    EXPECT_EQ(m_app->m_leftButtonDown, 0);
    EXPECT_EQ(m_app->m_skipLeftUp, 0);
    EXPECT_EQ(m_app->m_leftDoubleClicked, 1);  // the swallowed release leaves it for the next one

    struct Case {
        const char* what;
        UiDriver::Button button;
        UINT modifiers;
        UiDriver::Button next;
        std::vector<int> codes;      // of the double-click
        std::vector<int> nextCodes;  // of the click after it
    } cases[] = {
        {"left with Shift", UiDriver::Left, UiDriver::Shift, UiDriver::Right, {1, 2, 11, 2}, {4}},
        {"right with Shift", UiDriver::Right, UiDriver::Shift, UiDriver::Middle, {3, 4, 11, 4}, {10}},
        {"middle", UiDriver::Middle, UiDriver::NoModifier, UiDriver::Left, {9, 10, 11, 10}, {2}},
        {"middle with Shift", UiDriver::Middle, UiDriver::Shift, UiDriver::Middle, {9, 10, 11, 10}, {10}},
        {"left with Shift and Ctrl", UiDriver::Left, UiDriver::Shift | UiDriver::Control, UiDriver::Left, {1, 2, 5}, {1, 2}},
        {"right", UiDriver::Right, UiDriver::NoModifier, UiDriver::Right, {3, 4, 6, 4}, {3, 4}},
    };
    m_app->m_serve = false;  // the codes alone, without the commands they would start
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UiDriver::DoubleClick(m_view, kAt, c.button, c.modifiers);
        EXPECT_EQ(Codes(), c.codes);
        // A double-click sent as 11 swallows the next press of any button; its release is
        // still the view's.
        UiDriver::Click(m_view, kAt, c.next);
        EXPECT_EQ(Codes(), c.nextCodes);
        EXPECT_EQ(m_app->m_skipNextButtonDown, 0);
        EXPECT_EQ(m_app->m_middleButtonDown, 0);
    }
}

TEST_F(ViewButtons, ShiftPressAnnouncesTheZoomGesturesAndPressesReachOnlyTheActiveView)
{
    m_app->m_serve = false;
    UiDriver::MouseDown(m_view, kAt, UiDriver::Left, UiDriver::Shift);
    EXPECT_EQ(m_view->m_messageText, CString("右上ドラッグで拡大、左下で前画面、 左で全表示、点入力でスクロール/拡大窓 です"));
    EXPECT_EQ(m_app->m_leftButtonDown, 1);
    UiDriver::MouseUp(m_view, kAt, UiDriver::Left, UiDriver::Shift);
    EXPECT_EQ(Codes(), (std::vector<int>{1, 2}));
    // The press point is in world coordinates, and the pick rectangle about its logical point.
    CPointD logical, world;
    m_view->ClientToWorld(CPoint(kAt.x, kAt.y), logical, world);
    EXPECT_EQ(m_app->m_leftPressPoint.m_x, world.m_x);
    EXPECT_EQ(m_app->m_leftPressPoint.m_y, world.m_y);
    const int x = static_cast<int>(logical.m_x), y = static_cast<int>(logical.m_y);
    EXPECT_EQ(m_view->m_pickRect.left, x - 20);
    EXPECT_EQ(m_view->m_pickRect.top, y + 20);
    EXPECT_EQ(m_view->m_pickRect.right, x + 20);
    EXPECT_EQ(m_view->m_pickRect.bottom, y - 20);

    // Not the active view: no button does anything.
    m_view->m_active = 0;
    UiDriver::Click(m_view, kAt, UiDriver::Middle);
    UiDriver::DoubleClick(m_view, kAt, UiDriver::Left);
    EXPECT_TRUE(Codes().empty());
    EXPECT_EQ(m_app->m_middleButtonDown, 0);
    m_view->m_active = 1;
}

TEST_F(ViewButtons, AReleaseInAnotherViewThanThePressDispatchesNothing)
{
    m_app->m_serve = false;
    CZelkDoc* doc = m_view->m_document;
    // A second window of the drawing, over the first.
    CFrameWnd* frame = m_app->m_pDocTemplate->CreateNewFrame(doc, nullptr);
    ASSERT_NE(frame, nullptr);
    m_app->m_pDocTemplate->InitialUpdateFrame(frame, doc, TRUE);
    UiDriver::Pump();
    CZelkView* other = nullptr;
    for (CZelkView* v : doc->GetViews())
        if (v != m_view)
            other = v;
    ASSERT_NE(other, nullptr);

    struct Case {
        const char* what;
        UiDriver::Button button;
        int pressCode;
        const std::int32_t* down;
        void (CZelkView::*release)(UINT, CPoint);
    } cases[] = {
        {"left", UiDriver::Left, 1, &m_app->m_leftButtonDown, &CZelkView::OnLButtonUp},
        {"right", UiDriver::Right, 3, &m_app->m_rightButtonDown, &CZelkView::OnRButtonUp},
        {"middle", UiDriver::Middle, 9, &m_app->m_middleButtonDown, &CZelkView::OnMButtonUp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_view->m_active = 0;
        other->m_active = 1;
        Codes();
        UiDriver::MouseDown(other, kAt, c.button);
        EXPECT_EQ(Codes(), (std::vector<int>{c.pressCode}));
        EXPECT_EQ(*c.down, 1);
        // The button comes up in the first window, made the active one meanwhile (the window
        // layer's capture keeps such a release in the pressed window, so it is handed over here).
        other->m_active = 0;
        m_view->m_active = 1;
        (m_view->*c.release)(0, CPoint(kAt.x, kAt.y));
        EXPECT_TRUE(Codes().empty());
        EXPECT_EQ(*c.down, 0);
        UiDriver::MouseUp(other, kAt, c.button);
        Codes();
        // Pressed and released in one window, the same button dispatches both.
        m_view->m_active = 0;
        other->m_active = 1;
        UiDriver::Click(other, kAt, c.button);
        EXPECT_EQ(Codes(), (std::vector<int>{c.pressCode, c.pressCode + 1}));
    }
    frame->DestroyWindow();
    UiDriver::Pump();
    m_view->m_active = 1;
}

TEST_F(ViewButtons, APressBesideAnItemEditedInPlaceOnlyEndsThatEditing)
{
    m_app->m_serve = false;
    CZelkDoc* doc = m_view->m_document;
    auto* placed = new CZelkOleObj;
    placed->m_pDocument = doc;
    auto* item = new CZelkCntrItem(doc, placed);
    doc->m_oleItems.push_back(item);
    placed->m_itemIndex = static_cast<std::int32_t>(doc->m_oleItems.size()) - 1;
    doc->AddObject(placed);
    m_view->m_oleSelection.push_back(placed);
    // A second selected object: the press lets go of both.
    auto* other = new CZelkOleObj;
    other->m_pDocument = doc;
    other->m_itemIndex = placed->m_itemIndex;
    doc->AddObject(other);
    m_view->m_oleSelection.push_back(other);
    item->m_itemState = COleClientItem::activeState;
    item->m_pView = m_view;
    UiDriver::Click(m_view, kAt, UiDriver::Left);
    EXPECT_EQ(item->GetItemState(), COleClientItem::loadedState);
    EXPECT_TRUE(m_view->m_oleSelection.empty());
    EXPECT_EQ(m_app->m_leftButtonDown, 0);
    // No press reached the commands; the release finds no press noted.
    EXPECT_EQ(Codes(), std::vector<int>{2});
    UiDriver::Click(m_view, kAt, UiDriver::Left);
    EXPECT_EQ(Codes(), (std::vector<int>{1, 2}));
}

TEST_F(ViewButtons, ReleaseInContextHelpModeRestoresTheSavedGuidance)
{
    m_app->m_serve = false;
    m_app->m_previousPrompt = "[線分] 始点";
    m_app->m_previousHint = "始点を指示";
    m_app->m_prompt = "ヘルプ";
    m_app->m_contextHelpMode = 11;
    UiDriver::Click(m_view, kAt, UiDriver::Right);
    EXPECT_TRUE(Codes().empty());
    EXPECT_EQ(m_app->m_contextHelpMode, 0);
    EXPECT_EQ(m_app->m_prompt, CString("[線分] 始点"));
    EXPECT_EQ(m_app->m_hint, CString("始点を指示"));
}

TEST_F(ViewButtons, KeysReachTheDispatcherWithTheirKeyWords)
{
    m_app->m_serve = false;
    struct Case {
        UINT vk;
        UINT modifiers;
        BOOL repeat;
        std::vector<int> keys;  // key words dispatched with code 7
    } cases[] = {
        {VK_NUMPAD5, UiDriver::NoModifier, FALSE, {0x35}},
        {VK_OEM_PERIOD, UiDriver::NoModifier, FALSE, {0x6E}},
        {VK_OEM_1, UiDriver::NoModifier, FALSE, {0x6A}},
        {VK_DECIMAL, UiDriver::NoModifier, FALSE, {0x6E}},
        {VK_TAB, UiDriver::NoModifier, FALSE, {VK_TAB}},
        {VK_TAB, UiDriver::Control, FALSE, {}},
        {'A', UiDriver::NoModifier, FALSE, {'A'}},
        {'A', UiDriver::NoModifier, TRUE, {}},
        {'B', UiDriver::Control, FALSE, {}},  // a letter with Ctrl is the frame's shortcut
        {VK_LEFT, UiDriver::Control, FALSE, {VK_LEFT}},
        {VK_F1, UiDriver::NoModifier, FALSE, {}},
        {VK_F2, UiDriver::NoModifier, FALSE, {VK_F2}},
        {VK_F10, UiDriver::NoModifier, FALSE, {VK_F10}},
        {VK_DELETE, UiDriver::NoModifier, FALSE, {VK_DELETE}},
        {VK_ESCAPE, UiDriver::NoModifier, FALSE, {VK_ESCAPE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        m_app->m_keys.clear();
        UiDriver::KeyDown(c.vk, c.modifiers, c.repeat);
        EXPECT_EQ(m_app->m_keys, c.keys);
        UiDriver::KeyUp(c.vk, c.modifiers);
        // Every key coming up is code 8 (the modifiers' too); F10 comes up as a system key.
        const std::vector<int> codes = Codes();
        ASSERT_FALSE(codes.empty());
        EXPECT_EQ(codes.back(), c.vk == VK_F10 ? 7 : 8);
    }

    // The first press of a digit, keypad or punctuation key starts numeric input while no text
    // is being typed; a repeat does not.
    m_bar->m_currentList = 1;
    m_bar->m_numeric.clear();
    UiDriver::KeyDown('3');
    UiDriver::KeyDown('3', UiDriver::NoModifier, TRUE);
    UiDriver::KeyUp('3');
    UiDriver::KeyDown(VK_NUMPAD5);
    UiDriver::KeyUp(VK_NUMPAD5);
    UiDriver::KeyDown('Q');
    UiDriver::KeyUp('Q');
    EXPECT_EQ(m_bar->m_numeric, (std::vector<int>{0, 0}));

    // While the input box has the focus and takes a text, the view forwards nothing.
    m_bar->m_numeric.clear();
    m_bar->m_currentList = 2;
    m_app->m_pMainFrame->m_wndInputBar.m_inputBox.m_hasFocus = 1;
    m_app->m_codes.clear();
    UiDriver::KeyDown('3');
    UiDriver::KeyUp('3');
    EXPECT_TRUE(Codes().empty());
    EXPECT_TRUE(m_bar->m_numeric.empty());
    m_app->m_pMainFrame->m_wndInputBar.m_inputBox.m_hasFocus = 0;
}

TEST_F(ViewButtons, FreehandStrokeBecomesOneCurveAndOneUndoStep)
{
    CZelkDoc* doc = m_view->m_document;
    m_app->DispatchCommand(doc, m_view, 314);
    EXPECT_EQ(m_app->m_commandKind, 11);
    EXPECT_EQ(static_cast<CStatusBar*>(m_app->m_pMainFrame->GetMessageBar())->GetPaneText(0), CString("[書きなぐり線] 右ボタンを押してドラッグ"));
    const int steps = doc->m_undoHistory->GetStepCount();
    Codes();

    // Press and release at one spot: nothing.
    UiDriver::Click(m_view, kAt, UiDriver::Right);
    EXPECT_FALSE(doc->HasData());
    EXPECT_EQ(doc->m_undoHistory->GetStepCount(), steps);

    UiDriver::MouseDown(m_view, kAt, UiDriver::Right);
    UiDriver::MouseMove(m_view, POINT{kAt.x + 10, kAt.y + 5});
    UiDriver::MouseMove(m_view, POINT{kAt.x + 30, kAt.y + 20});
    UiDriver::MouseUp(m_view, POINT{kAt.x + 40, kAt.y + 40}, UiDriver::Right);
    for (int code : Codes())
        EXPECT_TRUE(code != 3 && code != 4) << code;
    EXPECT_EQ(doc->m_undoHistory->GetStepCount(), steps + 1);
    ASSERT_EQ(doc->m_curveBlocks.GetSize(), 1);
    const auto* curves = static_cast<const CCurves*>(doc->m_curveBlocks[0]);
    EXPECT_EQ(curves->m_count, 1);
    EXPECT_TRUE(m_view->m_freehandPoints.empty());
    EXPECT_EQ(m_app->m_rightButtonDown, 0);
}

} // namespace
