// What the element drawing routines share: integer conversion of view coordinates that can lie
// far outside any integer range, the printing clip rectangle, the line-type patterns laid by the
// printer routines, and the settings the drawings read.
#pragma once

#include "elements/SketchFigures.h"
#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/WinTypes.h"

#include <vector>

class CDC;
class CZelkView;

// Toward zero, like the integer conversion of a coordinate, but a value beyond the 32-bit range
// is held at its end (and NaN gives 0) instead of being undefined.
int TruncToInt(double v);
POINT TruncPoint(double x, double y);

// The integer clip rectangle of printing, divided by the factor unless the factor is 0.
CRectD PrintClipRect(const RECT& clip, double factor);

// Circles in view units. The view's logical coordinates are 16-bit: a box fits when it lies in
// x (0, 32767) and y (-32767, 0).
POINT PointOnCircle(double cx, double cy, double r, double angle);
bool BoxFitsView(double cx, double cy, double r);
// Left <= x < right and bottom <= y <= top.
bool CentreInClip(const CRectD& clip, double x, double y);
// trunc(|sweep| / step) + 1, held to a million.
int ChordCount(double sweep, double step);
// MoveTo the point at start, then LineTo n points of equal angle up to end.
void ChordChain(CDC* dc, double cx, double cy, double r, double start, double end, int n);
// One Arc call over the circle's box from the point at start to the point at end.
void ArcCall(CDC* dc, double cx, double cy, double r, double start, double end);

// A line type's pattern in device units: strokes at even positions, gaps at odd ones.
struct CLinePattern {
    int count = 0;
    double lengths[6] = {};
    double period = 0;
};
// Line types 1 to 4; false for every other type (0 is a continuous stroke).
bool GetLinePattern(int lineType, CLinePattern& pattern);

// The pattern of a line type over the counterclockwise range [start, end] (radians) of a circle
// in device units, each stroke one chord; the last stroke reaches the end point.
void PrintStyledArcRange(CDC* dc, double cx, double cy, double radius, double start, double end, int lineType);

// The pattern of a line type along a run of fine points given in screen units less the print
// offset: points outside the clip rectangle lift the pen, and the pattern starts again at the next
// point inside; each stroke is a chord from its anchor to the fine point that ends it.
void PrintStyledFinePoints(CDC* dc, const std::vector<CPointD>& points, const CRectD& clip, double factor,
                           int lineType);

// Solid printing of a point chain in screen units less the print offset: a point outside the clip
// rectangle lifts the pen and the chain goes on at the next point inside.
void PrintPointChain(CDC* dc, const std::vector<CPointD>& points, const CRectD& clip, double factor);

// The point sequences of ellipses and curves, in world units: on the screen each pair as a
// temporary oblique line (clipped), solid on the printer, for the server item, as a drag sketch.
void DrawPointSequence(CDC* dc, const std::vector<CPointD>& points, const CPointD& origin, double scale,
                       const CRectD& clip);
void PrintPointSequence(CDC* dc, const std::vector<CPointD>& points, const CPointD& origin, double scale,
                        const RECT& clip, int offsetX, int offsetY, double factor);
void DrawPointSequenceForServerItem(CDC* dc, const std::vector<CPointD>& points);
CSketchPolyline* MakePointSequenceSketch(const std::vector<CPointD>& points, CZelkView* view,
                                         const CPointD& centre, double angle, double factor);
// World points to screen units less the print offset.
std::vector<CPointD> ToPrintUnits(const std::vector<CPointD>& points, const CPointD& origin, double scale,
                                  int offsetX, int offsetY);

// Half-size of the point element's cross, a display setting (10 by default).
int PointMarkHalfSize();

// The view mapping the server item draws with: the application's mirror of the last view state.
struct CServerItemMapping {
    CPointD origin;
    double scale = 1.0;
    RECT rect{15788, -15830, 16533, -16357};
    POINT point{15788, -15830};
};
CServerItemMapping GetServerItemMapping();

// A text's clip rectangle: the given one widened on every side by the underline's length (a
// turned string may reach in from outside). False when no part of the underline lies inside it:
// the text then draws nothing. On the screen; on the printer (the widened rectangle divided by
// the factor unless it is 0, the underline less the print offset); for the server item.
class CText;
bool TextClipOnScreen(const CText& text, const CPointD& origin, double scale, const CRectD& clip, CRectD& wide);
bool TextClipOnPrinter(const CText& text, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                       int offsetY, double factor, CRectD& wide);
bool TextClipForServerItem(const CText& text, const CServerItemMapping& map, CRectD& wide);
