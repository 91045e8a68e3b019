// SineBits and CosineBits on the layout's rear angles against the C library's sinl and cosl on
// the same angles, in the same run; vs_library is our time over the library's.
#include "bench/trig_angles.h"
#include "numtext/extended_math.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

using numtext::CosineBits;
using numtext::ExtendedBits;
using numtext::FromBits;
using numtext::SineBits;

namespace {

#ifdef ORVANE_TRIG_HAS_X87
using Baseline = long double;
Baseline BaselineOf(ExtendedBits bits) {
    return LongDoubleOf(bits);
}
Baseline LibrarySine(Baseline x) {
    return sinl(x);
}
Baseline LibraryCosine(Baseline x) {
    return cosl(x);
}
#else
// Without an x87 the nearest library function is the double one; the rear angles are doubles.
using Baseline = double;
Baseline BaselineOf(ExtendedBits bits) {
    return static_cast<double>(FromBits(bits));
}
Baseline LibrarySine(Baseline x) {
    return std::sin(x);
}
Baseline LibraryCosine(Baseline x) {
    return std::cos(x);
}
#endif

// 3501 angles, 110 to 145 degrees in steps of 0.01, and the two fixed angles.
const std::vector<ExtendedBits>& Angles() {
    static const std::vector<ExtendedBits> angles = [] {
        std::vector<ExtendedBits> result;
        for (const std::string& text : TypedAngles(2))
            result.push_back(RearAngleBits(text));
        result.push_back(FixedAngleBits(30));
        result.push_back(FixedAngleBits(55));
        return result;
    }();
    return angles;
}

template <typename Ours, typename Theirs>
void AgainstLibrary(benchmark::State& state, Ours ours, Theirs theirs) {
    using Clock = std::chrono::steady_clock;
    const std::vector<ExtendedBits>& angles = Angles();
    std::vector<Baseline> baselineAngles;
    for (const ExtendedBits angle : angles)
        baselineAngles.push_back(BaselineOf(angle));
    double oursSeconds = 0;
    double theirsSeconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (const ExtendedBits angle : angles)
            benchmark::DoNotOptimize(ours(angle));
        const auto middle = Clock::now();
        for (const Baseline angle : baselineAngles)
            benchmark::DoNotOptimize(theirs(angle));
        const auto end = Clock::now();
        const double ourTime = std::chrono::duration<double>(middle - start).count();
        oursSeconds += ourTime;
        theirsSeconds += std::chrono::duration<double>(end - middle).count();
        state.SetIterationTime(ourTime);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(angles.size()));
    state.counters["vs_library"] = theirsSeconds > 0 ? oursSeconds / theirsSeconds : 0;
}

void SineAgainstLibrary(benchmark::State& state) {
    AgainstLibrary(state, SineBits, LibrarySine);
}

void CosineAgainstLibrary(benchmark::State& state) {
    AgainstLibrary(state, CosineBits, LibraryCosine);
}

BENCHMARK(SineAgainstLibrary)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(CosineAgainstLibrary)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
