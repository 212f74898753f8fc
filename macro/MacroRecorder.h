// The macro recorder: records operations as macro text.
#pragma once

class CMacroRecorder {
public:
    void ResetFlags() { m_recording = 0; }
    int m_recording = 0;
};
