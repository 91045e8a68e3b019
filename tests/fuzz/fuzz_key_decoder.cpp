// Arbitrary terminal bytes through the key decoder, fed in pieces and decoded the way the
// platform does it. The first byte chooses the encoding, the quiet time between pieces
// and the piece size. Aborts when a step consumes nothing, waits with a full buffer or
// after the terminal went quiet, or gives a control character no key may carry.
#include "platform/posix/key_record.h"
#include "platform/terminal_text/key_decoder.h"
#include "tests/platform/key_decoder_invariants.h"

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

// Decodes all it can; returns once the rest waits for more bytes.
void Drain(std::string& pending, int quietMs, TerminalEncoding encoding) {
    while (!pending.empty()) {
        const DecodeResult r = DecodeKey(pending, quietMs, kEscapeTimeoutMs, encoding);
        const std::string fault = DecodeStepFault(pending, r, quietMs);
        if (!fault.empty()) {
            Fail(fault.c_str(), pending);
        }
        // The console's input record, which the program reads, keeps the character.
        if (r.status == DecodeStatus::Key &&
            static_cast<unsigned char>(KeyRecord(r.key, true).Event.KeyEvent.uChar.AsciiChar) !=
                r.key.character) {
            Fail("record lost the character", pending);
        }
        if (r.status == DecodeStatus::NeedMore) {
            return;
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
