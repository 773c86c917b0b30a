# Warnings are errors in our own code only; third-party headers come in as system includes.
function(pictaven_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
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
