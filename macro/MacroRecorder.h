// The macro recorder: records operations as macro text.
#pragma once

#include "platform/core/Arrays.h"

class CMacroRecorder {
public:
    void ResetFlags() { m_recording = 0; }
    int m_recording = 0;
    CStringArray m_lines;    // the recorded macro text
};
