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
    int m_lastInputKind = 0;
    int m_lastInputSubCode = 0;
    CElemSet m_elemSet;
};
