// The closed-loop command object of a drawing (loops, offset figures, hatching, arc curves
// from runs of joined lines); one instance.
#pragma once

#include "commands/CommandKeyOps.h"

#include <cstdint>
#include <vector>

#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class COwnedPtrArray;
class CZelkDoc;

class CLoopCommand : public CCommandKeyOps {
public:
    // Cancels the command back to its first step.
    void Reset() {}
    CZelkDoc* m_doc;
    CString m_modePattern;   // starts empty
    double m_joinAngleLimit; // degrees; the largest bend a run of joined lines passes over

    // The loop store: copies of the lines taken into loops, the drawing element of each copy
    // (same index) and the loops, each a chain of keys naming the copies in order of travel.
    std::uint8_t m_extractState;    // 0 none, 1 started, 2 being extended, 3 closed
    COwnedPtrArray* m_currentLoop;  // one of m_loops, or none
    CPtrArray m_lineCopies;         // CLine, owned
    CPtrArray m_lineRefs;           // CElemRef, owned
    CPtrArray m_loops;              // COwnedPtrArray, owned

    // The run of joined lines: one reference per line in travel order (the extra byte says
    // which end was entered) and its vertices, one more than the lines.
    std::vector<CElemRef> m_runElems;
    std::vector<CPointD> m_runVertices;

    explicit CLoopCommand(CZelkDoc* doc);
    CLoopCommand(const CLoopCommand&) = delete;
    CLoopCommand& operator=(const CLoopCommand&) = delete;
    virtual ~CLoopCommand();

    // The input entry: the input router hands each input event of the command here; the
    // payload is in the drawing's input event.
    virtual void OnInput(int kind, int subCode);
    int m_lastInputKind = 0;       // the last event handed to the command
    int m_lastInputSubCode = 0;
    // The guidance of the current pattern; it comes with the command's own handling.
    void ShowGuidance() {}

    // Deletes every copy, reference and loop and empties the run; no loop is current after.
    void FreeLoops();
};
