// The key operations every drawing command object offers besides its input entry: the point
// constraint, step back, the next snap point and candidate, Enter and the edit-pick test. The
// application's key routines call them on the one consumer that takes the key.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CCommandKeyOps {
public:
    virtual ~CCommandKeyOps() = default;

    // The input entry; the payload is in the drawing's input event.
    virtual void OnInput(int kind, int subCode)
    {
        (void)kind;
        (void)subCode;
    }
    // Back to the first step of the command's mode pattern.
    virtual void Reset() {}
    virtual void ApplyPointConstraint() {}
    virtual void ReleasePointConstraint() {}
    // steps 1: the last input is taken back.
    virtual void StepBack(int steps) { (void)steps; }
    virtual void OnNextSnapPoint() {}
    virtual void OnNextCandidateElement() {}
    virtual void OnEnter() {}
    // The command stands at the pick of an element to edit.
    virtual BOOL IsEditPick() const { return m_tokenString == "#" ? TRUE : FALSE; }

    // The element an interrupting instance edits, and where on it the pick lies.
    std::int16_t m_editBlock = -1;
    std::int16_t m_editSlot = -1;
    int m_editFlag = 0;
    int m_positionClass = 0;

    CString m_tokenString;    // the kinds of the inputs taken so far
    int m_macroInput = 0;     // the command takes its inputs from a macro
};
