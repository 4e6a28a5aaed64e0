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

# Start-up benchmark (run by tools/bench.sh, not by ctest).
add_executable(vornish_bench_startup bench/StartupBench.cpp)
target_link_libraries(vornish_bench_startup PRIVATE vornish_e2e_harness)
target_compile_options(vornish_bench_startup PRIVATE ${VORNISH_WARNINGS})
if(MINGW)
  target_link_options(vornish_bench_startup PRIVATE -municode)
endif()
add_dependencies(vornish_bench_startup vornish minimal)

# Costs of the main window's work (icons, layout, placement), by tools/bench.sh.
add_executable(vornish_bench_window bench/WindowBench.cpp)
target_link_libraries(vornish_bench_window PRIVATE vornish_win32)
target_compile_options(vornish_bench_window PRIVATE ${VORNISH_WARNINGS})
if(MINGW)
  target_link_options(vornish_bench_window PRIVATE -municode)
endif()

# CPU time of an idle launcher, floating and docked (tools/bench.sh).
add_executable(vornish_bench_idle bench/IdleBench.cpp)
target_link_libraries(vornish_bench_idle PRIVATE vornish_e2e_harness)
target_compile_options(vornish_bench_idle PRIVATE ${VORNISH_WARNINGS})
if(MINGW)
  target_link_options(vornish_bench_idle PRIVATE -municode)
endif()
add_dependencies(vornish_bench_idle vornish)
