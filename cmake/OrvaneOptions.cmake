# One place for the flags every target gets: strict warnings, exact floating
# point (no fast-math, no contraction, so the 80-bit formulas round where the
# source says), and the optional sanitizers.
function(orvane_target_options target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor
    -ffp-contract=off -fno-fast-math)
  if(ORVANE_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()
