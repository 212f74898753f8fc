// Printing: the print job description the view's print loop fills (pages, preview, drawing
// rectangle), the print dialog, and a printer device context with paper size and orientation.
#pragma once

#include "platform/ui/UiServices.h"
#include "platform/ui/Wnd.h"

#include <memory>
#include <vector>

class CDC;

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_LETTER = 1;
constexpr short DMPAPER_A3 = 8;
constexpr short DMPAPER_A4 = 9;
constexpr short DMPAPER_A5 = 11;
constexpr short DMPAPER_B4 = 12;
constexpr short DMPAPER_B5 = 13;

class CPrintDialog {
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    virtual ~CPrintDialog();
    virtual INT_PTR DoModal();
    // The default printer without asking; FALSE when there is none.
    BOOL GetDefaults();
    // The paper's physical width and height in tenths of a millimetre, in the chosen
    // orientation; FALSE (and 0) when the paper is not known.
    BOOL GetPaperSizeTenths(double& width, double& height) const;
    // Changes the orientation of the printer's pages (the DEVMODE) and resets the printer DC
    // to it: the next page made on that printer has the new orientation, and so do the later
    // jobs on the printer defaults.
    void ResetOrientation(short orientation);
    // The name of the chosen paper form ("A4").
    CString GetFormName() const;
    int GetCopies() const { return m_request.copies; }
    int GetFromPage() const { return m_request.fromPage; }
    int GetToPage() const { return m_request.toPage; }
    BOOL PrintAll() const { return m_request.allPages; }
    BOOL PrintRange() const { return (m_request.flags & PD_PAGENUMS) != 0; }
    CString GetDeviceName() const { return m_request.printerName; }
    short GetOrientation() const { return m_request.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT; }
    short GetPaperSize() const { return static_cast<short>(m_request.paperSize); }
    void SetOrientation(short orientation) { m_request.landscape = orientation == DMORIENT_LANDSCAPE; }
    void SetPaperSize(short paper) { m_request.paperSize = paper; }
    // A device context on the chosen printer (PDF when an output file is set); owned by the caller.
    CDC* CreatePrinterDC();

    BOOL m_bPrintSetupOnly;
    CPrintDialogRequest m_request;
    // A printer was chosen, by the dialog or the defaults: the printer DC can be made.
    BOOL m_hasPrinter = FALSE;
    CWnd* m_pParentWnd;
};

class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();

    void SetMinPage(UINT nMinPage) { m_pPD->m_request.minPage = static_cast<int>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_request.maxPage = static_cast<int>(nMaxPage); }
    UINT GetMinPage() const { return static_cast<UINT>(m_pPD->m_request.minPage); }
    UINT GetMaxPage() const { return static_cast<UINT>(m_pPD->m_request.maxPage); }
    UINT GetFromPage() const;
    UINT GetToPage() const;

    CPrintDialog* m_pPD;
    BOOL m_bDocObject = FALSE;
    BOOL m_bDirect = FALSE;
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;
};

// A printer device context: logical units tenth of a millimetre (y up, as MM_LOMETRIC maps),
// pages started and ended by the print loop.
class CPrinterDC;
std::unique_ptr<CDC> AfxCreatePrinterDC(const CPrintDialogRequest& request);
// Forgets the orientation and paper the jobs and the print dialog left for the printer defaults.
void AfxResetPrinterOrientation();
// The PDF files the print jobs wrote, in order (a job's request named the file).
std::vector<CString>& AfxPrintedFiles();
BOOL AfxPrinterStartPage(CDC* pDC, BOOL first);
void AfxPrinterEndDoc(CDC* pDC);
