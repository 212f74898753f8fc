// A placed object that shows an embedded object of another program: its two corners and the
// extent of the embedded object when the corners were last fitted to it.
#pragma once

#include "view/ZelkObj.h"

class CZelkCntrItem;

class CZelkOleObj : public CZelkObj {
public:
    // m_corner1 is the opposite corner, m_corner2 the anchor (top-left).
    SIZE m_lastExtent = { 0, 0 };
    CZelkCntrItem* m_item = nullptr;

    // Asks every view of the drawing to repaint the object's area.
    void Invalidate();
};
