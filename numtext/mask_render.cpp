#include "numtext/mask.h"

#include <algorithm>
#include <string>

namespace {

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
    std::string out;              // the result so far, reversed
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
        s.out += ',';
    s.groupCount = 0;
}

bool MoreDigitsToCome(const RenderState& s) {
    return !IsEmpty(s.source) || s.zerosLeft > 0;
}

// The leftmost integer position writes everything still waiting, then the sign.
void FinishIntegerPart(RenderState& s) {
    while (!IsEmpty(s.source)) {
        s.out += Take(s.source);
        ThousandsStep(s, MoreDigitsToCome(s));
    }
    if (s.minusPending) {
        s.out += '-';
        s.minusPending = false;
    }
}

void RenderDigitFromSource(RenderState& s, const MaskPosition& position) {
    if (position.zero && s.zerosLeft > 0)
        --s.zerosLeft;
    const char c = Take(s.source);
    if (!s.trailingZeros)
        s.out += c;
    else if (position.filled)
        s.out += position.character;

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
        s.out += position.character;
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
        s.out += '-';
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
void RenderExponent(std::string& out, const MaskDigits& shown, const CompiledMask& mask) {
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
            out += position.character;
            continue;
        }
        if (textLeft > 0)
            out += text[--textLeft];
        else if (position.filled)
            out += position.character;
        if (i - 1 == leftmostDigit) {
            while (textLeft > 0)
                out += text[--textLeft];
        }
    }
}

} // namespace

std::string RenderMask(const MaskDigits& shown, const CompiledMask& mask) {
    RenderState s;
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
            s.out += position.character;
    }
    std::reverse(s.out.begin(), s.out.end());
    return s.out;
}
