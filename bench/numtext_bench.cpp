// Number text against the C library, in the same run: ParseNumber against strtold and strtod on
// answer-like texts, FormatMask against snprintf "%.2f" on results-screen values.
#include "numtext/numtext.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using numtext::FormatMask;
using numtext::ParseNumber;

namespace {

const std::vector<std::string>& AnswerTexts() {
    static const std::vector<std::string> texts = {"5",  "0.5", "120", "12.345",
                                                   "-3", "abc", "&H1F"};
    return texts;
}

void ParseNumberOnText(benchmark::State& state) {
    const std::string& text = AnswerTexts()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseNumber(text));
}

void StrtoldOnText(benchmark::State& state) {
    const std::string& text = AnswerTexts()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(std::strtold(text.c_str(), nullptr));
}

// The double conversion: the baseline where long double is not the x87 format.
void StrtodOnText(benchmark::State& state) {
    const std::string& text = AnswerTexts()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(std::strtod(text.c_str(), nullptr));
}

// strtold stops at the "&" of "&H1F" at once; this is the C library actually reading the
// hexadecimal digits, for a fairer view of that one text.
void StrtollOnHexDigits(benchmark::State& state) {
    const std::string text = AnswerTexts()[6];
    state.SetLabel(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(std::strtoll(text.c_str() + 2, nullptr, 16));
}

BENCHMARK(ParseNumberOnText)->DenseRange(0, 6);
BENCHMARK(StrtoldOnText)->DenseRange(0, 6);
BENCHMARK(StrtodOnText)->DenseRange(0, 6);
BENCHMARK(StrtollOnHexDigits);

// Distances and spacings as the results screen shows them: 0 to 30, a few below zero.
const std::vector<double>& ResultValues() {
    static const std::vector<double> values = [] {
        std::vector<double> v;
        for (int i = 0; i < 60; ++i)
            v.push_back(i * 0.4999 + 0.0123 * (i % 7));
        for (const double extra : {0.0, 2.36, 3.2, 0.69, 2.05, 3.87, 4.0, -0.5, -1.25, -3.875})
            v.push_back(extra);
        return v;
    }();
    return values;
}

void FormatMaskOnValues(benchmark::State& state, const char* mask) {
    const std::vector<double>& values = ResultValues();
    for (auto _ : state) {
        for (const double value : values)
            benchmark::DoNotOptimize(FormatMask(value, mask));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void SnprintfOnValues(benchmark::State& state) {
    const std::vector<double>& values = ResultValues();
    char text[64];
    for (auto _ : state) {
        for (const double value : values) {
            std::snprintf(text, sizeof text, "%.2f", value);
            benchmark::DoNotOptimize(text);
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

BENCHMARK_CAPTURE(FormatMaskOnValues, one_place, "0.00");
BENCHMARK_CAPTURE(FormatMaskOnValues, two_places, "00.00");
BENCHMARK(SnprintfOnValues);

} // namespace
