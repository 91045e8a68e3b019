// ComputeLayout against the same formulas in plain double arithmetic with the C library's sine
// and cosine, in the same run: what the extended type and its sine cost on this machine.
#include "app/model/layout.h"

#include "bench/layout_answers.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

double RootOrSame(double x) {
    return x >= 0 ? std::sqrt(x) : x;
}

// The layout's formulas in double, the angle read with strtod: the baseline.
LayoutResult DoubleLayout(const AnswerSet& a) {
    LayoutResult r{};
    r.degree = 3.14159265359 / 180;
    r.rearAngle = (std::strtod(a.surroundAngle.c_str(), nullptr) - 90) * r.degree;
    r.spacingRadius = a.surroundSpacing / (2 * std::cos(r.rearAngle));
    r.frontBackLimit = a.maxFrontBack / (std::sin(r.rearAngle) + std::cos(30 * r.degree));
    r.sideSideLimit = a.maxSideSide / (2 * std::sin(55 * r.degree));
    const double h = a.surroundHeight;
    r.surroundDistance = RootOrSame(h * h + r.spacingRadius * r.spacingRadius);
    r.listeningDistance =
        a.surroundFixed == "Y"
            ? r.surroundDistance
            : std::fmin(r.frontBackLimit, std::fmin(r.sideSideLimit, r.surroundDistance));
    const double l = r.listeningDistance;
    r.surroundRadius = RootOrSame(l * l - h * h);
    r.frontSurroundSpacing = std::cos(30 * r.degree) * l + std::sin(r.rearAngle) * r.surroundRadius;
    r.frontSideSpacing = std::cos(30 * r.degree) * l - std::cos(55 * r.degree) * l;
    r.sidePairSpacing = (2 * l) * std::sin(55 * r.degree);
    r.frontListenerSpacing = std::cos(30 * r.degree) * l;
    r.surroundPairSpacing = 2 * RootOrSame(l * l - h * h) * std::cos(r.rearAngle);
    return r;
}

BENCHMARK(LayoutOnAnswers<ComputeLayout>)->Name("ComputeLayoutOnAnswers");
BENCHMARK(LayoutOnAnswers<DoubleLayout>)->Name("DoubleLayoutOnAnswers");

} // namespace
