// The answer sets the layout benchmarks run on: the worked layouts, each limit deciding once
// and a fixed surround spacing, and the loop that runs a layout function over them.
#pragma once

#include "app/model/layout.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

inline const std::vector<AnswerSet>& LayoutAnswers() {
    static const std::vector<AnswerSet> answers = {
        {5, 4, "N", 4, 0.5, "120"},
        {3, 10, "N", 10, 0.5, "145"},
        {5, 4, "N", 4, 3, "120"},
        {4, 3, "Y", 3, 1, "110"},
    };
    return answers;
}

// Every answer set through compute, once per iteration; items are layouts.
template <LayoutResult (*Compute)(const AnswerSet&)> void LayoutOnAnswers(benchmark::State& state) {
    for (auto _ : state) {
        for (const AnswerSet& answers : LayoutAnswers()) {
            benchmark::DoNotOptimize(Compute(answers));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(LayoutAnswers().size()));
}
