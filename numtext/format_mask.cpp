// A value laid out by a display mask. The mask is split into its sections, the section that
// shows the value is compiled into positions, the value's digits are rounded to fit them, and
// the positions are then rendered from the right.
#include "numtext/numtext.h"
#include "numtext/significant_digits.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#if ORVANE_SOFT_EXTENDED
namespace numtext::inline soft {
#else
namespace numtext::inline x87 {
#endif

using namespace detail;

namespace {

// Up to three sections of a mask: for positive values, negative values and zero.
struct MaskSections {
    std::string_view part[3]; // the text of each section, without the ";"
    int count = 0;            // how many sections the mask has (1 to 3)
};

// One output place of a compiled mask.
struct MaskPosition {
    char character; // the literal, or the filler a digit position shows without a digit
    bool digit;     // a digit position rather than a literal
    bool filled;    // a digit position that shows character when it has no digit
    bool zero;      // a "0" placeholder outside the exponent (counted in zeroPlaceholders)
};

// A mask section read once: its positions and what they add up to.
struct CompiledMask {
    std::span<const MaskPosition> positions; // left to right, in the storage the caller lent
    std::size_t integerPositions = 0;        // NI: digit positions before the point
    std::size_t fractionPositions = 0;       // NF: digit positions after the point
    std::size_t exponentPositions = 0;       // NE: digit positions after "E+" or "E-"
    std::size_t zeroPlaceholders = 0;        // ZF: "0" positions outside the exponent
    bool thousands = false;                  // a "," after a digit asked for separators
    bool percent = false;                    // a "%" after a digit: show the value times 100
    char exponentMode = 0;                   // '+' or '-' after the exponent letter, 0 for none
    std::size_t exponentStart = 0;           // index of the first position of the exponent field
};

// The digits a compiled mask shows, rounded to its positions.
struct MaskDigits {
    std::string digits;    // M: integer digits then fraction digits (or the exponent mantissa)
    int exponent = 0;      // e: the exponent shown in exponent mode
    bool negative = false; // a minus sign is still to be placed
};

// Splits at ";" outside double quotes and not escaped by "\"; a fourth section is ignored.
MaskSections SplitMaskSections(std::string_view mask) {
    MaskSections sections;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == '\\') {
            ++i;
        } else if (c == ';') {
            sections.part[sections.count++] = mask.substr(start, i - start);
            start = i + 1;
            if (sections.count == 3)
                return sections;
        }
    }
    sections.part[sections.count++] = mask.substr(start);
    return sections;
}

// Where the compiler stands while it reads a section from left to right.
struct CompileState {
    bool pointSeen = false;          // later digit positions are fraction positions
    bool inExponent = false;         // later digit positions belong to the exponent field
    bool haveFill = false;           // a "*" has set the filler of later "#" positions
    char fill = 0;                   // that filler
    bool digitBefore = false;        // the previous character produced a digit position
    std::span<MaskPosition> storage; // where the positions go
    std::size_t count = 0;           // positions written so far
};

void AddLiteral(CompileState& state, char c) {
    state.storage[state.count++] = {c, false, false, false};
}

void AddDigit(CompiledMask& mask, CompileState& state, char filler, bool filled, bool zero) {
    const bool countsAsZero = zero && !state.inExponent;
    state.storage[state.count++] = {filler, true, filled, countsAsZero};
    if (state.inExponent)
        ++mask.exponentPositions;
    else if (state.pointSeen)
        ++mask.fractionPositions;
    else
        ++mask.integerPositions;
    if (countsAsZero)
        ++mask.zeroPlaceholders;
}

bool HasDigitPosition(const CompiledMask& mask) {
    return mask.integerPositions + mask.fractionPositions > 0;
}

// Reads the character at section[i] (and any it takes with it); returns the index of the
// last character used and whether a digit position came of it.
std::size_t CompileOne(std::string_view section, std::size_t i, CompiledMask& mask,
                       CompileState& state, bool& producedDigit) {
    const char c = section[i];
    const bool hasNext = i + 1 < section.size();
    producedDigit = false;
    switch (c) {
    case '0':
        AddDigit(mask, state, '0', true, true);
        producedDigit = true;
        break;
    case '#':
        AddDigit(mask, state, state.fill, state.haveFill, false);
        producedDigit = true;
        break;
    case '.':
        if (!state.inExponent)
            state.pointSeen = true;
        AddLiteral(state, '.');
        break;
    case ',':
        if (state.digitBefore && !state.inExponent)
            mask.thousands = true;
        else
            AddLiteral(state, ',');
        break;
    case '%':
        if (state.digitBefore) {
            mask.percent = true;
            AddLiteral(state, '%');
        }
        break;
    case 'E':
    case 'e':
        if (state.inExponent || !HasDigitPosition(mask))
            break;
        AddLiteral(state, c);
        if (hasNext && (section[i + 1] == '+' || section[i + 1] == '-')) {
            mask.exponentMode = section[i + 1];
            mask.exponentStart = state.count;
            state.inExponent = true;
            return i + 1;
        }
        break;
    case '*':
        if (!hasNext) {
            AddLiteral(state, '*');
            break;
        }
        state.fill = section[i + 1];
        state.haveFill = true;
        AddDigit(mask, state, state.fill, true, false);
        AddDigit(mask, state, state.fill, true, false);
        producedDigit = true;
        return i + 1;
    case '"': {
        std::size_t end = section.find('"', i + 1);
        if (end == std::string_view::npos)
            end = section.size();
        for (std::size_t j = i + 1; j < end; ++j)
            AddLiteral(state, section[j]);
        return end;
    }
    case '\\':
        if (hasNext)
            AddLiteral(state, section[i + 1]);
        return i + 1;
    case '-':
    case '+':
    case '(':
    case ')':
    case '$':
    case ' ':
        AddLiteral(state, c);
        break;
    default:
        break;
    }
    return i;
}

// Writes the positions into storage, which must hold one per character of the section (no
// character makes more), so that a caller can lend a buffer on its stack.
CompiledMask CompileMask(std::string_view section, std::span<MaskPosition> storage) {
    CompiledMask mask;
    CompileState state;
    state.storage = storage;
    for (std::size_t i = 0; i < section.size(); ++i) {
        bool producedDigit = false;
        i = CompileOne(section, i, mask, state, producedDigit);
        state.digitBefore = producedDigit;
    }
    // An exponent letter with a sign but no digit after it is only a letter; its sign is
    // still consumed.
    if (mask.exponentMode != 0 && mask.exponentPositions == 0)
        mask.exponentMode = 0;
    mask.positions = storage.first(state.count);
    if (mask.exponentMode == 0)
        mask.exponentStart = state.count;
    return mask;
}

// Digit i of the value's digit string, counted from its first digit; "0" outside it, so
// the string reads as if padded with zeros on both sides.
char DigitAt(std::string_view digits, std::int64_t i) {
    if (i < 0 || i >= static_cast<std::int64_t>(digits.size()))
        return '0';
    return digits[static_cast<std::size_t>(i)];
}

// Whether keeping the digits before index cut means rounding up: above half, or exactly
// half with an odd last kept digit. Decided on the decimal digits alone, never the binary
// value, so 0.125 keeps "0.12" and 0.375 becomes "0.38".
bool RoundsUp(std::string_view digits, std::int64_t cut, bool haveKeptDigit) {
    const char first = DigitAt(digits, cut);
    if (first != '5')
        return first > '5';
    for (std::int64_t i = cut + 1; i < static_cast<std::int64_t>(digits.size()); ++i) {
        if (DigitAt(digits, i) != '0')
            return true;
    }
    return haveKeptDigit && (DigitAt(digits, cut - 1) - '0') % 2 == 1;
}

// Copies digits first to first + count - 1 of the digit string to out; out holds "0" already,
// and only the part inside the digit string needs copying.
void CopyDigitRun(char* out, std::string_view digits, std::int64_t first, std::size_t count) {
    const std::int64_t from = first < 0 ? 0 : first;
    const std::int64_t to = std::min<std::int64_t>(first + static_cast<std::int64_t>(count),
                                                   static_cast<std::int64_t>(digits.size()));
    for (std::int64_t i = from; i < to; ++i)
        out[i - first] = digits[static_cast<std::size_t>(i)];
}

// Integer digits then exactly fraction digits; "0" when there is no integer digit.
std::string FixedPointDigits(std::string_view value, int exponent, std::size_t fraction) {
    const std::size_t integer = exponent > 0 ? static_cast<std::size_t>(exponent) : 0;
    // One place in front for a carry, or for the "0" of an empty integer part.
    std::string digits(1 + integer + fraction, '0');
    CopyDigitRun(digits.data() + 1, value, 0, integer);
    CopyDigitRun(digits.data() + 1 + integer, value, exponent, fraction);
    const auto cut = static_cast<std::int64_t>(exponent) + static_cast<std::int64_t>(fraction);
    const bool haveKeptDigit = fraction > 0 || integer > 0;
    if (RoundsUp(value, cut, haveKeptDigit))
        AddOneAtEnd(digits); // the spare place takes any carry: "0999" becomes "1000"
    if (digits[0] == '0' && integer > 0)
        digits.erase(0, 1);
    return digits;
}

// The value's digits rounded half to even on the decimal string to fit the mask.
MaskDigits RoundForMask(const SignificantDigits& value, const CompiledMask& mask) {
    const std::string_view digits = DigitsOf(value);
    MaskDigits shown;
    shown.negative = value.negative;
    int exponent = value.exponent;
    // Zero and not-a-number have only zero digits; there is nothing to scale.
    if (mask.percent && digits[0] != '0')
        exponent += 2;

    if (mask.exponentMode == 0) {
        shown.digits = FixedPointDigits(digits, exponent, mask.fractionPositions);
    } else {
        const std::size_t kept = mask.integerPositions + mask.fractionPositions;
        shown.digits.assign(kept, '0');
        CopyDigitRun(shown.digits.data(), digits, 0, kept);
        shown.exponent = exponent - static_cast<int>(mask.integerPositions);
        if (kept > 0 && RoundsUp(digits, static_cast<std::int64_t>(kept), true) &&
            AddOneAtEnd(shown.digits)) {
            shown.digits[0] = '1';
            ++shown.exponent;
        }
    }
    if (shown.digits == "0")
        shown.negative = false;
    return shown;
}

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

// The text, built from the rightmost position to the leftmost so the sign and any integer
// digits that found no position of their own end up left of the leftmost digit.
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

// Room on the stack for the positions of an ordinary mask; longer ones use the heap.
constexpr std::size_t kLocalPositions = 64;

// The section that shows value, and the value it shows (negated for a second section).
struct ChosenSection {
    std::string_view text; // the section, possibly empty
    Extended value;        // what it formats
};

ChosenSection ChooseSection(const MaskSections& sections, Extended value) {
    if (value > 0)
        return {sections.part[0], value};
    if (value == 0) {
        if (sections.count == 3 && !sections.part[2].empty())
            return {sections.part[2], value};
        return {sections.part[0], value};
    }
    // Negative, or not-a-number: a second section shows the magnitude with its own literals
    // for the sign.
    if (sections.count >= 2 && !sections.part[1].empty())
        return {sections.part[1], -value};
    return {sections.part[0], value};
}

} // namespace

std::string FormatMask(double value, std::string_view mask) {
    const ChosenSection chosen = ChooseSection(SplitMaskSections(mask), value);
    if (chosen.text.empty())
        return PlainNumberText(chosen.value);
    MaskPosition local[kLocalPositions];
    std::vector<MaskPosition> heap;
    std::span<MaskPosition> storage(local);
    if (chosen.text.size() > kLocalPositions) {
        heap.resize(chosen.text.size());
        storage = heap;
    }
    const CompiledMask compiled = CompileMask(chosen.text, storage);
    return RenderMask(RoundForMask(NineteenDigits(chosen.value), compiled), compiled);
}

} // namespace numtext
