// A placed object that shows an embedded object of another program: its two corners and the
// extent of the embedded object when the corners were last fitted to it.
#pragma once

#include "view/ZelkObj.h"

class CZelkCntrItem;

class CZelkOleObj : public CZelkObj {
    DECLARE_SERIAL(CZelkOleObj)
public:
    // m_bottomRight is the opposite corner, m_topLeft the anchor (top-left).
    SIZE m_extent = { 0, 0 };
    std::int32_t m_itemIndex = -1;   // position of its item in the drawing's item list

    // The placed object's fields, then the extent and the item index.
    void Serialize(CArchive& ar) override;
    // Joins the list of placed objects of the item its index names, once; an index outside the
    // drawing's items, or an empty entry, attaches nothing.
    void AttachToItem();
    // The same with the items a drawing file's reading has staged, before they join the drawing.
    void AttachToStagedItem();

    // The item's picture scaled into the object's rectangle and, on a screen, the frame; an
    // object clipped in the view shows only its frame.
    void Draw(CZelkView* view, CDC* dc, const RECT& clip) override;
    // Prints the picture into its rectangle on the page; 1 when drawn.
    int PrintItem(CDC* dc, const CPointD& origin, double zoom, const RECT& clip, double xOffset,
                  double yOffset, double scale);
    // A clipped object (partly outside the drawing area or too large for a device) stays.
    void MoveTo(const RECT& rect, CZelkView* view) override;
    // A copy half the object's size away, on the layer the layer condition names, added to the
    // drawing as one undo step and shown by the same item.
    CZelkOleObj* Clone(CZelkDoc* doc);
    // The object's item, or null when its index names none.
    CZelkCntrItem* GetItem() const;
    // Runs the item's verb (open with Ctrl held, else its primary verb) in the view.
    void OnOpen(CZelkView* view) override;
    // The picture for the drawing's own picture: in the active view's mapping the application
    // keeps, shifted by its scroll position; nothing when clipped.
    void DrawForServer(CDC* dc);

};
