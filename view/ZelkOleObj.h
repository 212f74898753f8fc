// A placed object that shows an embedded object of another program: its two corners and the
// extent of the embedded object when the corners were last fitted to it.
#pragma once

#include "view/ZelkObj.h"

class CZelkCntrItem;

class CZelkOleObj : public CZelkObj {
    DECLARE_SERIAL(CZelkOleObj)
public:
    // m_corner1 is the opposite corner, m_corner2 the anchor (top-left).
    SIZE m_lastExtent = { 0, 0 };
    CZelkCntrItem* m_item = nullptr;
    std::int32_t m_itemIndex = -1;   // position of its item in the drawing's item list

    // The placed object's fields, then the extent and the item index.
    void Serialize(CArchive& ar) override;
    // Joins the list of placed objects of the item its index names, once; an index outside the
    // drawing's items, or an empty entry, attaches nothing.
    void AttachToItem();

    // Asks every view of the drawing to repaint the object's area.
    void Invalidate();
};
