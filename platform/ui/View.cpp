// CView, CScrollView and CEditView.
#include "platform/ui/View.h"

#include "platform/core/Archive.h"

#include "platform/ui/ClientDC.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/PrintInfo.h"
#include "platform/ui/UiInternal.h"
#include "platform/gdi/DC.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CScrollView, CView)
IMPLEMENT_DYNAMIC(CEditView, CView)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
    ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    // The creating template names the document the view shows.
    if (auto* ctx = static_cast<CCreateContext*>(lpcs ? lpcs->lpCreateParams : nullptr))
        if (ctx->m_pCurrentDoc)
            ctx->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame())
        if (frame->m_pViewActive == this)
            frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    // A view belongs to its frame; the window's end is the object's end.
    if (!m_bInDestructor)
        delete this;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    // A job that never said how many pages it has prints one.
    if (pInfo)
        pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*)
{
    (void)pSender;
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView*, CView*)
{
    if (bActivate)
        SetFocus();
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int r = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (CFrameWnd* frame = GetParentFrame())
        if (frame->GetActiveView() != this)
            frame->SetActiveView(this);
    return r;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    // The view first, then its document.
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return FALSE;
}

// ---------------------------------------------------------------------------------------------

const SIZE CScrollView::sizeDefault = { 0, 0 };

CScrollView::CScrollView() = default;

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    // Device sizes through a DC of this window in the mapping mode, as GDI rounds them.
    {
        CClientDC dc(this);
        dc.SetMapMode(nMapMode);
        auto toDevice = [&dc](CSize size) {
            dc.LPtoDP(&size);
            return CSize(std::abs(size.cx), std::abs(size.cy));
        };
        m_totalDev = toDevice(sizeTotal);
        m_pageDev = toDevice(sizePage);
        m_lineDev = toDevice(sizeLine);
    }
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != 1 /* MM_TEXT */ && m_nMapMode != 0) {
        CClientDC dc(const_cast<CScrollView*>(this));
        dc.SetMapMode(m_nMapMode);
        dc.DPtoLP(&pt);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CPoint dev = pt;
    if (m_nMapMode != 1 && m_nMapMode != 0) {
        CClientDC dc(this);
        dc.SetMapMode(m_nMapMode);
        dc.LPtoDP(&dev);
    }
    if (dev.x < 0)
        dev.x = 0;
    if (dev.y < 0)
        dev.y = 0;
    ScrollToDevicePosition(dev);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    int xOrig = GetScrollPos(SB_HORZ);
    SetScrollPos(SB_HORZ, ptDev.x);
    int yOrig = GetScrollPos(SB_VERT);
    SetScrollPos(SB_VERT, ptDev.y);
    ScrollWindow(xOrig - GetScrollPos(SB_HORZ), yOrig - GetScrollPos(SB_VERT));
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (m_nMapMode != 0)
        pDC->SetMapMode(m_nMapMode);
    if (!pDC->IsPrinting()) {
        CPoint org = GetDeviceScrollPosition();
        pDC->SetViewportOrg(-org.x, -org.y);
    }
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || !m_hWnd)
        return;
    m_bInsideUpdate = TRUE;
    // A bar's page is the client extent; its position stays within what the page leaves over.
    auto fitBar = [this](int bar, int total, int room) {
        SCROLLINFO si{};
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = total > room ? total - 1 : 0;
        si.nPage = static_cast<UINT>(room);
        si.nPos = std::min(GetScrollPos(bar), std::max(0, total - room));
        SetScrollInfo(bar, &si, TRUE);
    };
    // Two passes: a bar that appears takes client area from the other direction.
    for (int pass = 0; pass < 2; ++pass) {
        CRect client;
        GetClientRect(&client);
        fitBar(SB_HORZ, m_totalDev.cx, client.Width());
        fitBar(SB_VERT, m_totalDev.cy, client.Height());
    }
    m_bInsideUpdate = FALSE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    (void)pScrollBar;
    OnScroll(MAKEWORD(static_cast<BYTE>(nSBCode), 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    (void)pScrollBar;
    OnScroll(MAKEWORD(0xFF, static_cast<BYTE>(nSBCode)), nPos);
}

namespace {

// Where one scroll bar's request moves its position; any other code leaves it.
int ScrolledPos(BYTE code, int pos, int line, int page, UINT nPos)
{
    switch (code) {
    case SB_TOP: return 0;
    case SB_BOTTOM: return INT_MAX;
    case SB_LINEUP: return pos - line;
    case SB_LINEDOWN: return pos + line;
    case SB_PAGEUP: return pos - page;
    case SB_PAGEDOWN: return pos + page;
    case SB_THUMBTRACK: return static_cast<int>(nPos);
    default: return pos;
    }
}

} // namespace

// The low byte of the code is the horizontal bar's request, the high byte the vertical one's.
BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    int xOrig = GetScrollPos(SB_HORZ);
    int x = ScrolledPos(LOBYTE(static_cast<WORD>(nScrollCode)), xOrig, m_lineDev.cx, m_pageDev.cx, nPos);
    int yOrig = GetScrollPos(SB_VERT);
    int y = ScrolledPos(HIBYTE(static_cast<WORD>(nScrollCode)), yOrig, m_lineDev.cy, m_pageDev.cy, nPos);
    BOOL result = OnScrollBy(CSize(x - xOrig, y - yOrig), bDoScroll);
    if (result && bDoScroll)
        UpdateWindow();
    return result;
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    if (!m_pState)
        return FALSE;
    const bool hasH = m_pState->scroll[SB_HORZ].visible;
    const bool hasV = m_pState->scroll[SB_VERT].visible;
    if (!hasH)
        sizeScroll.cx = 0;
    if (!hasV)
        sizeScroll.cy = 0;
    int xOrig = GetScrollPos(SB_HORZ);
    int x = xOrig;
    long long nx = static_cast<long long>(x) + sizeScroll.cx;
    x = static_cast<int>(std::clamp<long long>(nx, 0, GetScrollLimit(SB_HORZ)));
    int yOrig = GetScrollPos(SB_VERT);
    long long ny = static_cast<long long>(yOrig) + sizeScroll.cy;
    int y = static_cast<int>(std::clamp<long long>(ny, 0, GetScrollLimit(SB_VERT)));
    if (x == xOrig && y == yOrig)
        return FALSE;
    if (bDoScroll) {
        ScrollWindow(-(x - xOrig), -(y - yOrig));
        if (x != xOrig)
            SetScrollPos(SB_HORZ, x);
        if (y != yOrig)
            SetScrollPos(SB_VERT, y);
    }
    return TRUE;
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    if (!m_pState || !m_pState->scroll[SB_VERT].visible)
        return FALSE;
    int lines = -zDelta / WHEEL_DELTA * 3;
    BOOL r = OnScrollBy(CSize(0, lines * m_lineDev.cy), TRUE);
    if (r)
        UpdateWindow();
    return r;
}

