# macOS on Apple silicon, cross-built with Zig; built only, since nothing here runs a Mach-O.
set(orvane_macos_processor arm64)
set(orvane_macos_target aarch64-macos)
include(${CMAKE_CURRENT_LIST_DIR}/zig-macos.cmake)
