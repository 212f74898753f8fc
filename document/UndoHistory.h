// The undo history of one drawing: operations are recorded as lists of element references and
// undone or redone by rewriting state bytes and moving points in place; nothing is copied.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/ElemRef.h"
#include "geometry/PointD.h"

class CZelkDoc;

// One history step. Kind bits: 0x01 the first list holds elements whose state changed, 0x02 the
// second list holds deleted elements, 0x04 the first-list entries with a nonzero extra byte moved
// by the offset, 0x80 a marker standing for the step at m_linked.
class CUndoStep {
public:
    std::uint8_t m_kind = 0;
    std::vector<CElemRef> m_first;
    std::vector<CElemRef> m_second;
    CPointD m_offset;
    std::int32_t m_linked = 0;
    CPointD m_scale;

    CUndoStep();
};

class CUndoHistory {
public:
    CZelkDoc* m_doc;
    std::int32_t m_current;   // last step in effect, -1 for none
    std::vector<std::unique_ptr<CUndoStep>> m_steps;
    std::vector<CElemRef> m_pendingFirst;
    std::vector<CElemRef> m_pendingSecond;

    explicit CUndoHistory(CZelkDoc* doc);
    ~CUndoHistory();

    // Record before changing the element: a new one with old state 8, a deleted one (list 2)
    // with the state it had before.
    void RecordChange(int list, int kind, int block, int slot, std::uint8_t oldState);
    void RecordChangeWithExtra(std::uint8_t extra, int kind, int block, int slot,
                               std::uint8_t oldState);
    void Commit(int kind);
    void CommitTransform(int kind, CPointD offset, CPointD scale);
    void DropLastStep();
    void Undo();
    void Redo();
    void ApplyBackward(CUndoStep& step);
    void ApplyForward(CUndoStep& step);

    int GetStepCount() const { return static_cast<int>(m_steps.size()); }
};
