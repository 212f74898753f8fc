// The drawing view as the document drives it.
#include "view/ZelkView.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"

IMPLEMENT_DYNCREATE(CZelkView, CView)

CZelkView::CZelkView() = default;

CZelkView::~CZelkView() = default;

void CZelkView::OnUpdate(CZelkView*, LPARAM, void*) {}

int CZelkView::HasHiddenLayer() const
{
    for (int i = 0; i < m_layerStates.GetSize(); ++i)
        if (m_layerStates[i] == 1)
            return 1;
    return 0;
}

BOOL CZelkView::MeasureTextExtent(const LOGFONT&, const CString&, SIZE&)
{
    return FALSE;
}

void CZelkView::OnDraw(CDC*) {}

void CZelkView::OnInitialUpdate()
{
    m_document = static_cast<CZelkDoc*>(GetDocument());
    if (g_pApp)
        g_pApp->m_drawingViews.Add(this);
    CView::OnInitialUpdate();
}

void CZelkView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (bActivate && g_pApp)
        g_pApp->m_activeDrawingView = this;
}

void CZelkView::OnDestroy()
{
    if (g_pApp) {
        for (int i = 0; i < g_pApp->m_drawingViews.GetSize(); ++i)
            if (g_pApp->m_drawingViews[i] == this) {
                g_pApp->m_drawingViews.RemoveAt(i);
                break;
            }
        if (g_pApp->m_activeDrawingView == this)
            g_pApp->m_activeDrawingView = nullptr;
    }
    CView::OnDestroy();
}
