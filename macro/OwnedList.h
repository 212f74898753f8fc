// Pointer arrays of the macro language that own their records: one place deletes them.
#pragma once

#include "platform/core/Arrays.h"

template <typename T>
void DeleteOwned(CPtrArray& list)
{
    for (int i = 0; i < list.GetSize(); ++i)
        delete static_cast<T*>(list[i]);
    list.RemoveAll();
}
