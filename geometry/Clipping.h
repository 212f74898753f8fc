// Cutting segments and circles down to what a 16-bit drawing window can take, and the rectangle
// tests of box selection. Rectangles are in screen units (top is the larger y) unless a RECT is
// named. The clip routines expect the first end not to lie right of the second.
#pragma once

#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/WinTypes.h"

// Clips p-q in place to r moved inward by margin on every side; 0 when nothing remains.
int ClipSegmentToIntRect(RECT r, int margin, CPointD& p, CPointD& q);

// The clip functions below work against the rectangle widened by 2 units and set inside to 1
// only where the segment needed no cut.
int ClipHorizontalSegmentToRectD(CPointD& p, double& endX, const CRectD& rect, int& inside);
int ClipVerticalSegmentToRectD(CPointD& p, CPointD& q, const CRectD& rect, int& inside);
int ClipSegmentXToRectD(CPointD& p, CPointD& q, const CRectD& rect, int& inside);
int ClipSegmentYToRectD(CPointD& p, CPointD& q, const CRectD& rect, int& inside);
int ClipSegmentToRectD(CPointD& p, CPointD& q, const CRectD& rect, int& inside);

// The counterclockwise range [start, end] (radians) of the circle that can be visible in rect
// grown by 4 units; 0 when none.
int VisibleArcOfCircle(double cx, double cy, double radius, const CRectD& rect, double& start,
                       double& end);
int CircleCrossVerticalLine(double radius, double dx, int upper, double cy, double yHigh,
                            double yLow, double& angle);
int CircleCrossHorizontalLine(double radius, double dy, int left, double cx, double xLow,
                              double xHigh, double& angle);

// Box selection. The arc's angles travel as a point: start in x, end in y (degrees).
int SegmentCrossesRectD(const CPointD& p, const CPointD& q, const CRectD& rect);
int CircleCrossesRectD(const CPointD& centre, double radius, const CRectD& rect);
int ArcInsideRectD(const CPointD& centre, double radius, const CPointD& angles, const CRectD& rect);
