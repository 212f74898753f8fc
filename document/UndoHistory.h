// The undo history of a drawing. For now it holds only the recording side: the entries noted
// since the last commit.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/ElemRef.h"

class CZelkDoc;

class CUndoHistory {
public:
    CZelkDoc* m_doc;
    std::int32_t m_current;               // last step in effect, -1 none
    std::vector<CElemRef> m_pendingFirst;   // new elements and state changes
    std::vector<CElemRef> m_pendingSecond;  // deleted elements

    explicit CUndoHistory(CZelkDoc* doc);

    // Notes {oldState, mark 0, kind, block, slot, extra 0} in the second pending list when
    // list is 2, else in the first. For a group every member reference it holds also takes
    // oldState and mark 0.
    void RecordChange(int list, int kind, int block, int slot, std::uint8_t oldState);
};
