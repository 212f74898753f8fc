// Key codes as Windows reports them on the Japanese 106/109 keyboard: Qt keys to virtual keys,
// virtual keys to PC scan codes, and the key-state table behind GetKeyState.
#pragma once

#include "platform/ui/WinUser.h"

class QKeyEvent;
class QInputEvent;

UINT UiVirtualKeyFromEvent(const QKeyEvent* event);
// PC scan code (set 1) of a virtual key, with 0x100 added for the extended keys.
UINT UiScanCode(UINT nVirtKey);
// Notes a key going down or up, and the modifier and button state an input event carries.
void UiNoteKey(UINT nVirtKey, bool down);
void UiNoteModifiers(const QInputEvent* event);
// Forgets every held key (a test starts clean).
void UiResetKeyState();
