// The built-in head of the unit table.
#include "macro/BuiltInUnits.h"

#include "macro/Unit.h"
#include "platform/core/Arrays.h"

namespace {

struct BuiltInUnit {
    const char* name;
    bool length;
};

// Lengths are held in millimetres, angles in degrees: "mm" is a thousandth of the metre and
// "deg" is the plain angle unit.
const BuiltInUnit kBuiltIns[] = {
    {"mm", true}, {"L", true},  {"l", true},  {"X", true},  {"x", true},
    {"Y", true},  {"y", true},  {"F", true},  {"f", true},  {"h", true},
    {"w", true},  {"", false},  {"n", false}, {"R", false}, {"r", false},
    {"N", false}, {"D", false}, {"d", false}, {"deg", false},
};

constexpr double kPi = 3.141592653589793;

} // namespace

void AppendBuiltInUnits(CPtrArray& unitTable)
{
    static const int metre[CUnit::kDimensions] = {1};
    static const int none[CUnit::kDimensions] = {};
    for (const BuiltInUnit& u : kBuiltIns) {
        if (u.length)
            unitTable.Add(new CUnit(u.name, 0.001, metre));
        else
            unitTable.Add(new CUnit(u.name, 1.0, none));
    }
    unitTable.Add(new CUnit("rad", 180.0 / kPi, none));
}
