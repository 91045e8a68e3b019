#include "app/help_closing.h"

// orvane.exe travels alone, without the manual page.
std::string_view HelpClosingLine() {
    return "On Windows this help is the manual; orvane /? shows it too.\n";
}
