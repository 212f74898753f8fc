// The circle and arc command object of a drawing: one main and one interrupting instance.
#pragma once

#include "commands/CommandKeyOps.h"

#include "geometry/PointD.h"
#include "platform/core/String.h"

class CZelkDoc;

class CCircleCommand : public CCommandKeyOps {
public:
    int m_circleFlag = 1;      // 1 the object acts as the circle command, 0 as the arc command
    CZelkDoc* m_doc;
    int m_instance;            // 0 main, 1 interrupting
    CString m_modePattern;     // the input pattern the command starts with
    CString m_modePattern2;    // the interrupting instance's second pattern
    double m_defaultLength = 0.0;
    int m_editedKind = 0;      // 1 circle, 0 arc, -1 ellipse
    CString m_circleEditPattern = "#C";
    CString m_arcEditPattern = "#A";

    CPointD m_previewCentre;   // the centre the last circle preview found

    CCircleCommand(CZelkDoc* doc, int instance);
    virtual ~CCircleCommand() = default;

    // The input entry: the input router hands each input event of the command here; the
    // payload is in the drawing's input event.
    virtual void OnInput(int kind, int subCode);
    int m_lastInputKind = 0;       // the last event handed to the command
    int m_lastInputSubCode = 0;
    // Cancels the command back to its mode pattern.
    void Reset() {}
};
