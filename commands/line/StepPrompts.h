// The rule the line and loop commands share for default macro step prompts.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"

// Sizes prompts to length and fills each empty entry with the work text: the row's text of that
// step when it has one (texts may be null for no row, an entry null for no text), otherwise the
// last text written in this call.
inline void FillStepPrompts(int length, const char* const* texts, int textCount, CStringArray& prompts)
{
    prompts.SetSize(length);
    CString work;
    for (int i = 0; i < length; ++i) {
        if (!prompts[i].IsEmpty())
            continue;
        if (texts && i < textCount && texts[i])
            work = texts[i];
        prompts[i] = work;
    }
}
