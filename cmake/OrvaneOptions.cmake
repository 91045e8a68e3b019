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
