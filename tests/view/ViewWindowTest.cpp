// The drawing window of the started application: a drawing read from the sample file, shown
// whole, as its window's picture holds it; repaints, scroll-bar steps and the scroll-back timer.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Circles.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Ime.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/WindowSurface.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

const CPointD kCircleCentre = P(60, 30);
constexpr double kCircleRadius = 25;

// The sample: three layers, a circle, a thick blurred line and a Japanese text.
void BuildSample(CZelkDoc& doc)
{
    const std::int16_t outline = doc.FindOrCreateLayer("outline");
    const std::int16_t notes = doc.FindOrCreateLayer("notes");
    const std::int16_t thin = doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    const std::int16_t thick = doc.FindOrAddPen(0, 30, RGB(0, 0, 160), 3, 70);
    doc.AddCircle(kCircleCentre, kCircleRadius, outline, thin);
    doc.AddLine(P(-100, -60), P(120, -60), 0, thick);
    LOGFONT font{};
    std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", "ＭＳ ゴシック");
    font.lfHeight = -8;
    doc.m_writeLayer = notes;
    const std::int16_t f = doc.FindOrAddFont(font, 0, 80, 1, 0.0);
    doc.AddText(P(-100, 40), "図面の見本", RGB(0, 128, 0), 8, notes, f);
    doc.m_writeLayer = 0;
    doc.ComputeExtents();
}

CString SamplePath()
{
    return CString(ZELK_TEST_DATA) + "/sample.zel";
}

// With ZELK_WRITE_SAMPLE set, our writer makes the sample file of the test data; skipped
// otherwise.
TEST(ViewWindowSample, WriteSample)
{
    if (!std::getenv("ZELK_WRITE_SAMPLE"))
        GTEST_SKIP() << "ZELK_WRITE_SAMPLE not set";
    CZelkApp app;
    g_pApp = &app;
    {
        CZelkDoc doc;
        doc.m_bAutoDelete = FALSE;
        BuildSample(doc);
        CZelkView view;
        view.m_document = &doc;
        view.m_layerStates.SetSize(doc.m_layers.GetSize());
        EXPECT_EQ(view.WriteNativeFile(SamplePath(), 0), 1);
        view.m_document = nullptr;
    }
    g_pApp = nullptr;
}

class ViewWindow : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        for (const char* name : {"ZelkUnit.txt", "Variable.txt", "ZelSheet.txt"})
            fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name,
                          FileSystemPath(ProgramFolder().GetString()) + name, fs::copy_options::overwrite_existing);
        m_app = new CZelkApp;
        ASSERT_TRUE(m_app->InitInstance());
        m_app->m_pMainFrame->MoveWindow(0, 0, 1100, 700);
        AfxPumpMessages();
        ASSERT_NE(m_app->m_activeView, nullptr);
        m_view = m_app->m_activeView;
        m_doc = m_view->m_document;
        ASSERT_NE(m_doc, nullptr);
    }
    void TearDown() override
    {
        if (!m_app)
            return;
        m_app->CloseAllDocuments(TRUE);
        m_app->m_pMainWnd->DestroyWindow();
        m_app->m_pMainWnd = nullptr;
        m_app->ExitInstance();
        delete m_app;
        g_pApp = nullptr;
    }
    // The sample read into the window's drawing, its circle selected, shown whole.
    void ShowSample()
    {
        ASSERT_EQ(m_doc->LoadNativeFile(SamplePath()), 1);
        m_doc->ComputeExtents();
        ASSERT_GT(m_doc->m_circleBlocks.GetSize(), 0);
        auto* circles = static_cast<CCircles*>(m_doc->m_circleBlocks[0]);
        ASSERT_EQ(circles->m_count, 1);
        circles->m_slots[0].m_mark = 2;
        ASSERT_TRUE(m_view->ShowAll());
        AfxPumpMessages();
    }
    // The window pixel of a world point.
    POINT DevicePoint(CPointD world)
    {
        const CPointD logical = world.WorldToScreen(m_view->m_origin, m_view->m_zoom);
        POINT p{static_cast<LONG>(logical.m_x), static_cast<LONG>(logical.m_y)};
        CClientDC dc(m_view);
        m_view->OnPrepareDC(&dc);
        dc.LPtoDP(&p, 1);
        return p;
    }
    static bool HasColorNear(const CSurfaceCopy& copy, POINT p, COLORREF color)
    {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const int x = p.x + dx;
                const int y = p.y + dy;
                if (x >= 0 && y >= 0 && x < copy.width && y < copy.height && copy.At(x, y) == color)
                    return true;
            }
        return false;
    }

    CZelkApp* m_app = nullptr;
    CZelkView* m_view = nullptr;
    CZelkDoc* m_doc = nullptr;
};

