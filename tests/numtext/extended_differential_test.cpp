// A short run of the software extended type against the x87 unit; the long one is the
// extended_differential program.
#include "tests/numtext/extended_differential.h"

#include <gtest/gtest.h>

TEST(SoftExtended, AgreesWithTheX87OnEveryBit) {
    for (const DifferentialOperation& operation : DifferentialOperations()) {
        const DifferentialTally tally = RunDifferential(operation, 300000, 20261208);
        EXPECT_EQ(tally.differing, 0U) << operation.name;
        for (const std::string& difference : tally.firstDifferences)
            ADD_FAILURE() << difference;
    }
}
