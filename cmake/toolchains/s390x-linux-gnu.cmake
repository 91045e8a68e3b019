# Cross build for IBM Z Linux (64-bit, big-endian) with Debian's g++-s390x-linux-gnu; the
# programs run under qemu-s390x.
set(orvane_cross_processor s390x)
set(orvane_cross_triplet s390x-linux-gnu)
set(orvane_cross_qemu s390x)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
