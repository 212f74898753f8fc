// What owns the input shows a pair of texts: a prompt for the status bar (the mode in brackets
// and the inputs it expects) and a hint for the view's hint line; a drawing command also
// computes the rubber-band preview of its current step. The application copies the pair and
// the preview code of the current owner.
#pragma once

#include "platform/core/String.h"

class CGuidanceOwner {
public:
    virtual ~CGuidanceOwner() = default;

    CString m_prompt;
    CString m_hint;

    // Sets the pair for the current step.
    virtual void ShowGuidance() {}
    // Computes the preview of the current step into the drawing's preview model; its code,
    // 0 for none.
    virtual int ShowRubberBand() { return 0; }
};
