// The candidate list of the tangent constructions with several solutions: records sorted by their
// key, duplicates dropped, and in the arc command each arc followed by its complement.
#pragma once

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"

class CCircle;
class CLine;

// arc holds the start and end angles in degrees, (0, 360) for a full circle; they are normalised
// here. circleCommand 0 adds the complementary arc. 1 when the record was added, 0 when it was a
// duplicate of one already listed.
// dropDuplicates 0 lists a record equal to an earlier one again.
int InsertCandidate(CPtrArray& candidates, int circleCommand, double key, CPointD centre, double radius,
                    CPointD arc, int dropDuplicates = 1);

// A point where a tangent circle touches an element, or one it passes, and the token position the
// element or point was given at.
struct CTouchFeature {
    int position;
    CPointD point;
};

// The arc about centre from the feature given first to the one given last, through the middle
// one: (start, end) degrees, normalised.
CPointD ArcThroughFeatures(CPointD centre, CTouchFeature a, CTouchFeature b, CTouchFeature c);

// The foot of p on the line taken as infinite, by the line's direction kind; distance signed.
CPointD FootOnLine(const CLine& line, CPointD p, double& distance);
CPointD FootOnLine(const CLine& line, CPointD p);

// Where the circle (centre, radius) touches the picked circle; the point of the picked circle
// toward the centre when the contact service gives none.
CPointD TouchPointOnCircle(const CCircle& picked, CPointD centre, double radius);

CPointD PolarPoint(CPointD from, double length, double theta);

// The angle pair of a candidate of the circle command.
CPointD FullTurnRange();
