# What both macOS cross builds share: Zig's clang, with the libc++ and the Darwin C library
# headers and stubs Zig carries, fetched by `.ci/install-deps macos-cross` into build/tools/zig.
# The file that includes this one sets orvane_macos_processor (arm64 or x86_64) and
# orvane_macos_target (Zig's name for it: aarch64-macos, x86_64-macos).
set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_PROCESSOR ${orvane_macos_processor})
set(CMAKE_OSX_ARCHITECTURES ${orvane_macos_processor})

get_filename_component(orvane_zig_home ${CMAKE_CURRENT_LIST_DIR}/../../build/tools/zig ABSOLUTE)
if(NOT EXISTS ${orvane_zig_home}/zig)
  message(FATAL_ERROR "No Zig in ${orvane_zig_home}: run .ci/install-deps macos-cross first.")
endif()
# CMake takes a compiler as one program, so each slice gets a two-line one that names its target.
foreach(tool c++ cc ar ranlib)
  set(command "${tool} -target ${orvane_macos_target}")
  if(tool STREQUAL "ar" OR tool STREQUAL "ranlib")
    set(command ${tool})
  endif()
  set(wrapper ${orvane_zig_home}/${orvane_macos_target}-${tool})
  file(CONFIGURE OUTPUT ${wrapper} CONTENT "#!/bin/sh\nexec \"${orvane_zig_home}/zig\" ${command} \"$@\"\n")
  file(CHMOD ${wrapper} FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
       GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
set(CMAKE_C_COMPILER ${orvane_zig_home}/${orvane_macos_target}-cc)
set(CMAKE_CXX_COMPILER ${orvane_zig_home}/${orvane_macos_target}-c++)
set(CMAKE_AR ${orvane_zig_home}/${orvane_macos_target}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${orvane_zig_home}/${orvane_macos_target}-ranlib CACHE FILEPATH "")
# CMake asks for install_name_tool on Darwin; Zig has none, LLVM's (Debian's llvm) does its work.
find_program(CMAKE_INSTALL_NAME_TOOL NAMES llvm-install-name-tool llvm-install-name-tool-14
  PATHS /usr/lib/llvm-14/bin REQUIRED)

# What Zig lacks of the SDK, the terminfo header and ncurses' link stub, from cmake/macos-sdk,
# so the program links against /usr/lib/libncurses.5.4.dylib as on a Mac. pkg-config finds
# nothing, as there: the SDK's ncurses has no .pc.
set(CMAKE_FIND_ROOT_PATH ${CMAKE_CURRENT_LIST_DIR}/../macos-sdk)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_LIBDIR} ${CMAKE_CURRENT_LIST_DIR}/../macos-sdk/usr/lib)
