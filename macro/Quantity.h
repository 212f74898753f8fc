// A number of the macro language, of the numeric input box and of the commands' typed inputs:
// a value in base units with the unit that names it and carries its dimension.
#pragma once

#include "macro/Unit.h"
#include "platform/core/WinTypes.h"

class CQuantity {
public:
    CQuantity();
    explicit CQuantity(double v);
    CQuantity(double v, const CUnit& u, int k);
    CQuantity(const CQuantity& other);
    CQuantity& operator=(const CQuantity& other);

    void Assign(const CQuantity& other);
    void Reset();

    // 1: the dimensions differ, 2: this value has none, 3: done. Units and ratio stay the left's.
    int Add(const CQuantity& other);
    int Subtract(const CQuantity& other);
    void Multiply(const CQuantity& other);
    // FALSE for no value or an exact zero divisor; nothing changes then.
    bool Divide(const CQuantity& other);
    // FALSE when an exponent is odd: the value is already its root, the dimension unchanged.
    bool Sqrt();
    // 1 done, 0 no value, -1 a dimension that the power leaves fractional or out of range.
    int Pow(double y);

    double value;
    int kind;
    CUnit unit;
    BYTE flag;

private:
    void NameUnit();
};
