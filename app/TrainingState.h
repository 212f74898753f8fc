// State of the running training note.
#pragma once

class CTrainingState {
public:
    int m_active = 0;
};
