// The line element: a straight segment, also the working value of the line and dimension
// commands and of the geometry kernel, which takes lines by value.
#pragma once

#include <cstdint>

#include "elements/ElementKinds.h"
#include "elements/SketchFigures.h"
#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CArc;
class CDC;
class CZelkDoc;
class CZelkView;

struct UserAppLineRecord;

class CLine : public CObject {
    DECLARE_SERIAL(CLine)
public:
    std::uint8_t m_state;
    std::uint8_t m_mark;         // 0x04 / 0x08: first / second end picked
    // A stored line has its ends in x-then-y order; m_swapped says the adding service
    // exchanged the ends it was given, so the user's direction runs from end to start.
    CPointD m_start;
    CPointD m_end;
    std::int32_t m_swapped;
    std::int16_t m_layer;
    std::int16_t m_group;
    CWordArray m_attrStrings;
    std::int16_t m_role;

    CLine() : m_state(1), m_mark(0), m_swapped(0), m_layer(0), m_group(-1), m_role(0) {}
    CLine(const CPointD& start, const CPointD& end);
    CLine(double x1, double y1, double x2, double y2);
    // Copies every field but the attribute list, which stays empty in the copy: this is what a
    // by-value argument of the kernel holds.
    CLine(const CLine& other);
    explicit CLine(const CLine* other);
    // Assignment goes through Assign, which keeps the target's own attribute list.
    CLine& operator=(const CLine&) = delete;
    ~CLine() override;
    void Reset();

    // state, mark, start, end, swap flag, layer, group and role; the list stays this line's.
    void Assign(CLine line);
    // Ends pairwise nearly equal, same layer and group.
    int IsSameAs(CLine line) const;

    // Drawing: the caller picks the routine by the block's direction kind and selects the pen.
    void DrawHorizontal(CDC* dc, const CPointD& origin, double scale, const CRectD& clip);
    void DrawVertical(CDC* dc, const CPointD& origin, double scale, const CRectD& clip);
    void DrawOblique(CDC* dc, const CPointD& origin, double scale, const CRectD& clip);
    void DrawHorizontalInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip);
    void DrawVerticalInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip);
    void DrawObliqueInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip);
    void Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
               int offsetY, double factor);
    void PrintHorizontalStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip,
                               int offsetX, int offsetY, double factor, int lineType);
    void PrintVerticalStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip,
                             int offsetX, int offsetY, double factor, int lineType);
    void PrintObliqueStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip,
                            int offsetX, int offsetY, double factor, int lineType);
    void DrawForServerItem(CDC* dc);
    CSketchSegment* MakeDragSketch(CZelkView* view, const CPointD& centre, double angle,
                                   double factor);

    // Measures.
    int GetDirectionKind() const;   // 1 horizontal, 2 vertical, 4 oblique
    double Length() const;
    double ProjectedDistance(const CPointD& p, const CPointD& q) const;
    double AngleDeg() const;        // (-180, 180]
    double AngleRad() const;
    CPointD PointAtParameter(double t) const;

    // Foot of the perpendicular by direction kind; 1 when the foot lies on the segment.
    int FootOfPerpendicular(int kind, const CPointD& p, CPointD& foot, double& distance) const;
    int FootOnHorizontal(const CPointD& p, CPointD& foot, double& distance) const;
    int FootOnVertical(const CPointD& p, CPointD& foot, double& distance) const;
    int FootOnOblique(const CPointD& p, CPointD& foot, double& distance) const;
    double ParameterOfPoint(const CPointD& p) const;
    int SnapClassOfPoint(const CPointD& p) const;   // 1..7 along the line

    // Sides and distances: 1 left, 2 on the line, 3 right.
    int SideOfPoint(const CPointD& p) const;
    int SideOfPointOnScreen(CZelkView* view, const CPointD& p) const;
    int IsSecondPointFarther(const CPointD& p, const CPointD& q) const;

    // Constructed points.
    CPointD PointAtNormalOffset(const CPointD& p, double d) const;
    CPointD PointFromFootAway(const CPointD& p, double d) const;
    CPointD PointAtAngleFromPoint(const CPointD& p, double angle) const;
    void OffsetEnds(int left, double d, CPointD& s, CPointD& e) const;
    int RotatedEnds(const CPointD& centre, double angle, CPointD& s, CPointD& e) const;

    // Visible part in a view (clip rectangle in screen units).
    int VisiblePartInView(const CPointD& origin, double scale, const CRectD& clip, CPointD& p1,
                          CPointD& p2) const;
    int SnapClassInView(const CPointD& p, const CPointD& origin, double scale,
                        const CRectD& clip) const;

    // Constructions. angles receives the arc from the touching point to p (x start, y end).
    CPointD TangentCircleCentre(const CPointD& p, double r, const CPointD& reference,
                                int& count, CPointD& angles) const;
    int IntersectArc(int kind, const CArc& arc, int& code, CPointD& p1, CPointD& p2,
                     int& onSegment1, int& onSegment2, int& inSweep1, int& inSweep2) const;
    int CollinearOverlap(const CLine& other, CPointD& p1, CPointD& p2, int& code1,
                         int& code2) const;

    // Bookkeeping (kind 4).
    void ClearMarkBits(std::uint8_t bits) { m_mark &= static_cast<std::uint8_t>(~bits); }
    void SetMarkBits(std::uint8_t bits) { m_mark |= bits; }
    void SetStateBits(std::uint8_t bits) { m_state |= bits; }
    int Select(CZelkDoc* doc, int useGroups);
    void LinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    int UnlinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    void CheckIndices(int layerCount, int groupCount, int stringCount) const;

    // state, mark, start, end, swap flag, layer, group, role, attribute list
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppLineRecord* ToRecord() const;
    // Takes a record that a plug-in handed over: state, mark, ends, swap flag, layer, group and role; not the attribute list or the pen.
    void AssignFromRecord(UserAppLineRecord record);
};
