// The pick list of a drawing: the element candidates under the cursor and the snapshot of the
// latest box selection.
#pragma once

#include <vector>

#include "geometry/ElemCandidate.h"
#include "geometry/ElemRef.h"

class CZelkDoc;

class CPickList {
public:
    CZelkDoc* m_doc;
    std::vector<CElemCandidate> m_candidates;  // the elements under the cursor
    int m_current;                       // index of the current candidate, -1 none
    std::vector<CElemRef> m_snapshot;    // the marked elements when last taken

    explicit CPickList(CZelkDoc* doc);

    // The current candidate; false when there is none.
    bool GetCurrent(CElemRef& ref) const;

    // Rebuilds the snapshot from the elements whose selection marks are set.
    void SnapshotSelection();
    // Selects the snapshot's elements again, marked for redrawing; 0 when the snapshot is empty
    // or one of its elements is gone (nothing is selected then).
    int RestoreSnapshot();
};
