// The curve element: a sequence of world points drawn as connected segments. The document puts
// a new curve's points into the pending list and merges them in front of the sequence.
#pragma once

#include <cstdint>
#include <vector>

#include "elements/ElementKinds.h"
#include "elements/SketchFigures.h"
#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CDC;
class CZelkDoc;
class CZelkView;

struct UserAppCurveRecord;

class CCurve : public CObject {
    DECLARE_SERIAL(CCurve)
public:
    std::uint8_t m_state;
    std::uint8_t m_mark;
    std::uint8_t m_kind;                    // 1 for every curve the system creates
    std::vector<CPointD> m_pendingPoints;   // not archived
    std::vector<CPointD> m_points;          // drawing order; closed when first and last meet
    std::int16_t m_layer;
    std::int16_t m_group;
    CWordArray m_attrStrings;
    std::int16_t m_role;

    CCurve();
    CCurve(const CCurve&) = delete;
    CCurve& operator=(const CCurve&) = delete;
    ~CCurve() override;
    void Reset();

    // Kind 1: the pending points go in front of the points, in their order, and the pending
    // list is emptied. Other kinds: nothing.
    void MergePendingPoints();

    // Drawing with the pen the caller selected.
    void Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip);
    void DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip);
    void Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
               int offsetY, double factor);
    void PrintStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                     int offsetY, double factor, int lineType);
    void DrawForServerItem(CDC* dc);
    CSketchPolyline* MakeDragSketch(CZelkView* view, const CPointD& centre, double angle,
                                    double factor);
    void GetBoundingBox(double& minX, double& maxX, double& maxY, double& minY) const;
    // Turning points (local extremes of x or y) appended to out; 1 when any was appended.
    int CollectSearchPoints(std::vector<CPointD>& out) const;

    // Bookkeeping (kind 512). Select looks the group chain up even without useGroups.
    void ClearMarkBits(std::uint8_t bits) { m_mark &= static_cast<std::uint8_t>(~bits); }
    void SetMarkBits(std::uint8_t bits) { m_mark |= bits; }
    void SetStateBits(std::uint8_t bits) { m_state |= bits; }
    int Select(CZelkDoc* doc, int useGroups);
    void LinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    int UnlinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    void CheckIndices(int layerCount, int groupCount, int stringCount) const;

    // state, mark, kind, layer, group, role, points (count then raw points), attribute list
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppCurveRecord* ToRecord() const;
};
