// Small tests on token strings that the line command's routines share: membership of a list
// of strings, and the head of a string.
#pragma once

#include <initializer_list>

#include "platform/core/String.h"

using CTokenList = std::initializer_list<const char*>;

inline bool TokenIn(const CString& s, CTokenList list)
{
    for (const char* item : list) {
        if (s == item)
            return true;
    }
    return false;
}

inline bool TokenBeginsWith(const CString& s, const char* head)
{
    const CString h(head);
    return s.GetLength() >= h.GetLength() && s.Left(h.GetLength()) == h;
}

// The first n letters; none for n of 0 or below.
inline CString TokenHead(const CString& s, int n)
{
    return n <= 0 ? CString() : s.Left(n);
}
