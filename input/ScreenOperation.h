// The screen operation mode (panning and zooming by picks).
#pragma once

#include "platform/core/WinTypes.h"

class CScreenOperation {
public:
    int state = 0;   // points of the gesture given so far; 0 idle

    BOOL IsInOperation() const { return state != 0; }
    void Reset() { state = 0; }
};
