// A copy of the picture a window's client area holds, as the screen shows it: its pixels for
// checks, or a PNG file. Without Qt types, so that program code and tests can use it.
#pragma once

#include "platform/core/WinTypes.h"

#include <vector>

class CWnd;

struct CSurfaceCopy {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;    // row by row from the top left

    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// FALSE for a window without a client picture.
BOOL CopyWindowSurface(CWnd* pWnd, CSurfaceCopy& copy);
// path in the program's code page; FALSE when the file cannot be written.
BOOL SaveWindowSurface(CWnd* pWnd, const char* path);
