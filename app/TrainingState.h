// State of the running training note: whether a training runs, whether the note's command is
// locked, the mode pattern the note's command starts with and the number of the current note.
// The drawing document consults it when a note's window closes and before asking to write.
#pragma once

#include "platform/core/String.h"

#include <cstdint>

class CTrainingState {
public:
    virtual ~CTrainingState() = default;
    std::int32_t m_active = 0;
    std::int32_t m_commandLocked = 0;
    CString m_startPattern;
    CString m_spareText1;
    CString m_spareText2;
    CString m_spareText3;
    CString m_spareText4;
    std::int32_t m_spare = 0;
    std::int16_t m_noteNumber = 0;

    // Empties the start pattern and the four texts beside it.
    void Reset();
    // Replaces the open drawings by the note of that name from the training folder (an empty
    // name: by a new drawing). 1 opened, 0 not opened, -1 the user kept the modified drawings.
    int OpenStepDocument(const CString& name);
    // Starts the note that follows the current one; 0 when that ended the training.
    virtual int NextStep();
    // Switches the active drawing to the command kind (2 line, 3 circle, 4 arc) with the start
    // pattern as its mode pattern.
    void SelectCommand(int kind);
};

// One training note: the command that starts it, its file, the help page offered in
// context-help mode, the command it starts and what it restricts, and the note after it.
struct CTrainingNote {
    static constexpr int kNoSuccessor = -1;  // closing the note starts nothing
    static constexpr int kEndOfSeries = -2;  // closing the note ends the training

    unsigned commandId;
    int number;
    const char* name;
    const char* helpPage;     // null: the note opens even in context-help mode
    int commandKind;          // 0 none, 2 line, 3 circle, 4 arc
    const char* pattern;
    int commandLocked;
    short selectableKinds;
    int draftModeOff;         // also: a missing file ends the training
    int next;
};

const CTrainingNote* FindTrainingNoteByNumber(int number);
const CTrainingNote* FindTrainingNoteByCommand(unsigned commandId);
