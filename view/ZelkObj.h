// An object placed over the drawing (kind 128 in element references): its state and mark bytes,
// group, layer and the two corners it occupies in world coordinates (the reference corner has
// the smaller x and the larger y).
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
    std::uint8_t m_stateBits = 0;
    std::int16_t m_group = -1;
    std::int16_t m_layer = 0;
    std::int16_t m_savedLayer = 0;
    std::int16_t m_savedGroup = -1;
    CPointD m_bottomRight;
    CPointD m_topLeft;
    double m_aspect = 0.0;            // height over width, taken when a resize starts
    CZelkDoc* m_pDocument = nullptr;

    CZelkObj() = default;
    ~CZelkObj() override = default;

    // Layer, group, the anchor, the opposite corner and the state byte (the state only when the
    // loading drawing's data version is newer than "00.00C").
    void Serialize(CArchive& ar) override;

    // The logical rectangle the object covers in the view (left, top at the reference corner);
    // nonzero when its opposite corner lies past the drawing area, whose edge it then takes.
    virtual int GetLogicalRect(CZelkView* view, RECT& rect);
    // The rectangle in the view's logical units, clamped to the drawing area; nonzero when it was
    // clamped or is too large for a device to draw.
    int GetViewRect(CZelkView* view, RECT& rect) const;
    // The same with the active view's mapping the application keeps, where more than 4000 units
    // count as too large.
    int GetActiveViewRect(RECT& rect) const;
    // Nonzero when the object, as shown in the view, meets the logical rectangle.
    virtual int Intersects(CZelkView* view, const RECT& rect);
    // Draws the object in the view with the pen the view selected; the tracker marks a selected
    // object's frame and handles.
    virtual void Draw(CZelkView* view, CDC* dc, const RECT& clip) { (void)view; (void)dc; (void)clip; }
    // Inverts the handles that lie in the view's client area; drawing it twice removes it.
    virtual void DrawTracker(CZelkView* view, CDC* dc);

    // The rectangle on a printed page (origin and zoom of the printing, the page's clip rectangle,
    // the page offsets and the print scale); 0 inside the page, 1 partly off it, -1 not printed.
    int GetPrintRect(const CPointD& origin, double zoom, const RECT& clip, double xOffset,
                     double yOffset, double scale, RECT& rect) const;

    // Resize handles 1 to 8 clockwise from the reference corner; any other number is handle 1.
    virtual int GetHandleCount() const { return 8; }
    virtual POINT GetHandle(int handle, CZelkView* view) const;
    virtual LPCTSTR GetHandleCursor(int handle) const;
    // The logical square of six device pixels around a handle.
    RECT GetHandleRect(CZelkView* view, int handle) const;
    // The handle under a logical point (left and top edges of its square included, right and
    // bottom not); 0 when none.
    virtual int HitTest(POINT point, CZelkView* view, BOOL selected);
    // Moves the object onto a logical rectangle of the view (or of the first view when none is
    // given); nothing happens, and the drawing stays unmodified, when it is already there.
    virtual void MoveTo(const RECT& rect, CZelkView* view);
    // Drags a handle to a logical point: corner handles keep the height-to-width ratio taken when
    // the resize began and follow only the pointer's x, edge handles move one side.
    virtual void MoveHandleTo(int handle, POINT point, CZelkView* view);
    // The reference corner at the world point of (left, top); the logical size is added as it is.
    void SetFromLogicalRect(CZelkView* view, const RECT& rect);
    // Repaints the object in every view of its drawing.
    void Invalidate();
    void SetStateBits(std::uint8_t bits) { m_stateBits = static_cast<std::uint8_t>(m_stateBits | bits); }
    void ClearStateBits(std::uint8_t bits) { m_stateBits = static_cast<std::uint8_t>(m_stateBits & ~bits); }
    // Opens what the object shows; a plain placed object shows nothing to open.
    virtual void OnOpen(CZelkView* view) { (void)view; }
    // Destroys the object.
    virtual void Remove() { delete this; }

protected:
    // The view whose mapping a move uses: the given one, else the drawing's first.
    CZelkView* MappingView(CZelkView* view) const;
};
