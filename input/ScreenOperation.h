// The screen operation: mouse gestures in a view that zoom to a dragged rectangle, zoom out of
// it, or scroll one point onto another, instead of giving input to the drawing command.
#pragma once

#include "geometry/PointD.h"
#include "platform/core/String.h"
#include "input/GuidanceOwner.h"
#include "platform/core/WinTypes.h"

class CZelkView;

class CScreenOperation : public CGuidanceOwner {
public:
    CScreenOperation();
    ~CScreenOperation() = default;

    void Reset();
    // The next point of the gesture, run when the gesture is complete.
    int OnPoint(CZelkView* view, const CPointD& p);
    // 0 nothing done, 1 the view was zoomed (or refused the zoom), 2 scrolled or zoomed in.
    int Run(CZelkView* view);
    // The first point is given in this view and the second is awaited.
    BOOL IsActiveIn(const CZelkView* view) const;
    BOOL IsInOperation() const { return state != 0; }

    BYTE state;          // 0x01 first point given, 0x02 second point given
    CZelkView* view;
    BYTE gesture;        // 1 zoom in on the rectangle, 2 zoom out, 3 scroll by two points
    CPointD firstPoint;
    CPointD secondPoint;
};
