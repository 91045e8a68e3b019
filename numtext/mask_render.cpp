#include "numtext/mask.h"

#include <string>

namespace numtext::detail {

namespace {

// Text written from right to left into a buffer made large enough beforehand.
struct BackwardText {
    char* cursor = nullptr; // the leftmost character written so far
};

void Put(BackwardText& text, char c) {
    *--text.cursor = c;
}

// Where the characters for digit positions come from: the digits shown, a run of zeros
// owed to "0" placeholders further left, or the minus sign.
struct DigitSource {
    const std::string* digits = nullptr; // M, read from its last character
    std::size_t left = 0;                // characters not yet used
    char repeated = 0;                   // '0' or '-' instead of digits, 0 when reading M
};

bool IsEmpty(const DigitSource& source) {
    return source.left == 0;
}

char Peek(const DigitSource& source) {
    return source.repeated != 0 ? source.repeated : (*source.digits)[source.left - 1];
}

char Take(DigitSource& source) {
    const char c = Peek(source);
    --source.left;
    return c;
}

// The running values of the right-to-left pass over the mantissa positions.
struct RenderState {
    BackwardText out;             // the result so far, growing to the left
    DigitSource source;           // where the next digit comes from
    std::size_t zerosLeft = 0;    // Z: "0" placeholders not yet used
    bool minusPending = false;    // the minus sign is still to be written
    std::size_t integerLeft = 0;  // NI still to come
    std::size_t fractionLeft = 0; // NF still to come
    bool trailingZeros = false;   // T: fraction digits are trailing zeros (fillers show)
    bool thousands = false;       // separators are on
    int groupCount = 0;           // integer digits written since the last separator
};

void ThousandsStep(RenderState& s, bool moreToCome) {
    if (!s.thousands)
        return;
    if (++s.groupCount < 3)
        return;
    if (moreToCome)
        Put(s.out, ',');
    s.groupCount = 0;
}

bool MoreDigitsToCome(const RenderState& s) {
    return !IsEmpty(s.source) || s.zerosLeft > 0;
}

// The leftmost integer position writes everything still waiting, then the sign.
void FinishIntegerPart(RenderState& s) {
    while (!IsEmpty(s.source)) {
        Put(s.out, Take(s.source));
        ThousandsStep(s, MoreDigitsToCome(s));
    }
    if (s.minusPending) {
        Put(s.out, '-');
        s.minusPending = false;
    }
}

void RenderDigitFromSource(RenderState& s, const MaskPosition& position) {
    if (position.zero && s.zerosLeft > 0)
        --s.zerosLeft;
    const char c = Take(s.source);
    if (!s.trailingZeros)
        Put(s.out, c);
    else if (position.filled)
        Put(s.out, position.character);

    if (s.fractionLeft > 0) {
        --s.fractionLeft;
        s.trailingZeros =
            s.fractionLeft > 0 && s.trailingZeros && !IsEmpty(s.source) && Peek(s.source) == '0';
    } else if (s.integerLeft > 0) {
        --s.integerLeft;
        ThousandsStep(s, MoreDigitsToCome(s));
        if (s.integerLeft == 0)
            FinishIntegerPart(s);
    }
    if (s.integerLeft > 0 && IsEmpty(s.source)) {
        if (s.zerosLeft > 0) {
            s.source = {nullptr, s.zerosLeft, '0'};
        } else if (s.minusPending) {
            s.source = {nullptr, 1, '-'};
            s.minusPending = false;
        }
    }
}

void RenderEmptyDigit(RenderState& s, const MaskPosition& position) {
    if (position.filled)
        Put(s.out, position.character);
    if (s.fractionLeft > 0) {
        --s.fractionLeft;
        return;
    }
    if (s.integerLeft > 0) {
        --s.integerLeft;
        s.trailingZeros = false;
        if (position.filled && position.character == '0')
            ThousandsStep(s, s.integerLeft > 0 || s.zerosLeft > 0);
    }
    if (s.integerLeft == 0 && s.minusPending) {
        Put(s.out, '-');
        s.minusPending = false;
    }
}

void RenderDigitPosition(RenderState& s, const MaskPosition& position) {
    if (IsEmpty(s.source) && s.minusPending) {
        s.source = {nullptr, 1, '-'};
        s.minusPending = false;
    }
    if (IsEmpty(s.source))
        RenderEmptyDigit(s, position);
    else
        RenderDigitFromSource(s, position);
}

// The exponent field: sign and digits of e fill its digit positions from the right; what
// does not fit goes before the leftmost one, and positions past the text show their filler.
void RenderExponent(BackwardText& out, const MaskDigits& shown, const CompiledMask& mask) {
    const int e = shown.exponent;
    std::string text = e < 0 ? "-" : (mask.exponentMode == '+' ? "+" : "");
    text += std::to_string(e < 0 ? -static_cast<long long>(e) : e);
    std::size_t textLeft = text.size();

    std::size_t leftmostDigit = mask.positions.size();
    for (std::size_t i = mask.exponentStart; i < mask.positions.size(); ++i) {
        if (mask.positions[i].digit) {
            leftmostDigit = i;
            break;
        }
    }
    for (std::size_t i = mask.positions.size(); i > mask.exponentStart; --i) {
        const MaskPosition& position = mask.positions[i - 1];
        if (!position.digit) {
            Put(out, position.character);
            continue;
        }
        if (textLeft > 0)
            Put(out, text[--textLeft]);
        else if (position.filled)
            Put(out, position.character);
        if (i - 1 == leftmostDigit) {
            while (textLeft > 0)
                Put(out, text[--textLeft]);
        }
    }
}

} // namespace

std::string RenderMask(const MaskDigits& shown, const CompiledMask& mask) {
    // Each position writes a character and perhaps a separator; the leftmost integer position
    // adds what is left of the digits (or of the zeros owed) with their separators, then the
    // sign; the exponent text is a sign and at most ten digits.
    const std::size_t bound =
        2 * (mask.positions.size() + shown.digits.size() + mask.zeroPlaceholders) + 32;
    char local[256];
    std::string heap;
    char* buffer = local;
    if (bound > sizeof local) {
        heap.resize(bound);
        buffer = heap.data();
    }
    char* const end = buffer + bound;

    RenderState s;
    s.out.cursor = end;
    s.source = {&shown.digits, shown.digits.size(), 0};
    s.zerosLeft = mask.zeroPlaceholders;
    s.minusPending = shown.negative;
    s.integerLeft = mask.integerPositions;
    s.fractionLeft = mask.fractionPositions;
    s.trailingZeros = s.fractionLeft > 0 && !shown.digits.empty() && shown.digits.back() == '0';
    s.thousands = mask.thousands;

    if (mask.exponentMode != 0)
        RenderExponent(s.out, shown, mask);
    for (std::size_t i = mask.exponentStart; i > 0; --i) {
        const MaskPosition& position = mask.positions[i - 1];
        if (position.digit)
            RenderDigitPosition(s, position);
        else
            Put(s.out, position.character);
    }
    return std::string(s.out.cursor, end);
}

} // namespace numtext::detail
