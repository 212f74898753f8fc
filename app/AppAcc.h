// Numeric accuracy: digit counts and the range inside which values are rounded to decimals.
#pragma once

#include "platform/core/Object.h"

class CAppAcc : public CObject {
    DECLARE_DYNCREATE(CAppAcc)
public:
    CAppAcc();
    ~CAppAcc() override;
    void Serialize(CArchive& ar) override;
    void ClampLoaded();

    short m_digits1;     // user-application host
    short m_digits2;     // DXF writer, hatching and view output
    short m_decimals;    // displayed and written values
    double m_rangeHigh;  // values between low and high are rounded to decimals,
    double m_rangeLow;   // others to significant digits

    // Significant digits of numbers in messages.
    short messageDigits() const { return m_digits1; }
};
