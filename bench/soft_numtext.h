// ParseNumber, FormatMask and ComputeLayout built a second time on the software extended type,
// under other names, so that one benchmark can run both types side by side.
#pragma once

#include "app/model/layout.h"
#include "numtext/numtext.h"

#include <string>
#include <string_view>

// ParseNumber on the software type, stored as a double.
double SoftParseNumberToDouble(std::string_view text);
namespace numtext {
std::string SoftFormatMask(double value, std::string_view mask);
} // namespace numtext
LayoutResult SoftComputeLayout(const AnswerSet& answers);
