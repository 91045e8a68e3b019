# Run by the build (cmake -P), on every build: writes OUTPUT from TEMPLATE with
# ORVANE_BUILD_VERSION, the project version and, in a git checkout, the commit as
# git describe names it ("1.0.0 (df688be-dirty)"). configure_file leaves OUTPUT
# untouched when its text is the same, so nothing is compiled again for it.
set(ORVANE_BUILD_VERSION ${PROJECT_VERSION})
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} describe --always --dirty
    WORKING_DIRECTORY ${SOURCE_DIR}
    OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE describeFailed ERROR_QUIET)
  if(NOT describeFailed AND described)
    string(APPEND ORVANE_BUILD_VERSION " (${described})")
  endif()
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
