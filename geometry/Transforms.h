// Point transforms for moving, rotating, mirroring and deforming elements, and the circle and arc
// constructions from points: through three points, from a chord and a radius, from a chord and
// an included angle.
#pragma once

#include "geometry/PointD.h"

// Counterclockwise for positive angles.
CPointD RotatePointDeg(const CPointD& point, const CPointD& centre, const double& angle);
CPointD RotatePointRad(const CPointD& point, const CPointD& centre, const double& angle);
// Turned, then the offsets from centre scaled by factors.x and factors.y.
CPointD RotateScalePointDeg(const CPointD& point, const CPointD& centre, const double& angle,
                            const CPointD& factors);
// The mirror image of point in the line through base with direction angle (degrees).
CPointD MirrorPointDeg(const CPointD& base, double angle, const CPointD& point);

// 1 with the circle through the three points (centre and radius rounded to 6 decimals, the
// directions from the centre to p1 and p3 in degrees, ccw from the turn p1-p2-p3); 0 when the
// points are collinear.
int CircleThrough3Points(const CPointD& p1, const CPointD& p2, const CPointD& p3, CPointD& centre,
                         double& radius, double (&angles)[2], int& ccw);
// The same circle and directions for a caller that has no use for the turn.
int CircleThrough3Points(const CPointD& p1, const CPointD& p2, const CPointD& p3, CPointD& centre,
                         double& radius, double (&angles)[2]);
int ArcThrough3Points(const CPointD& p1, const CPointD& p2, const CPointD& p3, CPointD& centre,
                      double& radius, double& a1, double& a2, double& a3, int& ccw);
// The centre left of p1->p2 for a positive radius, right of it for a negative one; 0 when the
// chord is longer than the diameter.
int CircleCenterFromChord(const CPointD& p1, const CPointD& p2, double radius, CPointD& centre);
// The centre of the arc through p1 and p2 with the included angle (degrees) and its radius. An
// angle of about 0 or a full turn has no such arc: radius is then 0 and the midpoint is returned.
CPointD ArcCenterFromChordAngle(const CPointD& p1, const CPointD& p2, double angle, double& radius);
