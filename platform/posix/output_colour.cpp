#include "platform/output_colour.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

bool StandardOutputTakesColour() {
    if (isatty(STDOUT_FILENO) != 1) {
        return false;
    }
    // A terminal that cannot place the cursor is taken to show no colours either.
    const char* term = std::getenv("TERM");
    return term != nullptr && *term != '\0' && std::strcmp(term, "dumb") != 0;
}
