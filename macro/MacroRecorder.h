// The macro recorder: records operations as macro text.
#pragma once

class CCircleCommand;
class CZelkDoc;
#include "platform/core/Arrays.h"

class CMacroRecorder {
public:
    void ResetFlags() { m_recording = 0; }
    // Writes the held command as macro lines; the lines of a construction appear when the
    // next input arrives.
    void EmitCommandLines() {}
    // The user's own message: the next input of the drawing is taken as it.
    void NoteNextInput(CZelkDoc* doc) { m_noteDoc = doc; ++m_notedInputs; }
    int m_recording = 0;
    CZelkDoc* m_noteDoc = nullptr;
    int m_notedInputs = 0;
    CStringArray m_lines;    // the recorded macro text
    CString m_pendingStepText;   // the text the next recorded step takes
    CStringArray m_stepTexts;    // step texts held for the capture, with their count
    int m_stepTextCount = 0;
    // Takes the circle command after an execution; recording of drawing commands is not built.
    void CaptureCircleCommand(CCircleCommand*) {}
};
