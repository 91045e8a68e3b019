// Compiled against numtext on the software type (bench/CMakeLists.txt), where numtext's names
// and ComputeLayout are the software type's.
#include "bench/soft_numtext.h"

#include "numtext/numtext.h"

double SoftParseNumberToDouble(std::string_view text) {
    return static_cast<double>(numtext::ParseNumber(text));
}

std::string SoftFormatMask(double value, std::string_view mask) {
    return numtext::FormatMask(value, mask);
}

LayoutResult SoftComputeLayout(const AnswerSet& answers) {
    return ComputeLayout(answers);
}
