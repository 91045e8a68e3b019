# macOS on Intel, cross-built with Zig; built only, since nothing here runs a Mach-O.
set(orvane_macos_processor x86_64)
set(orvane_macos_target x86_64-macos)
include(${CMAKE_CURRENT_LIST_DIR}/zig-macos.cmake)
