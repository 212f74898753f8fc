// The application's navigation input: screen-operation drags classified in device pixels, the
// show-all, zoom, pan and saved-screen keys, and the start of box selection.
#include <gtest/gtest.h>

#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "input/SavedScreen.h"
#include "input/ScreenOperation.h"
#include "platform/core/Services.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "tests/support/InputTape.h"
#include "view/ZelkView.h"

#include <memory>
#include <string>

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// A tape whose application has the screen operation and the saved screens of a started one.
class NavigationTape : public CInputTape {
public:
    NavigationTape()
    {
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedServices().SetTime(1800000000);
        App().m_screenOperation = &m_operation;
        for (int i = 0; i < CZelkApp::kSavedScreenCount; ++i)
            App().m_savedScreens[i] = &m_saved[i];
        View().m_clientRectLogical = RECT{0, 0, 1000, -600};
    }
    ~NavigationTape()
    {
        App().m_screenOperation = nullptr;
        for (CSavedScreen*& s : App().m_savedScreens)
            s = nullptr;
    }
    // The world point shown at a device pixel of the view.
    CPointD AtPixel(int x, int y)
    {
        POINT p{x, y};
        CClientDC dc(&View());
        View().OnPrepareDC(&dc);
        dc.DPtoLP(&p);
        return Pt(p.x, p.y).ScreenToWorld(View().m_origin, View().m_zoom);
    }
    // A Shift+left drag from the pixel (500, 300) by (dx, dy) pixels, y growing downward.
    void ShiftDrag(int dx, int dy)
    {
        Hold(true, false);
        Button(1, AtPixel(500, 300));
        View().m_leftDragged = 1;
        Button(2, AtPixel(500 + dx, 300 + dy));
        Hold(false, false);
    }
    void AdvanceSeconds(int s) { DefaultScriptedServices().Advance(static_cast<DWORD>(s * 1000)); }

    CScreenOperation m_operation;
    CSavedScreen m_saved[CZelkApp::kSavedScreenCount];
};

bool StartsWith(const CString& text, const char* prefix)
{
    return std::string(text.GetString()).rfind(prefix, 0) == 0;
}

}  // namespace

TEST(ScreenOperationInput, DragsAreToldApartByTheirDirectionInPixels)
{
    struct Case {
        int dx, dy;
        const char* outcome;
    } cases[] = {
        {200, -100, "zoom in"}, {200, 100, "zoom out"},
        // A purely vertical drag counts as one to the right; its rectangle has no width, so
        // the continuous operation keeps its points and waits.
        {0, -100, "gesture 1"}, {0, 100, "gesture 2"},
        {-200, 0, "all"},       {-200, 25, "all"},      {-200, -24, "all"},
        {-200, -25, "forward"}, {-200, 26, "back"},
    };
    for (const Case& c : cases) {
        NavigationTape tape;
        CZelkView& view = tape.View();
        // Two screens in the history, the newer shown.
        view.m_zoom = 2;
        view.PushPreviousScreen();
        tape.AdvanceSeconds(3);
        view.m_zoom = 1;
        view.PushPreviousScreen();
        tape.AdvanceSeconds(3);
        tape.App().m_specialMode = 53;
        const std::string outcome = c.outcome;
        tape.App().m_specialRepeat = outcome.rfind("gesture", 0) == 0 ? 1 : 0;
        tape.ShiftDrag(c.dx, c.dy);
        const std::string what = std::to_string(c.dx) + "," + std::to_string(c.dy);
        if (outcome == "zoom in") {
            EXPECT_GT(view.m_zoom, 1) << what;
            EXPECT_TRUE(StartsWith(view.m_messageText, "図形拡大率 ")) << what;
        } else if (outcome == "zoom out") {
            EXPECT_LT(view.m_zoom, 1) << what;
        } else if (outcome.rfind("gesture", 0) == 0) {
            EXPECT_EQ(tape.m_operation.gesture, outcome.back() - '0') << what;
            EXPECT_EQ(tape.m_operation.state, 3) << what;
            EXPECT_EQ(view.m_zoom, 1) << what;
            continue;
        } else if (outcome == "all") {
            EXPECT_TRUE(StartsWith(view.m_messageText, "全表示しました")) << what;
        } else if (outcome == "forward") {
            EXPECT_TRUE(StartsWith(view.m_messageText, "前画面 - 0 ")) << what;
        } else {
            EXPECT_TRUE(StartsWith(view.m_messageText, "前画面 - 1 ")) << what;
            EXPECT_EQ(view.m_zoom, 2) << what;
        }
        // One use ends the special mode; the operation is idle again.
        EXPECT_EQ(tape.App().m_specialMode, 0) << what;
        EXPECT_EQ(tape.m_operation.state, 0) << what;
    }
}

