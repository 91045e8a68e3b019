# Cross-building the native Windows program (64-bit, console subsystem) with
# Debian's MinGW-w64 GCC, the POSIX-threads flavour. Programs built here run on
# this machine under Wine, which CTest uses as the emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORVANE_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${ORVANE_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes linked in, so the program needs only the DLLs Windows
# ships; printf prints long double (%La, %Lf) the way the rest of the code reads it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)

# Debian's wine64 package keeps its launcher off PATH. Each build folder gets a
# Wine prefix of its own; the dialogs offering Mono and Gecko are switched off.
find_program(ORVANE_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ORVANE_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all
          WINEDLLOVERRIDES=mscoree,mshtml= ${ORVANE_WINE64})
endif()
