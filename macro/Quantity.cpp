// CQuantity arithmetic with its dimension checks and the naming of results by the unit table.
#include "macro/Quantity.h"

#include "geometry/Numeric.h"
#include "macro/MacroInterpreter.h"

#include <climits>
#include <cmath>
#include <cstdint>

CQuantity::CQuantity() : value(0.0), kind(1), flag(0)
{
}

CQuantity::CQuantity(double v) : value(v), kind(1), flag(0)
{
}

CQuantity::CQuantity(double v, const CUnit& u, int k) : value(v), kind(k), unit(u), flag(0)
{
}

CQuantity::CQuantity(const CQuantity& other)
    : value(other.value), kind(other.kind), unit(other.unit), flag(other.flag)
{
}

CQuantity& CQuantity::operator=(const CQuantity& other)
{
    Assign(other);
    return *this;
}

void CQuantity::Assign(const CQuantity& other)
{
    if (this == &other)
        return;
    value = other.value;
    kind = other.kind;
    unit.Assign(other.unit);
    flag = other.flag;
}

void CQuantity::Reset()
{
    kind = 1;
    value = 0.0;
    flag = 0;
    unit.Reset();
}

int CQuantity::Add(const CQuantity& other)
{
    if (kind == 1)
        return 2;
    if (!unit.SameDimension(other.unit))
        return 1;
    value += other.value;
    return 3;
}

int CQuantity::Subtract(const CQuantity& other)
{
    if (kind == 1)
        return 2;
    if (!unit.SameDimension(other.unit))
        return 1;
    value -= other.value;
    return 3;
}

namespace {

// Exponents that powers have driven to the ends of the int range stay there instead of
// overflowing when they are added up.
int SaturatedSum(std::int64_t a, std::int64_t b)
{
    const std::int64_t sum = a + b;
    return sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : static_cast<int>(sum);
}

} // namespace

void CQuantity::Multiply(const CQuantity& other)
{
    if (kind != 2)
        return;
    value *= other.value;
    for (int i = 0; i < CUnit::kDimensions; ++i)
        unit.exponents[i] = SaturatedSum(unit.exponents[i], other.unit.exponents[i]);
    NameUnit();
}

bool CQuantity::Divide(const CQuantity& other)
{
    if (kind != 2 || other.value == 0.0)
        return false;
    value /= other.value;
    for (int i = 0; i < CUnit::kDimensions; ++i)
        unit.exponents[i] = SaturatedSum(unit.exponents[i], -static_cast<std::int64_t>(other.unit.exponents[i]));
    NameUnit();
    return true;
}

bool CQuantity::Sqrt()
{
    if (kind != 2)
        return true;
    value = std::sqrt(value);
    for (int e : unit.exponents) {
        if (e % 2 != 0)
            return false;
    }
    for (int& e : unit.exponents)
        e /= 2;
    NameUnit();
    return true;
}

int CQuantity::Pow(double y)
{
    if (kind != 2)
        return 0;
    value = std::pow(value, y);
    double whole = 0.0;
    const double fraction = std::modf(y, &whole);
    if (NearlyEqual(fraction, 0.0)) {
        if (unit.IsDimensionless()) {
            NameUnit();
            return 1;
        }
        // A power whose exponents leave the int range has no dimension this program can hold.
        if (!(whole >= INT_MIN && whole <= INT_MAX))
            return -1;
        const std::int64_t factor = static_cast<int>(whole);
        int scaled[CUnit::kDimensions];
        for (int i = 0; i < CUnit::kDimensions; ++i) {
            const std::int64_t e = unit.exponents[i] * factor;
            if (e < INT_MIN || e > INT_MAX)
                return -1;
            scaled[i] = static_cast<int>(e);
        }
        for (int i = 0; i < CUnit::kDimensions; ++i)
            unit.exponents[i] = scaled[i];
        NameUnit();
        return 1;
    }
    if (unit.IsDimensionless()) {
        NameUnit();
        return 1;
    }
    return -1;
}

void CQuantity::NameUnit()
{
    const int index = CMacroInterpreter::FindUnitForQuantity(unit);
    const CUnit* named = CMacroInterpreter::GetUnit(index);
    unit.name = named ? named->name : unit.Format();
}
