// The one walk over macro text that knows string literals and double-byte characters: the
// checks of quotes, braces and parentheses all go through it.
#pragma once

#include "platform/core/String.h"

// Calls visit(position, character) for every single-byte character outside string literals,
// until visit returns false; a double quote toggles the literal and is not visited.
template <typename Visit>
void ForEachOutsideStrings(const CString& text, Visit visit)
{
    bool inString = false;
    const int len = text.GetLength();
    for (int i = 0; i < len;) {
        const int n = MbCharLength(text.GetString(), i, len);
        if (n == 1) {
            const char c = text[i];
            if (c == '"')
                inString = !inString;
            else if (!inString && !visit(i, c))
                return;
        }
        i += n;
    }
}
