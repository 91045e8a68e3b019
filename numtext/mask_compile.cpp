#include "numtext/mask.h"

namespace numtext::detail {

namespace {

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

} // namespace

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

} // namespace numtext::detail
