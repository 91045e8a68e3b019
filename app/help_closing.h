// The help's last line, which says where the manual is on this system: each
// system's folder (app/posix, app/windows) has its own.
#pragma once

#include <string_view>

// One line with its newline, at most 79 characters.
std::string_view HelpClosingLine();
