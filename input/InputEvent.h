// The record through which every input of a drawing reaches its commands: a producer writes
// the payload of its kind and posts it to the application's input router. The payload fields
// keep their last values, so a consumer may read the last point while handling a value.
#pragma once

#include <cstdint>

#include "geometry/PointD.h"
#include "platform/core/String.h"

class CZelkDoc;

class CInputEvent {
public:
    CZelkDoc* doc;
    std::int16_t kind;          // 1 option, 2 pointer option, 3 value, 4 point, 5 and 7 text,
                                // 6 pick, 8 pick with Ctrl, 9 edit start, 12 double point ...
    std::int16_t subCode;
    std::int32_t intValue;      // kind 1; only the low byte is used
    std::intptr_t pointer;      // kind 2: an integer carried in the pointer slot
    double value;               // kind 3
    CPointD point;              // kind 4, drawing coordinates
    CPointD relativePoint;      // kind 4, relative coordinates or a second explicit point
    CString text;               // kinds 5 and 7

    explicit CInputEvent(CZelkDoc* document);

    void PostInt(int option, int code);
    void PostPointer(std::intptr_t option, int code);
    void PostValue(double number, int code);
    // The relative twin is the point in the drawing's relative coordinate system.
    void PostPoint(CPointD world, int code);
    // Both points as given (a typed point brings its own relative form).
    void PostPointPair(CPointD world, CPointD relative, int code);
    // Sub-code 31 posts kind 7, any other kind 5.
    void PostText(const CString& string, int code);
    // 19 and 21 post kind 6, 20 kind 8; any other sub-code posts nothing.
    void PostPick(int code);

private:
    void Post(int postedKind, int code);
};
