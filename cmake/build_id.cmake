# Writes OUTPUT, a header naming the build (the source revision), only when the name changed, so
# that a build of unchanged sources compiles nothing again.
execute_process(
  COMMAND git describe --always --dirty
  WORKING_DIRECTORY "${SOURCE_DIR}"
  OUTPUT_VARIABLE build_id
  OUTPUT_STRIP_TRAILING_WHITESPACE
  ERROR_QUIET)
if(build_id STREQUAL "")
  set(build_id "unknown")
endif()
set(text "#pragma once\n\n// The build: the source revision it was made from.\ninline constexpr const char* kProgramBuild = \"${build_id}\";\n")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL text)
  file(WRITE "${OUTPUT}" "${text}")
endif()
