#include "trig_reference.h"

#include <cstdint>
#include <cstdlib>

using numtext::ExtendedBits;
using numtext::kBias;

namespace {

// Smallest subnormal 2^-16445 = 0.1b * 2^-16444; every finite value is below 2^16384.
void UseExtendedRange() {
    mpfr_set_emin(-16444);
    mpfr_set_emax(16384);
}

// MPFR rounds correctly at the target precision itself, working internally as wide as the
// argument needs; a wide result rounded again to 64 bits could round twice on a halfway case.
ExtendedBits Rounded(int (*function)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), ExtendedBits x) {
    UseExtendedRange();
    mpfr_t argument, result;
    mpfr_init2(argument, 64);
    mpfr_init2(result, 64);
    SetFromBits(argument, x);
    const int ternary = function(result, argument, MPFR_RNDN);
    mpfr_subnormalize(result, ternary, MPFR_RNDN);
    const ExtendedBits bits = BitsOfRounded(result);
    mpfr_clear(argument);
    mpfr_clear(result);
    return bits;
}

} // namespace

void SetFromBits(mpfr_ptr value, ExtendedBits bits) {
    const int biased = bits.signExponent & 0x7FFF;
    const int exponent = (biased == 0 ? 1 : biased) - kBias - 63;
    mpfr_set_uj(value, bits.significand, MPFR_RNDN);
    mpfr_mul_2si(value, value, exponent, MPFR_RNDN);
    if (bits.signExponent & 0x8000)
        mpfr_neg(value, value, MPFR_RNDN);
}

ExtendedBits BitsOfRounded(mpfr_srcptr value) {
    UseExtendedRange();
    mpfr_t rounded;
    mpfr_init2(rounded, 64);
    const int ternary = mpfr_set(rounded, value, MPFR_RNDN);
    mpfr_subnormalize(rounded, ternary, MPFR_RNDN);
    const auto sign = static_cast<std::uint16_t>(mpfr_signbit(rounded) ? 0x8000 : 0);
    ExtendedBits bits{sign, 0};
    if (mpfr_inf_p(rounded)) {
        bits = {static_cast<std::uint16_t>(sign | 0x7FFF), std::uint64_t{1} << 63};
    } else if (!mpfr_zero_p(rounded)) {
        const long biased = mpfr_get_exp(rounded) - 1 + kBias;
        const long scale = biased >= 1 ? 64 - mpfr_get_exp(rounded) : kBias + 62;
        mpfr_abs(rounded, rounded, MPFR_RNDN);
        mpfr_mul_2si(rounded, rounded, scale, MPFR_RNDN);
        bits.significand = mpfr_get_uj(rounded, MPFR_RNDN);
        bits.signExponent = static_cast<std::uint16_t>(sign | (biased >= 1 ? biased : 0));
    }
    mpfr_clear(rounded);
    return bits;
}

ExtendedBits BitsOfText(const char* text) {
    UseExtendedRange();
    mpfr_t value;
    mpfr_init2(value, 64);
    const int ternary = mpfr_strtofr(value, text, nullptr, 0, MPFR_RNDN);
    mpfr_subnormalize(value, ternary, MPFR_RNDN);
    const ExtendedBits bits = BitsOfRounded(value);
    mpfr_clear(value);
    return bits;
}

ExtendedBits ReferenceSine(ExtendedBits x) {
    return Rounded(mpfr_sin, x);
}

ExtendedBits ReferenceCosine(ExtendedBits x) {
    return Rounded(mpfr_cos, x);
}

namespace {

// degree = (extended)(double nearest 3.14159265359) / 180, into `degree` (64 bits).
void SetDegree(mpfr_ptr degree) {
    mpfr_t pi;
    mpfr_init2(pi, 53);
    mpfr_set_str(pi, "3.14159265359", 10, MPFR_RNDN);
    mpfr_div_ui(degree, pi, 180, MPFR_RNDN);
    mpfr_clear(pi);
}

} // namespace

ExtendedBits RearAngleOf(const std::string& angleText) {
    UseExtendedRange();
    mpfr_t angle, degree;
    mpfr_init2(angle, 64);
    mpfr_init2(degree, 64);
    SetDegree(degree);
    mpfr_set_str(angle, angleText.c_str(), 10, MPFR_RNDN);
    mpfr_sub_ui(angle, angle, 90, MPFR_RNDN);
    mpfr_mul(angle, angle, degree, MPFR_RNDN);
    const ExtendedBits bits = BitsOfRounded(angle);
    mpfr_clear(angle);
    mpfr_clear(degree);
    return bits;
}

ExtendedBits FixedAngleOf(int degrees) {
    UseExtendedRange();
    mpfr_t angle;
    mpfr_init2(angle, 64);
    SetDegree(angle);
    mpfr_mul_si(angle, angle, degrees, MPFR_RNDN);
    const ExtendedBits bits = BitsOfRounded(angle);
    mpfr_clear(angle);
    return bits;
}

double TrigScale() {
    const char* text = std::getenv("ORVANE_TRIG_SCALE");
    const double scale = text != nullptr ? std::strtod(text, nullptr) : 0.0;
#ifdef ORVANE_TRIG_SANITIZED
    return scale > 0 ? scale : 0.1;
#else
    return scale > 0 ? scale : 1.0;
#endif
}
