// The line command object of a drawing (parallel, tangent, radial lines and their edits): one main and one interrupting instance.
#pragma once

#include "platform/core/String.h"

class CZelkDoc;

class CLineCommand {
public:
    CZelkDoc* m_doc;
    int m_instance;           // 0 main, 1 interrupting
    CString m_modePattern;    // the input pattern the command starts with

    CLineCommand(CZelkDoc* doc, int instance);

    // Cancels the command back to its mode pattern.

    void Reset() {}
};
