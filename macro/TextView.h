// The text window's view: an edit control over a CTextDoc that cancels a pending save on Escape,
// hands the letter keys of a training-library text to the drawing, runs a chosen macro text,
// keeps the input method as the user last left it in a text window, and prints its lines.
#pragma once

#include "platform/ui/View.h"

class CTextDoc;

class CTextView : public CEditView {
    DECLARE_DYNCREATE(CTextView)
public:
    // The standard character height of a print, in printer units, before the print scale.
    static constexpr double kPrintCharHeight = 76.19047619047619;
    static constexpr double kPrintCharWidth = 38.095238095238095;
    static constexpr double kPrintMarginWidth = 595.2380952380952;
    static constexpr double kPrintMarginHeight = 476.19047619047615;
    static constexpr double kPrintTop = 238.09523809523807;
    static constexpr int kPrintLeft = 357;

    CTextView();
    ~CTextView() override;

    CTextDoc* GetTextDoc() const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    void OnRunTextFile();
    void OnTextPrintPreview();
    void OnTextPrint();

    int m_active = 0;   // 1 while this is the application's active view

protected:
    void OnKillFocus(CWnd* pNewWnd) override;
    DECLARE_MESSAGE_MAP()
};
