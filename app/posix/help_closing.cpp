#include "app/help_closing.h"

// The page is installed with the program (doc/orvane.1).
std::string_view HelpClosingLine() {
    return "The manual: man orvane\n";
}
