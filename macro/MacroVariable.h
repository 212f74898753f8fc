// One named value of the macro language: a constant or variable with its unit and comment.
// The application's variable table owns these records from start-up to exit.
#pragma once

#include "macro/Unit.h"
#include "platform/core/String.h"

class CMacroVariable {
public:
    // A default (empty) unit means a plain number; assignable 0 makes a constant.
    CMacroVariable(const CString& varName, double varValue, const CUnit& varUnit, int varAssignable,
                   const CString& varComment);
    CMacroVariable(const CMacroVariable&) = default;
    CMacroVariable& operator=(const CMacroVariable&) = default;

    CString name;
    int assignable;
    int holdsText;
    CString text;
    double value;
    int valid;
    CUnit unit;
    CString comment;
};
