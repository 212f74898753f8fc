// The circular-arc element. Angles are held in degrees and run counterclockwise: the start in
// [0, 360), the end in (start, start + 360] as the kernel normalises them; the element itself
// stores what it is given.
#pragma once

#include <cstdint>

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

struct UserAppArcRecord;

class CArc : public CObject {
    DECLARE_SERIAL(CArc)
public:
    std::uint8_t m_state;
    std::uint8_t m_mark;
    CPointD m_centre;
    double m_radius;
    double m_startAngle;
    double m_endAngle;
    // Carried, archived and exchanged; no operation interprets it. 1 after every constructor.
    std::int32_t m_arcFlag;
    std::int16_t m_layer;
    std::int16_t m_group;
    CWordArray m_attrStrings;
    std::int16_t m_role;

    CArc();
    // angles: x = start, y = end, in degrees.
    CArc(const CPointD& centre, double radius, const CPointD& angles);
    // Every field (the arc flag too) but the attribute list, which stays empty in the copy.
    CArc(const CArc& other);
    explicit CArc(const CArc* other);
    CArc& operator=(const CArc&) = delete;
    ~CArc() override;
    void Reset();

    // state, mark, centre, radius, angles, layer, group and role; keeps this arc's attribute
    // list and arc flag.
    void Assign(CArc arc);

    // Geometry.
    CPointD PointAtAngle(double angle) const;
    // 0..3 the quarter points, -1 the start, -2 the end, any other code the point at 0 degrees.
    CPointD KeyPoint(int code) const;
    double Length() const;
    int ContainsAngle(double angle) const;
    int ContainsDirectionOf(const CPointD& p) const;
    double ParameterOfPoint(const CPointD& p) const;
    int SnapClassOfPoint(const CPointD& p) const;
    int MayCrossRect(const CRectD& rect) const;
    int CrossesRect(const CRectD& rect) const;

    // Drawing with the pen the caller selected.
    void Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip);
    void DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip);
    void Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
               int offsetY, double factor);
    void PrintStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                     int offsetY, double factor, int lineType);
    void DrawForServerItem(CDC* dc);
    CSketchArc* MakeDragSketch(CZelkView* view, const CPointD& centre, double angle,
                               double factor);

    // Bookkeeping (kind 16).
    void ClearMarkBits(std::uint8_t bits) { m_mark &= static_cast<std::uint8_t>(~bits); }
    void SetMarkBits(std::uint8_t bits) { m_mark |= bits; }
    void SetStateBits(std::uint8_t bits) { m_state |= bits; }
    int Select(CZelkDoc* doc, int useGroups);
    void LinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    int UnlinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    void CheckIndices(int layerCount, int groupCount, int stringCount) const;

    // state, mark, centre, radius, start, end, arc flag, layer, group, role, attribute list
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppArcRecord* ToRecord() const;
    // Takes a record that a plug-in handed over: state, mark, centre, radius, angles, arc flag, layer, group and role.
    void AssignFromRecord(UserAppArcRecord record);
};
