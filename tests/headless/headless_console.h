// The console without a terminal, for tests: keys are pushed in, cells, cursor,
// beeps and add-on calls are read back. It takes the terminal's place as the
// console's backend (platform/posix/console_backend.h) until the process ends.
#pragma once

#include "platform/posix/console_model.h"
#include "platform/posix/key_record.h"
#include "platform/terminal_text/key_decoder.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct AddOnCall {
    std::string name;               // the add-on operation called
    std::vector<long> numbers;      // its number arguments, in order
    std::vector<std::string> texts; // its text arguments, in order
};

// What the program did that a terminal would have shown, and hooks into its waits.
struct HeadlessRecord {
    std::vector<AddOnCall> addOnCalls; // every add-on call, in order
    int beeps = 0;                     // MessageBeep calls
    std::function<void()> addOnHook;   // runs inside every add-on call
    std::function<void()> idleHandler; // runs when a wait finds no input
};

// A fresh headless console of the given size (the buffer a process finds at
// start) with an empty record.
void StartHeadlessConsole(int width, int height);

// The model itself, to read cells, cursor and input.
ConsoleModel& HeadlessConsole();

// The recordings and hooks of the current headless console.
HeadlessRecord& Recorded();

// Row y (0-based) of the buffer as text, one byte per cell.
std::string ScreenRow(int y);

// Pushes a key press followed by its release.
void PushKey(const KeyPress& key);

// Pushes one press and release per byte of text, as if each were typed.
void PushTyping(std::string_view text);

// Pushes any input record as it stands (releases, mouse, focus ...).
void PushRecord(const INPUT_RECORD& record);
