// The circles and arcs that the circle previews show, worked out in world coordinates from the
// document's preview model and the pointer. Kept apart from the drawing so that every
// construction can be checked on its own; the view only reads the zoom and the pick size of its
// screen tests here.
#pragma once

#include "geometry/PointD.h"

class CZelkDoc;
class CZelkView;

// A circle to show: its centre, its signed radius and the two ends of the arc shown instead of
// the full circle when the preview model asks for an arc.
struct CCircleFigure {
    CPointD m_centre;
    double m_radius = 0;
    CPointD m_start;
    CPointD m_end;
    int m_screenRadius = -1;  // the radius in view units when the figure measures it there
    int m_alwaysArc = 0;      // shown as the arc whatever the model asks for
    int m_alwaysCircle = 0;   // shown as the full circle whatever the model asks for
};

// Each returns 1 with the figure, 0 when the construction has no solution.
namespace CircleFigures {

int AboutCentre(const CZelkDoc& doc, const CZelkView& view, const CPointD& centre, const CPointD& p,
                CCircleFigure& out);
int FixedRadius(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out);
int TangentToLine(const CZelkDoc& doc, CZelkView& view, double r, const CPointD& p, CCircleFigure& out);
int TangentToCircle(const CZelkDoc& doc, CZelkView& view, double r, const CPointD& p, CCircleFigure& out);
int Diameter(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out);
int Through3Points(const CZelkDoc& doc, const CZelkView& view, const CPointD& p, CCircleFigure& out);
int ThroughTwoPoints(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out);
int RadiusToward(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out);
int OnDirection(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out);
// The arc ends are P and the end of the radius line from the centre.
int WithOffset(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out);
// The arc ends are A and P, which the radius lines join to the centre.
int WithAngle(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out);
int TangentAtPoint(const CZelkDoc& doc, const CPointD& q1, const CPointD& q2, int order, CCircleFigure& out);
int TangentToCircleAt(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out);
int LineAndPoint(const CZelkDoc& doc, CZelkView& view, const CPointD& p, const CPointD& reference, int mode,
                 CCircleFigure& out);
int TwoLines(const CZelkDoc& doc, CZelkView& view, const CPointD& p, CCircleFigure& out);
int TwoCircles(const CZelkDoc& doc, CZelkView& view, const CPointD& p, CCircleFigure& out);
int CircleAndPoint(const CZelkDoc& doc, const CPointD& p, int mode, CCircleFigure& out);
int LineAndCircle(const CZelkDoc& doc, CZelkView& view, const CPointD& p, int mode, CCircleFigure& out);
int GivenArc(const CPointD& centre, double radius, const CPointD& start, const CPointD& end, CCircleFigure& out);
int ArcEnd(const CZelkDoc& doc, const CPointD& p, CCircleFigure& out);

}  // namespace CircleFigures
