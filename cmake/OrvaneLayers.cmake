# A library's headers are seen only by what links it. No target has the
# project root as include directory: each library gets include trees of its
# own under the build directory, build/layers/<library>/{public,private}, that
# hold a forwarding header for each of its headers, under the path the code
# includes it by ("platform/posix/terminal.h"). A header that a library may
# not use is in no tree it sees, so including it fails the build.
#
# Forwarding headers rather than links or copies: they work on every file
# system, never go stale, and compiler messages name the file in the source tree.
set(ORVANE_LAYERS_DIR ${PROJECT_BINARY_DIR}/layers)

# Writes tree/staged as a header that includes source, unless it holds that already.
function(orvane_stage_header tree source staged)
  file(CONFIGURE OUTPUT ${tree}/${staged} CONTENT "#include \"${source}\"\n" @ONLY)
endfunction()

# orvane_layer(<target> [PUBLIC <header>...] [PRIVATE <header>...] [BARE <header>...])
#
# Headers are paths from the current source directory and are staged under
# their path from the project root; BARE ones are public and staged under
# their file name alone ("windows_console.h"). PUBLIC and BARE headers are
# seen by the target and by what links it; PRIVATE ones by the target and by
# <target>_internals, an interface target for the library's own tests.
function(orvane_layer target)
  cmake_parse_arguments(L "" "" "PUBLIC;PRIVATE;BARE" ${ARGN})
  set(root ${ORVANE_LAYERS_DIR}/${target})
  set(staged_files "")
  foreach(kind PUBLIC PRIVATE BARE)
    set(tree ${root}/public)
    if(kind STREQUAL "PRIVATE")
      set(tree ${root}/private)
    endif()
    foreach(header ${L_${kind}})
      get_filename_component(source ${header} ABSOLUTE)
      if(NOT EXISTS ${source})
        message(FATAL_ERROR "orvane_layer(${target}): no header ${source}")
      endif()
      if(kind STREQUAL "BARE")
        get_filename_component(staged ${source} NAME)
      else()
        file(RELATIVE_PATH staged ${PROJECT_SOURCE_DIR} ${source})
      endif()
      orvane_stage_header(${tree} ${source} ${staged})
      list(APPEND staged_files ${tree}/${staged})
    endforeach()
  endforeach()
  # A header taken out of the lists leaves the trees too.
  file(GLOB_RECURSE present ${root}/*)
  foreach(file ${present})
    if(NOT file IN_LIST staged_files)
      file(REMOVE ${file})
    endif()
  endforeach()
  file(MAKE_DIRECTORY ${root}/public ${root}/private)

  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root}/public)
  else()
    target_include_directories(${target} PUBLIC ${root}/public PRIVATE ${root}/private)
  endif()
  add_library(${target}_internals INTERFACE)
  target_link_libraries(${target}_internals INTERFACE ${target})
  target_include_directories(${target}_internals INTERFACE ${root}/private)
endfunction()

# The headers of the current source directory (*.h), for a library whose
# headers are all public.
function(orvane_folder_headers out)
  file(GLOB headers RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(${out} ${headers} PARENT_SCOPE)
endfunction()
