// A named physical unit: a ratio to the base units and the exponents of the twelve base
// dimensions. Every typed or scripted number carries one; the application's unit table names them.
#pragma once

#include "platform/core/String.h"

class CUnit {
public:
    static constexpr int kDimensions = 12;
    // Symbols of the base dimensions, in exponent order; also the column order of ZelkUnit.txt.
    static const char* const kBaseSymbols[kDimensions];

    CUnit();
    CUnit(const char* unitName, double unitRatio, const int (&unitExponents)[kDimensions]);
    CUnit(const CUnit& other);
    CUnit& operator=(const CUnit& other);

    void Reset();
    void Assign(const CUnit& other);
    bool SameDimension(const CUnit& other) const;
    bool IsDimensionless() const;
    // TRUE when the exponents first..last (inclusive, never beyond the last dimension) are all 0.
    bool ExponentsZero(int first, int last) const;
    CString Format() const;
    // Base units to drawing units: millimetres for length, grams for mass.
    void ScaleLengthAndMass(double& value) const;
    // The numeric-input sub-code a value in this unit is posted with.
    int SuffixKind(bool second) const;

    CString name;
    double ratio;
    int exponents[kDimensions];
};
