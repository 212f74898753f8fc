// The drag sketch of a view: the outlines of the elements being moved, made once in view units
// relative to the working set's base point and drawn by exclusive-or at the pointer, so that a
// mouse move never walks the drawing.
#pragma once

#include "elements/SketchFigures.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"

#include <cstdint>

class CDC;
class CElemSet;
class CInputPoint;
class CZelkDoc;
class CZelkView;

class CDragSketch {
public:
    CDragSketch() = default;
    ~CDragSketch();
    CDragSketch(const CDragSketch&) = delete;
    CDragSketch& operator=(const CDragSketch&) = delete;

    // Deletes every figure; whether the sketch is on the screen is left as it is.
    void Clear();
    // The figures of the set as they will look after the operation, for the view's mapping.
    void Build(CElemSet& set, CZelkDoc* doc, CZelkView* view);
    // Erases the sketch and draws it at the effective point of the input (dc prepared).
    void DrawAt(CZelkView* view, CDC* dc, const CInputPoint& input);
    // Draws the sketch once more where it was drawn last, which removes it.
    void Erase(CDC* dc);

    // The number of figures of the element walk and of the waiting texts.
    int FigureCount() const;

    CZelkView* view = nullptr;
    std::int32_t shownX = 0;
    std::int32_t shownY = 0;
    std::int32_t shown = 0;
    CPtrArray points;            // POINT, owned
    CPtrArray segments;          // CSketchSegment, owned
    CPtrArray circles;           // CSketchArc, owned
    CPtrArray arcs;              // CSketchArc, owned
    CPtrArray textLines;         // CSketchSegment, owned
    CPtrArray conicPolylines;    // CSketchPolyline, owned
    CPtrArray curvePolylines;    // CSketchPolyline, owned

private:
    void DrawFigures(CDC* dc, int dx, int dy);
    void Offset(int dx, int dy);
};
