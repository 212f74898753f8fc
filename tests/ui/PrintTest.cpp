// The view's print loop on a PDF printer and in a rendered print preview: the hooks in order,
// pages, the drawing rectangle in tenths of a millimetre with y up, paper size and orientation;
// and an edit view's text in bytes.
#include "platform/gdi/DC.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/View.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// What OnPrint saw of one page.
struct CPageSeen {
    UINT page = 0;
    CRect rectDraw;
    CPoint bottomRightDevice;
    int technology = 0;
    int widthMm = 0;
    int heightMm = 0;
};

// Logs into the test, so that a view destroyed halfway still leaves its record.
class CPagesView : public CView {
public:
    std::vector<std::string>* m_log = nullptr;
    std::vector<CPageSeen>* m_seen = nullptr;
    UINT m_pages = 2; // 0: the view does not say how many
    short m_paper = 0; // 0: the default paper
    BOOL m_landscape = FALSE;
    BOOL m_refuse = FALSE;

    void OnDraw(CDC* pDC) override
    {
        pDC->MoveTo(100, -100);
        pDC->LineTo(1000, -1000);
    }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        m_log->push_back(pInfo->m_bPreview ? "prepare preview" : "prepare");
        if (m_pages)
            pInfo->SetMaxPage(m_pages);
        if (m_paper) {
            pInfo->m_pPD->SetPaperSize(m_paper);
            pInfo->m_pPD->SetOrientation(m_landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
        }
        if (m_refuse)
            return FALSE;
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_log->push_back("begin " + std::to_string(pDC->IsPrinting()));
        CView::OnBeginPrinting(pDC, pInfo);
    }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        pDC->SetMapMode(MM_LOMETRIC);
        if (pInfo)
            m_log->push_back("dc " + std::to_string(pInfo->m_nCurPage));
        CView::OnPrepareDC(pDC, pInfo);
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_log->push_back("print " + std::to_string(pInfo->m_nCurPage));
        CPageSeen seen;
        seen.page = pInfo->m_nCurPage;
        seen.rectDraw = pInfo->m_rectDraw;
        seen.bottomRightDevice = CPoint(pInfo->m_rectDraw.right, pInfo->m_rectDraw.bottom);
        pDC->LPtoDP(&seen.bottomRightDevice, 1);
        seen.technology = pDC->GetDeviceCaps(TECHNOLOGY);
        seen.widthMm = pDC->GetDeviceCaps(HORZSIZE);
        seen.heightMm = pDC->GetDeviceCaps(VERTSIZE);
        m_seen->push_back(seen);
        CView::OnPrint(pDC, pInfo);
    }
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_log->push_back("end");
        CView::OnEndPrinting(pDC, pInfo);
    }
    void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CView* pView) override
    {
        m_log->push_back("end preview");
        CView::OnEndPrintPreview(pDC, pInfo, point, pView);
    }
};

// Frames of these tests live on the stack.
class CStackFrame : public CFrameWnd {
public:
    void PostNcDestroy() override {}
};

class PrintTest : public testing::Test {
protected:
    void SetUp() override
    {
        DefaultScriptedUiServices().Reset();
        ASSERT_TRUE(m_frame.Create(nullptr, "print", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, 0));
        m_view = new CPagesView;
        m_view->m_log = &m_calls;
        m_view->m_seen = &m_seen;
        ASSERT_TRUE(m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &m_frame, AFX_IDW_PANE_FIRST));
        m_frame.SetActiveView(m_view, FALSE);
        m_pdf = std::string(std::getenv("ZELK_HOME")) + "/out.pdf";
    }
    void TearDown() override { m_frame.DestroyWindow(); }

    int PdfPages() const
    {
        QFile f(QString::fromStdString(m_pdf));
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        QByteArray all = f.readAll();
        return static_cast<int>(QString::fromLatin1(all).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    }

    CStackFrame m_frame;
    CPagesView* m_view = nullptr;
    std::vector<std::string> m_calls;
    std::vector<CPageSeen> m_seen;
    std::string m_pdf;
};

