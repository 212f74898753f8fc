// The drawing frame takes the application's registered class, whatever class it is given.
#include "app/ChildFrame.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"

#include <cstdio>

IMPLEMENT_DYNCREATE(CChildFrame, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CChildFrame, CMDIChildWnd)
END_MESSAGE_MAP()

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CMDIChildWnd::PreCreateWindow(cs);
}

BOOL CChildFrame::Create(LPCTSTR, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CMDIFrameWnd* pParentWnd,
                         CCreateContext* pContext)
{
    // A name too long for the buffer is cut rather than overrunning it.
    char className[256];
    std::snprintf(className, sizeof className, "%s", g_pApp->m_childFrameClassName.GetString());
    return CMDIChildWnd::Create(className, lpszWindowName, dwStyle, rect, pParentWnd, pContext);
}

void CChildFrame::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CMDIChildWnd::InitialUpdateFrame(pDoc, bMakeVisible);
    auto* drawing = dynamic_cast<CZelkDoc*>(pDoc);
    if (bMakeVisible && drawing && drawing->m_viewList.size() == 1)
        drawing->OnShowViews(TRUE);
}
