// The macro recorder's panel: a message for the next step, recording the next input's data, and
// the end of the recording.
#pragma once

#include "platform/ui/Dialog.h"

class CMacroRecordDialog : public CDialog {
public:
    static constexpr UINT IDD = 248;
    CMacroRecordDialog() : CDialog(IDD) {}

protected:
    DECLARE_MESSAGE_MAP()
    void OnMessage();
    void OnRecordNextInput();
    void OnFinish();
};
