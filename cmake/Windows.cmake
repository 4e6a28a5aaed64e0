# The Windows program and its end-to-end tests (MinGW-w64 tree, or MSVC).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(MINGW)
  # Self-contained executables: only system DLLs are imported.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

enable_language(RC)
include(cmake/VornishApp.cmake)
add_subdirectory(help)
add_dependencies(vornish_files vornish_help)  # run.sh and the packages want the help too

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

# Start-up beside a minimal program; CPU of the idle launcher.
vornish_windows_bench(vornish_bench_startup bench/StartupBench.cpp vornish_e2e_harness shell32)
add_dependencies(vornish_bench_startup vornish holder)
vornish_windows_bench(vornish_bench_idle bench/IdleBench.cpp vornish_e2e_harness)
add_dependencies(vornish_bench_idle vornish)
# Costs of the main window's work: icons, layout, placement, gradient.
vornish_windows_bench(vornish_bench_window bench/WindowBench.cpp vornish_win32)
