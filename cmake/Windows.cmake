# The Windows program and its end-to-end tests (MinGW-w64 tree, or MSVC).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(MINGW)
  # Self-contained executables: only system DLLs are imported.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

enable_language(RC)
include(cmake/VornishApp.cmake)

add_subdirectory(tests/e2e)
add_subdirectory(tests/win32)
