// One drawing command queued by a macro run: the statement's code with its text or its values,
// played into the command objects after the run.
#pragma once

#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CMacroCommandItem {
public:
    // The values (CQuantity*) are copied one by one; the item owns the copies.
    explicit CMacroCommandItem(int itemCode, const CString& itemText = CString(), const CPtrArray* itemValues = nullptr);
    ~CMacroCommandItem();
    CMacroCommandItem(const CMacroCommandItem&) = delete;
    CMacroCommandItem& operator=(const CMacroCommandItem&) = delete;

    int code;
    CString text;
    CPtrArray values;
};
