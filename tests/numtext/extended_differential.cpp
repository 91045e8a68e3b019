#include "tests/numtext/extended_differential.h"
#include "tests/numtext/extended_bits.h"

#include "numtext/extended_soft.h"

#include <bit>
#include <cinttypes>
#include <cstdio>
#include <limits>

using numtext::BitsOf;
using numtext::Extended;
using numtext::ExtendedBits;
using numtext::FromBits;
using numtext::SquareRoot;
// The software type, built a second time beside the x87 one.
namespace soft = numtext::soft;

namespace {

std::uint64_t Next(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// A number from 0 to bound - 1.
unsigned Below(std::uint64_t& state, unsigned bound) {
    return static_cast<unsigned>(Next(state) % bound);
}

// Significands shaped to hit ties and carries: all bits random, only the top few, long runs
// of ones, or a double's rounding point exactly halfway.
std::uint64_t Significand(std::uint64_t& state) {
    const std::uint64_t random = Next(state);
    switch (Below(state, 10)) {
    case 0:
    case 1:
    case 2:
    case 3:
        return random;
    case 4:
    case 5:
    case 6: {
        const unsigned kept = 1 + Below(state, 40);
        return random & ~(~0ULL >> kept);
    }
    case 7: {
        const unsigned ones = 1 + Below(state, 64);
        return ~0ULL << (64 - ones);
    }
    case 8:
        return (random & ~0x7FFULL) | 0x400ULL;
    default:
        return (random & ~0xFFFFFFFFULL) | (Below(state, 2) != 0 ? 0x80000000ULL : 1ULL);
    }
}

ExtendedBits Operand(std::uint64_t& state) {
    const auto sign = static_cast<std::uint16_t>(Below(state, 2) != 0 ? 0x8000 : 0);
    const std::uint64_t integer = 0x8000000000000000ULL;
    std::uint64_t significand = Significand(state) | integer;
    unsigned exponent = 0;
    const unsigned kind = Below(state, 100);
    if (kind < 30) {
        exponent = 1 + Below(state, 0x7FFE);
    } else if (kind < 45) {
        exponent = 16383 - 80 + Below(state, 160); // around 1, where the program lives
    } else if (kind < 53) {
        exponent = 0; // subnormal
        significand = (significand & ~integer) >> Below(state, 64);
    } else if (kind < 55) {
        exponent = 0; // pseudo-subnormal
    } else if (kind < 63) {
        exponent = 0x7FFE - Below(state, 70); // near overflow
    } else if (kind < 71) {
        exponent = 1 + Below(state, 70); // near underflow
    } else if (kind < 76) {
        exponent = static_cast<unsigned>(16383 + (Below(state, 2) != 0 ? 1023 : -1022)) +
                   Below(state, 80) - 60;
    } else if (kind < 81) {
        return {sign, 0}; // zero
    } else if (kind < 85) {
        return {static_cast<std::uint16_t>(sign | 0x7FFF), integer}; // infinity
    } else if (kind < 94) {
        // Not-a-numbers: quiet or signalling, often with a shared payload, sometimes the
        // processor's own.
        std::uint64_t payload = Below(state, 3) == 0 ? (Next(state) & 0xFF) : Next(state);
        payload &= 0x3FFFFFFFFFFFFFFFULL;
        if (payload == 0)
            payload = 1;
        const std::uint64_t quiet = Below(state, 2) != 0 ? 0x4000000000000000ULL : 0;
        if (Below(state, 8) == 0)
            return {0xFFFF, 0xC000000000000000ULL};
        return {static_cast<std::uint16_t>(sign | 0x7FFF), integer | quiet | payload};
    } else if (kind < 97) {
        exponent = 16383 + Below(state, 64) - 32;
        significand = Below(state, 2) != 0 ? 0x8000000000000000ULL : 0x8000000000000001ULL;
    } else {
        // Encodings the x87 refuses: unnormals, pseudo-infinities, pseudo-not-a-numbers.
        exponent = Below(state, 2) != 0 ? 0x7FFF : 1 + Below(state, 0x7FFE);
        significand &= ~integer;
    }
    return {static_cast<std::uint16_t>(sign | exponent), significand};
}

// A second operand: often close to the first, for cancellation and ties in sums.
ExtendedBits Partner(std::uint64_t& state, ExtendedBits first) {
    const unsigned way = Below(state, 10);
    const int exponent = first.signExponent & 0x7FFF;
    if (way < 3 && exponent > 0 && exponent < 0x7FFF) {
        ExtendedBits b = Operand(state);
        int shifted = exponent + static_cast<int>(Below(state, 141)) - 70;
        shifted = shifted < 1 ? 1 : (shifted > 0x7FFE ? 0x7FFE : shifted);
        b.signExponent = static_cast<std::uint16_t>((b.signExponent & 0x8000) | shifted);
        b.significand |= 0x8000000000000000ULL;
        return b;
    }
    if (way == 3) {
        ExtendedBits b = first;
        b.signExponent ^= static_cast<std::uint16_t>(Below(state, 2) != 0 ? 0x8000 : 0);
        b.significand += Below(state, 3) - 1;
        return b;
    }
    return Operand(state);
}

std::string HexDouble(double value) {
    char text[24];
    std::snprintf(text, sizeof text, "%016" PRIX64, std::bit_cast<std::uint64_t>(value));
    return text;
}

template <typename Hardware, typename Software>
DifferentialOperation Binary(std::string name, Hardware hardware, Software software) {
    return {name, [=](std::uint64_t& state) -> std::string {
                const ExtendedBits a = Operand(state);
                const ExtendedBits b = Partner(state, a);
                const ExtendedBits expected = BitsOf(hardware(FromBits(a), FromBits(b)));
                const ExtendedBits got = BitsOf(software(soft::FromBits(a), soft::FromBits(b)));
                if (SameBits(expected, got))
                    return "";
                return name + " " + Hex(a) + " " + Hex(b) + ": x87 " + Hex(expected) +
                       ", software " + Hex(got);
            }};
}

// The six comparisons as six bits.
template <typename Value> unsigned Comparisons(Value a, Value b) {
    return (a == b ? 1U : 0U) | (a != b ? 2U : 0U) | (a < b ? 4U : 0U) | (a <= b ? 8U : 0U) |
           (a > b ? 16U : 0U) | (a >= b ? 32U : 0U);
}

double RandomDouble(std::uint64_t& state) {
    std::uint64_t bits = Next(state);
    switch (Below(state, 8)) {
    case 0:
        bits &= 0x800FFFFFFFFFFFFFULL; // subnormal or zero
        bits >>= Below(state, 2) != 0 ? Below(state, 52) : 0;
        break;
    case 1:
        bits |= 0x7FF0000000000000ULL; // infinity or not-a-number
        if (Below(state, 3) == 0)
            bits &= 0xFFF0000000000000ULL;
        break;
    case 2:
        bits &= 0x8000000000000000ULL;
        break;
    default:
        break;
    }
    return std::bit_cast<double>(bits);
}

std::int64_t RandomInteger(std::uint64_t& state) {
    const std::uint64_t bits = Next(state);
    switch (Below(state, 6)) {
    case 0:
        return std::numeric_limits<std::int64_t>::min();
    case 1:
        return std::numeric_limits<std::int64_t>::max() - Below(state, 3);
    case 2:
        return static_cast<std::int64_t>(bits >> Below(state, 64));
    default:
        return static_cast<std::int64_t>(bits);
    }
}

} // namespace

std::vector<DifferentialOperation> DifferentialOperations() {
    std::vector<DifferentialOperation> operations = {
        Binary(
            "add", [](Extended a, Extended b) { return a + b; },
            [](soft::Extended a, soft::Extended b) { return a + b; }),
        Binary(
            "subtract", [](Extended a, Extended b) { return a - b; },
            [](soft::Extended a, soft::Extended b) { return a - b; }),
        Binary(
            "multiply", [](Extended a, Extended b) { return a * b; },
            [](soft::Extended a, soft::Extended b) { return a * b; }),
        Binary(
            "divide", [](Extended a, Extended b) { return a / b; },
            [](soft::Extended a, soft::Extended b) { return a / b; }),
        Binary(
            "square root", [](Extended a, Extended) { return SquareRoot(a); },
            [](soft::Extended a, soft::Extended) { return SquareRoot(a); }),
    };
    operations.push_back({"compare", [](std::uint64_t& state) -> std::string {
                              const ExtendedBits a = Operand(state);
                              const ExtendedBits b = Partner(state, a);
                              const unsigned expected = Comparisons(FromBits(a), FromBits(b));
                              const unsigned got =
                                  Comparisons(soft::FromBits(a), soft::FromBits(b));
                              if (expected == got)
                                  return "";
                              return "compare " + Hex(a) + " " + Hex(b) + ": x87 " +
                                     std::to_string(expected) + ", software " + std::to_string(got);
                          }});
    operations.push_back({"to double", [](std::uint64_t& state) -> std::string {
                              const ExtendedBits a = Operand(state);
                              const double expected = static_cast<double>(FromBits(a));
                              const double got = static_cast<double>(soft::FromBits(a));
                              if (std::bit_cast<std::uint64_t>(expected) ==
                                  std::bit_cast<std::uint64_t>(got))
                                  return "";
                              return "to double " + Hex(a) + ": x87 " + HexDouble(expected) +
                                     ", software " + HexDouble(got);
                          }});
    operations.push_back({"from double", [](std::uint64_t& state) -> std::string {
                              const double a = RandomDouble(state);
                              const ExtendedBits expected = BitsOf(Extended(a));
                              const ExtendedBits got = BitsOf(soft::Extended(a));
                              if (SameBits(expected, got))
                                  return "";
                              return "from double " + HexDouble(a) + ": x87 " + Hex(expected) +
                                     ", software " + Hex(got);
                          }});
    operations.push_back({"from integer", [](std::uint64_t& state) -> std::string {
                              const std::int64_t a = RandomInteger(state);
                              const auto u = static_cast<std::uint64_t>(RandomInteger(state));
                              const int i = static_cast<int>(a >> 32);
                              const bool same =
                                  SameBits(BitsOf(Extended(a)), BitsOf(soft::Extended(a))) &&
                                  SameBits(BitsOf(Extended(u)), BitsOf(soft::Extended(u))) &&
                                  SameBits(BitsOf(Extended(i)), BitsOf(soft::Extended(i)));
                              if (same)
                                  return "";
                              return "from integer " + std::to_string(a) + " " + std::to_string(u) +
                                     " " + std::to_string(i);
                          }});
    return operations;
}

DifferentialTally RunDifferential(const DifferentialOperation& operation, std::uint64_t count,
                                  std::uint64_t seed) {
    DifferentialTally tally;
    // Each operation draws its own operands.
    std::uint64_t state = seed ^ std::hash<std::string>{}(operation.name);
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string difference = operation.compareOnce(state);
        ++tally.compared;
        if (difference.empty())
            continue;
        ++tally.differing;
        if (tally.firstDifferences.size() < 10)
            tally.firstDifferences.push_back(std::move(difference));
    }
    return tally;
}
