# vornish.exe: the Win32 layer over the portable one, again one library per
# layer (each folder's win32/ part), each linking its own portable part and
# the Win32 layers below it.

vornish_layer(vornish_core_win32
  core/win32/Accessible.cpp
  core/win32/Controls.cpp
  core/win32/CrashHandler.cpp
  core/win32/Dialog.cpp
  core/win32/Dpi.cpp
  core/win32/RegistryStore.cpp
  core/win32/SharedRoutines.cpp
  core/win32/SystemLibraries.cpp
  core/win32/Trace.cpp
  core/win32/WinFileSystem.cpp
  core/win32/WinSystemInfo.cpp
  core/win32/WinText.cpp
  core/win32/Window.cpp
)
target_compile_definitions(vornish_core_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                     _WIN32_WINNT=0x0601 WINVER=0x0601)
target_link_libraries(vornish_core_win32 PUBLIC vornish_core comctl32 shell32 ole32 uuid gdi32 user32 advapi32)

vornish_layer(vornish_buttons_win32
  buttons/win32/FileDropTarget.cpp
  buttons/win32/IconButton.cpp
  buttons/win32/IconImage.cpp
  buttons/win32/IconLoader.cpp
  buttons/win32/Launching.cpp
  buttons/win32/ShellIcons.cpp
)
target_link_libraries(vornish_buttons_win32 PUBLIC vornish_buttons vornish_core_win32)

vornish_layer(vornish_dialogs_win32
  dialogs/win32/DialogParts.cpp
  dialogs/win32/frmAbout.cpp
  dialogs/win32/frmButtonSet.cpp
  dialogs/win32/frmLanking.cpp
  dialogs/win32/frmSet.cpp
  dialogs/win32/frmTips.cpp
)
target_link_libraries(vornish_dialogs_win32 PUBLIC vornish_dialogs vornish_buttons_win32)

vornish_layer(vornish_window_win32
  window/win32/Saver.cpp
  window/win32/ButtonDrag.cpp
  window/win32/ButtonStrip.cpp
  window/win32/ControlBar.cpp
  window/win32/Docking.cpp
  window/win32/TickTimer.cpp
  window/win32/ShowRequest.cpp
  window/win32/HelpViewer.cpp
  window/win32/TrayIcon.cpp
  window/win32/frmMain.cpp
  window/win32/frmPopMenu.cpp
)
target_link_libraries(vornish_window_win32 PUBLIC vornish_window vornish_dialogs_win32)
# The whole Windows layer, for the program and for the tests and benchmarks
# that drive it.
add_library(vornish_win32 ALIAS vornish_window_win32)

add_executable(vornish WIN32 app/Main.cpp res/vornish.rc dialogs/win32/Dialogs.rc)
target_link_libraries(vornish PRIVATE vornish_window_win32)
target_compile_options(vornish PRIVATE ${VORNISH_WARNINGS} ${VORNISH_DEBUG_INFO})
if(MINGW)
  # Sections start on page boundaries in the file as in memory, so that the
  # loader can map the program from its file, page by page as it is used,
  # rather than read all of it into memory of the process's own (Wine does
  # for any other alignment; MSVC's linker aligns so by itself).
  target_link_options(vornish PRIVATE -municode -Wl,--file-alignment,4096)
  # Every build keeps its symbols in vornish.debug beside the program, which is
  # stripped and names that file: addr2line turns a crash report's addresses
  # into functions, files and lines with it (docs/crash-reports.md).
  find_program(VORNISH_OBJCOPY NAMES ${TOOLCHAIN_PREFIX}-objcopy objcopy REQUIRED)
  add_custom_command(TARGET vornish POST_BUILD
    COMMAND ${VORNISH_OBJCOPY} --only-keep-debug vornish.exe vornish.debug
    COMMAND ${VORNISH_OBJCOPY} --strip-all --add-gnu-debuglink=vornish.debug vornish.exe
    WORKING_DIRECTORY $<TARGET_FILE_DIR:vornish>
    VERBATIM)
elseif(MSVC)
  target_link_options(vornish PRIVATE /DEBUG /OPT:REF /OPT:ICF)
endif()
# The resource script finds the manifest and version.h in the generated folder.
configure_file(res/vornish.manifest.in ${VORNISH_GENERATED_DIR}/vornish.manifest @ONLY)
set_source_files_properties(res/vornish.rc PROPERTIES OBJECT_DEPENDS
  "${VORNISH_GENERATED_DIR}/vornish.manifest;${VORNISH_GENERATED_DIR}/version.h;${CMAKE_CURRENT_SOURCE_DIR}/res/resource.h")
set_source_files_properties(dialogs/win32/Dialogs.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_SOURCE_DIR}/dialogs/win32/DialogIds.h")

# vornish.exe and the files it uses beside it: what running the launcher and
# the packages need (tools/run.sh builds only this). A target that makes such
# a file (the help file) adds itself: add_dependencies(vornish_files ...).
add_custom_target(vornish_files)
add_dependencies(vornish_files vornish)
