# What every cross build for another Linux processor shares, with Debian's cross compilers
# (g++-<triplet>) and QEMU's user-mode emulators (qemu-user): the file that includes this one
# sets orvane_cross_processor (CMAKE_SYSTEM_PROCESSOR), orvane_cross_triplet (the GNU triplet
# Debian's multiarch folders are named by) and orvane_cross_qemu (the emulator's processor).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${orvane_cross_processor})

set(CMAKE_C_COMPILER ${orvane_cross_triplet}-gcc)
set(CMAKE_CXX_COMPILER ${orvane_cross_triplet}-g++)

# Two roots, and never the build machine's own folders: the cross compiler's (its C and C++
# libraries), and the target's own packages (ncurses, MPFR, the benchmark library) that
# .ci/install-deps unpacks apart, or .ci/cross-tinfo builds from source (riscv64's terminfo
# library), in Debian's multiarch layout.
set(orvane_cross_sysroot /usr/${orvane_cross_triplet})
get_filename_component(orvane_cross_unpacked
  ${CMAKE_CURRENT_LIST_DIR}/../../build/cross-root/${orvane_cross_triplet} ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH ${orvane_cross_sysroot} ${orvane_cross_unpacked})
set(CMAKE_LIBRARY_ARCHITECTURE ${orvane_cross_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The unpacked root is not the compiler's sysroot, so its headers and libraries are named as a
# sysroot's would be found: headers with no -I (gmp.h sits in the triplet's folder), and the
# libraries a library needs (libmpfr's libgmp) found by the linker and by the emulator's loader.
set(orvane_cross_includes
  ${orvane_cross_unpacked}/usr/include/${orvane_cross_triplet} ${orvane_cross_unpacked}/usr/include)
set(CMAKE_C_STANDARD_INCLUDE_DIRECTORIES ${orvane_cross_includes})
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${orvane_cross_includes})
set(orvane_cross_libraries
  ${orvane_cross_unpacked}/lib/${orvane_cross_triplet}
  ${orvane_cross_unpacked}/usr/lib/${orvane_cross_triplet})
string(JOIN : orvane_cross_library_path ${orvane_cross_libraries})
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,-rpath-link,${orvane_cross_library_path}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,-rpath-link,${orvane_cross_library_path}")

# pkg-config answers for the target's libraries only, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} ${orvane_cross_unpacked}/usr/lib/${orvane_cross_triplet}/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${orvane_cross_unpacked})

# The cross root's own C library, then the unpacked libraries.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${orvane_cross_qemu} -L ${orvane_cross_sysroot}
    -E LD_LIBRARY_PATH=${orvane_cross_sysroot}/lib:${orvane_cross_library_path})
