# What every cross build for another Linux processor shares, with Debian's cross compilers
# (g++-<triplet>) and QEMU's user-mode emulators (qemu-user): the file that includes this one
# sets orvane_cross_processor (CMAKE_SYSTEM_PROCESSOR), orvane_cross_triplet (the GNU triplet
# Debian's multiarch folders are named by) and orvane_cross_qemu (the emulator's processor).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${orvane_cross_processor})

set(CMAKE_C_COMPILER ${orvane_cross_triplet}-gcc)
set(CMAKE_CXX_COMPILER ${orvane_cross_triplet}-g++)

set(orvane_cross_sysroot /usr/${orvane_cross_triplet})
# The cross root, and / for the target's packages installed through Debian's multiarch (its
# ncurses, libncurses-dev:<arch>), which live in /usr/lib/<triplet>.
set(CMAKE_FIND_ROOT_PATH ${orvane_cross_sysroot} /)
# And packages that dpkg cannot install beside the build machine's, unpacked by .ci/install-deps
# (s390x's ncurses) or built from source by .ci/cross-tinfo (riscv64's terminfo library): ahead
# of /, whose /usr/include holds the build machine's own headers of the same names.
get_filename_component(orvane_cross_unpacked
  ${CMAKE_CURRENT_LIST_DIR}/../../build/cross-root/${orvane_cross_triplet} ABSOLUTE)
set(orvane_cross_library_path ${orvane_cross_sysroot}/lib)
if(IS_DIRECTORY ${orvane_cross_unpacked})
  list(INSERT CMAKE_FIND_ROOT_PATH 1 ${orvane_cross_unpacked})
  string(APPEND orvane_cross_library_path ":${orvane_cross_unpacked}/lib/${orvane_cross_triplet}")
endif()
set(CMAKE_LIBRARY_ARCHITECTURE ${orvane_cross_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config answers for the target's libraries only, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${orvane_cross_triplet}/pkgconfig:/usr/share/pkgconfig)

# The cross root's own C library first: a C library of another version installed through
# multiarch would otherwise meet the cross root's loader.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${orvane_cross_qemu} -L ${orvane_cross_sysroot}
    -E LD_LIBRARY_PATH=${orvane_cross_library_path})