TEST(ScreenOperationInput, AClickWaitsForASecondPointThatScrolls)
{
    NavigationTape tape;
    CZelkApp& app = tape.App();
    app.m_specialMode = 53;
    app.m_specialRepeat = 1;
    tape.Hold(true, false);
    tape.Button(1, Pt(10, 10));
    tape.Button(2, Pt(10, 10));
    // The click's release shows the second step's texts and the segment to the pointer.
    EXPECT_EQ(tape.m_operation.state, 1);
    EXPECT_EQ(tape.m_operation.m_prompt, CString("[スクロール/拡大窓] スクロール先の点 or 同一点の入力で拡大窓"));
    EXPECT_EQ(tape.Doc().m_previewKind, 14);
    EXPECT_EQ(tape.Doc().m_previewPointA.m_x, 10);
    tape.View().m_scrollPos = POINT{1000, -1000};
    tape.Button(1, Pt(60, 10));
    EXPECT_EQ(tape.View().m_scrollPos.x, 950);
    EXPECT_EQ(app.m_lastStatus, 18);
    // The continuous setting keeps the mode.
    EXPECT_EQ(app.m_specialMode, 53);
}

TEST(ScreenOperationInput, KeysZoomPanAndStepThroughTheHistory)
{
    NavigationTape tape;
    CZelkView& view = tape.View();
    view.UpdateScrollSizes();
    view.CenterScrollPosition();
    view.m_cursorWorldPoint = Pt(100, 50);
    tape.App().m_specialMode = 53;
    tape.Key(34);   // Page Down
    EXPECT_DOUBLE_EQ(view.m_zoom, 0.2);
    EXPECT_EQ(view.m_screenHistory.GetSize(), 1);
    EXPECT_EQ(tape.App().m_specialMode, 0);
    tape.AdvanceSeconds(3);
    const int x = view.m_scrollPos.x;
    tape.Key(39);   // Right
    EXPECT_EQ(view.m_scrollPos.x, x + 50);
    EXPECT_EQ(view.m_screenHistory.GetSize(), 2);
    tape.AdvanceSeconds(3);
    tape.Key(33);   // Page Up
    EXPECT_DOUBLE_EQ(view.m_zoom, 1);
    tape.AdvanceSeconds(3);
    tape.Key(8);    // Backspace: back to before Page Up
    EXPECT_EQ(view.m_historyIndex, 1);
    EXPECT_DOUBLE_EQ(view.m_zoom, 0.2);
    EXPECT_EQ(view.m_scrollPos.x, x + 50);
    tape.Hold(true, false);
    tape.Key(8);    // Shift+Backspace: forward again
    EXPECT_EQ(view.m_historyIndex, 0);
    EXPECT_DOUBLE_EQ(view.m_zoom, 1);
}

TEST(ScreenOperationInput, HomeTwiceRecomputesTheExtents)
{
    NavigationTape tape;
    CZelkApp& app = tape.App();
    tape.Doc().m_extents.Init(0, 100, 200, 0);
    tape.Key(36);
    EXPECT_EQ(app.m_lastStatus, 8);
    const double zoom = tape.View().m_zoom;
    // The drawing is empty: the second press computes its extents anew and shows them.
    tape.Key(36);
    EXPECT_EQ(app.m_lastStatus, 0);
    EXPECT_NE(tape.View().m_zoom, zoom);
    // Shift shows the drawing's origin at zoom 1.
    tape.Hold(true, false);
    tape.Key(36);
    EXPECT_EQ(tape.View().m_zoom, 1);
    EXPECT_EQ(tape.View().m_centre.m_x, 0);
}

