// The MDI child frame of every drawing window, made with the window class the application
// registered for drawing frames.
#pragma once

#include "platform/ui/FrameWnd.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)
public:
    CChildFrame() = default;
    ~CChildFrame() override = default;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CMDIFrameWnd* pParentWnd, CCreateContext* pContext) override;
    // A drawing's first window made visible tells the drawing that its views are shown.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) override;

protected:
    DECLARE_MESSAGE_MAP()
};
