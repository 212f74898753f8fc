// Small routines on point sequences shared by the ellipse's polyline and the curve's points: the
// polyline of an elliptic arc, extremes, and the vertices where a sequence turns in x or y.
#pragma once

#include "geometry/PointD.h"
#include <vector>

// Empties points and fills it with the polyline of the ellipse (parameter angles in degrees,
// stored with the tilt added) at about one point per step degrees, first and last included.
void BuildEllipsePoints(CPointD centre, double radius, double ratio, double start, double end,
                        double tilt, double step, std::vector<CPointD>& points);

// Extremes of the sequence; all 0 when it is empty.
void SequenceBoundingBox(const std::vector<CPointD>& points, double& minX, double& maxX, double& maxY,
                         double& minY);

// A copy of the sequence in which a closed sequence (first point equal to the last) carries its
// second point once more, so that its start is tested as an interior vertex.
void CopyWithClosingVertex(const std::vector<CPointD>& points, std::vector<CPointD>& copy);
