// The console without a terminal, for tests: keys are pushed in, cells, cursor,
// beeps and add-on calls are read back.
#pragma once

#include "platform/posix/console_model.h"
#include "platform/posix/key_record.h"
#include "platform/terminal_text/key_decoder.h"

#include <string>
#include <string_view>

// A fresh headless console of the given size (the buffer a process finds at start).
void StartHeadlessConsole(int width, int height);

// The model itself, to read cells, cursor, recordings and to set hooks.
ConsoleModel& HeadlessConsole();

// Row y (0-based) of the buffer as text, one byte per cell.
std::string ScreenRow(int y);

// Pushes a key press followed by its release.
void PushKey(const KeyPress& key);

// Pushes one press and release per byte of text, as if each were typed.
void PushTyping(std::string_view text);

// Pushes any input record as it stands (releases, mouse, focus ...).
void PushRecord(const INPUT_RECORD& record);
