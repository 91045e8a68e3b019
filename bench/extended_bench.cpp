// The software extended type against the x87 one, in the same run: ParseNumber on answer
// texts, FormatMask on results-screen values, ComputeLayout on whole answer sets. The ratio of
// each Soft line to its Hardware line is the cost of the software type.
#include "bench/soft_numtext.h"

#include "bench/layout_answers.h"
#include "numtext/numtext.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using numtext::FormatMask;
using numtext::ParseNumber;

namespace {

const std::vector<std::string>& AnswerTexts() {
    static const std::vector<std::string> texts = {"5", "0.5", "120", "12.345", "-3", "&H1F"};
    return texts;
}

void ParseHardware(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& text : AnswerTexts())
            benchmark::DoNotOptimize(static_cast<double>(ParseNumber(text)));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(AnswerTexts().size()));
}

void ParseSoft(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& text : AnswerTexts())
            benchmark::DoNotOptimize(SoftParseNumberToDouble(text));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(AnswerTexts().size()));
}

const std::vector<double>& ResultValues() {
    static const std::vector<double> values = {0.0,  2.362908, 3.201039, 0.69103, 2.046338,
                                               3.87, 4.0,      12.345,   99.995,  -1.5};
    return values;
}

void FormatHardware(benchmark::State& state) {
    for (auto _ : state) {
        for (const double value : ResultValues())
            benchmark::DoNotOptimize(FormatMask(value, value < 10 ? "0.00" : "00.00"));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ResultValues().size()));
}

void FormatSoft(benchmark::State& state) {
    for (auto _ : state) {
        for (const double value : ResultValues())
            benchmark::DoNotOptimize(SoftFormatMask(value, value < 10 ? "0.00" : "00.00"));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ResultValues().size()));
}

BENCHMARK(ParseHardware);
BENCHMARK(ParseSoft);
BENCHMARK(FormatHardware);
BENCHMARK(FormatSoft);
BENCHMARK(LayoutOnAnswers<ComputeLayout>)->Name("LayoutHardware");
BENCHMARK(LayoutOnAnswers<SoftComputeLayout>)->Name("LayoutSoft");

} // namespace
