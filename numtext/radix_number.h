// Internal to numtext: the "&" form of an entered number.
#pragma once

#include "numtext/numtext.h"

#include <string_view>

namespace numtext::detail {

// The number written after an "&": a radix letter (H, O, Q, B or none for octal), digits and an
// optional type suffix. "H1F" gives 31, "HFFFF" gives -1, "HFFFF&" gives 65535.
Extended ParseRadixNumber(std::string_view afterAmpersand);

} // namespace numtext::detail
