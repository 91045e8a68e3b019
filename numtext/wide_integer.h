// The 128-bit unsigned integer the integer arithmetic of numtext works in.
#pragma once

namespace numtext::detail {

__extension__ typedef unsigned __int128 Wide;

} // namespace numtext::detail
