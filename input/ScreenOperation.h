// The screen operation mode (panning and zooming by picks).
#pragma once

class CZelkView;

class CScreenOperation {
public:
    // Whether the screen operation runs in the view; it does not run until it is built.
    int IsActiveIn(const CZelkView* view) const { (void)view; return 0; }
};
