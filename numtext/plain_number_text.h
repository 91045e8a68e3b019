// A value's plain text, as a mask without sections of its own shows it.
#pragma once

#include "numtext/numtext.h"

#include <string>

namespace numtext {

// value with up to 15 significant digits, no blank and no sign for positive values, and an
// exponent only where the digits would run past 15 places.
// 0.05 gives ".05", 1234.5 gives "1234.5", 1e15 gives "1E+15", 1e-16 gives "1E-16".
std::string PlainNumberText(Extended value);

} // namespace numtext
