// The pick list of a drawing: the ordered element candidates of the last pick with the current
// one, the context of that pick, the found set of a box selection or select-all, the snapshot of
// the selection, and the selection operations that work on the element mark bits.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/ElemCandidate.h"
#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/Arrays.h"

class CZelkDoc;
class CZelkView;

class CPickList {
public:
    // The result of a pick that found more candidates than the limit allows.
    static constexpr int kTooMany = 1001;
    // The searches pass over elements whose extent cannot meet the window before the exact
    // tests; cleared only to check that this changes no result.
    static bool s_passOverByExtent;

    CZelkDoc* m_doc;                          // the document the references point into
    int m_current;                            // index of the current candidate, -1 none
    std::vector<CElemCandidate> m_candidates; // ordered: the most plausible first
    int markMask;                             // 2 ordinary pick, 8 second, 16 third element
    int previousMask;
    std::vector<CElemCandidate> foundSet;     // box selection or select-all, not yet applied
    CPointD pickPoint;                        // context of the last pick that found something
    CPointD pickOrigin;
    double pickScale;
    CRectD pickViewRect;
    std::vector<CElemRef> selectionSnapshot;

    explicit CPickList(CZelkDoc* doc);
    ~CPickList();
    CPickList(const CPickList&) = delete;
    CPickList& operator=(const CPickList&) = delete;

    // ---- list access ----------------------------------------------------------------------
    void Clear();
    // The current candidate dropped: its element redrawn, no candidate left to step through.
    void ClearCandidate();
    void ClearFoundSet();
    // The current candidate's reference; false when there is none.
    bool GetCurrent(CElemRef& ref) const;
    const CElemCandidate* GetCurrentCandidate() const;
    const CElemCandidate* GetCandidate(int index) const;
    int GetCount() const { return static_cast<int>(m_candidates.size()); }
    // Steps the current index: past the end gives none (-1), below none gives the last.
    void StepCurrent(int step);
    // Tab and Shift+Tab: the highlight moves with the current candidate.
    void Cycle(int step);

    // ---- picks and marks ------------------------------------------------------------------
    // type 1 and 3 inside the window, 2 inside or crossing it; the number of candidates or
    // kTooMany.
    int Search(CZelkView* view, const CRectD& window, int type);
    // Box selection into the found set: 1 inside, 2 inside or crossing, 3 deform.
    int CollectInWindow(CZelkView* view, const CRectD& window, int type);
    void SetSingleCandidate(std::int16_t block, std::int16_t slot, std::int16_t segmentIndex,
                            std::int16_t kind);
    void ClearMarks(int bits);
    int ClassifyPickPosition();

    // ---- element-reference mode ------------------------------------------------------------
    void ClearReferences();
    void ReferenceCurrent(int step);
    // The picked element's information into the input bar's listing list.
    void ListReferenced(const CElemCandidate& c);

    // ---- select-all and layer-wise selection ------------------------------------------------
    int SelectAll(CZelkView* view);
    void SelectLayersOfCandidates();
    void ReportLayerSelection();
    int MarkLayerOf(const CElemCandidate& entry, CWordArray& layerTable);
    int MarkLayersOfFoundSet(CWordArray& layerTable);
    void ApplyFoundEntry(const CElemCandidate& entry);
    int SelectOnMarkedLayers(CWordArray& layerTable);
    void UnmarkAndCountByLayer(CWordArray& layerTable);

    // ---- selection by condition and by shared attribute (input/PickListConditions.cpp) -----
    // A typed condition: "100L" lengths and radii, "30D" angles, "T,<line types>", else an
    // attribute string or text; an optional second item is the tolerance. The number selected.
    int FindByCondition(const CString& condition);
    int SelectByAttributeString(const CString& pattern);
    int SelectTextsContaining(const CString& pattern);
    int SelectByLength(double value, double tolerance);
    int SelectByAngle(double value, double tolerance);
    // Blank-separated tokens S, D, DT, DD, DDD, N; width 0 takes every width.
    int SelectByLineType(const CString& tokens, std::int16_t width);
    int SelectByColor(COLORREF color);
    int SelectGroup(std::int16_t group);
    // The same-attribute modes 41 to 45: by the current candidate's length, angle, line type,
    // color, or line type and width.
    int SelectSameAsCurrent();

    // ---- window and crossing searches -------------------------------------------------------
    int FindInsideWindow(CZelkView* view, const CRectD& window);
    int FindCrossingWindow(CZelkView* view, const CRectD& window);
    int CollectInsideWindow(CZelkView* view, const CRectD& window, int deform);
    int CollectCrossingWindow(CZelkView* view, const CRectD& window);
    int AddToFoundSet(std::int16_t group, std::uint8_t state, std::uint8_t mark,
                      std::uint8_t partFlags);
    void InsertCandidate(std::int16_t kind, std::uint8_t state, std::uint8_t mark,
                         std::int16_t block, std::int16_t slot, std::int16_t segmentIndex,
                         double distanceKey, double sizeKey);
    int AddGroupCandidate(std::int16_t group);
    int AddPointCandidate(std::int16_t block, std::int16_t slot);
    int AddLineCandidate(std::int16_t block, std::int16_t slot);
    int AddCircleCandidate(std::int16_t block, std::int16_t slot);
    int AddArcCandidate(std::int16_t block, std::int16_t slot);
    int AddTextCandidate(std::int16_t block, std::int16_t slot);
    int AddConicCandidate(std::int16_t block, std::int16_t slot, int segment);
    int AddCurveCandidate(std::int16_t block, std::int16_t slot, int segment);
    int AddObjectCandidates(const CWordArray& objects);
    void ToggleCurrentMark();
    void SnapshotSelection();
    void ClearSelectionSnapshot();
    int ReselectSnapshot();

private:
    struct CPickScan;
    // The world point the ordering keys are measured from: the cursor at the window's centre.
    CPointD m_keyPoint;
    void StorePickContext(CZelkView* view);
    int CandidateLimit() const;
    // The element as itself (its kind), as its outermost group (1, group number out) or
    // dropped (0), by the group rule.
    int GroupVerdict(int kind, std::int16_t group, std::int16_t& outermost) const;
    int CollectVerdict(int kind, std::int16_t group, std::int16_t& outermost) const;
    // Takes the element (through addSelf) or its group as a candidate; false once the count
    // passes the limit.
    template <class AddSelf>
    bool TakeCandidate(int kind, std::int16_t group, bool groupRule, int limit, bool& over, AddSelf&& addSelf)
    {
        std::int16_t outer = -1;
        const int verdict = groupRule ? GroupVerdict(kind, group, outer) : kind;
        if (verdict == 0)
            return true;
        if (verdict == 1)
            AddGroupCandidate(outer);
        else if (SelectableKind(kind))
            addSelf();
        else
            return true;
        over = static_cast<int>(m_candidates.size()) > limit;
        return !over;
    }
    static bool SelectableKind(int kind);
    // A box collection's entry: the element itself, its group (once) or nothing; the number of
    // entries added. A placed object that is to be taken as itself answers -1.
    int CollectEntry(int kind, std::int16_t group, bool groupRule, std::int16_t block, std::int16_t slot,
                     std::uint8_t state, std::uint8_t mark, std::uint8_t parts);
    void ToggleOwningGroup(std::int16_t group, bool full);
    void RedrawChanged();
};
