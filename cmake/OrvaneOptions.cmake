# One place for the flags every target gets: strict warnings, exact floating
# point (no fast-math, no contraction, so the 80-bit formulas round where the
# source says), and the optional sanitizers.

# Warnings as errors keep our own builds clean, but a packager's compiler or
# flags can warn where ours do not (GCC 12 at -O3 reports a false -Wrestrict
# inside its own string code), so only the presets and CI switch it on.
option(ORVANE_WERROR "Treat compiler warnings as errors" OFF)

function(orvane_target_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
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
