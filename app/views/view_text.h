// Small text helpers the views without a terminal share.
#pragma once

#include "app/model/length_unit.h"

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

// A length as the sheet and the plan print it: the screen's two-decimal text, the unit when one
// is named, and feet and inches where they apply. 2.3629 gives "2.36", "2.36 m" with m, and
// "2.36 ft (2' 4 5/16\")" with ft.
std::string LengthText(double value, LengthUnit unit);

// An angle in degrees with one decimal, as FormatMask gives it: 12.2 gives "12.2".
std::string DegreesText(double degrees);
