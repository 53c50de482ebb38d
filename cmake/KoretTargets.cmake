# Shared settings for every target of the project.

set(KORET_WARNINGS -Wall -Wextra -Wpedantic)
# GCC 12 warns wrongly of overlapping copies inside std::string at -O3 (the benchmark build), on
# plain concatenations; the warning stays on for the other builds.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_BUILD_TYPE STREQUAL "Release")
  list(APPEND KORET_WARNINGS -Wno-restrict)
endif()
if(KORET_WERROR)
  list(APPEND KORET_WARNINGS -Werror)
endif()

if(KORET_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzz builds instrument every library for coverage; the fuzz targets add the fuzzer's main.
if(KORET_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# koret_library(<name> SOURCES ... [DEPENDS ...]): one library per layer folder.
function(koret_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KORET_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# koret_executable(<name> SOURCES ... [DEPENDS ...] [PROGRAM]): PROGRAM places it in the program folder.
function(koret_executable name)
  cmake_parse_arguments(ARG "PROGRAM" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${KORET_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS})
  if(ARG_PROGRAM)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KORET_PROGRAM_DIR})
  endif()
endfunction()
