#include "platform/posix/key_record.h"

INPUT_RECORD KeyRecord(const KeyPress& key, bool down) {
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    KEY_EVENT_RECORD& event = record.Event.KeyEvent;
    event.bKeyDown = down ? TRUE : FALSE;
    event.wRepeatCount = 1;
    event.wVirtualKeyCode = key.virtualKey;
    event.wVirtualScanCode = key.scanCode;
    event.uChar.AsciiChar = static_cast<CHAR>(key.character);
    event.dwControlKeyState = key.controlState;
    return record;
}
