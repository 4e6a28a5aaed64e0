#!/usr/bin/env bash
# Prints the benchmark figures (docs/benchmarks.md): data file reading and
# writing (native, Google Benchmark, with peak heap); under Wine the
# launcher's start-up and memory against the feature floor (bench/Floor.cpp)
# from alternating runs, start-up with many buttons, the main window's costs,
# and idle CPU beside the floor. Ends with the summary rows that
# docs/benchmarks.md tabulates. Figures, not pass/fail.
#
#   tools/bench.sh [start-up runs, default 30] [idle seconds, default 30] [rounds, default 1]
#
# Rounds repeat the idle measurement and the main window's costs (each round
# in a fresh process) and multiply the data file's five repetitions.
# `tools/bench.sh 5 5` is a quick look while iterating.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$VORNISH_ROOT/tools/wine-session.sh"

runs="${1:-30}"
idle_seconds="${2:-30}"
rounds="${3:-1}"
started=$SECONDS

"$VORNISH_ROOT/tools/build.sh"

# Everything printed stays in build/bench.log too.
log="$VORNISH_BUILD_DIR/bench.log"
: >"$log"
show() { "$@" 2>&1 | tee -a "$log"; }

show echo "== data file (native)"
show "$VORNISH_NATIVE_DIR/bench/vornish_bench_datafile" --benchmark_repetitions=$((5 * rounds)) \
  --benchmark_report_aggregates_only=true

wine_session_start
show echo "== start-up and memory against the feature floor (Wine)"
show wine "$VORNISH_BIN_DIR/vornish_bench_startup.exe" "$runs"

show echo "== start-up and exit with 50, 100, 1,000 and 5,000 buttons (Wine)"
show wine "$VORNISH_BIN_DIR/vornish_bench_startup.exe" scale

show echo "== main window (Wine)"
show wine "$VORNISH_BIN_DIR/vornish_bench_window.exe" "$rounds"

show echo "== idle launcher beside the feature floor (Wine; $idle_seconds s, floating and docked)"
show wine "$VORNISH_BIN_DIR/vornish_bench_idle.exe" "$idle_seconds" "$rounds"

show echo "== summary ($runs start-up runs, $idle_seconds s idle, $rounds round(s); $((SECONDS - started)) s in all)"
tr -d '\r' <"$log" | grep -a '^= '
