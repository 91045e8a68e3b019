// What every step of decoding must keep, whatever bytes arrive and however
// they are split: shared by the unit test's random rounds and the fuzzer.
#pragma once

#include "platform/terminal_text/key_codes.h"
#include "platform/terminal_text/key_decoder.h"

#include <string>

// The control characters a key may carry: 0 for keys without a character, Ctrl
// combinations, Backspace, Tab, Enter, Escape; never a line feed.
inline bool AllowedCharacter(const KeyPress& key) {
    const unsigned char c = key.character;
    if (c >= 32 || c == 0 || c == 8 || c == 9 || c == 13 || c == 27) {
        return true;
    }
    return c != 10 && (key.controlState & keys::kLeftCtrl) != 0;
}

// What is wrong with one step that decoded `r` from `pending` after `quietMs`
// of quiet, or "" when nothing is: a step consumes something, or waits with
// less than the longest sequence and only while the terminal may still send
// more; a key carries an allowed character.
inline std::string DecodeStepFault(const std::string& pending, const DecodeResult& r, int quietMs) {
    if (r.status == DecodeStatus::NeedMore) {
        if (r.length != 0) {
            return "NeedMore with a length";
        }
        if (pending.size() >= kLongestKeySequence) {
            return "waits with a full buffer";
        }
        if (quietMs >= kEscapeTimeoutMs) {
            return "waits after the timeout";
        }
        return "";
    }
    if (r.length == 0 || r.length > pending.size()) {
        return "consumes nothing or too much";
    }
    if (r.status == DecodeStatus::Key) {
        if (!AllowedCharacter(r.key)) {
            return "forbidden character " + std::to_string(int{r.key.character});
        }
    }
    return "";
}
