// The circle element: centre and radius; also the working value of the circle command and of
// the kernel's intersection and tangency routines, which take circles by value.
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

struct UserAppCircleRecord;

class CCircle : public CObject {
    DECLARE_SERIAL(CCircle)
public:
    std::uint8_t m_state;
    std::uint8_t m_mark;
    CPointD m_centre;
    double m_radius;
    std::int16_t m_layer;
    std::int16_t m_group;
    CWordArray m_attrStrings;
    std::int16_t m_role;

    CCircle();
    // Every field but the attribute list, which stays empty in the copy.
    CCircle(const CCircle& other);
    explicit CCircle(const CCircle* other);
    // The full circle of an arc: its state, mark, centre, radius, layer and group; role 0.
    explicit CCircle(const CArc& arc);
    // Assignment goes through Assign / AssignFromArc, which keep the target's attribute list.
    CCircle& operator=(const CCircle&) = delete;
    ~CCircle() override;
    void Reset();

    // state, mark, centre, radius, layer, group; keeps this circle's role and list.
    void Assign(CCircle circle);
    // state, mark, centre, radius, layer, group and role of the arc; keeps this list.
    void AssignFromArc(CArc arc);

    // Drawing with the pen the caller selected.
    void Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip);
    void DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip);
    void Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
               int offsetY, double factor);
    void PrintStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                     int offsetY, double factor, int lineType);
    void DrawForServerItem(CDC* dc);
    // None (null) when the sketched radius is below 1 view unit.
    CSketchArc* MakeDragSketch(CZelkView* view, const CPointD& centre, double angle,
                               double factor);

    // Geometry.
    CPointD PointAtFraction(double t) const;
    double FractionOfPoint(const CPointD& p) const;
    int SnapClassOfPoint(const CPointD& p) const;
    int ClassifyPoint(const CPointD& p) const;   // 1 inside, 2 on, 3 outside
    int ClassifyPointOnScreen(CZelkView* view, const CPointD& p) const;
    CPointD PointTowardAtRadiusPlus(const CPointD& p, double d) const;
    int TouchPointWithCircle(const CPointD& otherCentre, double otherRadius,
                             CPointD& point) const;
    int ExternalTangents(const CCircle& other, CPointD& p1, CPointD& p2, CPointD& q1,
                         CPointD& q2) const;
    int InternalTangents(const CCircle& other, CPointD& p1, CPointD& p2, CPointD& q1,
                         CPointD& q2) const;

    // Bookkeeping (kind 8).
    void ClearMarkBits(std::uint8_t bits) { m_mark &= static_cast<std::uint8_t>(~bits); }
    void SetMarkBits(std::uint8_t bits) { m_mark |= bits; }
    void SetStateBits(std::uint8_t bits) { m_state |= bits; }
    int Select(CZelkDoc* doc, int useGroups);
    void LinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    int UnlinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    void CheckIndices(int layerCount, int groupCount, int stringCount) const;

    // state, mark, centre, radius, layer, group, role, attribute list
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppCircleRecord* ToRecord() const;
    // Takes a record that a plug-in handed over: state, mark, centre, radius, layer, group and role.
    void AssignFromRecord(UserAppCircleRecord record);
};
