# Makes the two packages from the built program; run at build time by the
# target vornish_packages (cmake/Packages.cmake) as `cmake -P`:
#   vornish-<version>-portable.zip  vornish.exe, VRN.chm when the build made
#                                   one, Vornish.ini (the settings at their
#                                   defaults: the copy keeps its settings
#                                   beside it), readme.txt
#   vornish-<version>-setup.exe     the installer, packaging/vornish.nsi
#   vornish-<version>.debug         the symbols of that vornish.exe, kept for
#                                   reading crash reports (docs/crash-reports.md)
# Variables: BIN_DIR, SOURCE_DIR, DIST_DIR, VERSION, VERSION_FOUR, MAKENSIS, ZIP.
# Does nothing while both are newer than everything they are made of.
cmake_minimum_required(VERSION 3.20)

set(names vornish.exe)
if(EXISTS ${BIN_DIR}/VRN.chm)
  list(APPEND names VRN.chm)
endif()
list(TRANSFORM names PREPEND ${BIN_DIR}/ OUTPUT_VARIABLE files)
set(zip ${DIST_DIR}/vornish-${VERSION}-portable.zip)
set(setup ${DIST_DIR}/vornish-${VERSION}-setup.exe)
set(stage ${DIST_DIR}/stage)
set(icon ${SOURCE_DIR}/res/icons/imgApp.ico)
set(settings ${SOURCE_DIR}/packaging/Vornish.ini)
set(inputs ${files} ${icon} ${SOURCE_DIR}/packaging/vornish.nsi ${SOURCE_DIR}/packaging/readme.txt ${settings}
           ${CMAKE_CURRENT_LIST_FILE})

# The symbols belong to exactly this program: copied whenever it changed.
if(EXISTS ${BIN_DIR}/vornish.debug)
  file(MAKE_DIRECTORY ${DIST_DIR})
  file(GLOB previous_symbols ${DIST_DIR}/vornish-*.debug)
  list(REMOVE_ITEM previous_symbols ${DIST_DIR}/vornish-${VERSION}.debug)
  if(previous_symbols)
    file(REMOVE ${previous_symbols})
  endif()
  file(COPY_FILE ${BIN_DIR}/vornish.debug ${DIST_DIR}/vornish-${VERSION}.debug ONLY_IF_DIFFERENT)
endif()

# A file that came or went (the help file) makes them stale as well.
set(contents ${DIST_DIR}/contents.txt)
set(stale FALSE)
if(EXISTS ${contents})
  file(READ ${contents} previous)
endif()
if(NOT "${previous}" STREQUAL "${names}")
  set(stale TRUE)
endif()
foreach(output ${zip} ${setup})
  foreach(input ${inputs})
    if(${input} IS_NEWER_THAN ${output})
      set(stale TRUE)
    endif()
  endforeach()
endforeach()
if(NOT stale)
  return()
endif()

# Packages of this version and of earlier ones go.
file(GLOB previous_packages ${DIST_DIR}/vornish-*-portable.zip ${DIST_DIR}/vornish-*-setup.exe)
file(REMOVE_RECURSE ${stage})
file(REMOVE ${previous_packages} ${contents})
file(COPY ${files} ${settings} DESTINATION ${stage})
configure_file(${SOURCE_DIR}/packaging/readme.txt ${stage}/readme.txt @ONLY NEWLINE_STYLE CRLF)

# -X: no Unix owners and permissions in the archive. The installer takes only
# the files it names, never Vornish.ini: the installed copy keeps its
# settings in the registry.
execute_process(COMMAND ${ZIP} -q -X ${zip} ${names} Vornish.ini readme.txt
                WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)

set(nsis_defines -DVERSION=${VERSION} -DVERSION_FOUR=${VERSION_FOUR} -DFILES=${stage} -DICON=${icon}
                 -DOUTFILE=${setup})
if("VRN.chm" IN_LIST names)
  list(APPEND nsis_defines -DHELP)
endif()
# -WX: a warning is an error; -V2: warnings and errors only.
execute_process(COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 ${nsis_defines} ${SOURCE_DIR}/packaging/vornish.nsi
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${setup})
  message(FATAL_ERROR "makensis failed (${status})")
endif()
file(WRITE ${contents} "${names}")
message(STATUS "Packages: ${setup}, ${zip}")
