// The one main() of every test program, compiled once into a library rather than into each
// program as GoogleTest's own gtest_main would be.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
