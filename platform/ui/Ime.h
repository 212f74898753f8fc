// The Japanese input method of a window, switched on and off as the program asks; on Qt the
// window's input-method attribute.
#pragma once

#include "platform/ui/WinUser.h"

typedef struct HIMC__* HIMC;

HIMC ImmGetContext(HWND hWnd);
BOOL ImmReleaseContext(HWND hWnd, HIMC hIMC);
BOOL ImmGetOpenStatus(HIMC hIMC);
BOOL ImmSetOpenStatus(HIMC hIMC, BOOL fOpen);
