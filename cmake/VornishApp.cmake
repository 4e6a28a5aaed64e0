# vornish.exe: the Win32 layer over the portable core.
add_library(vornish_win32 STATIC
  core/win32/Controls.cpp
  core/win32/Dialog.cpp
  core/win32/Dpi.cpp
  core/win32/RegistryStore.cpp
  core/win32/SharedRoutines.cpp
  core/win32/WinFileSystem.cpp
  core/win32/WinSystemInfo.cpp
  core/win32/WinText.cpp
  core/win32/Window.cpp
  buttons/win32/FileDropTarget.cpp
  buttons/win32/IconButton.cpp
  buttons/win32/IconImage.cpp
  buttons/win32/IconLoader.cpp
  buttons/win32/Launching.cpp
  buttons/win32/ShellIcons.cpp
  dialogs/win32/DialogParts.cpp
  dialogs/win32/frmAbout.cpp
  dialogs/win32/frmButtonSet.cpp
  dialogs/win32/frmLanking.cpp
  dialogs/win32/frmSet.cpp
  dialogs/win32/frmTips.cpp
  window/win32/ButtonDrag.cpp
  window/win32/ButtonStrip.cpp
  window/win32/ControlBar.cpp
  window/win32/Docking.cpp
  window/win32/HelpViewer.cpp
  window/win32/TrayIcon.cpp
  window/win32/frmMain.cpp
  window/win32/frmPopMenu.cpp
)
target_compile_definitions(vornish_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                _WIN32_WINNT=0x0601 WINVER=0x0601)
target_compile_options(vornish_win32 PRIVATE ${VORNISH_WARNINGS})
target_link_libraries(vornish_win32 PUBLIC vornish_core comctl32 comdlg32 uxtheme shell32 ole32 uuid gdi32 user32 advapi32
                                           version)

add_executable(vornish WIN32 app/Main.cpp res/vornish.rc dialogs/win32/Dialogs.rc)
target_link_libraries(vornish PRIVATE vornish_win32)
target_compile_options(vornish PRIVATE ${VORNISH_WARNINGS})
if(MINGW)
  # Release builds are stripped: a smaller image loads faster.
  target_link_options(vornish PRIVATE -municode $<$<CONFIG:Release>:-s>)
endif()
set_source_files_properties(res/vornish.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_SOURCE_DIR}/res/vornish.manifest;${CMAKE_CURRENT_SOURCE_DIR}/res/resource.h")
set_source_files_properties(dialogs/win32/Dialogs.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_SOURCE_DIR}/dialogs/win32/DialogIds.h")
