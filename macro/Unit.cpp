// CUnit: comparison, text form and conversion of unit dimensions.
#include "macro/Unit.h"

#include <cmath>
#include <cstdlib>

const char* const CUnit::kBaseSymbols[CUnit::kDimensions] = {
    "m", "kgr", "sec", "K", "C", "E", "Y", "I", "Q", "R", "V", "P"};

CUnit::CUnit() : ratio(1.0)
{
    for (int& e : exponents)
        e = 0;
}

CUnit::CUnit(const char* unitName, double unitRatio, const int (&unitExponents)[kDimensions])
    : name(unitName), ratio(unitRatio)
{
    for (int i = 0; i < kDimensions; ++i)
        exponents[i] = unitExponents[i];
}

CUnit::CUnit(const CUnit& other) : name(other.name), ratio(other.ratio)
{
    for (int i = 0; i < kDimensions; ++i)
        exponents[i] = other.exponents[i];
}

CUnit& CUnit::operator=(const CUnit& other)
{
    Assign(other);
    return *this;
}

void CUnit::Reset()
{
    name.Empty();
    ratio = 1.0;
    for (int& e : exponents)
        e = 0;
}

void CUnit::Assign(const CUnit& other)
{
    if (this == &other)
        return;
    name = other.name;
    ratio = other.ratio;
    for (int i = 0; i < kDimensions; ++i)
        exponents[i] = other.exponents[i];
}

bool CUnit::SameDimension(const CUnit& other) const
{
    for (int i = 0; i < kDimensions; ++i) {
        if (exponents[i] != other.exponents[i])
            return false;
    }
    return true;
}

bool CUnit::IsDimensionless() const
{
    return ExponentsZero(0, kDimensions - 1);
}

bool CUnit::ExponentsZero(int first, int last) const
{
    if (first < 0)
        first = 0;
    if (last > kDimensions - 1)
        last = kDimensions - 1;
    for (int i = first; i <= last; ++i) {
        if (exponents[i] != 0)
            return false;
    }
    return true;
}

CString CUnit::Format() const
{
    CString text;
    bool first = true;
    for (int i = 0; i < kDimensions; ++i) {
        if (exponents[i] < 1)
            continue;
        if (!first)
            text += "･";
        first = false;
        text += kBaseSymbols[i];
        if (exponents[i] >= 2)
            text += FormatString("%d", exponents[i]);
    }
    first = true;
    for (int i = 0; i < kDimensions; ++i) {
        if (exponents[i] > -1)
            continue;
        text += first ? "/" : "･";
        first = false;
        text += kBaseSymbols[i];
        if (exponents[i] <= -2)
            text += FormatString("%lld", -static_cast<long long>(exponents[i]));
    }
    return text;
}

void CUnit::ScaleLengthAndMass(double& value) const
{
    value *= std::pow(1000.0, exponents[0]);
    value *= std::pow(1000.0, exponents[1]);
}

int CUnit::SuffixKind(bool second) const
{
    if (exponents[0] == 1 && ExponentsZero(1, kDimensions - 1)) {
        if (second)
            return 7;
        if (name == "X" || name == "x")
            return 8;
        if (name == "Y" || name == "y")
            return 9;
        if (name == "F" || name == "f")
            return 10;
        return 6;
    }
    if (IsDimensionless()) {
        if (name == "d" || name == "D" || name == "deg" || name == "rad")
            return second ? 12 : 11;
        if (name == "n" || name == "N")
            return second ? 5 : 4;
        if (name == "r" || name == "R")
            return second ? 13 : 14;
        return second ? 3 : 2;
    }
    return 0;
}