TEST_F(ViewWindow, ShownSampleIsPaintedIntoTheWindow)
{
    ShowSample();
    // The lines written over the drawing when it was shown stay until the next paint.
    m_view->Invalidate(TRUE);
    m_view->UpdateWindow();
    CSurfaceCopy shot;
    ASSERT_TRUE(CopyWindowSurface(m_view, shot));
    ASSERT_GT(shot.width, 100);
    ASSERT_GT(shot.height, 100);
    if (const char* png = std::getenv("ZELK_VIEW_PNG")) {
        EXPECT_TRUE(SaveWindowSurface(m_view, png));
    }

    // The selected circle is red on its outline, the window white inside it and in a corner.
    const POINT onCircle = DevicePoint(P(kCircleCentre.m_x + kCircleRadius, kCircleCentre.m_y));
    EXPECT_TRUE(HasColorNear(shot, onCircle, RGB(255, 0, 0)));
    const POINT left = DevicePoint(P(kCircleCentre.m_x - kCircleRadius, kCircleCentre.m_y));
    EXPECT_TRUE(HasColorNear(shot, left, RGB(255, 0, 0)));
    const POINT inside = DevicePoint(kCircleCentre);
    EXPECT_EQ(shot.At(inside.x, inside.y), RGB(255, 255, 255));
    EXPECT_EQ(shot.At(2, 2), RGB(255, 255, 255));
    // The thick line's last pass is its own color.
    EXPECT_TRUE(HasColorNear(shot, DevicePoint(P(10, -60)), RGB(0, 0, 160)));

    // A paint draws the same picture again.
    m_view->Invalidate(TRUE);
    m_view->UpdateWindow();
    CSurfaceCopy again;
    ASSERT_TRUE(CopyWindowSurface(m_view, again));
    EXPECT_TRUE(again.pixels == shot.pixels);
}

TEST_F(ViewWindow, DocumentRedrawReachesTheWindow)
{
    ShowSample();
    auto* circles = static_cast<CCircles*>(m_doc->m_circleBlocks[0]);
    circles->m_slots[0].m_mark = 0x80;
    m_doc->RedrawChangedElements(1);
    AfxPumpMessages();
    CSurfaceCopy shot;
    ASSERT_TRUE(CopyWindowSurface(m_view, shot));
    // Deselected, the circle is drawn over as its layer shows: gray, off the write layer.
    const POINT onCircle = DevicePoint(P(kCircleCentre.m_x + kCircleRadius, kCircleCentre.m_y));
    EXPECT_TRUE(HasColorNear(shot, onCircle, RGB(149, 149, 149)));
    EXPECT_FALSE(HasColorNear(shot, onCircle, RGB(255, 0, 0)));
    EXPECT_EQ(circles->m_slots[0].m_mark, 0);
}

TEST_F(ViewWindow, ScrollBarStepMovesTheStoredPositionByALine)
{
    ShowSample();
    const POINT before = m_view->m_scrollPos;
    const POINT line = m_view->m_lineSize;
    ASSERT_GT(line.x, 0);
    // The bars step in whole pixels, so the position read back may differ by a unit.
    m_view->SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
    m_view->UpdateWindow();
    EXPECT_NEAR(m_view->m_scrollPos.x - before.x, line.x, 1);
    EXPECT_EQ(m_view->m_fitOnResize, 0);
    m_view->SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    m_view->UpdateWindow();
    EXPECT_NEAR(before.y - m_view->m_scrollPos.y, line.y, 1);
}

