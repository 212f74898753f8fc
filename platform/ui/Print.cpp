// The print loop of views, print preview, the print dialog and printer device contexts on
// QPrinter (PDF output when a file is named).
#include "platform/ui/PrintInfo.h"

#include "platform/gdi/PainterDC.h"
#include "platform/ui/UiInternal.h"
#include "platform/ui/View.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// The application's printer orientation: the last one the print dialog chose or a job turned the
// paper to, as the application's shared printer settings keep it for the following jobs; -1
// while none was set.
short g_appOrientation = -1;
// The paper the print dialog last chose, kept the same way; -1 while none was chosen.
int g_appPaper = -1;

QPageSize::PageSizeId PaperToQt(int paper)
{
    switch (paper) {
    case DMPAPER_LETTER: return QPageSize::Letter;
    case DMPAPER_A3: return QPageSize::A3;
    case DMPAPER_A5: return QPageSize::A5;
    // The B paper codes are the Japanese sizes (257 x 364 and 182 x 257 mm), not the ISO ones.
    case DMPAPER_B4: return QPageSize::JisB4;
    case DMPAPER_B5: return QPageSize::JisB5;
    default: return QPageSize::A4;
    }
}

int PaperFromQt(QPageSize::PageSizeId id)
{
    switch (id) {
    case QPageSize::Letter: return DMPAPER_LETTER;
    case QPageSize::A3: return DMPAPER_A3;
    case QPageSize::A5: return DMPAPER_A5;
    case QPageSize::JisB4:
    case QPageSize::B4: return DMPAPER_B4;
    case QPageSize::JisB5:
    case QPageSize::B5: return DMPAPER_B5;
    default: return DMPAPER_A4;
    }
}

void Configure(QPrinter& printer, const CPrintDialogRequest& r)
{
    if (!r.outputFile.IsEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PathToQ(r.outputFile));
    } else if (!r.printerName.IsEmpty()) {
        printer.setPrinterName(ToQ(r.printerName));
    }
    printer.setPageSize(QPageSize(PaperToQt(r.paperSize)));
    printer.setPageOrientation(r.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setCopyCount(std::max(1, r.copies));
}

// A painter DC that owns its printer and painter; new pages come from the print loop.
class CQtPrinterDC : public CPainterDC {
public:
    CQtPrinterDC(std::unique_ptr<QPrinter> printer, std::unique_ptr<QPainter> painter)
        : CPainterDC(painter.get()), m_printer(std::move(printer)), m_painter(std::move(painter))
    {
        m_bPrinting = TRUE;
    }
    ~CQtPrinterDC() override
    {
        if (m_painter && m_painter->isActive())
            m_painter->end();
    }
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
};

// A DC on a printer that someone else paints (the preview's).
class CBorrowedPrinterDC : public CPainterDC {
public:
    CBorrowedPrinterDC(QPrinter* printer, QPainter* painter) : CPainterDC(painter), m_printer(printer)
    {
        m_bPrinting = TRUE;
    }
    QPrinter* m_printer;
};

QPrinter* PrinterOf(CDC* pDC)
{
    if (auto* p = dynamic_cast<CQtPrinterDC*>(pDC))
        return p->m_printer.get();
    if (auto* p = dynamic_cast<CBorrowedPrinterDC*>(pDC))
        return p->m_printer;
    return nullptr;
}

// The pages of one print job through the view's print hooks.
void RunPrintLoop(CView* view, CDC* dc, CPrintInfo& info)
{
    view->OnBeginPrinting(dc, &info);
    UINT from = info.GetFromPage();
    UINT to = info.GetToPage();
    bool first = true;
    for (info.m_nCurPage = from; info.m_nCurPage <= to && info.m_bContinuePrinting; ++info.m_nCurPage) {
        view->OnPrepareDC(dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (!AfxPrinterStartPage(dc, first))
            break;
        first = false;
        // The drawing rectangle: the whole page in the DC's logical units.
        QPrinter* printer = PrinterOf(dc);
        CRect page(0, 0, dc->GetDeviceCaps(8 /* HORZRES */), dc->GetDeviceCaps(10 /* VERTRES */));
        (void)printer;
        dc->DPtoLP(&page);
        info.m_rectDraw = page;
        view->OnPrint(dc, &info);
        if (info.m_nCurPage == 0xFFFF)
            break;
    }
    view->OnEndPrinting(dc, &info);
}

} // namespace

std::vector<CString>& AfxPrintedFiles()
{
    static std::vector<CString> files;
    return files;
}

std::unique_ptr<CDC> AfxCreatePrinterDC(const CPrintDialogRequest& request)
{
    UiEnsureApplication();
    CPrintDialogRequest job = request;
    // One file per job: the job's number stands for "*".
    if (job.outputFile.Find('*') >= 0) {
        CString number;
        number.Format("%d", static_cast<int>(AfxPrintedFiles().size()) + 1);
        job.outputFile.Replace("*", number);
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    Configure(*printer, job);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(printer.get()))
        return nullptr;
    if (!job.outputFile.IsEmpty())
        AfxPrintedFiles().push_back(job.outputFile);
    return std::make_unique<CQtPrinterDC>(std::move(printer), std::move(painter));
}

BOOL UiQtPrinterDefaults(CPrintDialogRequest& request)
{
    UiEnsureApplication();
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return FALSE;
    request.printerName = FromQ(info.printerName());
    request.outputFile.Empty();
    request.paperSize = PaperFromQt(info.defaultPageSize().id());
    request.landscape = FALSE;
    request.copies = 1;
    return TRUE;
}

