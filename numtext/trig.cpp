#include "numtext/trig.h"

#include <bit>

namespace numtext::detail {

// Only the words in use are set: clearing all of them on every operation took a third of the
// time at the usual width.
TrigFixed TrigZero(int count) {
    TrigFixed zero;
    zero.count = count;
    for (int k = 0; k < count; ++k)
        zero.word[k] = 0;
    return zero;
}

TrigFixed TrigAdd(const TrigFixed& a, const TrigFixed& b) {
    TrigFixed sum = TrigZero(a.count);
    std::uint64_t carry = 0;
    for (int k = 0; k < a.count; ++k) {
        const Wide total = Wide{a.word[k]} + b.word[k] + carry;
        sum.word[k] = static_cast<std::uint64_t>(total);
        carry = static_cast<std::uint64_t>(total >> 64);
    }
    return sum;
}

TrigFixed TrigSubtract(const TrigFixed& a, const TrigFixed& b) {
    TrigFixed difference = TrigZero(a.count);
    std::uint64_t borrow = 0;
    for (int k = 0; k < a.count; ++k) {
        const std::uint64_t subtrahend = b.word[k];
        const std::uint64_t partial = a.word[k] - subtrahend;
        const std::uint64_t nextBorrow = (a.word[k] < subtrahend) || (partial < borrow);
        difference.word[k] = partial - borrow;
        borrow = nextBorrow;
    }
    return difference;
}

TrigFixed TrigMultiply(const TrigFixed& a, const TrigFixed& b) {
    const int count = a.count;
    std::uint64_t product[2 * (kMaxTrigLimbs + 2)];
    for (int k = 0; k < 2 * count; ++k)
        product[k] = 0;
    for (int i = 0; i < count; ++i) {
        if (a.word[i] == 0)
            continue;
        std::uint64_t carry = 0;
        for (int j = 0; j < count; ++j) {
            const Wide part = Wide{a.word[i]} * b.word[j] + product[i + j] + carry;
            product[i + j] = static_cast<std::uint64_t>(part);
            carry = static_cast<std::uint64_t>(part >> 64);
        }
        product[i + count] = carry;
    }
    TrigFixed result = TrigZero(count);
    for (int k = 0; k < count; ++k)
        result.word[k] = product[k + count];
    return result;
}

TrigFixed TrigDivide(const TrigFixed& a, std::uint64_t divisor) {
    TrigFixed quotient = TrigZero(a.count);
    std::uint64_t remainder = 0;
    if (divisor >> 32 == 0) {
        // The series' divisors: each word in two 32-bit halves, every step dividing a number
        // below 2^64 through the reciprocal, which is at most one too small.
        const std::uint64_t reciprocal = ~std::uint64_t{0} / divisor;
        const auto step = [&](std::uint64_t dividend) {
            std::uint64_t q = static_cast<std::uint64_t>((Wide{dividend} * reciprocal) >> 64);
            std::uint64_t r = dividend - q * divisor;
            if (r >= divisor) {
                ++q;
                r -= divisor;
            }
            remainder = r;
            return q;
        };
        for (int k = a.count - 1; k >= 0; --k) {
            const std::uint64_t high = step((remainder << 32) | (a.word[k] >> 32));
            const std::uint64_t low = step((remainder << 32) | (a.word[k] & 0xFFFFFFFFu));
            quotient.word[k] = (high << 32) | low;
        }
        return quotient;
    }
    for (int k = a.count - 1; k >= 0; --k) {
        const Wide current = (Wide{remainder} << 64) | a.word[k];
        quotient.word[k] = static_cast<std::uint64_t>(current / divisor);
        remainder = static_cast<std::uint64_t>(current % divisor);
    }
    return quotient;
}

bool TrigIsZero(const TrigFixed& a) {
    for (int k = 0; k < a.count; ++k) {
        if (a.word[k] != 0)
            return false;
    }
    return true;
}

int TrigHighestBit(const TrigFixed& a) {
    for (int k = a.count - 1; k >= 0; --k) {
        if (a.word[k] != 0)
            return 64 * k + 63 - std::countl_zero(a.word[k]);
    }
    return -1;
}

std::uint64_t TrigBitsFrom(const TrigFixed& a, int low) {
    const int index = low / 64;
    const int offset = low % 64;
    const std::uint64_t lower = index < a.count ? a.word[index] : 0;
    const std::uint64_t upper = index + 1 < a.count ? a.word[index + 1] : 0;
    return offset == 0 ? lower : (lower >> offset) | (upper << (64 - offset));
}

bool TrigLowBitsAtMost(const TrigFixed& a, int bits, bool complement, std::uint64_t bound) {
    for (int k = 0; k < a.count && 64 * k < bits; ++k) {
        std::uint64_t word = complement ? ~a.word[k] : a.word[k];
        if (bits - 64 * k < 64)
            word &= (std::uint64_t{1} << (bits - 64 * k)) - 1;
        if (k == 0 ? word > bound : word != 0)
            return false;
    }
    return true;
}

} // namespace numtext::detail
