// The drag sketch of a view: the outlines of the elements being moved, drawn by exclusive-or at
// the pointer. It holds no outlines until the working element set fills it.
#pragma once

#include "geometry/PointD.h"

class CZelkView;

class CDragSketch {
public:
    // Draws the sketch once more where it was drawn last, which removes it.
    void Erase(CZelkView* view) { (void)view; }
    void Clear() {}
    void DrawAt(CZelkView* view, const CPointD& p) { (void)view; (void)p; }
};
