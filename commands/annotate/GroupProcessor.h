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

    CZelkDoc* m_document = nullptr;
    int m_running = 0;          // an operation of box selection is under way
    CString m_tokenString;      // the pattern entered so far
    CString modePattern;
    int m_moveFlag = 0;        // the selection moves with the pointer
    int m_prepared = 0;
    int m_ctrlAdvance = 0;      // Ctrl advances to the next step
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;
    CElemSet m_elemSet;
    int moveNotCopy = 1;        // 1 the operation moves the selection, 0 copies it
    int m_fromMenu = 0;         // the pattern was chosen from a menu: guidance names it alone
    // Both come with group processing's own handling of its patterns.
    void UpdateLengthInputFlag() {}
    void ShowGuidance() {}
};
