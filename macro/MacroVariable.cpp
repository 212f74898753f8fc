// CMacroVariable construction.
#include "macro/MacroVariable.h"

CMacroVariable::CMacroVariable(const CString& varName, double varValue, const CUnit& varUnit,
                               int varAssignable, const CString& varComment)
    : name(varName), assignable(varAssignable), holdsText(0), value(varValue), valid(1),
      unit(varUnit), comment(varComment)
{
}
