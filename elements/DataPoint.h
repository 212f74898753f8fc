// The point element: a position drawn as a small upright cross of fixed screen size.
#pragma once

#include <cstdint>

#include "elements/ElementKinds.h"
#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/Arrays.h"
#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CDC;
class CZelkDoc;
class CZelkView;

struct UserAppPointRecord;

class CDataPoint : public CObject {
    DECLARE_SERIAL(CDataPoint)
public:
    std::uint8_t m_state;
    std::uint8_t m_mark;
    CPointD m_position;
    std::int16_t m_layer;
    std::int16_t m_group;        // innermost group holding the point, -1 none
    CWordArray m_attrStrings;    // ascending attribute-string indices, no repeats
    std::int16_t m_role;         // part in its group

    CDataPoint();
    CDataPoint(const CDataPoint&) = delete;
    CDataPoint& operator=(const CDataPoint&) = delete;
    ~CDataPoint() override;
    // Back to the values of a fresh slot; the document calls it before it fills a slot.
    void Reset();

    // Drawing with the pen the caller selected (the cross half-size is a display setting).
    void Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip);
    void DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip);
    void Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
               int offsetY, double factor);
    void DrawForServerItem(CDC* dc);
    // The position rotated about centre by angle (degrees), its offset from centre scaled by
    // factor, in the view's units; a new point owned by the caller.
    POINT* MakeDragSketch(CZelkView* view, const CPointD& centre, double angle, double factor);

    void ClearMarkBits(std::uint8_t bits) { m_mark &= static_cast<std::uint8_t>(~bits); }
    void SetMarkBits(std::uint8_t bits) { m_mark |= bits; }
    void SetStateBits(std::uint8_t bits) { m_state |= bits; }
    int Select(CZelkDoc* doc, int useGroups);
    void LinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    int UnlinkAttributeString(CZelkDoc* doc, int block, int slot, int index);
    // Throws the archive exception when the layer, group or an attribute index lies outside
    // the document's tables.
    void CheckIndices(int layerCount, int groupCount, int stringCount) const;

    // state, mark, position, layer, group, role, attribute list
    void Serialize(CArchive& ar) override;
    // A new plug-in transfer copy of this record; the caller owns it.
    UserAppPointRecord* ToRecord() const;
};
