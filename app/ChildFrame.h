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

protected:
    DECLARE_MESSAGE_MAP()
};
