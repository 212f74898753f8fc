// Crossings with ellipses (through their cached polyline) and curves (through their points): each
// consecutive pair of points is a straight segment handed to the line and circle crossings.
#include "geometry/IntersectionsWithPolylines.h"

#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"

namespace {

const std::vector<CPointD>& PointsOf(const CConic& conic)
{
    return conic.m_polyline;
}

const std::vector<CPointD>& PointsOf(const CCurve& curve)
{
    return curve.m_points;
}

void AppendRounded(std::vector<CPointD>& points, CPointD p)
{
    RoundPointToSignificant14(p);
    points.push_back(p);
}

int LineWithSequence(const CLine& line, const std::vector<CPointD>& seq, std::vector<CPointD>& points)
{
    int count = 0;
    for (std::size_t i = 0; i + 1 < seq.size(); ++i) {
        CPointD p;
        if (IntersectLineWithSegment(line.m_start, line.m_end, seq[i], seq[i + 1], p)) {
            AppendRounded(points, p);
            ++count;
        }
    }
    return count;
}

void CircleWithSequence(const CCircle& circle, const std::vector<CPointD>& seq, std::vector<CPointD>& points)
{
    for (std::size_t i = 0; i + 1 < seq.size(); ++i) {
        CPointD p1, p2;
        int n = IntersectSegmentCircle(CLine(seq[i], seq[i + 1]), circle, p1, p2);
        if (n >= 1)
            AppendRounded(points, p1);
        if (n == 2)
            AppendRounded(points, p2);
    }
}

int SequenceWithSequence(const std::vector<CPointD>& a, const std::vector<CPointD>& b,
                         std::vector<CPointD>& points)
{
    int count = 0;
    for (std::size_t i = 0; i + 1 < a.size(); ++i) {
        for (std::size_t j = 0; j + 1 < b.size(); ++j) {
            CPointD p;
            if (IntersectSegments(a[i], a[i + 1], b[j], b[j + 1], p)) {
                AppendRounded(points, p);
                ++count;
            }
        }
    }
    return count;
}

CLine UnderlineOf(const CText& text)
{
    return CLine(text.m_underlineStart, text.m_underlineEnd);
}

}  // namespace

int IntersectLineConic(const CLine& line, const CConic& conic, std::vector<CPointD>& points)
{
    return LineWithSequence(line, PointsOf(conic), points);
}

int IntersectLineCurve(const CLine& line, const CCurve& curve, std::vector<CPointD>& points)
{
    return LineWithSequence(line, PointsOf(curve), points);
}

int IntersectConicTextLine(const CConic& conic, const CText& text, std::vector<CPointD>& points)
{
    return IntersectLineConic(UnderlineOf(text), conic, points);
}

int IntersectCurveTextLine(const CCurve& curve, const CText& text, std::vector<CPointD>& points)
{
    return IntersectLineCurve(UnderlineOf(text), curve, points);
}

int IntersectConics(const CConic& a, const CConic& b, std::vector<CPointD>& points)
{
    return SequenceWithSequence(PointsOf(a), PointsOf(b), points);
}

int IntersectConicCurve(const CConic& conic, const CCurve& curve, std::vector<CPointD>& points)
{
    return SequenceWithSequence(PointsOf(conic), PointsOf(curve), points);
}

int IntersectCurves(const CCurve& a, const CCurve& b, std::vector<CPointD>& points)
{
    return SequenceWithSequence(PointsOf(a), PointsOf(b), points);
}

int IntersectCircleConic(const CCircle& circle, const CConic& conic, std::vector<CPointD>& points)
{
    CircleWithSequence(circle, PointsOf(conic), points);
    return 0;
}

int IntersectCircleCurve(const CCircle& circle, const CCurve& curve, std::vector<CPointD>& points)
{
    CircleWithSequence(circle, PointsOf(curve), points);
    return 0;
}

int IntersectArcCircleConic(const CArc& arc, const CConic& conic, std::vector<CPointD>& points)
{
    CircleWithSequence(CCircle(arc), PointsOf(conic), points);
    return 0;
}

int IntersectArcCircleCurve(const CArc& arc, const CCurve& curve, std::vector<CPointD>& points)
{
    CircleWithSequence(CCircle(arc), PointsOf(curve), points);
    return 0;
}
