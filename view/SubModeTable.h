// The mode items of the command popup menu: for each the command object whose pattern it sets,
// the pattern, the patterns it is ticked for and its extra steps.
#pragma once

#include "platform/core/WinTypes.h"

struct CSubMode {
    enum class Family {
        Create,        // a construction of the main command (kind switched with the popup type)
        EditMain,      // an edit on the main instance (the point move)
        EditLine,      // E_LINE on the interrupt line command
        EditCircle,    // E_CIRCLE on the interrupt circle command
        EditArc,       // E_ARC on the interrupt circle command
        EditText,      // E_TEXT on the interrupt text command
        Drag,          // a group operation
        DragMultiText, // multi-text editing of the selection
        DragDelete     // deleting the selection
    };
    enum class Object { Point, Line, Circle, Text, Dimension, Loop, Group };
    UINT id;
    const char* title;
    Family family;
    short kind;           // the command kind (main) or interrupt kind (edits) it is ticked in
    Object object;
    const char* pattern;  // the pattern it sets
    const char* ticks;    // the patterns it is ticked for, space-separated; none: its own
    int flags;
    int subCode;          // of the value posted
    double value;
    int moveNotCopy;
    int inputKind;        // the input event handed to group processing after the prompt
    int inputSubCode;
};

const CSubMode* FindSubMode(UINT id);
const CSubMode* SubModesBegin();
const CSubMode* SubModesEnd();
