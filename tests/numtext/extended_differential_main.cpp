// The long comparison of the software extended type against the x87 unit:
//   extended_differential [pairs per operation, default 10^8] [seed]
// prints the pairs compared and the differences for each operation; exits 1 on any difference.
#include "tests/numtext/extended_differential.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const std::uint64_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000000ULL;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    bool allSame = true;
    for (const DifferentialOperation& operation : DifferentialOperations()) {
        const DifferentialTally tally = RunDifferential(operation, count, seed);
        std::printf("%-14s %" PRIu64 " compared, %" PRIu64 " differing\n", operation.name.c_str(),
                    tally.compared, tally.differing);
        for (const std::string& difference : tally.firstDifferences)
            std::printf("  %s\n", difference.c_str());
        std::fflush(stdout);
        allSame = allSame && tally.differing == 0;
    }
    return allSame ? 0 : 1;
}
