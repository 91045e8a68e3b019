# Cross build for 64-bit little-endian POWER Linux with Debian's g++-powerpc64le-linux-gnu; the
# tests run under qemu-ppc64le. Its long double is a pair of doubles, not the x87 format: the
# extended type is the software one, and the tests read their reference values with MPFR.
set(orvane_cross_processor ppc64le)
set(orvane_cross_triplet powerpc64le-linux-gnu)
set(orvane_cross_qemu ppc64le)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
