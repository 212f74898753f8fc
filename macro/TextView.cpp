// CTextView: the keys, focus, macro-run and print behaviour of the text window's edit control.
#include "macro/TextView.h"

#include "app/MainFrame.h"
#include "app/Resource.h"
#include "app/WaitCursorScope.h"
#include "app/ZelkApp.h"
#include "commands/annotate/TextCommand.h"
#include "document/ZelkDoc.h"
#include "formats/BufferRoutines.h"
#include "formats/FileDialogs.h"
#include "macro/MacroInterpreter.h"
#include "macro/TextDoc.h"
#include "platform/core/Services.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/Ime.h"
#include "platform/ui/PrintInfo.h"
#include "view/ZelkView.h"

#include <algorithm>
#include <cstring>

namespace {

const char* const kLibraryFolderName = "作図体験ライブラリ";
const char* const kPrintFace = "ＭＳ ゴシック";
const char* const kMsgCannotOpen = " はオープンできませんでした";

constexpr WPARAM kEscape = 27;

bool IsLetterKey(WPARAM key)
{
    return (key >= 0x41 && key <= 0x5A) || (key >= 0x61 && key <= 0x7A);
}

}  // namespace

IMPLEMENT_DYNCREATE(CTextView, CEditView)

BEGIN_MESSAGE_MAP(CTextView, CEditView)
    ON_COMMAND(ID_MACRO_RUN_TEXT_FILE, OnRunTextFile)
    ON_COMMAND(ID_TEXT_PRINT_PREVIEW, OnTextPrintPreview)
    ON_COMMAND(ID_TEXT_PRINT, OnTextPrint)
END_MESSAGE_MAP()

CTextView::CTextView()
{
    if (g_pApp)
        g_pApp->m_textViews.Add(this);
}

CTextView::~CTextView()
{
    if (!g_pApp)
        return;
    for (int i = 0; i < g_pApp->m_textViews.GetSize(); ++i) {
        if (g_pApp->m_textViews[i] == this) {
            g_pApp->m_textViews.RemoveAt(i);
            break;
        }
    }
    if (g_pApp->m_activeTextView == this)
        g_pApp->m_activeTextView = nullptr;
}

CTextDoc* CTextView::GetTextDoc() const
{
    return dynamic_cast<CTextDoc*>(GetDocument());
}

BOOL CTextView::PreTranslateMessage(MSG* pMsg)
{
    CTextDoc* doc = GetTextDoc();
    const bool library = doc && doc->m_path.Find(kLibraryFolderName) >= 0;
    if (pMsg->wParam == kEscape) {
        if ((GetKeyState(VK_ESCAPE) & 0x8000) && g_pApp) {
            if (g_pApp->m_pMainFrame)
                g_pApp->m_pMainFrame->StopTimer(19);
            if (g_pApp->m_savePending)
                g_pApp->CancelPendingSave();
        }
        return TRUE;
    }
    if (pMsg->wParam >= VK_LEFT && pMsg->wParam <= VK_DOWN)
        return CEditView::PreTranslateMessage(pMsg);
    if (library) {
        if (pMsg->message == WM_KEYDOWN) {
            // A training text is read, not edited: its letters act on the drawing.
            CZelkView* view = g_pApp ? g_pApp->m_activeView : nullptr;
            if (view && IsLetterKey(pMsg->wParam)) {
                g_pApp->m_lastKey = static_cast<std::int32_t>(pMsg->wParam);
                g_pApp->DispatchCommand(view->m_document, view, 7);
            } else if (!view && g_pApp && (pMsg->wParam == 0x4A || pMsg->wParam == 0x6A)) {
                g_pApp->OnOpenExperienceLibrary();
            }
            return TRUE;
        }
        if (pMsg->message == WM_KEYUP)
            return TRUE;
    }
    return CEditView::PreTranslateMessage(pMsg);
}