TEST(ScreenOperationInput, SavedScreensComeBackInTheirOwnView)
{
    NavigationTape tape;
    CZelkApp& app = tape.App();
    CZelkView& first = tape.View();
    // Nothing stored yet: F7 does nothing.
    tape.Key(118);
    EXPECT_EQ(first.m_zoom, 1);

    first.m_zoom = 3;
    first.m_centre = Pt(5, 6);
    tape.Hold(true, false);
    tape.Key(117);   // Shift+F6
    EXPECT_EQ(first.m_messageText, CString("この画面を記憶しました"));
    EXPECT_EQ(tape.m_saved[0].view, &first);
    tape.Hold(false, false);

    auto second = std::make_unique<CZelkView>();
    tape.Doc().AddView(second.get());
    first.m_zoom = 1;
    first.m_centre = Pt(0, 0);
    app.m_lastKey = 117;
    app.DispatchCommand(&tape.Doc(), second.get(), 7);   // F6 in the second window
    EXPECT_EQ(first.m_zoom, 3);
    EXPECT_EQ(first.m_centre.m_y, 6);
    EXPECT_EQ(second->m_zoom, 1);
    tape.Doc().RemoveView(second.get());
}

TEST(ScreenOperationInput, ABoxSelectionStartsOnlyBeyondTheThreshold)
{
    struct Case {
        int mode;
        bool symbol;
    } cases[] = {{1, false}, {1, true}, {3, false}, {3, true}};
    for (const Case& c : cases) {
        NavigationTape tape;
        CZelkApp& app = tape.App();
        CZelkDoc& doc = tape.Doc();
        app.m_appFind.boxSelectionMode = static_cast<short>(c.mode);
        app.m_appElem.m_creationEnv = 0;
        app.m_appElem.m_layerCondition = 2;
        CZelkDoc symbol;
        symbol.m_bAutoDelete = FALSE;
        app.m_symbolDoc = c.symbol ? &symbol : nullptr;
        app.m_leftPressPoint = tape.AtPixel(100, 100);
        app.m_leftReleasePoint = tape.AtPixel(125, 110);
        EXPECT_FALSE(app.StartBoxSelection(&doc, &tape.View(), 1));
        EXPECT_EQ(doc.m_groupProcessing, 0);
        app.m_leftReleasePoint = tape.AtPixel(100, 126);
        ASSERT_TRUE(app.StartBoxSelection(&doc, &tape.View(), 1)) << c.mode;
        EXPECT_EQ(doc.m_groupProcessing, 1);
        EXPECT_EQ(app.m_groupProcessor->m_document, &doc);
        EXPECT_EQ(app.m_savedLayerCondition, 2);
        EXPECT_EQ(doc.m_deformMode, c.mode == 3 ? 1 : 0);
        const CString conditions = " 要素作成条件を [選択要素の環境で作成] [同レイヤに作成] に設定。";
        const CString entered = c.mode == 3 ? "変形モードに入りました。グループと寸法線の選択ではメンバ要素が選ばれます。"
                                            : "箱選択で群処理モードに入りました。";
        EXPECT_EQ(app.m_lastMessage, c.symbol ? entered : entered + conditions) << c.mode;
        // A pending symbol keeps the layer condition, and in the deform mode the environment.
        EXPECT_EQ(app.m_appElem.m_layerCondition, c.symbol ? 2 : 1) << c.mode;
        EXPECT_EQ(app.m_appElem.m_creationEnv, c.symbol && c.mode == 3 ? 0 : 1) << c.mode;
        app.m_symbolDoc = nullptr;
    }
}

TEST(ScreenOperationInput, EndingTheDeformSelectionGoesBackToInsideSelection)
{
    NavigationTape tape;
    CZelkApp& app = tape.App();
    // Any other box-selection mode is left alone.
    app.m_appFind.boxSelectionMode = 2;
    tape.Doc().m_deformMode = 1;
    app.EndTransformMode();
    EXPECT_EQ(app.m_appFind.boxSelectionMode, 2);
    EXPECT_EQ(tape.Doc().m_deformMode, 1);

    app.m_appFind.boxSelectionMode = 3;
    app.m_groupProcessor->m_moveFlag = 1;
    app.EndTransformMode();
    EXPECT_EQ(app.m_appFind.boxSelectionMode, 1);
    EXPECT_EQ(tape.Doc().m_deformMode, 0);
    EXPECT_EQ(app.m_groupProcessor->modePattern, CString("PP"));
    EXPECT_EQ(app.m_groupProcessor->m_moveFlag, 0);
}
