// The line command object of a drawing (parallel, tangent, radial lines and their edits): one main and one interrupting instance.
#pragma once

#include "commands/CommandKeyOps.h"

#include "input/InputPoint.h"
#include "macro/Quantity.h"
#include "platform/core/String.h"

class CZelkDoc;

class CLineCommand : public CCommandKeyOps {
public:
    CZelkDoc* m_doc;
    int m_instance;           // 0 main, 1 interrupting
    CString m_modePattern;    // the input pattern the command starts with
    double m_defaultLength = 0.0;
    // The step points, their copy taken before each step, and the typed values.
    CInputPoint m_savedInputPoints[5];
    CInputPoint m_inputPoints[5];
    CQuantity m_values[5];
    double m_dragLength = 0.0;   // the length of the last right drag

    CLineCommand(CZelkDoc* doc, int instance);
    virtual ~CLineCommand() = default;

    // The input entry: the input router hands each input event of the command here; the
    // payload is in the drawing's input event.
    virtual void OnInput(int kind, int subCode);
    int m_lastInputKind = 0;       // the last event handed to the command
    int m_lastInputSubCode = 0;

    // Cancels the command back to its mode pattern.
    void Reset() {}
    // Whether a plain typed number counts as a length for the next step, and the guidance of
    // the current pattern; both come with the command's own handling.
    void UpdateLengthInputFlag() {}
    void ShowGuidance() {}
    // A left double click on an element: after a refused pick it only clears the note; the
    // trimming of chamfered elements comes with the command's own handling.
    void OnDoubleClick();
    int m_refusalNote = 0;    // the last pick was refused
};
