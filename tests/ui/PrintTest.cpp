// The view's print loop on a PDF printer: the hooks in order, pages, the drawing rectangle in
// tenths of a millimetre with y up, paper orientation; and an edit view's text in bytes.
#include "platform/gdi/DC.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/UiServices.h"
#include "platform/ui/View.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class CPagesView : public CView {
public:
    std::vector<std::string> m_calls;
    std::vector<CRect> m_rects;
    std::vector<CPoint> m_bottomRightDevice;
    UINT m_pages = 2;

    void OnDraw(CDC* pDC) override
    {
        pDC->MoveTo(100, -100);
        pDC->LineTo(1000, -1000);
    }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        m_calls.push_back("prepare");
        pInfo->SetMaxPage(m_pages);
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_calls.push_back("begin " + std::to_string(pDC->IsPrinting()));
        CView::OnBeginPrinting(pDC, pInfo);
    }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        pDC->SetMapMode(MM_LOMETRIC);
        if (pInfo)
            m_calls.push_back("dc " + std::to_string(pInfo->m_nCurPage));
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_calls.push_back("print " + std::to_string(pInfo->m_nCurPage));
        m_rects.push_back(pInfo->m_rectDraw);
        CPoint p(pInfo->m_rectDraw.right, pInfo->m_rectDraw.bottom);
        pDC->LPtoDP(&p, 1);
        m_bottomRightDevice.push_back(p);
        CView::OnPrint(pDC, pInfo);
    }
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_calls.push_back("end");
        CView::OnEndPrinting(pDC, pInfo);
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
    EXPECT_EQ(m_view->m_calls, expected);
    ASSERT_EQ(m_view->m_rects.size(), 2u);
    const CRect& r = m_view->m_rects[0];
    // A4 is 2100 by 2970 tenths of a millimetre; the page grows downwards in negative y.
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_NEAR(r.right, 2100, 3);
    EXPECT_NEAR(r.bottom, -2970, 3);
    EXPECT_GT(m_view->m_bottomRightDevice[0].y, 0);
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
    ASSERT_EQ(m_view->m_rects.size(), 2u); // pages 2 and 3: the range ends at the last page
    EXPECT_NEAR(m_view->m_rects[0].right, 2970, 3);
    EXPECT_NEAR(m_view->m_rects[0].bottom, -2100, 3);
    EXPECT_EQ(PdfPages(), 2);
}

TEST_F(PrintTest, CancelledPrintDialogPrintsNothing)
{
    m_frame.SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
    EXPECT_EQ(m_view->m_calls, std::vector<std::string>{ "prepare" });
    EXPECT_EQ(DefaultScriptedUiServices().m_shownPrintDialogs.size(), 1u);
    EXPECT_EQ(DefaultScriptedUiServices().m_shownPrintDialogs[0].maxPage, 2);
}

TEST_F(PrintTest, PreviewGoesThroughTheServices)
{
    m_frame.SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    EXPECT_EQ(DefaultScriptedUiServices().m_previews, 1);
    EXPECT_EQ(m_view->m_calls, std::vector<std::string>{ "prepare" });
}

class CTextView : public CEditView {};

TEST(EditView, TextAndSelectionCountBytes)
{
    CStackFrame frame;
    ASSERT_TRUE(frame.Create(nullptr, "text", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), nullptr, 0));
    auto* view = new CTextView;
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
