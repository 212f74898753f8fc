// Window classes as the program registers them: class styles (double clicks), the cursor and
// the background brush that erasing paints with.
#pragma once

#include "platform/ui/WinUser.h"

typedef struct HBRUSH__* HBRUSH;

constexpr UINT CS_VREDRAW = 0x0001;
constexpr UINT CS_HREDRAW = 0x0002;
constexpr UINT CS_DBLCLKS = 0x0008;
constexpr UINT CS_OWNDC = 0x0020;
constexpr UINT CS_CLASSDC = 0x0040;
constexpr UINT CS_PARENTDC = 0x0080;
constexpr UINT CS_NOCLOSE = 0x0200;
constexpr UINT CS_SAVEBITS = 0x0800;

struct CWndClassInfo {
    UINT style = CS_DBLCLKS;
    HCURSOR cursor = nullptr;
    COLORREF background = RGB(255, 255, 255);
    bool hasBackground = true;
};

// Registers a class and returns its name; the same attributes give the same name.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
// A solid brush for a class background; it lives as long as the program, as a class brush does.
HBRUSH CreateSolidBrush(COLORREF color);
// The registered class of a name; null for names nobody registered.
const CWndClassInfo* AfxFindWndClass(LPCTSTR lpszClassName);
