// Crossings of segments, infinite lines, circles and arcs. The order in which two crossings are
// written to out1 and out2 is fixed: candidate numbering and cycling in the commands rest on it.
#pragma once

#include "geometry/PointD.h"

class CLine;
class CCircle;
class CArc;
class CText;

// Straight elements.
int IntersectSegments(CPointD p1, CPointD p2, CPointD q1, CPointD q2, CPointD& out);
int IntersectLines(CPointD p1, CPointD p2, CPointD q1, CPointD q2, CPointD& out);
int IntersectLineWithSegment(CPointD p, CPointD q, CPointD r, CPointD s, CPointD& out);
int IntersectLineRecSegments(const CLine& a, const CLine& b, CPointD& out);
int IntersectLineRecLines(const CLine& a, const CLine& b, CPointD& out);
int IntersectLineRecWithSegment(const CLine& line, const CLine& segment, CPointD& out);
int IsPointOnLineSeg(const CLine& line, CPointD p);
// The same on the segment a-b.
int IsPointOnSegment(CPointD a, CPointD b, CPointD p);

// Circles and arcs with lines.
int IntersectLineCircle(const CLine& line, const CCircle& circle, CPointD& out1, CPointD& out2, int& onSegment1,
                        int& onSegment2);
int IntersectSegmentCircle(const CLine& line, const CCircle& circle, CPointD& out1, CPointD& out2);
int IntersectLineArcCircle(const CLine& line, const CArc& arc, CPointD& out1, CPointD& out2, int& onSegment1,
                           int& onSegment2);
int IntersectLineArc(const CLine& line, const CArc& arc, CPointD& out1, CPointD& out2, int& onSegment1,
                     int& onSegment2);
int IntersectCircleTextLine(const CCircle& circle, const CText& text, CPointD& out1, CPointD& out2,
                            int& onSegment1, int& onSegment2);
int IntersectArcCircleTextLine(const CArc& arc, const CText& text, CPointD& out1, CPointD& out2,
                               int& onSegment1, int& onSegment2);

// Circles and arcs with each other.
int IntersectCircles(const CCircle& c1, const CCircle& c2, CPointD& out1, CPointD& out2);
int IntersectCircleArcCircle(const CCircle& circle, const CArc& arc, CPointD& out1, CPointD& out2);
int IntersectCircleArc(const CCircle& circle, const CArc& arc, CPointD& out1, CPointD& out2);
int IntersectArcCircles(const CArc& arc1, const CArc& arc2, CPointD& out1, CPointD& out2);
int IntersectArcs(const CArc& arc1, const CArc& arc2, CPointD& out1, CPointD& out2);
