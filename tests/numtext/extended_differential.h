// The software extended type against the x87 unit, operation by operation, on random operands
// weighted towards the hard cases: ties, subnormals, overflow, infinities, not-a-numbers and
// encodings the x87 refuses.
#pragma once

#include "numtext/numtext.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One operation under comparison; name is what a report shows.
struct DifferentialOperation {
    std::string name;
    // Draws operands from the seed's stream, runs both types, and returns "" when every
    // result bit agrees, else a description of the operands and both results.
    std::function<std::string(std::uint64_t& state)> compareOnce;
};

std::vector<DifferentialOperation> DifferentialOperations();

// Counts of one run of an operation.
struct DifferentialTally {
    std::uint64_t compared = 0;
    std::uint64_t differing = 0;
    std::vector<std::string> firstDifferences; // at most a few, for the report
};

DifferentialTally RunDifferential(const DifferentialOperation& operation, std::uint64_t count,
                                  std::uint64_t seed);
