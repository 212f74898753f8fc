// The drawing's command object of a kind, as the input routines reach it.
#pragma once

#include "commands/CommandKeyOps.h"

#include <initializer_list>

class CZelkDoc;

// The interrupting instance of a kind (1 point, 2 line, 3 and 4 circle, 7 text, 10 dimension).
CCommandRef InterruptCommand(CZelkDoc* doc, int kind);
// The main instance of a kind; the loop command and, when asked, the group-delete mode too.
CCommandRef MainCommand(CZelkDoc* doc, int kind, bool withGroupDelete);

// Whether a command or mode kind is one of those listed.
inline bool OneOf(int kind, std::initializer_list<int> kinds)
{
    for (int k : kinds)
        if (k == kind)
            return true;
    return false;
}
