# The one version number is project()'s. This makes it known to the C++ code
# and to the resource script as ${VORNISH_GENERATED_DIR}/version.h, with the
# commit the tree was configured at (for crash reports); the same numbers go
# into the manifest and the packages.
set(VORNISH_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(VORNISH_VERSION_FOUR ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)

set(VORNISH_COMMIT unknown)
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --short HEAD
                  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE status ERROR_QUIET)
  if(status EQUAL 0 AND commit)
    set(VORNISH_COMMIT ${commit})
  endif()
endif()

configure_file(${CMAKE_SOURCE_DIR}/res/version.h.in ${VORNISH_GENERATED_DIR}/version.h @ONLY)
