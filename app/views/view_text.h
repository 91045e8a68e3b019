// Small text helpers the views without a terminal share.
#pragma once

#include <string>
#include <string_view>

// The shortest decimal that reads back to the same double (std::to_chars):
// 0.1 gives "0.1", 2.5e-300 gives "2.5e-300", 120 gives "120". Only for finite values;
// an infinity or not-a-number gives "inf", "-inf" or "nan".
std::string ShortestText(double value);

// The bytes as a user can read them back on a terminal: control bytes (an
// escape sequence pasted by mistake) as \xNN, everything else as it is.
// "a\x1b[2J" gives "a\\x1b[2J".
std::string ShownBytes(std::string_view text);
