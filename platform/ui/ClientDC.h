// Device contexts of a window: CClientDC draws into the window's persistent surface at any time
// (the screen shows it on its next refresh); CPaintDC is the one OnPaint uses, clipped to the
// invalid part, which it validates.
#pragma once

#include "platform/gdi/PainterDC.h"

class CWnd;
class QImage;

class CClientDC : public CPainterDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    // For CPaintDC, which prepares the surface before drawing on it.
    CClientDC(CWnd* pWnd, QImage* surface);

public:
    CWnd* m_pWnd;
};

class CWindowDC : public CClientDC {
public:
    explicit CWindowDC(CWnd* pWnd) : CClientDC(pWnd) {}
};

class CPaintDC : public CClientDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    // The invalid part this paint covers (PAINTSTRUCT's rcPaint).
    RECT m_rcPaint;
};
