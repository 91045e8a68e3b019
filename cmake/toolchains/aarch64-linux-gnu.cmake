# Cross build for 64-bit ARM Linux with Debian's g++-aarch64-linux-gnu; the tests run under
# qemu-aarch64 (Debian's qemu-user) against the arm64 system root the cross packages install.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

set(ORVANE_AARCH64_SYSROOT /usr/aarch64-linux-gnu)
# The cross root, and / for arm64 packages installed through Debian's multiarch (the
# benchmark library, libbenchmark-dev:arm64), which live in /usr/lib/aarch64-linux-gnu.
set(CMAKE_FIND_ROOT_PATH ${ORVANE_AARCH64_SYSROOT} /)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The cross root's own C library first: an arm64 C library of another version installed
# through multiarch (with libbenchmark-dev:arm64) would otherwise meet the cross root's loader.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L ${ORVANE_AARCH64_SYSROOT}
    -E LD_LIBRARY_PATH=${ORVANE_AARCH64_SYSROOT}/lib)
