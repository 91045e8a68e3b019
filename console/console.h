// The console text layer: the program's only way onto the screen and to the
// keyboard. Text is written as cells straight into the screen buffer, so this
// layer decides where text goes, when a line wraps and when the screen scrolls.
// Rows and columns are counted from 1 at the top left.
#pragma once

#include "windows_console.h"

#include <string>
#include <string_view>

// Process start-up: output buffer, output and input modes, keyboard, cursor state.
void StartConsole();

// --- screen ---

// Colours of later output; a value of 16 or more (or negative) keeps the current one.
// count cells from the cursor on take the new colours too. SetColor(0, 15): black on bright white.
void SetColor(int foreground, int background, int count = 0);

// Blanks the whole buffer in the current colours; cursor to row 1, column 1.
void ClearScreen();

// Moves the cursor; a row or column outside the buffer keeps the current one.
// Locate(5, 0) goes to row 5 and keeps the column. Cancels a pending scroll.
void Locate(int row, int column);

// Writes text at the cursor in the current colours, wrapping at the right edge.
// Every byte is one cell: 7, 9, 10 and 13 included.
void PrintText(std::string_view text);

// Cursor to column 1 of the next row, scrolling on the bottom row.
void NewLine();

// The cursor's row, 1..H.
int CursorRow();

// 0 hides the cursor, a negative value shows it, n > 0 shows it at size n (10..99).
void SetCursor(int n);

// The cell writing behind PrintText and the line editor's echo.
void WriteCells(std::string_view text);

// Temporary cursor state: shown or hidden for one operation, then put back.
void HideCursorForDuration();
void ShowCursorForDuration();
void PutCursorBack();

// --- keyboard ---

enum class KeyKind {
    None,      // nothing at the head of the input buffer
    Character, // a key with a character
    Extended,  // a key without one: function and cursor keys, Alt with a letter
};

// What lies at the head of the input buffer.
struct KeyReport {
    KeyKind kind = KeyKind::None; // what was found
    unsigned char character = 0;  // the key's character (0 for extended keys)
    unsigned char scanCode = 0;   // low byte of the key's scan code
    WORD controlState = 0;        // low half of the control-key flags
};

// Looks at the input buffer without waiting; releases, lone modifier keys and
// other records are removed on the way. A reported key stays in the buffer.
KeyReport PeekKey();

// Removes the record at the head of the input buffer.
void TakeEvent();

// Waits for a key with a character and removes it.
unsigned char NextCharacter();

// While CapsLock is on, the keys of the digit and punctuation rows follow the
// Shift key alone: scan code 2 gives '1' without Shift even when reported as '!'.
unsigned char CapsLockCorrected(unsigned char character, unsigned char scanCode, WORD controlState);

// Reads one line at the cursor, echoing it in the current colours, until Enter.
// Backspace steps back across row boundaries; at most 10000 bytes.
std::string LineInput();

// Waits until a key is pressed and leaves it in the input buffer. Returns -1.
int WaitKey();

// The system's default beep.
void AlertBeep();
