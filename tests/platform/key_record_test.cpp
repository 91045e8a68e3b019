#include "platform/posix/key_record.h"

#include <gtest/gtest.h>

TEST(KeyRecord, IsAKeyEventWithTheKeysFields) {
    const KeyPress key = {'X', 0x2D, 'x', LEFT_ALT_PRESSED};
    for (const bool down : {true, false}) {
        const INPUT_RECORD record = KeyRecord(key, down);
        EXPECT_EQ(record.EventType, KEY_EVENT);
        const KEY_EVENT_RECORD& event = record.Event.KeyEvent;
        EXPECT_EQ(event.bKeyDown, down ? TRUE : FALSE);
        EXPECT_EQ(event.wRepeatCount, 1);
        EXPECT_EQ(event.wVirtualKeyCode, 'X');
        EXPECT_EQ(event.wVirtualScanCode, 0x2D);
        EXPECT_EQ(event.uChar.AsciiChar, 'x');
        EXPECT_EQ(event.dwControlKeyState, LEFT_ALT_PRESSED);
    }
    const INPUT_RECORD high = KeyRecord({0, 0, 130, 0}, true);
    EXPECT_EQ(static_cast<unsigned char>(high.Event.KeyEvent.uChar.AsciiChar), 130);
}