TEST_F(PrintTest, PagesPrintInOrderOnA4WithYUp)
{
    CPrintDialogRequest answer;
    answer.outputFile = CString(m_pdf.c_str());
    answer.outputFile.Replace('/', '\\');
    answer.paperSize = DMPAPER_A4;
    DefaultScriptedUiServices().QueuePrint(TRUE, answer);
    m_frame.SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
    const std::vector<std::string> expected = { "prepare", "begin 1", "dc 1", "print 1", "dc 2", "print 2", "end" };
    EXPECT_EQ(m_calls, expected);
    ASSERT_EQ(m_seen.size(), 2u);
    const CRect& r = m_seen[0].rectDraw;
    // A4 is 2100 by 2970 tenths of a millimetre; the page grows downwards in negative y.
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_NEAR(r.right, 2100, 3);
    EXPECT_NEAR(r.bottom, -2970, 3);
    EXPECT_GT(m_seen[0].bottomRightDevice.y, 0);
    EXPECT_EQ(PdfPages(), 2);
}

TEST_F(PrintTest, LandscapeAndPageRange)
{
    CPrintDialogRequest answer;
    answer.outputFile = CString(m_pdf.c_str());
    answer.landscape = TRUE;
    answer.flags = PD_PAGENUMS;
    answer.fromPage = 2;
    answer.toPage = 9;
    m_view->m_pages = 3;
    DefaultScriptedUiServices().QueuePrint(TRUE, answer);
    m_frame.SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
    ASSERT_EQ(m_seen.size(), 2u); // pages 2 and 3: the range ends at the last page
    EXPECT_NEAR(m_seen[0].rectDraw.right, 2970, 3);
    EXPECT_NEAR(m_seen[0].rectDraw.bottom, -2100, 3);
    EXPECT_EQ(PdfPages(), 2);
}

TEST_F(PrintTest, CancelledPrintDialogPrintsNothing)
{
    m_frame.SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
    EXPECT_EQ(m_calls, std::vector<std::string>{ "prepare" });
    EXPECT_EQ(DefaultScriptedUiServices().m_shownPrintDialogs.size(), 1u);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownPrintDialogs[0].maxPage, 2);
}

// Printing and the rendered preview run the same loop over the same pages on the same paper.
struct PrintLoopCase {
    const char* name;
    UINT command;
    UINT pages; // 0: not said
    short paper;
    BOOL landscape;
    int widthMm;
    int heightMm;
    std::vector<std::string> calls;
};

const PrintLoopCase kPrintLoopCases[] = {
    { "PrintA4", ID_FILE_PRINT, 2, DMPAPER_A4, FALSE, 210, 297,
      { "prepare", "begin 1", "dc 1", "print 1", "dc 2", "print 2", "end" } },
    { "PreviewA4", ID_FILE_PRINT_PREVIEW, 2, DMPAPER_A4, FALSE, 210, 297,
      { "prepare preview", "begin 1", "dc 1", "print 1", "dc 2", "print 2", "end", "end preview" } },
    { "PreviewA3Landscape", ID_FILE_PRINT_PREVIEW, 3, DMPAPER_A3, TRUE, 420, 297,
      { "prepare preview", "begin 1", "dc 1", "print 1", "dc 2", "print 2", "dc 3", "print 3", "end",
        "end preview" } },
    { "PreviewLetter", ID_FILE_PRINT_PREVIEW, 1, DMPAPER_LETTER, FALSE, 216, 279,
      { "prepare preview", "begin 1", "dc 1", "print 1", "end", "end preview" } },
    // The B sizes of the paper codes are the Japanese ones.
    { "PrintB4Landscape", ID_FILE_PRINT, 1, DMPAPER_B4, TRUE, 364, 257,
      { "prepare", "begin 1", "dc 1", "print 1", "end" } },
    { "PreviewB5", ID_FILE_PRINT_PREVIEW, 1, DMPAPER_B5, FALSE, 182, 257,
      { "prepare preview", "begin 1", "dc 1", "print 1", "end", "end preview" } },
    { "PreviewA5", ID_FILE_PRINT_PREVIEW, 1, DMPAPER_A5, FALSE, 148, 210,
      { "prepare preview", "begin 1", "dc 1", "print 1", "end", "end preview" } },
    // Without a page count the second page's preparation ends the job.
    { "PreviewUncounted", ID_FILE_PRINT_PREVIEW, 0, DMPAPER_A4, FALSE, 210, 297,
      { "prepare preview", "begin 1", "dc 1", "print 1", "dc 2", "end", "end preview" } },
};

