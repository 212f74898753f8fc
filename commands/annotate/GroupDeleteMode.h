// The group-delete command of a drawing.
#pragma once

#include "commands/CommandKeyOps.h"

#include <cstdint>

class CZelkDoc;

class CGroupDeleteMode : public CCommandKeyOps {
public:
    // Cancels the command back to its first step.
    void Reset() {}
    CZelkDoc* m_doc;
    std::int32_t m_work1 = 0;
    std::int32_t m_work2 = 0;
    std::int32_t m_work3 = 0;

    explicit CGroupDeleteMode(CZelkDoc* doc);

    // Deletes the pick list's current candidate (an element or a group) as one undo step; the
    // first field notes that it did.
    void DeleteDesignated();

    using CCommandKeyOps::OnInput;
    void OnInput(CZelkDoc* doc, int kind, int subCode);
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;
};
