# One place for the flags every target gets: strict warnings, exact floating
# point (no fast-math, no contraction, so the 80-bit formulas round where the
# source says), and the optional sanitizers.

# Warnings as errors keep our own builds clean, but a packager's compiler or
# flags can warn where ours do not (GCC 12 at -O3 reports a false -Wrestrict
# inside its own string code), so only the presets and CI switch it on.
option(ORVANE_WERROR "Treat compiler warnings as errors" OFF)

# Our sources built as on a system whose C library offers POSIX 2008 and no GNU extensions,
# to find on Linux what macOS and the BSDs would refuse: g++ and clang++ define _GNU_SOURCE
# for C++ on Linux, which this takes back. The program needs nothing more: what it calls
# beyond POSIX 2008 and the BSDs and macOS also have (SIGWINCH, TIOCGWINSZ) glibc declares
# without _DEFAULT_SOURCE (its BSD and System V names); only the pseudo-terminal harness of
# the end-to-end tests asks for that and for X/Open (see tests/e2e). The C++ library is another
# matter: libc++ on glibc calls eight names that glibc hides from strict POSIX (strtold_l and
# the like), which a header read first declares for it (clang and libc++ only: libstdc++
# needs far more of _GNU_SOURCE).
option(ORVANE_STRICT_POSIX "Compile our sources with _POSIX_C_SOURCE=200809L, without _GNU_SOURCE"
  OFF)

# The flags of all our code, program and tests alike.
function(orvane_code_flags target)
  if(ORVANE_STRICT_POSIX)
    target_compile_options(${target} PRIVATE -U_GNU_SOURCE)
    target_compile_definitions(${target} PRIVATE _POSIX_C_SOURCE=200809L)
    if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
      target_compile_options(${target} PRIVATE
        -include ${PROJECT_SOURCE_DIR}/tests/portable/glibc_names_for_libcxx.h)
    endif()
  endif()
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wconversion -Wsign-conversion
    -ffp-contract=off -fno-fast-math)
  if(ORVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(ORVANE_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# The standard headers nearly every file of ours includes cost most of what the file takes to
# compile (over a second each with clang and libc++, several times the code after them), and
# the same in every file: they are compiled once per build into a precompiled header that every
# library of the program takes (orvane_std_headers below), and once more with GoogleTest's for
# the test programs (tests/CMakeLists.txt). A file still includes what it uses: the s390x and
# riscv64 presets build the program without them, so a missing include fails there. With GCC,
# which reads its precompiled headers whole, the gain is smaller. Not in the fuzz build, whose
# libraries take the fuzzer's instrumentation that a shared header would not carry.
option(ORVANE_PRECOMPILED_HEADERS "Compile the common standard headers once per build" ON)
set(orvane_precompile OFF)
if(ORVANE_PRECOMPILED_HEADERS AND NOT ORVANE_FUZZ)
  set(orvane_precompile ON)
endif()
set(ORVANE_COMMON_STD_HEADERS
  <algorithm> <array> <chrono> <cmath> <cstddef> <cstdint> <cstdio> <cstdlib> <cstring>
  <limits> <optional> <string> <string_view> <utility> <vector>)

# Lets `target` take the precompiled headers of `from`, whose flags it shares; a library with
# definitions that change what the standard headers declare (_XOPEN_SOURCE and the like) must
# compile them itself, and does not call this.
function(orvane_share_precompiled_headers target from)
  if(orvane_precompile)
    target_precompile_headers(${target} REUSE_FROM ${from})
  endif()
endfunction()

# Compiles the common standard headers, and any more named, for `target` and what shares them.
function(orvane_precompile_headers target)
  if(orvane_precompile)
    target_precompile_headers(${target} PRIVATE ${ORVANE_COMMON_STD_HEADERS} ${ARGN})
  endif()
endfunction()

if(orvane_precompile)
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/orvane_std_headers.cpp
       CONTENT "// Compiled only for the precompiled headers it carries.\n")
  add_library(orvane_std_headers OBJECT ${PROJECT_BINARY_DIR}/orvane_std_headers.cpp)
  orvane_code_flags(orvane_std_headers)
  orvane_precompile_headers(orvane_std_headers)
endif()

# orvane_target_options(<target> [OWN_PRECOMPILED_HEADERS]): the flags of the program's code,
# and the shared precompiled standard headers, or with OWN_PRECOMPILED_HEADERS ones of its own
# for a library whose definitions change what the system's headers declare.
function(orvane_target_options target)
  cmake_parse_arguments(O "OWN_PRECOMPILED_HEADERS" "" "" ${ARGN})
  orvane_code_flags(${target})
  if(O_OWN_PRECOMPILED_HEADERS)
    orvane_precompile_headers(${target})
  else()
    orvane_share_precompiled_headers(${target} orvane_std_headers)
  endif()
endfunction()

# Test code is compiled in every preset and each case runs for moments, so it is optimised for
# compile time: -Og takes about half as long as -O2 on our test files and still inlines the
# small things. The program's code the tests link keeps the build type's flags, so what is
# tested is what ships. Debug builds (the sanitizers) stay at -O0.
function(orvane_test_code_options target)
  orvane_code_flags(${target})
  target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo,Release,MinSizeRel>:-Og>)
endfunction()

# The release binary is linked fully static, C library included. Measured on
# a whole typed-ahead run: linked against the shared runtimes the process peaks
# at about 3.4 MB resident, with only libstdc++ and libgcc static at 2.3 MB,
# fully static at 1 MB, less than a third of dialog's. Only fully static runs
# on any x86-64 Linux: with the C library shared, the binary still needs a glibc
# at least as new as the build machine's. The usual costs of a static glibc do
# not arise here: the tool looks up no users or hosts and converts no
# character sets; the locale and the terminfo entries are still read at run
# time from the machine the tool runs on.
option(ORVANE_STATIC "Link the program fully static (the portable release binary)" OFF)
if(ORVANE_STATIC AND APPLE)
  message(FATAL_ERROR
    "ORVANE_STATIC: macOS has no static C library (libSystem is only ever linked dynamically), "
    "so a fully static program cannot be made there; configure without -DORVANE_STATIC=ON.")
endif()
if(ORVANE_STATIC)
  # Libraries found from here on (libtinfo) are taken as their archives,
  # which -static needs.
  set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
endif()
