// Selection and point-search conditions; only the four pixel tolerances are archived.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/WinTypes.h"

class CAppFind : public CObject {
    DECLARE_DYNCREATE(CAppFind)
public:
    CAppFind();
    ~CAppFind() override;
    void Serialize(CArchive& ar) override;
    void ClampLoaded();

    int toggleSelection;             // selection inversion
    int layerWiseSelection;
    short boxSelectionMode;          // 1 inside, 2 inside or crossing, 3 deform
    short m_userOption1;
    int m_userOption2;
    short annotationGroupSelectMode; // dimension groups: 1 whole, 2 by member, 3 not selectable
    short groupSelectMode;           // other groups, the same codes
    short selectableKinds;           // element kind bits
    short m_searchMask;              // 1 end points, 2 intersections, 4 feature points, 8 on elements, 16 free
    short pickHalfSize;              // pixels
    short gestureZoneSize;           // pixels that tell a drag from a pick
    short boxColorThreshold;         // box width below which a box counts as crossing
    short m_tolerance4;
    int m_userOption3;
    int m_userOption4;
    int pickCount = 0;               // elements found by the last pick; not archived

    // Kept by position in the fields above.
    short flashTime() const { return m_tolerance4; }   // milliseconds a found point's elements flash
};
