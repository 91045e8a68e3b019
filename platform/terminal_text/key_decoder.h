// From the bytes a terminal sends to the key records a Windows console would
// give. A pure step over the bytes seen so far: it never reads, sleeps or exits.
#pragma once

#include "platform/terminal_text/key_codes.h"
#include "platform/terminal_text/terminal_encoding.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// One key press as a console reports it.
struct KeyPress {
    std::uint16_t virtualKey;   // virtual-key code (keys::kReturn, 'A', keys::kF1 ...)
    std::uint16_t scanCode;     // scan code of the key on a US keyboard
    unsigned char character;    // code page 437 character, 0 for keys without one
    std::uint32_t controlState; // keys::kShift, kLeftCtrl, kLeftAlt, kEnhanced
};

enum class DecodeStatus {
    Key,      // bytes[0, length) are one key press
    NeedMore, // bytes may be the start of a longer sequence: wait for more
    Skip,     // bytes[0, length) mean nothing to us (an unknown sequence, an unmappable
              // character): drop them whole, type nothing
};

struct DecodeResult {
    DecodeStatus status;
    std::size_t length; // bytes consumed (Key, Skip); 0 for NeedMore
    KeyPress key;       // valid for Key
};

// The longest sequence the decoder ever waits for; pending input never grows beyond it.
constexpr std::size_t kLongestKeySequence = 32;

// How long a lone ESC waits for a following byte before it is the Escape key.
constexpr int kEscapeTimeoutMs = 50;

// Decodes the key at the start of pending (which is not empty). quietMs is the
// time since the last byte arrived; once it reaches escapeTimeoutMs no further
// byte is expected, so an incomplete sequence is resolved (a lone ESC becomes
// Escape) instead of NeedMore.
DecodeResult DecodeKey(std::string_view pending, int quietMs, int escapeTimeoutMs,
                       TerminalEncoding encoding);
