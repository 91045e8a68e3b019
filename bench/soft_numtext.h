// ParseNumber, FormatMask and ComputeLayout on the software extended type, beside the x87 ones
// in one benchmark. Compiled against numtext's software copy (bench/CMakeLists.txt); their
// signatures name no extended type, so the x87 side can call them.
#pragma once

#include "app/model/layout.h"

#include <string>
#include <string_view>

// ParseNumber on the software type, stored as a double.
double SoftParseNumberToDouble(std::string_view text);

std::string SoftFormatMask(double value, std::string_view mask);

LayoutResult SoftComputeLayout(const AnswerSet& answers);
