// Input-method contexts: one per window, its open status the window's input-method switch.
#include "platform/ui/Ime.h"

#include "platform/ui/Wnd.h"

HIMC ImmGetContext(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return w && IsWindow(hWnd) ? reinterpret_cast<HIMC>(hWnd) : nullptr;
}

BOOL ImmReleaseContext(HWND, HIMC hIMC)
{
    return hIMC != nullptr;
}

BOOL ImmGetOpenStatus(HIMC hIMC)
{
    HWND h = reinterpret_cast<HWND>(hIMC);
    if (!h || !IsWindow(h))
        return FALSE;
    return CWnd::FromHandle(h)->IsInputMethodEnabled();
}

BOOL ImmSetOpenStatus(HIMC hIMC, BOOL fOpen)
{
    HWND h = reinterpret_cast<HWND>(hIMC);
    if (!h || !IsWindow(h))
        return FALSE;
    CWnd::FromHandle(h)->EnableInputMethod(fOpen);
    return TRUE;
}
