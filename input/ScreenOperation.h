// The screen operation mode (panning and zooming by picks).
#pragma once

#include "input/GuidanceOwner.h"

#include "platform/core/WinTypes.h"

class CZelkView;

class CScreenOperation : public CGuidanceOwner {
public:
    int state = 0;   // points of the gesture given so far; 0 idle

    BOOL IsInOperation() const { return state != 0; }
    void Reset() { state = 0; }
    // Whether the screen operation runs in the view; it does not run until it is built.
    int IsActiveIn(const CZelkView* view) const { (void)view; return 0; }
};
