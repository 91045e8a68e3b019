// Arbitrary terminal bytes through the key decoder, fed in pieces and decoded the way the
// platform does it. The first byte chooses the encoding, the quiet time between pieces
// and the piece size. Aborts when a step consumes nothing, waits with a full buffer or
// after the terminal went quiet, or gives a control character no key may carry.
#include "platform/posix/key_record.h"
#include "platform/terminal_text/key_decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Fail(const char* what, const std::string& pending) {
    std::fprintf(stderr, "key decoder: %s, pending:", what);
    for (const char c : pending) {
        std::fprintf(stderr, " %02X", static_cast<unsigned char>(c));
    }
    std::fprintf(stderr, "\n");
    std::abort();
}

bool AllowedCharacter(const KeyPress& key) {
    const unsigned char c = key.character;
    if (c >= 32 || c == 0 || c == 8 || c == 9 || c == 13 || c == 27) {
        return true;
    }
    return c != 10 && (key.controlState & LEFT_CTRL_PRESSED) != 0;
}

// Decodes all it can; returns once the rest waits for more bytes.
void Drain(std::string& pending, int quietMs, TerminalEncoding encoding) {
    while (!pending.empty()) {
        const DecodeResult r = DecodeKey(pending, quietMs, kEscapeTimeoutMs, encoding);
        if (r.status == DecodeStatus::NeedMore) {
            if (r.length != 0) {
                Fail("NeedMore with a length", pending);
            }
            if (pending.size() >= kLongestKeySequence) {
                Fail("waits with a full buffer", pending);
            }
            if (quietMs >= kEscapeTimeoutMs) {
                Fail("waits after the timeout", pending);
            }
            return;
        }
        if (r.length == 0 || r.length > pending.size()) {
            Fail("consumes nothing or too much", pending);
        }
        if (r.status == DecodeStatus::Key) {
            if (!AllowedCharacter(r.key)) {
                Fail("forbidden character", pending);
            }
            const INPUT_RECORD record = KeyRecord(r.key, true);
            if (static_cast<unsigned char>(record.Event.KeyEvent.uChar.AsciiChar) !=
                r.key.character) {
                Fail("record lost the character", pending);
            }
        }
        pending.erase(0, r.length);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned setup = data[0];
    const auto encoding = static_cast<TerminalEncoding>(setup % 3);
    const int quietMs = (setup & 0x04) != 0 ? kEscapeTimeoutMs + static_cast<int>(setup >> 6)
                                            : static_cast<int>((setup >> 3) % kEscapeTimeoutMs);
    const std::size_t piece = 1 + ((setup >> 3) & 0x07);

    std::string pending;
    for (std::size_t at = 1; at < size; at += piece) {
        const std::size_t take = at + piece <= size ? piece : size - at;
        pending.append(reinterpret_cast<const char*>(data + at), take);
        Drain(pending, quietMs, encoding);
    }
    // The terminal falls quiet: whatever is left must resolve.
    Drain(pending, kEscapeTimeoutMs, encoding);
    if (!pending.empty()) {
        Fail("left bytes after the timeout", pending);
    }
    return 0;
}
