// What the recording plug-in of the tests keeps of each call: the event and the block fields
// that events carry, as the plug-in saw them during the call.
#pragma once

#include <cstdint>

struct RecordedCall {
    int event;
    double numberValue;
    std::uintptr_t eventWord;
    std::int16_t pickKind;
    std::int16_t pickBlock;
    std::int16_t pickSlot;
    double pickCursorX;
    std::int32_t requestFlag;
    int codesSet;               // request codes that were not 0
    std::int16_t status[3];
};

// The plug-in's exports besides DllCall.
using RecordedCountFn = int (*)();
using RecordedCallFn = const RecordedCall* (*)(int);
using ForgetCallsFn = void (*)();
