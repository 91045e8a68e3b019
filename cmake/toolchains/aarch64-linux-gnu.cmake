# Cross build for 64-bit ARM Linux with Debian's g++-aarch64-linux-gnu; the tests run under
# qemu-aarch64 against the arm64 system root the cross packages install. The benchmarks find
# Debian's benchmark library for arm64 where .ci/install-deps arm64-bench unpacks it.
set(orvane_cross_processor aarch64)
set(orvane_cross_triplet aarch64-linux-gnu)
set(orvane_cross_qemu aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
