// Input in the relative coordinate system of a drawing.
#pragma once

#include "geometry/PointD.h"

class CZelkDoc;

class CRelativeCoordSystem {
public:
    CZelkDoc* m_doc;

    explicit CRelativeCoordSystem(CZelkDoc* doc);

    // The drawing's own relative system (origin and angle are the drawing's).
    CPointD WorldToRelative(CPointD p) const;
    CPointD RelativeToWorld(CPointD p) const;
    // The input of the relative-coordinates mode 37.
    void OnInput(int kind, int subCode);
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;
};