TEST_F(ViewWindow, PanStoresThePositionAndScrollsThereOnceTheTimerFires)
{
    ShowSample();
    CScriptedServices& services = DefaultScriptedServices();
    POINT target{m_view->m_scrollPos.x - 200, m_view->m_scrollPos.y};
    ASSERT_TRUE(m_view->PanTo(target));
    EXPECT_EQ(m_view->m_scrollPos.x, target.x);
    EXPECT_TRUE(services.IsTimerActive(m_app->m_pMainFrame, 1));
    services.Advance(199);
    EXPECT_TRUE(services.IsTimerActive(m_app->m_pMainFrame, 1));
    services.Advance(1);
    EXPECT_FALSE(services.IsTimerActive(m_app->m_pMainFrame, 1));
    const CPoint now = m_view->GetScrollPosition();
    EXPECT_NEAR(now.x, target.x, 2);
}

}  // namespace

namespace {

TEST_F(ViewWindow, ActivationClosesTheInputMethod)
{
    HIMC context = ImmGetContext(m_view->m_hWnd);
    ASSERT_NE(context, nullptr);
    ImmSetOpenStatus(context, TRUE);
    m_view->OnActivateView(TRUE, m_view, nullptr);
    EXPECT_FALSE(ImmGetOpenStatus(context));
    EXPECT_EQ(m_app->m_activeView, m_view);
    EXPECT_EQ(m_view->m_active, 1);
    ImmReleaseContext(m_view->m_hWnd, context);
}

TEST_F(ViewWindow, ClosedWindowSuppressesPreviewsUntilTheFrameTimerFires)
{
    CScriptedServices& services = DefaultScriptedServices();
    CFrameWnd* second = m_app->m_pDocTemplate->CreateNewFrame(m_doc, nullptr);
    ASSERT_NE(second, nullptr);
    m_app->m_pDocTemplate->InitialUpdateFrame(second, m_doc);
    AfxPumpMessages();
    ASSERT_EQ(m_doc->GetViews().size(), 2u);
    second->DestroyWindow();
    AfxPumpMessages();
    ASSERT_EQ(m_doc->GetViews().size(), 1u);
    EXPECT_EQ(m_doc->m_previewsSuppressed, 1);
    EXPECT_TRUE(services.IsTimerActive(m_app->m_pMainFrame, 2));
    m_view->OnActivateView(TRUE, m_view, nullptr);
    EXPECT_TRUE(services.FireTimer(m_app->m_pMainFrame, 2));
    EXPECT_EQ(m_doc->m_previewsSuppressed, 0);
    EXPECT_FALSE(services.IsTimerActive(m_app->m_pMainFrame, 2));
}

}  // namespace