class PrintLoopTest : public PrintTest, public testing::WithParamInterface<PrintLoopCase> {};

TEST_P(PrintLoopTest, HooksPagesAndPaper)
{
    const PrintLoopCase& c = GetParam();
    m_view->m_pages = c.pages;
    m_view->m_paper = c.paper;
    m_view->m_landscape = c.landscape;
    const bool preview = c.command == ID_FILE_PRINT_PREVIEW;
    if (preview) {
        DefaultScriptedUiServices().QueuePreviewRender();
    } else {
        CPrintDialogRequest answer;
        answer.outputFile = CString(m_pdf.c_str());
        answer.paperSize = c.paper;
        answer.landscape = c.landscape;
        DefaultScriptedUiServices().QueuePrint(TRUE, answer);
    }
    m_frame.SendMessage(WM_COMMAND, c.command, 0);

    EXPECT_EQ(m_calls, c.calls);
    const int printed = static_cast<int>(std::count_if(c.calls.begin(), c.calls.end(), [](const std::string& s) {
        return s.rfind("print ", 0) == 0;
    }));
    if (preview) {
        EXPECT_EQ(DefaultScriptedUiServices().m_previews, 1);
        EXPECT_EQ(DefaultScriptedUiServices().m_previewPages, std::vector<int>{ printed });
        EXPECT_TRUE(DefaultScriptedUiServices().m_shownPrintDialogs.empty());
    } else {
        EXPECT_EQ(PdfPages(), printed);
    }
    ASSERT_EQ(static_cast<int>(m_seen.size()), printed);
    for (size_t i = 0; i < m_seen.size(); ++i) {
        const CPageSeen& s = m_seen[i];
        EXPECT_EQ(s.page, i + 1);
        EXPECT_EQ(s.technology, DT_RASPRINTER);
        EXPECT_NEAR(s.widthMm, c.widthMm, 1);
        EXPECT_NEAR(s.heightMm, c.heightMm, 1);
        EXPECT_EQ(s.rectDraw.TopLeft(), CPoint(0, 0));
        EXPECT_NEAR(s.rectDraw.right, c.widthMm * 10, 5);
        EXPECT_NEAR(s.rectDraw.bottom, -c.heightMm * 10, 5);
    }
}

INSTANTIATE_TEST_SUITE_P(Print, PrintLoopTest, testing::ValuesIn(kPrintLoopCases),
                         [](const testing::TestParamInfo<PrintLoopCase>& info) { return std::string(info.param.name); });

TEST_F(PrintTest, UnrenderedPreviewIsOnlyShown)
{
    m_frame.SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    EXPECT_EQ(DefaultScriptedUiServices().m_previews, 1);
    EXPECT_EQ(m_calls, (std::vector<std::string>{ "prepare preview", "end preview" }));
}

TEST_F(PrintTest, RefusedPreparationShowsNoPreview)
{
    m_view->m_refuse = TRUE;
    DefaultScriptedUiServices().QueuePreviewRender();
    m_frame.SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    EXPECT_EQ(DefaultScriptedUiServices().m_previews, 0);
    EXPECT_TRUE(DefaultScriptedUiServices().m_previewPages.empty());
    EXPECT_EQ(m_calls, std::vector<std::string>{ "prepare preview" });
}

