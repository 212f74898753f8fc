// The line command object of a drawing (parallel, tangent, radial lines and their edits): one main and one interrupting instance.
#pragma once

#include "platform/core/String.h"

class CZelkDoc;

class CLineCommand {
public:
    CZelkDoc* m_doc;
    int m_instance;           // 0 main, 1 interrupting
    CString m_modePattern;    // the input pattern the command starts with
    CString m_tokenString;    // the kinds of the inputs taken so far

    CLineCommand(CZelkDoc* doc, int instance);
    virtual ~CLineCommand() = default;

    // The input entry: the input router hands each input event of the command here; the
    // payload is in the drawing's input event.
    virtual void OnInput(int kind, int subCode);
    int m_lastInputKind = 0;       // the last event handed to the command
    int m_lastInputSubCode = 0;

    // Cancels the command back to its mode pattern.
    void Reset() {}
};
