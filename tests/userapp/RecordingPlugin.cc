// A plug-in of the tests that records every call it receives and writes no request of its own.
#include "tests/userapp/RecordingPlugin.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"

#include <vector>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::vector<RecordedCall> g_calls;

}  // namespace

EXPORT void DllCall(UserAppBlockHolder* holder, int event)
{
    RecordedCall call{};
    call.event = event;
    if (holder && holder->m_block) {
        const UserAppBlock& b = *holder->m_block;
        call.numberValue = b.m_numberValue;
        call.eventWord = b.m_eventWord;
        call.pickKind = b.m_pickRef.m_kind;
        call.pickBlock = b.m_pickRef.m_block;
        call.pickSlot = b.m_pickRef.m_slot;
        call.pickCursorX = b.m_pickCursor.m_x;
        call.requestFlag = b.m_requestFlag;
        for (short code : b.m_codes)
            call.codesSet += code != 0;
        for (int s = 0; s < 3; ++s)
            call.status[s] = b.m_status[s];
    }
    g_calls.push_back(call);
}

EXPORT int RecordedCount() { return static_cast<int>(g_calls.size()); }
EXPORT const RecordedCall* RecordedCallAt(int i) { return &g_calls.at(static_cast<size_t>(i)); }
EXPORT void ForgetCalls() { g_calls.clear(); }
