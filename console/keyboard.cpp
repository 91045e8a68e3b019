// Keys from the console's input buffer, looked at one record at a time.
#include "console/console.h"
#include "console/console_state.h"

#include <array>

namespace {

// Keys that never count as a key press by themselves: Ctrl, both Shifts, Alt,
// CapsLock, NumLock, ScrollLock.
bool IsModifier(unsigned char scanCode) {
    switch (scanCode) {
    case 0x1D:
    case 0x2A:
    case 0x36:
    case 0x38:
    case 0x3A:
    case 0x45:
    case 0x46:
        return true;
    default:
        return false;
    }
}

// The three letter rows of the keyboard.
bool IsLetterKey(unsigned char scanCode) {
    return (scanCode >= 0x10 && scanCode <= 0x19) || (scanCode >= 0x1E && scanCode <= 0x26) ||
           (scanCode >= 0x2C && scanCode <= 0x32);
}

struct ShiftPair {
    unsigned char scanCode; // the key
    char plain;             // its character without Shift
    char shifted;           // its character with Shift
};

// The keys whose character follows the Shift key alone while CapsLock is on.
constexpr std::array<ShiftPair, 21> kShiftPairs = {{
    {0x02, '1', '!'},  {0x03, '2', '@'}, {0x04, '3', '#'},  {0x05, '4', '$'}, {0x06, '5', '%'},
    {0x07, '6', '^'},  {0x08, '7', '&'}, {0x09, '8', '*'},  {0x0A, '9', '('}, {0x0B, '0', ')'},
    {0x0C, '-', '_'},  {0x0D, '=', '+'}, {0x1A, '[', '{'},  {0x1B, ']', '}'}, {0x27, ';', ':'},
    {0x28, '\'', '"'}, {0x29, '`', '~'}, {0x2B, '\\', '|'}, {0x33, ',', '<'}, {0x34, '.', '>'},
    {0x35, '/', '?'},
}};

constexpr DWORD kAltPressed = RIGHT_ALT_PRESSED | LEFT_ALT_PRESSED;

} // namespace

unsigned char CapsLockCorrected(unsigned char character, unsigned char scanCode,
                                WORD controlState) {
    if ((controlState & CAPSLOCK_ON) == 0) {
        return character;
    }
    for (const ShiftPair& pair : kShiftPairs) {
        if (pair.scanCode != scanCode) {
            continue;
        }
        const auto plain = static_cast<unsigned char>(pair.plain);
        const auto shifted = static_cast<unsigned char>(pair.shifted);
        if ((controlState & SHIFT_PRESSED) != 0) {
            return character == plain ? shifted : character;
        }
        return character == shifted ? plain : character;
    }
    return scanCode == 1 ? 27 : character;
}

void TakeEvent() {
    INPUT_RECORD record{};
    DWORD read = 0;
    ReadConsoleInputA(consoleState.keyboardHandle, &record, 1, &read);
}

KeyReport PeekKey() {
    for (;;) {
        INPUT_RECORD record{};
        DWORD count = 0;
        if (PeekConsoleInputA(consoleState.keyboardHandle, &record, 1, &count) == FALSE ||
            count == 0) {
            return {};
        }
        if (record.EventType != KEY_EVENT || record.Event.KeyEvent.bKeyDown == FALSE) {
            TakeEvent();
            continue;
        }
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        const auto character = static_cast<unsigned char>(key.uChar.AsciiChar);
        const auto scanCode = static_cast<unsigned char>(key.wVirtualScanCode & 0xFF);
        const auto controlState = static_cast<WORD>(key.dwControlKeyState & 0xFFFF);
        if (character != 0) {
            if ((controlState & kAltPressed) != 0 && IsLetterKey(scanCode)) {
                return {KeyKind::Extended, 0, scanCode, controlState};
            }
            return {KeyKind::Character, CapsLockCorrected(character, scanCode, controlState),
                    scanCode, controlState};
        }
        if (scanCode == 1) {
            return {KeyKind::Character, CapsLockCorrected(0, scanCode, controlState), scanCode,
                    controlState};
        }
        if (IsModifier(scanCode)) {
            TakeEvent();
            continue;
        }
        return {KeyKind::Extended, 0, scanCode, controlState};
    }
}

unsigned char NextCharacter() {
    for (;;) {
        Sleep(1);
        const KeyReport key = PeekKey();
        if (key.kind == KeyKind::None) {
            continue;
        }
        TakeEvent();
        if (key.kind == KeyKind::Character && key.character != 0) {
            return key.character;
        }
    }
}

int WaitKey() {
    while (PeekKey().kind == KeyKind::None) {
        Sleep(1);
    }
    return -1;
}

void AlertBeep() {
    MessageBeep(0);
}
