#include "platform/output_colour.h"

#include "platform/posix/terminal_facts.h"

#include <unistd.h>

bool StandardOutputTakesColour() {
    if (isatty(STDOUT_FILENO) != 1) {
        return false;
    }
    // The red of a value over its maximum is SGR 31: only where the entry
    // counts eight colours or more. A terminal without an entry, or one whose
    // entry has none (vt100, xterm-mono), gets the words alone.
    const TerminalFacts facts = ReadTerminfoEntry(STDOUT_FILENO);
    return facts.lookup == TerminfoLookup::Found && facts.colours >= 8;
}