void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush)
{
    (void)pDC;
    (void)pBrush;
}

void CScrollView::ResizeParentToFit(BOOL) {}

// ---------------------------------------------------------------------------------------------

namespace {
class CEditWidget : public QPlainTextEdit {
public:
    CEditWidget(CEditView* view, QWidget* parent) : QPlainTextEdit(parent), m_view(view)
    {
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setFrameShape(QFrame::NoFrame);
    }
    CEditView* m_view;
};

QPlainTextEdit* EditOf(const CEditView* v)
{
    return qobject_cast<QPlainTextEdit*>(v->GetQWidget());
}

} // namespace

CEditView::CEditView() = default;

QWidget* CEditView::CreateNativeWidget(QWidget* parent)
{
    auto* w = new CEditWidget(this, parent);
    CEditView* self = this;
    QObject::connect(w, &QPlainTextEdit::textChanged, w, [self]() {
        if (UiIsLive(self))
            self->OnEditChange();
    });
    return w;
}

void CEditView::OnDraw(CDC*) {}

void CEditView::OnEditChange()
{
    if (CDocument* doc = GetDocument())
        doc->SetModifiedFlag(TRUE);
}

void CEditView::SerializeRaw(CArchive& ar)
{
    if (ar.IsStoring()) {
        CString text;
        GetWindowText(text);
        ar.Write(text.GetString(), static_cast<UINT>(text.GetLength()));
        return;
    }
    std::string bytes;
    char chunk[4096];
    for (;;) {
        const UINT n = ar.Read(chunk, sizeof chunk);
        if (n == 0)
            break;
        bytes.append(chunk, n);
    }
    SetWindowText(CString(bytes.data(), static_cast<int>(bytes.size())));
}

void CEditView::GetWindowText(CString& rString) const
{
    QPlainTextEdit* e = EditOf(this);
    QString t = e ? e->toPlainText() : QString();
    t.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    rString = FromQ(t);
}

void CEditView::SetWindowText(LPCTSTR lpszString)
{
    if (QPlainTextEdit* e = EditOf(this)) {
        QString t = ToQ(lpszString ? lpszString : "");
        t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        e->setPlainText(t);
    }
}

