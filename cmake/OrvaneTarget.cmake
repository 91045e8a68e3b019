# What the compiler builds for, asked of the compiler itself rather than read from
# CMAKE_SYSTEM_PROCESSOR, which names the build machine's processor in a native build on
# macOS under Rosetta and cannot name two slices at once.
include(CheckCXXSourceCompiles)

# The sources are chosen once for the whole build (the x87 type or the software one, one
# floating-point settings file), so one build cannot hold an arm64 and an x86-64 slice.
list(LENGTH CMAKE_OSX_ARCHITECTURES orvane_slices)
if(orvane_slices GREATER 1)
  message(FATAL_ERROR
    "CMAKE_OSX_ARCHITECTURES=\"${CMAKE_OSX_ARCHITECTURES}\": a universal binary cannot be built "
    "in one pass, since each processor gets other sources. Build each slice in a build folder of "
    "its own (-DCMAKE_OSX_ARCHITECTURES=arm64, then x86_64) and join the two programs with "
    "`lipo -create -output orvane <arm64>/app/orvane <x86_64>/app/orvane`.")
endif()

# The x87 unit with the 80-bit long double the extended type is made of: x86 (not MSVC,
# whose long double is a double).
check_cxx_source_compiles([[
#if !(defined(__x86_64__) || defined(__i386__)) || __LDBL_MANT_DIG__ != 64
#error no x87 long double
#endif
int main() { return 0; }
]] orvane_has_x87)

# The processor's floating-point settings: x87 and SSE, arm64's FPCR, or what <cfenv> can
# reach on any other.
check_cxx_source_compiles([[
#if !(defined(__x86_64__) || defined(__i386__))
#error not x86
#endif
int main() { return 0; }
]] orvane_targets_x86)
check_cxx_source_compiles([[
#if !defined(__aarch64__)
#error not arm64
#endif
int main() { return 0; }
]] orvane_targets_arm64)

# A long double that holds every extended value exactly (x87, or the IEEE quadruple format of
# arm64 Linux, s390x, riscv64): tests may then write extended values as long double literals.
# Elsewhere (a double on Apple silicon, a pair of doubles on ppc64le) they are read with MPFR.
check_cxx_source_compiles([[
#if __LDBL_MANT_DIG__ != 64 && __LDBL_MANT_DIG__ != 113
#error long double narrower than the extended type
#endif
int main() { return 0; }
]] orvane_long_double_holds_extended)