namespace {

// Two crossing lines in the window; a pick square of the default half size about a world point.
class ViewWindowPick : public ViewWindow {
protected:
    void ShowCrossingLines()
    {
        const std::int16_t pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
        m_doc->AddLine(P(0, 0), P(10, 10), 0, pen);
        m_doc->AddLine(P(0, 10), P(10, 0), 0, pen);
        m_doc->ComputeExtents();
        ASSERT_TRUE(m_view->ShowAll());
        // Zoom 10 about the same logical centre.
        const CPointD centre = P(5, 5);
        const CPointD logical = centre.WorldToScreen(m_view->m_origin, m_view->m_zoom);
        m_view->SetZoom(10, 1);
        m_view->SetOrigin(P(centre.m_x - logical.m_x / 10, centre.m_y - logical.m_y / 10), 1);
        m_view->Invalidate(TRUE);
        m_view->UpdateWindow();
        AfxPumpMessages();
    }
    RECT PickRect(CPointD world)
    {
        const CPointD c = world.WorldToScreen(m_view->m_origin, m_view->m_zoom);
        const LONG x = static_cast<LONG>(c.m_x), y = static_cast<LONG>(c.m_y);
        return RECT{x - 20, y + 20, x + 20, y - 20};
    }
};

TEST_F(ViewWindowPick, APickedLineTurnsRedInTheWindow)
{
    ShowCrossingLines();
    ASSERT_EQ(m_view->PickElementsInRect(PickRect(P(2, 2.5)), 1, 2), 1);
    EXPECT_EQ(m_app->m_lastMessage, CString("一つの要素を選択"));
    AfxPumpMessages();
    CSurfaceCopy shot;
    ASSERT_TRUE(CopyWindowSurface(m_view, shot));
    EXPECT_TRUE(HasColorNear(shot, DevicePoint(P(1, 1)), RGB(255, 0, 0)));
    EXPECT_FALSE(HasColorNear(shot, DevicePoint(P(1, 9)), RGB(255, 0, 0)));
}

TEST_F(ViewWindowPick, CandidatesTooCloseToTellApartOfferAZoomWindow)
{
    ShowCrossingLines();
    m_app->m_appDraw.zoomWindowMode = 0;
    CScriptedServices& services = DefaultScriptedServices();
    for (bool shiftCtrl : {true, false}) {
        SCOPED_TRACE(shiftCtrl ? "Shift and Ctrl held" : "no key held");
        UiResetKeyState();
        if (shiftCtrl) {
            UiNoteKey(VK_SHIFT, true);
            UiNoteKey(VK_CONTROL, true);
        }
        m_app->m_pMainFrame->m_zoomWindowKind = 0;
        ASSERT_EQ(m_view->PickElementsInRect(PickRect(P(5, 5.2)), 1, 2), 2);
        EXPECT_EQ(m_app->m_lastMessage, CString("目視判定の困難なレベルで複数の要素が検索されました"));
        EXPECT_EQ(services.IsTimerActive(m_app->m_pMainFrame, 15), !shiftCtrl);
    }
    UiResetKeyState();
    EXPECT_EQ(m_app->m_pMainFrame->m_zoomWindowKind, -1);
    services.Advance(299);
    EXPECT_TRUE(services.IsTimerActive(m_app->m_pMainFrame, 15));
    services.Advance(1);
    EXPECT_FALSE(services.IsTimerActive(m_app->m_pMainFrame, 15));
}

// The print menu commands reach the active drawing window through the main window: the screen
// print goes straight to the printer defaults, its preview shows one page, and the replace
// trial asks for its data file.
TEST_F(ViewWindow, PrintMenuCommandsReachTheDrawingWindow)
{
    ShowSample();
    AfxPrintedFiles().clear();
    AfxResetPrinterOrientation();
    CPrintDialogRequest pdf;
    pdf.outputFile = ProgramPath((fs::path(std::getenv("ZELK_HOME")) / "menu*.pdf").string());
    DefaultScriptedUiServices().SetPrinterDefaults(TRUE, pdf);
    m_app->m_pMainFrame->SendMessage(WM_COMMAND, 32813, 0);
    EXPECT_EQ(m_app->m_printMode, 1);
    EXPECT_EQ(AfxPrintedFiles().size(), 1u);
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownPrintDialogs.empty());
    DefaultScriptedUiServices().QueuePreviewRender();
    m_app->m_pMainFrame->SendMessage(WM_COMMAND, 32817, 0);
    EXPECT_EQ(DefaultScriptedUiServices().m_previewPages, std::vector<int>{1});
    m_app->m_pMainFrame->SendMessage(WM_COMMAND, 32893, 0);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownFileDialogs.size(), 1u);
    AfxResetPrinterOrientation();
}

// A text printed at a slant asks three seconds after the print, with the check on, whether it
// came out right; the preview does not ask.
TEST_F(ViewWindow, SlantedTextPrintStartsTheQuestionTimer)
{
    ShowSample();
    LOGFONT font{};
    std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", "Sans");
    font.lfHeight = -8;
    const std::int16_t f = m_doc->FindOrAddFont(font, 0, 50, 1, 45.0);
    m_doc->AddText(P(0, 0), "slant", RGB(0, 0, 0), 8, 0, f);
    m_app->m_slantedPrintOption = 1;
    AfxResetPrinterOrientation();
    CPrintDialogRequest pdf;
    pdf.outputFile = ProgramPath((fs::path(std::getenv("ZELK_HOME")) / "slant*.pdf").string());
    DefaultScriptedUiServices().SetPrinterDefaults(TRUE, pdf);
    const CWnd* frame = m_app->m_pMainFrame;
    auto timer14 = [&] { return static_cast<int>(DefaultScriptedServices().TimerElapse(frame, 14)); };
    DefaultScriptedUiServices().QueuePreviewRender();
    m_app->m_pMainFrame->SendMessage(WM_COMMAND, 32817, 0);
    EXPECT_EQ(timer14(), 0);
    m_app->m_pMainFrame->SendMessage(WM_COMMAND, 32813, 0);
    EXPECT_EQ(timer14(), 3000);
    AfxResetPrinterOrientation();
}

}  // namespace
