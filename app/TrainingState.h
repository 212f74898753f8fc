// State of the running training note.
#pragma once

class CTrainingState {
public:
    virtual ~CTrainingState() = default;
    int m_active = 0;
    // Moves the running training to its next note; 0 once the series has ended.
    virtual int NextStep()
    {
        m_active = 0;
        return 0;
    }
};
