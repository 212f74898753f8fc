// Chains of element keys.
#include "input/ElemKey.h"

COwnedPtrArray::~COwnedPtrArray()
{
    for (int i = 0; i < GetSize(); ++i)
        delete KeyAt(i);
    SetSize(0);
}

void COwnedPtrArray::TruncateFrom(int i)
{
    if (i < 0)
        return;
    for (int k = GetSize() - 1; k >= i; --k) {
        delete KeyAt(k);
        RemoveAt(k);
    }
}

void COwnedPtrArray::TruncateUpTo(int i)
{
    if (i < 0)
        return;
    if (i > GetSize() - 1)
        i = GetSize() - 1;
    for (int k = i; k >= 0; --k) {
        delete KeyAt(k);
        RemoveAt(k);
    }
}
