// Sine and cosine against MPFR's correctly rounded values, bit for bit: the program's own
// angles densely, then arguments over the whole exponent range, then the special encodings.
// ORVANE_TRIG_SCALE multiplies the counts (100 for a long run by hand).
#include "extended_bits.h"
#include "numtext/extended_math.h"
#include "numtext/trig.h"
#include "trig_reference.h"

#include <gmp.h>
#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using numtext::CosineBits;
using numtext::ExtendedBits;
using numtext::SineBits;
using numtext::detail::kHalfPiFraction;
using numtext::detail::kHalfPiFractionWords;
using numtext::detail::kTrigWidths;
using numtext::detail::kTwoOverPi;
using numtext::detail::kTwoOverPiWords;
using numtext::detail::TrigAtWidth;

namespace {

ExtendedBits Encoding(std::uint16_t signExponent, std::uint64_t significand) {
    return {signExponent, significand};
}

// Compares both functions on x with the reference; keeps the first few differences.
struct Comparison {
    long compared = 0;
    long differences = 0;
    std::string firstDifferences;

    void Check(ExtendedBits x, const std::string& label = "") {
        const ExtendedBits sine = SineBits(x);
        const ExtendedBits cosine = CosineBits(x);
        const ExtendedBits wantSine = ReferenceSine(x);
        const ExtendedBits wantCosine = ReferenceCosine(x);
        compared += 2;
        for (const bool isSine : {true, false}) {
            const ExtendedBits got = isSine ? sine : cosine;
            const ExtendedBits want = isSine ? wantSine : wantCosine;
            if (SameBits(got, want))
                continue;
            if (++differences <= 10)
                firstDifferences += (isSine ? "sin " : "cos ") + Hex(x) + " " + label + ": " +
                                    Hex(got) + " instead of " + Hex(want) + "\n";
        }
    }
};

long Scaled(double count) {
    return std::max(1L, static_cast<long>(count * TrigScale()));
}

// "110.0001" for 1100001 ten-thousandths and so on, with `decimals` places.
std::string DecimalText(long long units, int decimals) {
    long long power = 1;
    for (int k = 0; k < decimals; ++k)
        power *= 10;
    std::string fraction = std::to_string(units % power);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    return std::to_string(units / power) + "." + fraction;
}

TEST(ExtendedTrig, EveryTypedAngleOnAFineGridMatchesTheReference) {
    // 110 to 145 degrees in steps of 0.0001 at scale 1, finer when scaled up.
    const int decimals = TrigScale() >= 10 ? (TrigScale() >= 100 ? 6 : 5) : 4;
    long long step = 1;
    if (TrigScale() < 1)
        step = static_cast<long long>(1 / TrigScale());
    long long power = 1;
    for (int k = 0; k < decimals; ++k)
        power *= 10;
    Comparison comparison;
    for (long long units = 110 * power; units <= 145 * power; units += step) {
        const std::string text = DecimalText(units, decimals);
        comparison.Check(RearAngleOf(text), text);
    }
    comparison.Check(FixedAngleOf(30), "30 degrees");
    comparison.Check(FixedAngleOf(55), "55 degrees");
    EXPECT_EQ(comparison.differences, 0) << "of " << comparison.compared << "\n"
                                         << comparison.firstDifferences;
}

TEST(ExtendedTrig, AnglesTypedWithUpToEighteenDigitsMatchTheReference) {
    std::mt19937_64 random(20261208);
    Comparison comparison;
    for (long n = Scaled(20000); n > 0; --n) {
        const int decimals = 1 + static_cast<int>(random() % 15); // 3 + decimals digits
        long long power = 1;
        for (int k = 0; k < decimals; ++k)
            power *= 10;
        const long long units =
            110 * power +
            static_cast<long long>(random() % static_cast<std::uint64_t>(35 * power + 1));
        const std::string text = DecimalText(units, decimals);
        comparison.Check(RearAngleOf(text), text);
    }
    EXPECT_EQ(comparison.differences, 0) << "of " << comparison.compared << "\n"
                                         << comparison.firstDifferences;
}

TEST(ExtendedTrig, RandomArgumentsOverTheWholeRangeMatchTheReference) {
    std::mt19937_64 random(16383);
    Comparison comparison;
    for (long n = Scaled(20000); n > 0; --n) {
        const std::uint64_t draw = random();
        const auto sign = static_cast<std::uint16_t>((draw & 1) ? 0x8000 : 0);
        std::uint16_t biased = 0;
        switch ((draw >> 1) % 4) {
        case 0: // anywhere
            biased = static_cast<std::uint16_t>((draw >> 8) % 0x7FFF);
            break;
        case 1: // where the reduction and the series do the work: 2^-48 to 2^80
            biased = static_cast<std::uint16_t>(16383 - 48 + (draw >> 8) % 128);
            break;
        case 2: // near the largest values
            biased = static_cast<std::uint16_t>(0x7FFE - (draw >> 8) % 64);
            break;
        default: // tiny and subnormal
            biased = static_cast<std::uint16_t>(
                (draw >> 8) % 2 == 0 ? 0 : 16383 - 40 - (draw >> 9) % 16);
            break;
        }
        std::uint64_t significand = random();
        if (biased != 0)
            significand |= std::uint64_t{1} << 63;
        else
            significand &= ~(std::uint64_t{1} << 63) >> ((draw >> 10) % 64);
        comparison.Check(Encoding(static_cast<std::uint16_t>(sign | biased), significand));
    }
    EXPECT_EQ(comparison.differences, 0) << "of " << comparison.compared << "\n"
                                         << comparison.firstDifferences;
}

// A significand m in [2^63, 2^64) that makes m * 2^exponent lie close to a multiple of pi/2:
// a multiple of the largest continued-fraction denominator q < 2^64 of 2^exponent * 2/pi, so
// that m * 2^exponent * 2/pi is within about 2^-60 of a whole number.
std::uint64_t SignificandNearQuarterTurn(int exponent) {
    const mpfr_prec_t precision = (exponent > 0 ? exponent : 0) + 600;
    mpfr_t alpha, pi;
    mpfr_init2(alpha, precision);
    mpfr_init2(pi, precision);
    mpfr_const_pi(pi, MPFR_RNDN);
    mpfr_ui_div(alpha, 2, pi, MPFR_RNDN);
    mpfr_mul_2si(alpha, alpha, exponent, MPFR_RNDN);
    __extension__ typedef unsigned __int128 Wide128;
    Wide128 previous = 0, current = 1; // denominators q_(k-1) and q_k
    mpfr_frac(alpha, alpha, MPFR_RNDN);
    while (!mpfr_zero_p(alpha)) {
        mpfr_ui_div(alpha, 1, alpha, MPFR_RNDN);
        const Wide128 next = Wide128{mpfr_get_uj(alpha, MPFR_RNDZ)} * current + previous;
        if (next >> 64)
            break;
        previous = current;
        current = next;
        mpfr_frac(alpha, alpha, MPFR_RNDN);
    }
    mpfr_clear(alpha);
    mpfr_clear(pi);
    const Wide128 half = Wide128{1} << 63;
    const Wide128 multiple = current * ((half + current - 1) / current);
    return static_cast<std::uint64_t>(multiple >> 64 ? current : multiple);
}

// Next to a multiple of pi/2 the reduced angle loses its leading bits, which the reduction
// must make up from further digits of 2/pi.
TEST(ExtendedTrig, ArgumentsNextToMultiplesOfHalfPiMatchTheReference) {
    std::mt19937_64 random(1571);
    Comparison comparison;
    for (long n = Scaled(200); n > 0; --n) {
        const int exponent = n % 2 == 0 ? -63 + static_cast<int>(random() % 200)
                                        : -63 + static_cast<int>(random() % (16320 + 63));
        const std::uint64_t significand = SignificandNearQuarterTurn(exponent);
        if ((significand >> 63) == 0)
            continue;
        const auto biased = static_cast<std::uint16_t>(exponent + 16383 + 63);
        for (const std::uint64_t offset : {0ull, 1ull, ~0ull}) {
            const std::uint64_t nearby = significand + offset;
            if ((nearby >> 63) != 0)
                comparison.Check(Encoding(biased, nearby));
        }
    }
    EXPECT_EQ(comparison.differences, 0) << "of " << comparison.compared << "\n"
                                         << comparison.firstDifferences;
}

// The wider attempts are what settles the rare arguments next to a halfway point; every width
// must round every argument correctly, whether or not the narrower one could.
TEST(ExtendedTrig, EveryWidthRoundsLikeTheReference) {
    std::mt19937_64 random(64);
    long compared = 0;
    std::string firstDifferences;
    long differences = 0;
    for (long n = Scaled(1000); n > 0; --n) {
        ExtendedBits x{};
        if (n % 2 == 0) {
            x = RearAngleOf(DecimalText(1100000 + static_cast<long long>(random() % 350001), 4));
        } else {
            const auto biased = static_cast<std::uint16_t>(16383 - 40 + random() % 16400);
            x = Encoding(biased, random() | std::uint64_t{1} << 63);
        }
        for (const bool cosine : {false, true}) {
            const ExtendedBits want = cosine ? ReferenceCosine(x) : ReferenceSine(x);
            for (const int count : kTrigWidths) {
                ExtendedBits got{};
                const bool settled = TrigAtWidth(x, cosine, count, got);
                ++compared;
                if ((settled || count > kTrigWidths[0]) && !(settled && SameBits(got, want)) &&
                    ++differences <= 10)
                    firstDifferences += Hex(x) + (cosine ? " cos" : " sin") + " width " +
                                        std::to_string(count) + ": " +
                                        (settled ? Hex(got) : "unsettled") + "\n";
            }
        }
    }
    EXPECT_EQ(differences, 0) << "of " << compared << "\n" << firstDifferences;
}

TEST(ExtendedTrig, SpecialEncodingsGiveWhatTheX87UnitGives) {
    const ExtendedBits one = Encoding(0x3FFF, 0x8000000000000000u);
    const ExtendedBits indefinite = Encoding(0xFFFF, 0xC000000000000000u);
    struct Case {
        const char* what;
        ExtendedBits x;
        ExtendedBits sine;
        ExtendedBits cosine;
    };
    const Case cases[] = {
        {"+0", Encoding(0, 0), Encoding(0, 0), one},
        {"-0", Encoding(0x8000, 0), Encoding(0x8000, 0), one},
        {"+inf", Encoding(0x7FFF, 0x8000000000000000u), indefinite, indefinite},
        {"-inf", Encoding(0xFFFF, 0x8000000000000000u), indefinite, indefinite},
        {"quiet NaN", Encoding(0x7FFF, 0xC000000000000123u), Encoding(0x7FFF, 0xC000000000000123u),
         Encoding(0x7FFF, 0xC000000000000123u)},
        {"signalling NaN quietened", Encoding(0xFFFF, 0x8000000000000001u),
         Encoding(0xFFFF, 0xC000000000000001u), Encoding(0xFFFF, 0xC000000000000001u)},
        {"pseudo-NaN", Encoding(0x7FFF, 0x4000000000000000u), indefinite, indefinite},
        {"pseudo-infinity", Encoding(0x7FFF, 0), indefinite, indefinite},
        {"unnormal", Encoding(0x3FFF, 0x4000000000000000u), indefinite, indefinite},
        {"smallest subnormal", Encoding(0, 1), Encoding(0, 1), one},
        {"negative subnormal", Encoding(0x8000, 0x00000000DEADBEEFu),
         Encoding(0x8000, 0x00000000DEADBEEFu), one},
        {"pseudo-denormal", Encoding(0x8000, 0x8000000000000005u),
         Encoding(0x8001, 0x8000000000000005u), one},
        {"2^-41", Encoding(0x3FFF - 41, 0x8000000000000000u),
         Encoding(0x3FFF - 41, 0x8000000000000000u), one},
        {"0.5", Encoding(0x3FFE, 0x8000000000000000u), Encoding(0x3FFD, 0xF57743A2582F7F44u),
         Encoding(0x3FFE, 0xE0A94032DBEA7CEEu)},
        {"largest", Encoding(0x7FFE, 0xFFFFFFFFFFFFFFFFu), ReferenceSine(Encoding(0x7FFE, ~0ull)),
         ReferenceCosine(Encoding(0x7FFE, ~0ull))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(SineBits(c.x)), Hex(c.sine)) << "sin " << c.what;
        EXPECT_EQ(Hex(CosineBits(c.x)), Hex(c.cosine)) << "cos " << c.what;
    }
}

TEST(ExtendedTrig, TablesHoldTheDigitsOfTwoOverPiAndHalfPi) {
    mpfr_t pi, value;
    mpfr_init2(pi, 64L * (kTwoOverPiWords + 4));
    mpfr_init2(value, 64L * (kTwoOverPiWords + 4));
    mpfr_const_pi(pi, MPFR_RNDN);
    mpfr_ui_div(value, 2, pi, MPFR_RNDN);
    for (int k = 0; k < kTwoOverPiWords; ++k) {
        mpfr_mul_2ui(value, value, 64, MPFR_RNDN);
        const std::uint64_t word = mpfr_get_uj(value, MPFR_RNDZ);
        ASSERT_EQ(word, kTwoOverPi[k]) << "2/pi word " << k;
        mpfr_frac(value, value, MPFR_RNDN);
    }
    mpfr_div_2ui(value, pi, 1, MPFR_RNDN);
    mpfr_sub_ui(value, value, 1, MPFR_RNDN);
    for (int k = 0; k < kHalfPiFractionWords; ++k) {
        mpfr_mul_2ui(value, value, 64, MPFR_RNDN);
        const std::uint64_t word = mpfr_get_uj(value, MPFR_RNDZ);
        ASSERT_EQ(word, kHalfPiFraction[k]) << "pi/2 word " << k;
        mpfr_frac(value, value, MPFR_RNDN);
    }
    mpfr_clear(pi);
    mpfr_clear(value);
}

} // namespace