BOOL AfxPrinterStartPage(CDC* pDC, BOOL first)
{
    QPrinter* printer = PrinterOf(pDC);
    if (!printer)
        return FALSE;
    if (!first)
        return printer->newPage();
    return TRUE;
}

void AfxPrinterEndDoc(CDC* pDC)
{
    if (auto* p = dynamic_cast<CQtPrinterDC*>(pDC))
        if (p->m_painter->isActive())
            p->m_painter->end();
}

BOOL UiRunQtPrintDialog(CPrintDialogRequest& request)
{
    UiEnsureApplication();
    QPrinter printer(QPrinter::HighResolution);
    Configure(printer, request);
    printer.setFromTo(request.fromPage, request.toPage);
    QPrintDialog dialog(&printer);
    dialog.setMinMax(request.minPage, request.maxPage);
    if (dialog.exec() != QDialog::Accepted)
        return FALSE;
    request.printerName = FromQ(printer.printerName());
    if (printer.outputFormat() == QPrinter::PdfFormat)
        request.outputFile = PathFromQ(printer.outputFileName());
    request.copies = printer.copyCount();
    request.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
    request.paperSize = PaperFromQt(printer.pageLayout().pageSize().id());
    request.allPages = printer.printRange() == QPrinter::AllPages;
    if (printer.printRange() == QPrinter::PageRange) {
        request.flags |= PD_PAGENUMS;
        request.fromPage = printer.fromPage();
        request.toPage = printer.toPage();
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : m_bPrintSetupOnly(bPrintSetupOnly), m_pParentWnd(pParentWnd)
{
    m_request.flags = dwFlags;
}

CPrintDialog::~CPrintDialog() = default;

INT_PTR CPrintDialog::DoModal()
{
    const BOOL ok = UiServices().PrintDialog(m_request);
    if (ok) {
        m_hasPrinter = TRUE;
        g_appOrientation = GetOrientation();
        g_appPaper = m_request.paperSize;
    }
    return ok ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    m_hasPrinter = UiServices().PrinterDefaults(m_request);
    if (m_hasPrinter && g_appOrientation != -1)
        SetOrientation(g_appOrientation);
    if (m_hasPrinter && g_appPaper != -1)
        m_request.paperSize = g_appPaper;
    return m_hasPrinter;
}

CString CPrintDialog::GetFormName() const
{
    return FromQ(QPageSize(PaperToQt(m_request.paperSize)).name());
}

BOOL CPrintDialog::GetPaperSizeTenths(double& width, double& height) const
{
    width = height = 0.0;
    const QSizeF mm = QPageSize(PaperToQt(m_request.paperSize)).size(QPageSize::Millimeter);
    if (mm.isEmpty())
        return FALSE;
    width = (m_request.landscape ? mm.height() : mm.width()) * 10.0;
    height = (m_request.landscape ? mm.width() : mm.height()) * 10.0;
    return TRUE;
}

void CPrintDialog::ResetOrientation(short orientation)
{
    // The printer DC is made from this request when the job starts, so the changed orientation
    // is the reset DC's.
    m_request.landscape = orientation == DMORIENT_LANDSCAPE;
    g_appOrientation = orientation;
}

void AfxResetPrinterOrientation()
{
    g_appOrientation = -1;
    g_appPaper = -1;
}

CDC* CPrintDialog::CreatePrinterDC()
{
    return AfxCreatePrinterDC(m_request).release();
}

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE)) {}

CPrintInfo::~CPrintInfo()
{
    delete m_pPD;
}

UINT CPrintInfo::GetFromPage() const
{
    if (m_pPD->m_request.flags & PD_PAGENUMS)
        return static_cast<UINT>(std::max(m_pPD->m_request.fromPage, m_pPD->m_request.minPage));
    return GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    if (m_pPD->m_request.flags & PD_PAGENUMS)
        return static_cast<UINT>(std::min(m_pPD->m_request.toPage, m_pPD->m_request.maxPage));
    return GetMaxPage();
}

// ---------------------------------------------------------------------------------------------
// The view's printing

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo->m_bPreview || pInfo->m_bDirect)
        return TRUE;
    return pInfo->m_pPD->DoModal() == IDOK;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrintPreview(CDC*, CPrintInfo*, POINT, CView*) {}

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (m_lastMsg.message == WM_COMMAND && LOWORD(static_cast<DWORD>(m_lastMsg.wParam)) == ID_FILE_PRINT_DIRECT)
        info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info))
        return;
    std::unique_ptr<CDC> dc = AfxCreatePrinterDC(info.m_pPD->m_request);
    if (!dc)
        return;
    RunPrintLoop(this, dc.get(), info);
    AfxPrinterEndDoc(dc.get());
}

void CView::OnFilePrintPreview()
{
    UiEnsureApplication();
    CPrintInfo info;
    info.m_bPreview = TRUE;
    if (!OnPreparePrinting(&info))
        return;
    QPrinter printer(QPrinter::HighResolution);
    Configure(printer, info.m_pPD->m_request);
    QPrintPreviewDialog dialog(&printer, GetTopLevelParent() ? GetTopLevelParent()->GetQWidget() : nullptr);
    CView* self = this;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [self, &info](QPrinter* p) {
        if (!UiIsLive(self))
            return;
        QPainter painter(p);
        CBorrowedPrinterDC dc(p, &painter);
        info.m_bContinuePrinting = TRUE;
        RunPrintLoop(self, &dc, info);
    });
    UiServices().RunPrintPreview(&dialog);
    // The view may have been closed while the preview was up.
    if (UiIsLive(self))
        OnEndPrintPreview(nullptr, &info, POINT{ 0, 0 }, this);
}