void CTextView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate && g_pApp) {
        g_pApp->m_activeTextView = this;
        m_active = 1;
        if (CZelkView* drawing = g_pApp->m_activeView) {
            drawing->m_active = 0;
            CZelkDoc* doc = drawing->m_document;
            if (doc && doc->m_textCmd && doc->m_textCmd->m_imeOpen) {
                if (HIMC context = ImmGetContext(m_hWnd)) {
                    ImmSetOpenStatus(context, TRUE);
                    ImmReleaseContext(m_hWnd, context);
                }
            }
        }
    }
    CEditView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    m_active = bActivate ? 1 : 0;
}

void CTextView::OnKillFocus(CWnd* pNewWnd)
{
    CEditView::OnKillFocus(pNewWnd);
    CZelkView* drawing = g_pApp ? g_pApp->m_activeView : nullptr;
    if (!drawing)
        return;
    if (HIMC context = ImmGetContext(m_hWnd)) {
        CZelkDoc* doc = drawing->m_document;
        if (doc && doc->m_textCmd)
            doc->m_textCmd->m_imeOpen = ImmGetOpenStatus(context) ? 1 : 0;
        ImmSetOpenStatus(context, FALSE);
        ImmReleaseContext(m_hWnd, context);
    }
}

void CTextView::OnRunTextFile()
{
    CString path;
    CString title;
    int fileType = 16;
    if (!ChooseFileName(path, title, 8, fileType, 1, 3))
        return;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CWaitCursorScope wait;
    CStringArray lines;
    if (!ReadTextFileLines(lines, path)) {
        AfxMessageBox(path + kMsgCannotOpen);
        return;
    }
    if (!g_pApp || !g_pApp->m_scriptInterpreter)
        return;
    // The macro acts on the drawing the window names, else on the active one.
    CTextDoc* doc = GetTextDoc();
    CZelkDoc* drawing = doc && doc->m_macroDrawing ? doc->m_macroDrawing : g_pApp->GetActiveDrawingDoc();
    g_pApp->m_scriptInterpreter->RunLines(drawing, lines, true);
}

void CTextView::OnTextPrintPreview()
{
    SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
}

void CTextView::OnTextPrint()
{
    SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
}

void CTextView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CStringArray lines;
    CTextDoc* doc = GetTextDoc();
    if (doc)
        doc->GetLines(lines);
    int widest = 0;
    for (int i = 0; i < lines.GetSize(); ++i)
        widest = std::max(widest, lines[i].GetLength());

    const double scale = g_pApp ? g_pApp->m_textPrintScale : 1.0;
    double h = kPrintCharHeight * scale;
    const double w = kPrintCharWidth * scale;
    const CRect& area = pInfo->m_rectDraw;
    const double width = area.Width();
    const double height = area.Height();
    if (widest != 0 && widest * w + kPrintMarginWidth > width)
        h = (width - kPrintMarginWidth) / widest * 2;
    const int n = lines.GetSize();
    if (n != 0 && n * h * 1.25 + kPrintMarginHeight > height)
        h = (height - kPrintMarginHeight) / n * 0.8;
    const double pitch = 1.25 * h;

    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -static_cast<LONG>(h);
    lf.lfWeight = 400;
    lf.lfCharSet = 128;
    lf.lfOutPrecision = 3;
    lf.lfClipPrecision = 2;
    lf.lfQuality = 1;
    lf.lfPitchAndFamily = 49;
    std::strncpy(lf.lfFaceName, kPrintFace, sizeof lf.lfFaceName - 1);
    CFont font;
    CFont* oldFont = nullptr;
    const BOOL made = font.CreateFontIndirect(&lf);
    if (made)
        oldFont = pDC->SelectObject(&font);
    const COLORREF oldColor = pDC->SetTextColor(RGB(0, 0, 0));
    const UINT oldAlign = pDC->SetTextAlign(24);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    for (int i = 0; i < n; ++i) {
        const int y = static_cast<int>(i * pitch + h + kPrintTop);
        pDC->TextOut(kPrintLeft, y, lines[i]);
    }
    pDC->SetBkMode(oldMode);
    pDC->SetTextAlign(oldAlign);
    pDC->SetTextColor(oldColor);
    if (made && oldFont)
        pDC->SelectObject(oldFont);
    font.DeleteObject();
}
