// Virtual keys, scan codes and key state for the messages the program receives.
#include "platform/ui/KeyMap.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <array>

namespace {

// Down (0x80) and toggled (0x01) state of every virtual key.
std::array<BYTE, 256> g_keys{};

struct ScanEntry {
    UINT vk;
    UINT scan; // + 0x100 for extended keys
};

// The Japanese keyboard's scan codes (set 1).
const ScanEntry kScanCodes[] = {
    { VK_ESCAPE, 0x01 }, { '1', 0x02 }, { '2', 0x03 }, { '3', 0x04 }, { '4', 0x05 }, { '5', 0x06 },
    { '6', 0x07 }, { '7', 0x08 }, { '8', 0x09 }, { '9', 0x0A }, { '0', 0x0B }, { VK_OEM_MINUS, 0x0C },
    { VK_OEM_7, 0x0D }, { VK_BACK, 0x0E }, { VK_TAB, 0x0F }, { 'Q', 0x10 }, { 'W', 0x11 }, { 'E', 0x12 },
    { 'R', 0x13 }, { 'T', 0x14 }, { 'Y', 0x15 }, { 'U', 0x16 }, { 'I', 0x17 }, { 'O', 0x18 }, { 'P', 0x19 },
    { VK_OEM_3, 0x1A }, { VK_OEM_4, 0x1B }, { VK_RETURN, 0x1C }, { VK_CONTROL, 0x1D }, { 'A', 0x1E },
    { 'S', 0x1F }, { 'D', 0x20 }, { 'F', 0x21 }, { 'G', 0x22 }, { 'H', 0x23 }, { 'J', 0x24 }, { 'K', 0x25 },
    { 'L', 0x26 }, { VK_OEM_PLUS, 0x27 }, { VK_OEM_1, 0x28 }, { VK_KANJI, 0x29 }, { VK_SHIFT, 0x2A },
    { VK_OEM_6, 0x2B }, { 'Z', 0x2C }, { 'X', 0x2D }, { 'C', 0x2E }, { 'V', 0x2F }, { 'B', 0x30 },
    { 'N', 0x31 }, { 'M', 0x32 }, { VK_OEM_COMMA, 0x33 }, { VK_OEM_PERIOD, 0x34 }, { VK_OEM_2, 0x35 },
    { VK_RSHIFT, 0x36 }, { VK_MULTIPLY, 0x37 }, { VK_MENU, 0x38 }, { VK_SPACE, 0x39 }, { VK_CAPITAL, 0x3A },
    { VK_F1, 0x3B }, { VK_F2, 0x3C }, { VK_F3, 0x3D }, { VK_F4, 0x3E }, { VK_F5, 0x3F }, { VK_F6, 0x40 },
    { VK_F7, 0x41 }, { VK_F8, 0x42 }, { VK_F9, 0x43 }, { VK_F10, 0x44 }, { VK_NUMLOCK, 0x45 },
    { VK_SCROLL, 0x46 }, { VK_NUMPAD7, 0x47 }, { VK_NUMPAD8, 0x48 }, { VK_NUMPAD9, 0x49 },
    { VK_SUBTRACT, 0x4A }, { VK_NUMPAD4, 0x4B }, { VK_NUMPAD5, 0x4C }, { VK_NUMPAD6, 0x4D }, { VK_ADD, 0x4E },
    { VK_NUMPAD1, 0x4F }, { VK_NUMPAD2, 0x50 }, { VK_NUMPAD3, 0x51 }, { VK_NUMPAD0, 0x52 },
    { VK_DECIMAL, 0x53 }, { VK_F11, 0x57 }, { VK_F12, 0x58 }, { VK_KANA, 0x70 }, { VK_OEM_102, 0x73 },
    { VK_CONVERT, 0x79 }, { VK_NONCONVERT, 0x7B }, { VK_OEM_5, 0x7D },
    { VK_HOME, 0x147 }, { VK_UP, 0x148 }, { VK_PRIOR, 0x149 }, { VK_LEFT, 0x14B }, { VK_RIGHT, 0x14D },
    { VK_END, 0x14F }, { VK_DOWN, 0x150 }, { VK_NEXT, 0x151 }, { VK_INSERT, 0x152 }, { VK_DELETE, 0x153 },
    { VK_DIVIDE, 0x135 }, { VK_RCONTROL, 0x11D }, { VK_RMENU, 0x138 }, { VK_LWIN, 0x15B },
    { VK_RWIN, 0x15C }, { VK_APPS, 0x15D }, { VK_PAUSE, 0x45 }, { VK_SNAPSHOT, 0x137 },
};

struct QtKeyEntry {
    int key;
    UINT vk;
};

// Qt keys (which name the character) to the key of the Japanese layout that types it.
const QtKeyEntry kQtKeys[] = {
    { Qt::Key_Escape, VK_ESCAPE }, { Qt::Key_Tab, VK_TAB }, { Qt::Key_Backtab, VK_TAB },
    { Qt::Key_Backspace, VK_BACK }, { Qt::Key_Return, VK_RETURN }, { Qt::Key_Enter, VK_RETURN },
    { Qt::Key_Insert, VK_INSERT }, { Qt::Key_Delete, VK_DELETE }, { Qt::Key_Pause, VK_PAUSE },
    { Qt::Key_Print, VK_SNAPSHOT }, { Qt::Key_Clear, VK_CLEAR }, { Qt::Key_Home, VK_HOME },
    { Qt::Key_End, VK_END }, { Qt::Key_Left, VK_LEFT }, { Qt::Key_Up, VK_UP }, { Qt::Key_Right, VK_RIGHT },
    { Qt::Key_Down, VK_DOWN }, { Qt::Key_PageUp, VK_PRIOR }, { Qt::Key_PageDown, VK_NEXT },
    { Qt::Key_Shift, VK_SHIFT }, { Qt::Key_Control, VK_CONTROL }, { Qt::Key_Alt, VK_MENU },
    { Qt::Key_AltGr, VK_MENU }, { Qt::Key_Meta, VK_LWIN }, { Qt::Key_Menu, VK_APPS },
    { Qt::Key_CapsLock, VK_CAPITAL }, { Qt::Key_NumLock, VK_NUMLOCK }, { Qt::Key_ScrollLock, VK_SCROLL },
    { Qt::Key_Space, VK_SPACE }, { Qt::Key_Help, VK_HELP },
    { Qt::Key_Zenkaku_Hankaku, VK_KANJI }, { Qt::Key_Kanji, VK_KANJI }, { Qt::Key_Henkan, VK_CONVERT },
    { Qt::Key_Muhenkan, VK_NONCONVERT }, { Qt::Key_Hiragana_Katakana, VK_KANA }, { Qt::Key_Katakana, VK_KANA },
    { Qt::Key_Hiragana, VK_KANA },
    // Shifted characters of the digit row and punctuation keys.
    { Qt::Key_Exclam, '1' }, { Qt::Key_QuoteDbl, '2' }, { Qt::Key_NumberSign, '3' }, { Qt::Key_Dollar, '4' },
    { Qt::Key_Percent, '5' }, { Qt::Key_Ampersand, '6' }, { Qt::Key_Apostrophe, '7' },
    { Qt::Key_ParenLeft, '8' }, { Qt::Key_ParenRight, '9' },
    { Qt::Key_Minus, VK_OEM_MINUS }, { Qt::Key_Equal, VK_OEM_MINUS }, { Qt::Key_AsciiCircum, VK_OEM_7 },
    { Qt::Key_AsciiTilde, VK_OEM_7 }, { Qt::Key_yen, VK_OEM_5 }, { Qt::Key_Bar, VK_OEM_5 },
    { Qt::Key_At, VK_OEM_3 }, { Qt::Key_QuoteLeft, VK_OEM_3 }, { Qt::Key_BracketLeft, VK_OEM_4 },
    { Qt::Key_BraceLeft, VK_OEM_4 }, { Qt::Key_Semicolon, VK_OEM_PLUS }, { Qt::Key_Plus, VK_OEM_PLUS },
    { Qt::Key_Colon, VK_OEM_1 }, { Qt::Key_Asterisk, VK_OEM_1 }, { Qt::Key_BracketRight, VK_OEM_6 },
    { Qt::Key_BraceRight, VK_OEM_6 }, { Qt::Key_Comma, VK_OEM_COMMA }, { Qt::Key_Less, VK_OEM_COMMA },
    { Qt::Key_Period, VK_OEM_PERIOD }, { Qt::Key_Greater, VK_OEM_PERIOD }, { Qt::Key_Slash, VK_OEM_2 },
    { Qt::Key_Question, VK_OEM_2 }, { Qt::Key_Backslash, VK_OEM_102 }, { Qt::Key_Underscore, VK_OEM_102 },
};

// Keys of the numeric keypad.
const QtKeyEntry kKeypad[] = {
    { Qt::Key_0, VK_NUMPAD0 }, { Qt::Key_1, VK_NUMPAD1 }, { Qt::Key_2, VK_NUMPAD2 }, { Qt::Key_3, VK_NUMPAD3 },
    { Qt::Key_4, VK_NUMPAD4 }, { Qt::Key_5, VK_NUMPAD5 }, { Qt::Key_6, VK_NUMPAD6 }, { Qt::Key_7, VK_NUMPAD7 },
    { Qt::Key_8, VK_NUMPAD8 }, { Qt::Key_9, VK_NUMPAD9 }, { Qt::Key_Asterisk, VK_MULTIPLY },
    { Qt::Key_Plus, VK_ADD }, { Qt::Key_Minus, VK_SUBTRACT }, { Qt::Key_Period, VK_DECIMAL },
    { Qt::Key_Comma, VK_DECIMAL }, { Qt::Key_Slash, VK_DIVIDE }, { Qt::Key_Enter, VK_RETURN },
    { Qt::Key_Return, VK_RETURN }, { Qt::Key_Home, VK_NUMPAD7 }, { Qt::Key_Up, VK_NUMPAD8 },
    { Qt::Key_PageUp, VK_NUMPAD9 }, { Qt::Key_Left, VK_NUMPAD4 }, { Qt::Key_Clear, VK_NUMPAD5 },
    { Qt::Key_Right, VK_NUMPAD6 }, { Qt::Key_End, VK_NUMPAD1 }, { Qt::Key_Down, VK_NUMPAD2 },
    { Qt::Key_PageDown, VK_NUMPAD3 }, { Qt::Key_Insert, VK_NUMPAD0 }, { Qt::Key_Delete, VK_DECIMAL },
};

} // namespace

