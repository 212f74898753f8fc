// Views: CView (a window showing a document, drawn by OnDraw through a CDC on the persistent
// surface, printed by the print loop), CScrollView (scrolling in a mapping mode) and CEditView
// (a plain-text editor window).
#pragma once

#include "platform/ui/Wnd.h"

class CArchive;
class CDC;
class CBrush;
class CDocument;
class CFrameWnd;
class CPrintInfo;
class CPreviewDC;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) { (void)nState; (void)pFrameWnd; }
    virtual BOOL IsSelected(const CObject* pDocItem) const { (void)pDocItem; return FALSE; }

    // Printing
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CView* pView);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // The print loop of File Print (bPreview FALSE) and of the print preview.
    void OnFilePrint();
    void OnFilePrintPreview();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    CDocument* m_pDocument = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpcs) override;
    void OnDestroy() override;
    void OnPaint() override;
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) override;
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()
};

// Scrolling in a mapping mode: sizes in logical units, positions as GetScrollPosition gives them
// (for MM_LOMETRIC the y of the top edge is negative, as GDI's y-up mapping makes it).
class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    static const SIZE sizeDefault;

    CScrollView();
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(POINT pt);
    CSize GetTotalSize() const { return m_totalLog; }
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;
    int GetMapMode() const { return m_nMapMode; }
    void FillOutsideRect(CDC* pDC, CBrush* pBrush);
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

protected:
    void OnSize(UINT nType, int cx, int cy) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;
    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);

    int m_nMapMode = 0;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bInsideUpdate = FALSE;
};

// A view that is a multi-line text editor.
class CEditView : public CView {
    DECLARE_DYNAMIC(CEditView)
public:
    CEditView();
    void OnDraw(CDC* pDC) override;

    // The text, as Shift-JIS with CR LF line ends.
    void GetWindowText(CString& rString) const;
    void SetWindowText(LPCTSTR lpszString);
    void GetSelectedText(CString& strResult) const;
    // Selection in bytes of the text as GetWindowText gives it.
    void GetSel(int& nStartChar, int& nEndChar) const;
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    int GetLineCount() const;
    int LineFromChar(int nIndex = -1) const;
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    int GetLine(int nIndex, CString& rString) const;
    void SetReadOnly(BOOL bReadOnly = TRUE);
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    void Copy();
    void Cut();
    void Paste();
    void Clear();
    void Undo();
    void SelectAll() { SetSel(0, -1); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    // The text as the bytes of a file: stored without length or terminator; loading takes
    // everything from the archive's position to the end of its file.
    void SerializeRaw(CArchive& ar);

    BOOL IsNativeControl() const override { return TRUE; }

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
    // The edit control's own change notification (EN_CHANGE), reflected to the view: the
    // document becomes modified.
    virtual void OnEditChange();
};
