# The installer and the portable zip, made in ${CMAKE_BINARY_DIR}/dist by
# every build of the tree (cmake/MakePackages.cmake, quick when nothing
# changed; tools/package.sh copies them to dist/), and their test under Wine.
# NSIS and zip come from tools/install-deps.sh; without them there are none.
find_program(VORNISH_MAKENSIS makensis)
find_program(VORNISH_ZIP zip)
if(NOT VORNISH_MAKENSIS OR NOT VORNISH_ZIP)
  message(STATUS "No makensis or zip: no packages")
  return()
endif()

set(VORNISH_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
add_custom_target(vornish_packages ALL
  COMMAND ${CMAKE_COMMAND} -DBIN_DIR=$<TARGET_FILE_DIR:vornish> -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
          -DDIST_DIR=${VORNISH_DIST_DIR} -DVERSION=${PROJECT_VERSION} -DVERSION_FOUR=${VORNISH_VERSION_FOUR}
          -DMAKENSIS=${VORNISH_MAKENSIS} -DZIP=${VORNISH_ZIP} -P ${CMAKE_SOURCE_DIR}/cmake/MakePackages.cmake
  VERBATIM)
add_dependencies(vornish_packages vornish_files)

if(CMAKE_HOST_UNIX)
  add_test(NAME packages
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/packages/test-packages.sh ${VORNISH_DIST_DIR}
                   $<TARGET_FILE_DIR:vornish> ${PROJECT_VERSION} ${CMAKE_RC_COMPILER} ${CMAKE_SOURCE_DIR}/README.md)
  # One screen, one registry: like the end-to-end tests, alone.
  set_tests_properties(packages PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)
endif()
