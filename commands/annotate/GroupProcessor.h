// Box selection and group processing on the active drawing.
#pragma once

#include "input/GuidanceOwner.h"

#include "input/ElemSet.h"
#include "platform/core/String.h"

class CZelkDoc;

class CGroupProcessor : public CGuidanceOwner {
public:
    // Resets box selection; with detach 1 also lets go of the document.
    void Reset(int detach);
    // Sets the application's group-processing flag.
    void EnterGroupMode();
    // The input entry of group processing.
    void OnInput(CZelkDoc* doc, int kind, int subCode);
    // The key operations of group processing; the box selection stays.
    void ApplyPointConstraint() {}
    void ReleasePointConstraint() {}
    void OnNextSnapPoint() {}
    void StepBack(int steps) { (void)steps; }
    // Back to the first step: the inputs taken so far are dropped.
    void ResetToFirstStep() { m_tokenString.Empty(); }
    // The creation environment group processing replaced, given back.
    void RestoreCreationMode() {}
    int m_ctrlAdvance = 0;      // Ctrl with Enter advances to the next step

    CZelkDoc* m_document = nullptr;
    // The drawing in which each step's point or element was given.
    CZelkDoc* m_stepDocuments[5] = {};
    // Attaches the processor, and each of its steps, to a drawing.
    void AttachTo(CZelkDoc* doc);
    // Lets go of a drawing that is being freed: detached when it works on it, and no step keeps it.
    void ForgetDocument(const CZelkDoc* doc);
    int m_running = 0;          // an operation of box selection is under way
    CString m_tokenString;      // the pattern entered so far
    CString modePattern;
    int m_moveFlag = 0;        // the selection moves with the pointer
    int m_prepared = 0;
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;
    CElemSet m_elemSet;
    int moveNotCopy = 1;        // 1 the operation moves the selection, 0 copies it
    int m_fromMenu = 0;         // the pattern was chosen from a menu: guidance names it alone
    int m_patternSelected = 0;  // a processing pattern (copy, move, ...) was chosen on the box
    // Both come with group processing's own handling of its patterns.
    void UpdateLengthInputFlag() {}
    void ShowGuidance() {}
};
