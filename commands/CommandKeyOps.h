// The key operations every drawing command object offers besides its input entry: the point
// constraint, step back, the next snap point and candidate, Enter and the edit-pick test. The
// application's key routines call them on the one consumer that takes the key.
#pragma once

#include <cstdint>
#include <cstring>

#include "input/GuidanceOwner.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CCircleCommand;
class CDimCommand;
class CLineCommand;
class CPointCommand;
class CTextCommand;

class CCommandKeyOps : public CGuidanceOwner {
public:

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
    // The click that began a double click is taken back when it picked, that is when the token
    // string ends in one of the command's pick letters.
    virtual void UndoClickBeforeDoubleClick()
    {
        const int n = m_tokenString.GetLength();
        if (n > 0 && std::strchr(PickLetters(), m_tokenString[n - 1]) != nullptr)
            StepBack(0);
    }
    virtual const char* PickLetters() const { return "LC#"; }
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

// A drawing command object as the key routines reach it. The point, line, text and dimension
// commands and the circle and arc command are plain classes without virtual members and are
// called by their own type; every other command through its key operations. A key the text or
// dimension command has no routine for yet passes it by.
class CCommandRef {
public:
    CCommandRef() = default;
    CCommandRef(CCommandKeyOps* ops) : m_ops(ops) {}
    CCommandRef(CCircleCommand* circle) : m_circle(circle) {}
    CCommandRef(CLineCommand* line) : m_line(line) {}
    CCommandRef(CPointCommand* point) : m_point(point) {}
    CCommandRef(CTextCommand* text) : m_text(text) {}
    CCommandRef(CDimCommand* dim) : m_dim(dim) {}
    explicit operator bool() const { return m_ops || m_circle || m_line || m_point || m_text || m_dim; }

    void OnInput(int kind, int subCode);
    void Reset();
    void ApplyPointConstraint();
    void ReleasePointConstraint();
    void StepBack(int steps);
    void OnNextSnapPoint();
    void OnNextCandidateElement();
    void OnEnter();
    BOOL IsEditPick() const;
    void UndoClickBeforeDoubleClick();
    // The element an edit takes, and where on it the pick lies; the edit flag is raised.
    void SetEditTarget(std::int16_t block, std::int16_t slot, int positionClass);
    // The command takes its inputs from a macro; ending that also empties its token string.
    BOOL TakesMacroInput() const;
    void EndMacroInput();

private:
    CCommandKeyOps* m_ops = nullptr;
    CCircleCommand* m_circle = nullptr;
    CLineCommand* m_line = nullptr;
    CPointCommand* m_point = nullptr;
    CTextCommand* m_text = nullptr;
    CDimCommand* m_dim = nullptr;
};
