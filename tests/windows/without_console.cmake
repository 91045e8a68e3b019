cmake_minimum_required(VERSION 3.25)
# cmake -DEMULATOR=... -DPROGRAM=orvane.exe -P without_console.cmake
# Started without any console (no terminal on any standard handle), the
# program says so in one line on standard error and ends with status 1,
# instead of waiting for keys that cannot come.
execute_process(COMMAND ${EMULATOR} ${PROGRAM}
                INPUT_FILE /dev/null
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err
                RESULT_VARIABLE status
                TIMEOUT 30)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "status ${status}, not 1; stderr: ${err}")
endif()
if(NOT out STREQUAL "")
  message(FATAL_ERROR "drew without a console: ${out}")
endif()
string(REGEX MATCHALL "\n" newlines "${err}")
list(LENGTH newlines lines)
if(NOT lines EQUAL 1 OR NOT err MATCHES "console")
  message(FATAL_ERROR "not one line about the console: ${err}")
endif()
