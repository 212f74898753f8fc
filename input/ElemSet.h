// The working element set of group processing: the selected elements with the parameters of the
// operation, and the new texts that wait to be placed.
#pragma once

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"

#include <cstdint>

class CElemSet {
public:
    CElemSet();
    ~CElemSet();
    CElemSet(const CElemSet&) = delete;
    CElemSet& operator=(const CElemSet&) = delete;

    void Clear();
    // One new text per line, one below the other, held relative to (0, 0).
    void AddTextLines(const CStringArray& lines);

    CPointD basePoint;
    double angle;
    double scale;
    std::int32_t operationCount;
    CPointD linePitch;
    std::int32_t textsLaidOut;
    CPtrArray texts;            // CText, owned
};
