// The drawing view as the document drives it.
#include "view/ZelkView.h"

IMPLEMENT_DYNCREATE(CZelkView, CView)

CZelkView::CZelkView() = default;

CZelkView::~CZelkView() = default;

void CZelkView::OnUpdate(CZelkView*, LPARAM, void*) {}

int CZelkView::HasHiddenLayer() const
{
    for (int i = 0; i < m_layerHidden.GetSize(); ++i)
        if (m_layerHidden[i] == 1)
            return 1;
    return 0;
}

BOOL CZelkView::MeasureTextExtent(const LOGFONT&, const CString&, SIZE&)
{
    return FALSE;
}

void CZelkView::OnDraw(CDC*) {}
