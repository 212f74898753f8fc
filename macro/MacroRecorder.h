// The macro recorder: records operations as macro text, with its small panel over the drawing
// view while it records.
#pragma once

#include "platform/core/Arrays.h"

#include <memory>

class CCircleCommand;
class CLineCommand;
class CPointCommand;
class CMacroRecordDialog;
class CZelkDoc;

class CMacroRecorder {
public:
    CMacroRecorder();
    ~CMacroRecorder();
    CMacroRecorder(const CMacroRecorder&) = delete;
    CMacroRecorder& operator=(const CMacroRecorder&) = delete;

    void ResetFlags() { m_recording = 0; }
    // Recording off, no lines, nothing held.
    void StartRecording();
    // The held command written out, then recording off.
    void StopRecording();
    // The panel over the active drawing view, which keeps the focus; none without one.
    void OpenDialog();
    void CloseDialog();
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
    // Take the circle, line or point command after an execution; recording of drawing commands is not
    // built.
    void CaptureCircleCommand(CCircleCommand*) {}
    void CaptureLineCommand(CLineCommand*) {}
    void CapturePointCommand(CPointCommand*) {}
    std::unique_ptr<CMacroRecordDialog> m_dialog;
    int m_dialogOpen = 0;
};