UINT UiVirtualKeyFromEvent(const QKeyEvent* event)
{
    const int key = event->key();
    if (event->modifiers() & Qt::KeypadModifier) {
        for (const auto& e : kKeypad)
            if (e.key == key)
                return e.vk;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<UINT>('A' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<UINT>('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
    for (const auto& e : kQtKeys)
        if (e.key == key)
            return e.vk;
    return 0;
}

UINT UiScanCode(UINT nVirtKey)
{
    for (const auto& e : kScanCodes)
        if (e.vk == nVirtKey)
            return e.scan;
    if (nVirtKey == VK_LSHIFT)
        return 0x2A;
    if (nVirtKey == VK_LCONTROL)
        return 0x1D;
    if (nVirtKey == VK_LMENU)
        return 0x38;
    return 0;
}

UINT MapVirtualKeyToScanCode(UINT nVirtKey)
{
    return UiScanCode(nVirtKey) & 0xFF;
}

LPARAM MakeKeyLParam(UINT nVirtKey, UINT nRepeat, BOOL bRepeatBit, BOOL bKeyUp)
{
    UINT scan = UiScanCode(nVirtKey);
    DWORD l = (nRepeat & 0xFFFF) | ((scan & 0xFF) << 16);
    if (scan & 0x100)
        l |= 1u << 24;
    if (bRepeatBit || bKeyUp)
        l |= 1u << 30;
    if (bKeyUp)
        l |= 1u << 31;
    return static_cast<LPARAM>(l);
}

void UiNoteKey(UINT nVirtKey, bool down)
{
    nVirtKey &= 0xFF;
    if (down) {
        // A lock key toggles on each press, as Windows counts it.
        if (!(g_keys[nVirtKey] & 0x80))
            g_keys[nVirtKey] ^= 0x01;
        g_keys[nVirtKey] |= 0x80;
    } else {
        g_keys[nVirtKey] &= static_cast<BYTE>(~0x80);
    }
}

void UiNoteModifiers(const QInputEvent* event)
{
    auto set = [](UINT vk, bool down) {
        if (down)
            g_keys[vk] |= 0x80;
        else
            g_keys[vk] &= static_cast<BYTE>(~0x80);
    };
    Qt::KeyboardModifiers m = event->modifiers();
    set(VK_SHIFT, m & Qt::ShiftModifier);
    set(VK_CONTROL, m & Qt::ControlModifier);
    set(VK_MENU, m & Qt::AltModifier);
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        // While a modifier key itself goes down or up, Qt's modifiers already show the new state.
        return;
    }
    if (auto* me = dynamic_cast<const QMouseEvent*>(event)) {
        Qt::MouseButtons b = me->buttons();
        set(VK_LBUTTON, b & Qt::LeftButton);
        set(VK_RBUTTON, b & Qt::RightButton);
        set(VK_MBUTTON, b & Qt::MiddleButton);
    }
}

void UiResetKeyState()
{
    g_keys.fill(0);
}

SHORT GetKeyState(int nVirtKey)
{
    BYTE s = g_keys[static_cast<UINT>(nVirtKey) & 0xFF];
    if (nVirtKey == static_cast<int>(VK_LSHIFT) || nVirtKey == static_cast<int>(VK_RSHIFT))
        s = g_keys[VK_SHIFT];
    else if (nVirtKey == static_cast<int>(VK_LCONTROL) || nVirtKey == static_cast<int>(VK_RCONTROL))
        s = g_keys[VK_CONTROL];
    else if (nVirtKey == static_cast<int>(VK_LMENU) || nVirtKey == static_cast<int>(VK_RMENU))
        s = g_keys[VK_MENU];
    // Down gives the high-order bits set (0xFF80 as Windows returns it), toggled the low bit.
    SHORT r = (s & 0x80) ? static_cast<SHORT>(0xFF80) : 0;
    if (s & 0x01)
        r = static_cast<SHORT>(r | 1);
    return r;
}

SHORT GetAsyncKeyState(int nVirtKey)
{
    return (GetKeyState(nVirtKey) & 0x8000) ? static_cast<SHORT>(0x8000) : 0;
}
