// Projections of vectors, feet of perpendiculars, points of circles toward a point, arrow-head wing
// points, and the merging of overlapping collinear segments or concentric arcs into one piece.
#pragma once

#include "geometry/PointD.h"

class CLine;
class CCircle;
class CText;

// Vectors for placing dimensions.
CPointD ProjectVectorOnAngle(CPointD p, double angle, CPointD q);
CPointD PerpendicularOffsetVector(CPointD p, double angle, CPointD q, double margin);

// Feet and distances: t is the foot's position along the segment, 0 at its first point.
int FootOfPerpendicular(CPointD a, CPointD b, CPointD p, CPointD& foot, double& distance);
int FootOnLineRecStrict(const CLine& line, CPointD p, CPointD& foot, double& distance);
int FootOnLineRec(const CLine& line, CPointD p, CPointD& foot, double& distance);
int FootOnTextLine(const CText& text, CPointD p, CPointD& foot, double& distance);
int SignedDistanceToLineRec(const CLine& line, CPointD p, double& distance);
int CirclePointToward(const CCircle& circle, CPointD p, CPointD& out);
int CircleRadialGap(const CCircle& circle, CPointD p, double& gap);

// Position of a foot along start->end as a fraction of the length (0 for a segment without
// length), negative when the foot lies before the start; a segment whose start lies right of its
// end gets no negative value.
double SignedParameterOfFoot(const CPointD& start, const CPointD& end, const CPointD& foot);
// The pick list's class of a position t along a segment: 2 start, 4 middle, 6 end, 1 before the
// start, 3 and 5 in the first and second half, 7 beyond the end.
int SnapClassOfParameter(double t);

// Arrow heads, with the wing angle and length of the element settings.
void ArrowWingPoints(CPointD a, CPointD b, double& angle, CPointD& w1, CPointD& w2, CPointD& w3,
                     CPointD& w4);
void ArrowWingPointsAtEnd(CPointD p, double& angle, CPointD& w1, CPointD& w2, int add);
// The same with the wing angle (degrees) and wing length given.
void ArrowWingPointsWith(CPointD a, CPointD b, double angle, double wingAngle, double wingLength,
                         CPointD& w1, CPointD& w2, CPointD& w3, CPointD& w4);
void ArrowWingPointsAtEndWith(CPointD p, double angle, double wingAngle, double wingLength,
                              CPointD& w1, CPointD& w2, int add);

// Merging: 1 and the combined piece when the pieces lie on one line or circle and overlap or
// touch, else 0.
int OverlapCollinearSegments(CPointD& p, CPointD& q, CPointD& r, CPointD& s, CPointD& out1,
                             CPointD& out2);
int OverlapLineRecs(const CLine& a, const CLine& b, CPointD& out1, CPointD& out2);
int OverlapTextLines(const CText& a, const CText& b, CPointD& out1, CPointD& out2);
// Ranges are (start, end) in degrees as stored in x and y.
int OverlapConcentricArcs(CPointD centre1, double radius1, CPointD range1, CPointD centre2,
                          double radius2, CPointD range2, CPointD& range);
