// The fixed-point division that every series term goes through, on both of its paths: the
// quotient q of a / d must satisfy q * d <= a < q * d + d.
#include "numtext/trig.h"

#include <gtest/gtest.h>

#include <random>

using numtext::detail::kMaxTrigLimbs;
using numtext::detail::TrigDivide;
using numtext::detail::TrigFixed;
using numtext::detail::TrigZero;
using numtext::detail::Wide;

namespace {

// a - q * d over count + 1 words (the top word catches a borrow), least significant first.
std::vector<std::uint64_t> Remainder(const TrigFixed& a, const TrigFixed& q, std::uint64_t d) {
    std::vector<std::uint64_t> rest(static_cast<std::size_t>(a.count) + 1, 0);
    std::uint64_t carry = 0;
    std::uint64_t borrow = 0;
    for (int k = 0; k <= a.count; ++k) {
        const Wide product = Wide{k < a.count ? q.word[k] : 0} * d + carry;
        carry = static_cast<std::uint64_t>(product >> 64);
        const std::uint64_t subtrahend = static_cast<std::uint64_t>(product);
        const std::uint64_t minuend = k < a.count ? a.word[k] : 0;
        const Wide difference = Wide{minuend} - subtrahend - borrow;
        rest[static_cast<std::size_t>(k)] = static_cast<std::uint64_t>(difference);
        borrow = static_cast<std::uint64_t>(difference >> 64) != 0;
    }
    return rest;
}

TEST(TrigFixed, DivisionRoundsDownOnBothPaths) {
    std::mt19937_64 random(7);
    for (int n = 0; n < 20000; ++n) {
        const int count = 1 + static_cast<int>(random() % (kMaxTrigLimbs + 2));
        TrigFixed a = TrigZero(count);
        for (int k = 0; k < count; ++k)
            a.word[k] = n % 5 == 0 ? ~std::uint64_t{0} : random();
        std::uint64_t divisor = 0;
        switch (n % 4) {
        case 0:
            divisor = 2 + random() % 1000;
            break; // series divisors
        case 1:
            divisor = 0xFFFFFFFFu - random() % 3;
            break; // top of the 32-bit path
        case 2:
            divisor = std::uint64_t{1} << (32 + random() % 32);
            break;
        default:
            divisor = random() | 1;
            break;
        }
        const TrigFixed q = TrigDivide(a, divisor);
        const std::vector<std::uint64_t> rest = Remainder(a, q, divisor);
        bool restBelowDivisor = rest[0] < divisor;
        for (std::size_t k = 1; k < rest.size(); ++k)
            restBelowDivisor = restBelowDivisor && rest[k] == 0;
        ASSERT_TRUE(restBelowDivisor) << "count " << count << " divisor " << divisor;
    }
}

} // namespace
