// The extent of each element block, kept beside the blocks, so that a pick, a point search, a
// box selection or a paint can pass over a block none of whose elements can meet its window
// without looking at the elements. The blocks are still walked in their order, so what is found
// and drawn, and in which order, is what a walk of every element gives.
#pragma once

#include <cstddef>
#include <vector>

#include "geometry/PointD.h"
#include "geometry/RectD.h"

class CObArray;
class CObject;

// A box in world units; empty (min above max) for a block without elements, unbounded for a
// block holding a coordinate that is not a finite number.
struct CExtentBox {
    double minX, minY, maxX, maxY;
};

// A window of the view (in view units) taken to world units and widened far beyond the rounding
// of the mapping, so that an element whose extent stays outside it passes none of the tests
// made in view units. Without a proper mapping it is unbounded: nothing is passed over.
struct CWorldWindow {
    double minX, minY, maxX, maxY;

    static CWorldWindow FromView(const CRectD& window, const CPointD& origin, double zoom);
    static CWorldWindow Unbounded();
    bool Meets(double x0, double y0, double x1, double y1) const
    {
        return x1 >= minX && x0 <= maxX && y1 >= minY && y0 <= maxY;
    }
    bool Meets(const CExtentBox& b) const { return Meets(b.minX, b.minY, b.maxX, b.maxY); }
};

class CBlockExtents {
public:
    enum Kind { kPoints, kLines, kCircles, kArcs, kTexts, kConics, kCurves, kKindCount };

    // The boxes of a kind's blocks, one per block in block order, each covering every used slot
    // of its block: of a point its position, of a line its ends, of a circle, an arc or an
    // ellipse its centre and largest radius (and an ellipse's polyline), of a curve its points,
    // of a text its underline widened on every side by the underline's length (the reach of the
    // text's own clip test). Blocks added, replaced or filled since the last call are measured
    // now; a block is known by its address and its used count.
    struct Entry {
        const CObject* block;   // the block measured
        int count;              // its used slots when measured
        CExtentBox box;
    };
    const Entry* Boxes(Kind kind, const CObArray& blocks);

    // The document's adds say that a kind's blocks grew: the next call looks at that kind's
    // blocks again (otherwise it answers without touching them).
    void Added(Kind kind) { m_grown[kind] = true; }
    // Whoever moves elements in place (the undo history's movements), takes elements out of
    // blocks (the creation log's rollback) or frees blocks calls this; the next call measures
    // every block again.
    void Invalidate();

    // The bytes the boxes take.
    std::size_t MemoryBytes() const;

    // Off, nothing is passed over: the walks look at every element (for comparisons).
    static bool s_enabled;

private:
    std::vector<Entry> m_entries[kKindCount];
    bool m_grown[kKindCount] = {};
};
