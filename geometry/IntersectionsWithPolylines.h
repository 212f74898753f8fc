// Crossings with ellipses and curves, found segment by segment on their point sequences. Every
// point found is appended to the caller's array (which may already hold points); nothing is
// merged, so a crossing at a shared vertex can be appended once per segment that reports it.
#pragma once

#include "geometry/PointD.h"
#include <vector>

class CLine;
class CCircle;
class CArc;
class CText;
class CConic;
class CCurve;

// These return the number of points appended.
int IntersectLineConic(const CLine& line, const CConic& conic, std::vector<CPointD>& points);
int IntersectLineCurve(const CLine& line, const CCurve& curve, std::vector<CPointD>& points);
int IntersectConicTextLine(const CConic& conic, const CText& text, std::vector<CPointD>& points);
int IntersectCurveTextLine(const CCurve& curve, const CText& text, std::vector<CPointD>& points);
int IntersectConics(const CConic& a, const CConic& b, std::vector<CPointD>& points);
int IntersectConicCurve(const CConic& conic, const CCurve& curve, std::vector<CPointD>& points);
int IntersectCurves(const CCurve& a, const CCurve& b, std::vector<CPointD>& points);

// These always return 0; the caller reads the array.
int IntersectCircleConic(const CCircle& circle, const CConic& conic, std::vector<CPointD>& points);
int IntersectCircleCurve(const CCircle& circle, const CCurve& curve, std::vector<CPointD>& points);
int IntersectArcCircleConic(const CArc& arc, const CConic& conic, std::vector<CPointD>& points);
int IntersectArcCircleCurve(const CArc& arc, const CCurve& curve, std::vector<CPointD>& points);
