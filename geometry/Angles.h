// Directions of vectors and point pairs, distances, angle and arc-range normalisation, sweep
// tests, turn direction and the 15-degree rubber-band snap. Directions lie in (-pi, pi] or
// (-180, 180]; arc ranges are (start, end) degrees with start in [0, 360), end in (start, start+360].
#pragma once

#include "geometry/PointD.h"

// Point order and distance.
void SwapDoubles(double& a, double& b);
void SwapPoints(CPointD& p, CPointD& q);
int PointGreater(const CPointD& p, const CPointD& q);
int OrderPoints(CPointD& p, CPointD& q);
double Distance(const CPointD& p, const CPointD& q);
// Positive on the left of a->b (the counterclockwise side).
double SignedDistanceToLine(const CPointD& p, const CPointD& a, const CPointD& b);

// Directions.
double VectorAngleRadLen(double dx, double dy, double& length);
double VectorAngleRad(double dx, double dy);
double PointsAngleRadLen(const CPointD& p, const CPointD& q, double& length);
double PointsAngleRad(const CPointD& p, const CPointD& q);
double VectorAngleDegLen(double dx, double dy, double& length);
double VectorAngleDeg(double dx, double dy);
double PointsAngleDegLen(const CPointD& p, const CPointD& q, double& length);
double PointsAngleDeg(const CPointD& p, const CPointD& q);

// Classification and corner angles.
int ClassifyDirection(const CPointD& p, const CPointD& q);  // 1 horizontal, 2 vertical, 4 oblique
double CornerAngleDeg(double in, double out);
int IsCcwTurn(const CPointD& a, const CPointD& b, const CPointD& c);
double FoldLineAngleNegDeg(double a);

// Normalisation and sweeps. An arc range travels as a point: start in x, end in y.
void NormalizeAngleDeg180(double& a);
void NormalizeArcAnglesDeg(CPointD& range);
void NormalizeArcAnglesDeg(double& start, double& end);
int IsAngleInSweepDeg(double angle, double start, double end);
int IsAngleInSweepRad(double angle, double start, double end);

// Snapping of the direction a->b to multiples of 15 degrees from base.
double SnapAngle15Deg(const CPointD& a, const CPointD& b, double base);
double SnapAngle15Rad(const CPointD& a, const CPointD& b, double base);
double SnapAngle15DegLen(const CPointD& a, const CPointD& b, double base, double& length);