void CEditView::GetSel(int& nStartChar, int& nEndChar) const
{
    QPlainTextEdit* e = EditOf(this);
    if (!e) {
        nStartChar = nEndChar = 0;
        return;
    }
    QString t = e->toPlainText();
    QTextCursor c = e->textCursor();
    nStartChar = UiQtToBytePos(t, c.selectionStart());
    nEndChar = UiQtToBytePos(t, c.selectionEnd());
}

void CEditView::SetSel(int nStartChar, int nEndChar, BOOL)
{
    QPlainTextEdit* e = EditOf(this);
    if (!e)
        return;
    QString t = e->toPlainText();
    QTextCursor c = e->textCursor();
    if (nStartChar < 0) {
        c.clearSelection();
        e->setTextCursor(c);
        return;
    }
    int s = UiByteToQtPos(t, nStartChar);
    int en = nEndChar < 0 ? static_cast<int>(t.size()) : UiByteToQtPos(t, nEndChar);
    c.setPosition(s);
    c.setPosition(en, QTextCursor::KeepAnchor);
    e->setTextCursor(c);
}

void CEditView::GetSelectedText(CString& strResult) const
{
    QPlainTextEdit* e = EditOf(this);
    QString s = e ? e->textCursor().selectedText() : QString();
    s.replace(QChar(0x2029), QLatin1String("\r\n"));
    strResult = FromQ(s);
}

void CEditView::ReplaceSel(LPCTSTR lpszNewText, BOOL)
{
    if (QPlainTextEdit* e = EditOf(this)) {
        QString t = ToQ(lpszNewText ? lpszNewText : "");
        t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        e->textCursor().insertText(t);
    }
}

int CEditView::GetLineCount() const
{
    QPlainTextEdit* e = EditOf(this);
    return e ? e->document()->blockCount() : 0;
}

int CEditView::LineFromChar(int nIndex) const
{
    QPlainTextEdit* e = EditOf(this);
    if (!e)
        return 0;
    int pos = nIndex < 0 ? e->textCursor().selectionStart() : UiByteToQtPos(e->toPlainText(), nIndex);
    return e->document()->findBlock(pos).blockNumber();
}

int CEditView::LineIndex(int nLine) const
{
    QPlainTextEdit* e = EditOf(this);
    if (!e)
        return -1;
    QTextBlock b = nLine < 0 ? e->textCursor().block() : e->document()->findBlockByNumber(nLine);
    if (!b.isValid())
        return -1;
    return UiQtToBytePos(e->toPlainText(), b.position());
}

int CEditView::LineLength(int nLine) const
{
    QPlainTextEdit* e = EditOf(this);
    if (!e)
        return 0;
    QTextBlock b = nLine < 0 ? e->textCursor().block() : e->document()->findBlock(UiByteToQtPos(e->toPlainText(), nLine));
    return b.isValid() ? FromQ(b.text()).GetLength() : 0;
}

int CEditView::GetLine(int nIndex, CString& rString) const
{
    QPlainTextEdit* e = EditOf(this);
    QTextBlock b = e ? e->document()->findBlockByNumber(nIndex) : QTextBlock();
    rString = b.isValid() ? FromQ(b.text()) : CString();
    return rString.GetLength();
}

void CEditView::SetReadOnly(BOOL bReadOnly)
{
    if (QPlainTextEdit* e = EditOf(this))
        e->setReadOnly(bReadOnly != FALSE);
}

BOOL CEditView::GetModify() const
{
    QPlainTextEdit* e = EditOf(this);
    return e && e->document()->isModified();
}

void CEditView::SetModify(BOOL bModified)
{
    if (QPlainTextEdit* e = EditOf(this))
        e->document()->setModified(bModified != FALSE);
}

void CEditView::Copy()
{
    if (QPlainTextEdit* e = EditOf(this))
        e->copy();
}

void CEditView::Cut()
{
    if (QPlainTextEdit* e = EditOf(this))
        e->cut();
}

void CEditView::Paste()
{
    if (QPlainTextEdit* e = EditOf(this))
        e->paste();
}

void CEditView::Clear()
{
    if (QPlainTextEdit* e = EditOf(this))
        e->textCursor().removeSelectedText();
}

void CEditView::Undo()
{
    if (QPlainTextEdit* e = EditOf(this))
        e->undo();
}

void CEditView::SetFont(CFont* pFont, BOOL bRedraw)
{
    CWnd::SetFont(pFont, bRedraw);
}
