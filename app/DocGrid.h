// The grid of a drawing: pitch and on/off. A point input is snapped to the nearest grid
// intersection of the drawing's relative coordinate system while the grid is on.
#pragma once

#include "geometry/PointD.h"
#include "platform/core/Object.h"

class CZelkDoc;

class CDocGrid : public CObject {
    DECLARE_DYNCREATE(CDocGrid)
public:
    CDocGrid();
    ~CDocGrid() override;
    void Serialize(CArchive& ar) override;

    // The point, given in grid coordinates, on the nearest multiple of the pitch along each
    // axis; ties go away from zero. An axis whose pitch is 0 or less is left as it is.
    CPointD SnapToPitch(const CPointD& gridPoint) const;
    // The world point on the nearest grid intersection of the drawing's relative coordinate
    // system; unchanged while the grid is off or the last input status is 17.
    CPointD SnapPoint(CZelkDoc* document, const CPointD& point) const;

    CPointD m_pitch;
    int m_on;
};
