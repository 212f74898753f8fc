// Small helpers shared by the settings records: one archive call that stores or loads a raw
// field by the archive's direction, and the clamp that keeps a loaded value inside the range its
// settings dialog allows (a hand-edited or damaged archive must not hand the program a timer
// interval of 0 or a step angle of 0).
#pragma once

#include "platform/core/Archive.h"

template <class T>
inline void ExchangeField(CArchive& ar, T& value)
{
    if (ar.IsStoring())
        ar << value;
    else
        ar >> value;
}

template <class T, class L, class H>
inline void ClampSetting(T& value, L low, H high)
{
    if (!(value >= static_cast<T>(low)))
        value = static_cast<T>(low);
    else if (!(value <= static_cast<T>(high)))
        value = static_cast<T>(high);
}
