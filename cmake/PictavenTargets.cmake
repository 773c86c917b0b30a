# Warnings are shown for our own code; third-party headers come in as system includes. They
# become errors only where asked (our test script and CI), so that a packager's build with another
# compiler version is not stopped by a warning that compiler adds.
function(pictaven_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(PICTAVEN_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
    # GCC 12 and 13 take inlined std::string insertions at -O3 for overlapping copies (a false
    # report of theirs); it stays a warning there rather than failing the optimised build.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 14)
      target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
  endif()
endfunction()

# One static library per subsystem folder of src/, built from every .cpp in it, so that a
# subsystem and its tests build without the others.
#   pictaven_module(<name> [DEPENDS <targets...>])
function(pictaven_module name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  set(target pictaven_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
    pictaven_warnings(${target})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()
