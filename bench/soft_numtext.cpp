// Built only as part of the renamed software copy (see bench/CMakeLists.txt), where
// ParseNumber is the software one.
#include "bench/soft_numtext.h"

using numtext::ParseNumber;

double SoftParseNumberToDouble(std::string_view text) {
    return static_cast<double>(ParseNumber(text));
}
