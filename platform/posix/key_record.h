// A decoded key press as the console input record a Windows console gives for it.
#pragma once

#include "platform/terminal_text/key_decoder.h"
#include "windows_console.h"

// The record of a key press (down) or of its release.
INPUT_RECORD KeyRecord(const KeyPress& key, bool down);
