// The snap-point search of a drawing: around the cursor it finds intersections, end points,
// points on elements, feature points and the free point, in that order of categories, selects
// the first, steps through them, announces and flashes the current one and marks it in the views.
#pragma once

#include <memory>
#include <vector>

#include "geometry/FoundPoint.h"
#include "geometry/PointD.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CArc;
class CDC;
class CPickList;
class CZelkDoc;
class CZelkView;
class CElemCandidate;

class CPointSearch {
public:
    CZelkDoc* m_doc;
    std::unique_ptr<CPickList> pickList;   // private: only for the crossing search
    int intersectionCount;
    int endPointCount;
    int onElementCount;
    int featureCount;
    int freeCount;
    int currentIndex;
    std::vector<CFoundPoint> foundPoints;   // category by category, 1 to 5
    std::vector<CFoundPoint> candidates;    // scratch list of one category, by distance

    explicit CPointSearch(CZelkDoc* doc);
    ~CPointSearch();
    CPointSearch(const CPointSearch&) = delete;
    CPointSearch& operator=(const CPointSearch&) = delete;

    void Reset();
    // The total number of found points about the cursor (world); the caller resets first.
    int Search(CZelkView* view, const CPointD& cursor);
    // step +1 next, -1 previous, 0 the current again; TRUE when a point is current.
    BOOL Select(int step);
    const CFoundPoint* GetCurrent() const;
    BYTE GetCurrentCategory() const;
    void EraseMarker();
    BOOL DrawMarker(CZelkView* view, CDC* dc, int step);
    void EraseMarkerInDC(CZelkView* view, CDC* dc);

    // ---- the steps of the search -------------------------------------------------------------
    void PickCrossing(CZelkView* view);
    int FindIntersections(CZelkView* view, int& crowded);
    int FindEndPoints(CZelkView* view);
    int FindOriginPoints(CZelkView* view);
    int FindOnElementPoints(CZelkView* view);
    int FindFeaturePoints(CZelkView* view);
    void AddFreePoint(CZelkView* view);
    BOOL IsWithinRadius(CZelkView* view, const CPointD& p, double& distance) const;
    int AddCandidate(CPointD point, double distance, std::int16_t firstKind, std::int16_t secondKind,
                     std::int16_t firstBlock, std::int16_t firstSlot, std::int16_t firstPart,
                     std::int16_t secondBlock, std::int16_t secondSlot, std::int16_t secondPart);
    int MergeCandidates();
    void FlashElements(const CFoundPoint& point);

private:
    CPointD m_cursor;   // the cursor of the running search, rounded to 14 digits
    double HalfSize() const;
    // The crowding check over the found points; TRUE when it triggered (and selected).
    BOOL CheckCrowding(CZelkView* view, const CString& message);
    // The pair finders; a, b in the roles of the table (the lower kind code first).
    void FindPair(CZelkView* view, const CElemCandidate& a, const CElemCandidate& b);
    // A point found on one element, with its distance; the same within the search radius.
    void AddOfElement(const CElemCandidate& c, const CPointD& p, double distance);
    void AddOfElementWithin(CZelkView* view, const CElemCandidate& c, const CPointD& p);
    void AddIfWithin(CZelkView* view, const CPointD& p, const CElemCandidate& a, const CElemCandidate& b,
                     std::int16_t secondPart);
    void FootRule(CZelkView* view, const CPointD& centre, double radius, const CPointD& s0,
                  const CPointD& s1, const CArc* arc, const CElemCandidate& a,
                  const CElemCandidate& b, std::int16_t part);
};