TEST_F(PrintTest, ViewDestroyedBeforeRenderingIsNotCalled)
{
    DefaultScriptedUiServices().QueuePreviewRender([this]() { m_view->DestroyWindow(); });
    m_frame.SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    EXPECT_EQ(DefaultScriptedUiServices().m_previews, 1);
    EXPECT_EQ(DefaultScriptedUiServices().m_previewPages, std::vector<int>{ 0 });
    EXPECT_EQ(m_calls, std::vector<std::string>{ "prepare preview" });
    EXPECT_TRUE(m_seen.empty());
}

class CPlainEditView : public CEditView {};

// The paper's physical size in tenths of a millimetre follows the paper and its orientation;
// the printer defaults come from the installed services, and without a printer there are none.
TEST(PrintDialog, PaperSizeAndDefaults)
{
    struct Case {
        short paper;
        BOOL landscape;
        double width;
        double height;
    };
    for (const Case c : {Case{DMPAPER_A4, FALSE, 2100, 2970}, Case{DMPAPER_A3, TRUE, 4200, 2970},
                         Case{DMPAPER_B5, FALSE, 1820, 2570}}) {
        CPrintDialog pd(TRUE);
        pd.SetPaperSize(c.paper);
        pd.SetOrientation(c.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
        double w = 0, h = 0;
        EXPECT_TRUE(pd.GetPaperSizeTenths(w, h));
        EXPECT_NEAR(w, c.width, 1) << c.paper;
        EXPECT_NEAR(h, c.height, 1) << c.paper;
    }
    DefaultScriptedUiServices().Reset();
    // No paper or orientation left by an earlier print dialog of the program.
    AfxResetPrinterOrientation();
    CPrintDialog none(FALSE);
    EXPECT_FALSE(none.GetDefaults());
    EXPECT_FALSE(none.m_hasPrinter);
    CPrintDialogRequest printer;
    printer.printerName = "office";
    printer.paperSize = DMPAPER_A3;
    DefaultScriptedUiServices().SetPrinterDefaults(TRUE, printer);
    CPrintDialog pd(FALSE);
    EXPECT_TRUE(pd.GetDefaults());
    EXPECT_TRUE(pd.m_hasPrinter);
    EXPECT_EQ(pd.GetDeviceName(), CString("office"));
    EXPECT_EQ(pd.GetPaperSize(), DMPAPER_A3);
    EXPECT_TRUE(DefaultScriptedUiServices().m_shownPrintDialogs.empty());
    DefaultScriptedUiServices().Reset();
}

TEST(EditView, TextAndSelectionCountBytes)
{
    CStackFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "text", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, 0));
    auto* view = new CPlainEditView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &frame, AFX_IDW_PANE_FIRST));
    // "\x88\xea" is one double-byte character; lines end with CR LF.
    const char text[] = "ab\x88\xea" "c\r\nline2\r\n";
    view->SetWindowText(text);
    CString back;
    view->GetWindowText(back);
    EXPECT_EQ(back, CString(text));
    EXPECT_EQ(view->GetLineCount(), 3);
    EXPECT_EQ(view->LineIndex(1), 7);
    view->SetSel(2, 4);
    CString sel;
    view->GetSelectedText(sel);
    EXPECT_EQ(sel, CString("\x88\xea"));
    int s = 0, e = 0;
    view->GetSel(s, e);
    EXPECT_EQ(s, 2);
    EXPECT_EQ(e, 4);
    view->ReplaceSel("Z");
    view->GetWindowText(back);
    EXPECT_EQ(back, CString("abZc\r\nline2\r\n"));
    EXPECT_TRUE(view->GetModify());
    view->SetModify(FALSE);
    EXPECT_FALSE(view->GetModify());
    frame.DestroyWindow();
}

} // namespace
