// The ellipse and elliptic-arc element. It keeps a polyline approximation of itself, rebuilt
// when the document adds the ellipse or loads a drawing; all drawing and feature points work on
// that polyline.
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

struct UserAppConicRecord;

class CConic : public CObject {
    DECLARE_SERIAL(CConic)
public:
    std::uint8_t m_state;
    std::uint8_t m_mark;
    CPointD m_centre;
    double m_majorRadius;
    double m_ratio;        // minor / major
    // Stored as parameter angle plus tilt: the parameter runs from start - tilt to end - tilt.
    double m_startAngle;
    double m_endAngle;
    double m_tilt;         // direction of the major axis, degrees counterclockwise
    std::vector<CPointD> m_polyline;   // cache, not archived
    std::int16_t m_layer;
    std::int16_t m_group;
    CWordArray m_attrStrings;
    std::int16_t m_role;

    CConic();
    CConic(const CConic&) = delete;
    CConic& operator=(const CConic&) = delete;
    ~CConic() override;
    void Reset();

    // Rebuilds the cache with the ellipse step angle of the display settings.
    void BuildPolyline();

    // Drawing with the pen the caller selected.
    void Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip);
    void DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip);
    void Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
               int offsetY, double factor);
    void PrintStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                     int offsetY, double factor, int lineType);
    void DrawForServerItem(CDC* dc);
    // None (null) for an empty cache.
    CSketchPolyline* MakeDragSketch(CZelkView* view, const CPointD& centre, double angle,
                                    double factor);
    // Extremes over the cache; all 0 when it is empty.
    void GetBoundingBox(double& minX, double& maxX, double& maxY, double& minY) const;
    // Feature points for the point search: 11..14 the axis ends, 1..3 polyline extremes.
    int AxisPoint(int code, CPointD& point) const;

    // Bookkeeping (kind 256).
    void ClearMarkBits(std::uint8_t bits) { m_mark &= static_cast<std::uint8_t>(~bits); }
    void SetMarkBits(std::uint8_t bits) { m_mark |= bits; }
    void SetStateBits(std::uint8_t bits) { m_state |= bits; }
    int Select(CZelkDoc* doc, int useGroups);
    void LinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    int UnlinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    void CheckIndices(int layerCount, int groupCount, int stringCount) const;

    // state, mark, centre, major radius, tilt, ratio, start, end, tilt again, layer, group,
    // role, attribute list; loading keeps the second tilt.
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppConicRecord* ToRecord() const;
};
