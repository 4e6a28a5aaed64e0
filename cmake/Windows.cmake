# The Windows program and its end-to-end tests (MinGW-w64 tree, or MSVC).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(MINGW)
  # Self-contained executables: only system DLLs are imported.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Optimised for size: the program's pages are its memory once they have
  # run, and the launcher waits for the user, not for its own code (-Os
  # halves the code of -O3).
  string(REPLACE "-O3" "-Os" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
endif()

enable_language(RC)
include(cmake/VornishApp.cmake)
add_subdirectory(help)
add_dependencies(vornish_files vornish_help)  # run.sh and the packages want the help too

add_subdirectory(tools/driver)
add_subdirectory(tests/e2e)
add_subdirectory(tests/win32)
include(cmake/Packages.cmake)

# Benchmarks run by tools/bench.sh under Wine, not by ctest.
function(vornish_windows_bench name source)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_compile_options(${name} PRIVATE ${VORNISH_WARNINGS})
  if(MINGW)
    target_link_options(${name} PRIVATE -municode)
  endif()
endfunction()

# What the Wine benchmarks share: Linux's view of a program, order statistics,
# data files of buttons with real icons.
add_library(vornish_bench_wine STATIC bench/WineBench.cpp)
target_compile_options(vornish_bench_wine PRIVATE ${VORNISH_WARNINGS})
target_link_libraries(vornish_bench_wine PUBLIC shell32 vornish_core_win32)
# The feature floor the launcher's start-up, memory and idle CPU are given
# against; it and the window costs carry the launcher's manifest.
set_source_files_properties(bench/Manifest.rc PROPERTIES OBJECT_DEPENDS ${VORNISH_GENERATED_DIR}/vornish.manifest)
vornish_windows_bench(vornish_bench_floor bench/Floor.cpp comctl32 shell32 ole32 uuid)
target_sources(vornish_bench_floor PRIVATE bench/Manifest.rc)
target_include_directories(vornish_bench_floor PRIVATE ${VORNISH_GENERATED_DIR})
target_compile_definitions(vornish_bench_floor PRIVATE UNICODE _UNICODE)
set_target_properties(vornish_bench_floor PROPERTIES WIN32_EXECUTABLE TRUE)

# Start-up and memory against the floor; CPU of the idle launcher beside it.
vornish_windows_bench(vornish_bench_startup bench/StartupBench.cpp vornish_driver vornish_bench_wine)
add_dependencies(vornish_bench_startup vornish vornish_bench_floor)
vornish_windows_bench(vornish_bench_idle bench/IdleBench.cpp vornish_driver vornish_bench_wine)
add_dependencies(vornish_bench_idle vornish vornish_bench_floor)
# Costs of the main window's work: icons, layout, placement, gradient.
vornish_windows_bench(vornish_bench_window bench/WindowBench.cpp vornish_win32 vornish_bench_wine)
target_sources(vornish_bench_window PRIVATE bench/Manifest.rc)
