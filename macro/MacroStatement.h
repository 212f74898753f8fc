// One node of a parsed macro line: a line statement or a piece cut from it, with the code of the
// operator or keyword written before it and the values the executor leaves in it.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>

class CQuantity;
class CUnit;

class CMacroStatement {
public:
    CMacroStatement(const CString& nodeText, int nodeCode, int nodeIndent);
    ~CMacroStatement();
    CMacroStatement(const CMacroStatement&) = delete;
    CMacroStatement& operator=(const CMacroStatement&) = delete;

    // Deletes the values first..last when 0 <= first <= last < their count; otherwise nothing.
    void RemoveValues(int first, int last);
    void ClearValues();

    // Net count of the braces outside string literals; column: the last "}" (0 without one).
    int CountBraces(int& column) const;
    // Takes a trailing "unit(name)" off the line: -1 when there is none or it names a registered
    // unit, else the column of the fault (its message shown).
    int ApplyOutputUnit();

    int ValueCount() const { return values.GetSize(); }
    CQuantity* Value(int index) const;
    CMacroStatement* Child(int index) const { return static_cast<CMacroStatement*>(children[index]); }

    CString text;
    int code;
    CPtrArray children;            // CMacroStatement*, not owned, in text order
    CMacroStatement* parent;
    BYTE valueFlags;
    CPtrArray values;              // CQuantity*, owned
    CStringArray texts;
    int split;
    int firstChildOffset;
    const CUnit* unit;             // entries of the application's unit table, not owned
    const CUnit* outputUnit;
    int depth;
    int forInit;
    std::int16_t indent;
    // Where this piece's first character stands in its parent's text: the error reports add
    // these offsets up to the line.
    int parentOffset;
    // An assignment of this statement was refused (a constant): its line is written back
    // without results.
    bool assignmentRefused = false;
};
