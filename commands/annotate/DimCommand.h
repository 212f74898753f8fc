// The dimension, balloon and leader command object of a drawing: one main and one interrupting instance.
#pragma once

#include "commands/CommandKeyOps.h"

#include <cstdint>
#include <vector>

#include "geometry/PointD.h"
#include "input/InputPoint.h"
#include "macro/Quantity.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CZelkDoc;

class CDimCommand : public CCommandKeyOps {
public:
    const char* PickLetters() const override { return "LCT#"; }
    double m_dragLength = 0.0;   // the length of the last right drag
    // Cancels the command back to its first step.
    void Reset() {}
    CZelkDoc* m_doc;
    int m_instance;           // 0 main, 1 interrupting
    CString m_modePattern;    // the input pattern the command starts with
    // The edited dimension: its group, the element's kind, the group's kind and the element's role.
    std::int16_t m_editGroup = -1;
    int m_editElemKind = 0;
    int m_editGroupKind = 0;
    int m_editRole = 0;
    double m_valueAngle = 0.0;
    std::uint8_t m_arrowKind; // 5: a dot instead of arrow lines at a leader's first vertex
    double m_angle;           // direction of a linear dimension, degrees
    // The step points, their copy taken before each step, and the typed values.
    CInputPoint m_savedInputPoints[6];
    CInputPoint m_inputPoints[6];
    CQuantity m_values[6];
    CStringArray m_stepTexts;   // the macro recorder's text of each step
    CString m_valueText;
    CPointD m_valueBox[4];    // value text box: bottom-start, bottom-end, top-start, top-end

    std::vector<CPointD> m_chainPoints;   // the points of the dimension chain entered so far

    CDimCommand(CZelkDoc* doc, int instance);
    virtual ~CDimCommand() = default;

    // The input entry: the input router hands each input event of the command here; the
    // payload is in the drawing's input event.
    virtual void OnInput(int kind, int subCode);
    int m_lastInputKind = 0;       // the last event handed to the command
    int m_lastInputSubCode = 0;
    // Whether a plain typed number counts as a length for the next step, and the guidance of
    // the current pattern; both come with the command's own handling.
    void UpdateLengthInputFlag() {}
    void ShowGuidance() {}

    // The value text box of a string with the current text settings.
    void UpdateValueTextBox(const CString& text);
};
