// One point input of a command step with the constraint that applies to it: command objects
// keep their point slots as these, the document keeps one for the pointer position, and the
// macro recorder copies them into its captures.
#pragma once

#include <cstdint>

#include "geometry/PointD.h"

class CZelkDoc;

class CInputPoint {
public:
    CPointD point;        // the entered point: picked, typed or under the pointer
    CPointD reference;    // the reference point of the constrained modes 2 to 4
    std::int32_t mode;    // 1 free, 2 at the reference, 3 on the relative X axis, 4 on the Y axis
    std::uint8_t flags;   // 1 the reference is the drawing's constraint point; 2 given by a macro

    CInputPoint() : mode(1), flags(0) {}

    void Reset();
    void SetPoint(CPointD p) { point = p; }
    void SetBoth(CPointD p)
    {
        point = p;
        reference = p;
    }
    // A mode chosen by hand no longer follows the constraint point.
    void SetMode(int m)
    {
        mode = m;
        flags = static_cast<std::uint8_t>(flags & ~1u);
    }
    void SetFlags(int bits) { flags = static_cast<std::uint8_t>(flags | bits); }
    void ClearFlags(int bits) { flags = static_cast<std::uint8_t>(flags & ~static_cast<unsigned>(bits)); }
    void Assign(CInputPoint other);
    // The point the input stands for: the given point, or with constrained (non-zero) the
    // point the mode derives from it and the reference; always snapped to the drawing's
    // constraint interval.
    CPointD GetEffective(CZelkDoc* doc, int constrained) const;
};
