// An object placed over the drawing (kind 128 in element references): its state and mark bytes,
// group, layer and the two corners it occupies in world coordinates.
#pragma once

#include <cstdint>

#include "geometry/PointD.h"
#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CDC;
class CZelkDoc;
class CZelkView;

class CZelkObj : public CObject {
    DECLARE_SERIAL(CZelkObj)
public:
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 0;
    std::int16_t m_group = -1;
    std::int16_t m_layer = 0;
    CPointD m_corner1;
    CPointD m_corner2;
    CZelkDoc* m_document = nullptr;

    CZelkObj() = default;
    ~CZelkObj() override = default;

    // Layer, group, the anchor, the opposite corner and the state byte (the state only when the
    // loading drawing's data version is newer than "00.00C").
    void Serialize(CArchive& ar) override;

    // The logical rectangle the object covers in the view (left, top at the first corner);
    // nonzero when it had to be clamped to the 16-bit range of a device context.
    virtual int GetLogicalRect(CZelkView* view, RECT& rect);
    // Nonzero when the object, as shown in the view, meets the logical rectangle.
    virtual int IntersectsRect(CZelkView* view, const RECT& rect);
    // Draws the object in the view with the pen the view selected; the tracker marks a selected
    // object's frame and handles.
    virtual void Draw(CZelkView* view, CDC* dc, const RECT& clip) { (void)view; (void)dc; (void)clip; }
    virtual void DrawTracker(CZelkView* view, CDC* dc) { (void)view; (void)dc; }
};
