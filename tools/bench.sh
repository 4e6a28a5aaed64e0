#!/usr/bin/env bash
# Prints the benchmark figures: data file reading and writing (native, Google
# Benchmark, with peak heap), and the launcher's start-up under Wine beside a
# minimal Win32 program in the same run. Figures, not pass/fail.
#   tools/bench.sh [start-up runs, default 30] [idle seconds, default 60]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$VORNISH_ROOT/tools/wine-session.sh"

"$VORNISH_ROOT/tools/build.sh"

echo "== data file (native)"
"$VORNISH_NATIVE_DIR/bench/vornish_bench_datafile" --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true

echo "== start-up (Wine)"
wine_session_start
trap wine_session_stop EXIT
wine "$VORNISH_BIN_DIR/vornish_bench_startup.exe" "${1:-30}"

echo "== start-up and exit with 50, 100, 1,000 and 5,000 buttons (Wine)"
wine "$VORNISH_BIN_DIR/vornish_bench_startup.exe" scale

echo "== main window (Wine)"
wine "$VORNISH_BIN_DIR/vornish_bench_window.exe"

echo "== idle launcher (Wine; ${2:-60} s each, floating and docked)"
wine "$VORNISH_BIN_DIR/vornish_bench_idle.exe" "${2:-60}"
