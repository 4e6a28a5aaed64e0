#!/usr/bin/env bash
# The one test command: installs what is missing, builds both trees, runs the
# native unit tests, then every Windows test under a headless Wine session.
# Screenshots of failed end-to-end tests end up in build/win/e2e-failures/.
# Exits non-zero if anything failed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$VORNISH_ROOT/tools/wine-session.sh"

started=$SECONDS
"$VORNISH_ROOT/tools/build.sh"

reports="$VORNISH_BUILD_DIR/test-reports"
rm -rf "$reports"
mkdir -p "$reports"
status=0

echo "== unit tests (native)"
ctest --test-dir "$VORNISH_NATIVE_DIR" -j"$VORNISH_JOBS" --output-on-failure --no-tests=error \
  --output-junit "$reports/native.xml" || status=1

echo "== Windows tests (Wine)"
failures_out="$VORNISH_BIN_DIR/e2e-failures"
failures="$VORNISH_WIN_DIR/e2e-failures"
rm -rf "$failures_out" "$failures"
wine_session_start
# Serial: the end-to-end tests share one screen, pointer and foreground.
if ! ctest --test-dir "$VORNISH_WIN_DIR" --output-on-failure --no-tests=error --timeout 180 \
  --output-junit "$reports/win.xml"; then
  status=1
  mkdir -p "$failures"
  # A test that timed out had no chance to take its own screenshot.
  import -window root "$failures/screen-after-tests.png" 2>/dev/null || true
fi
wine_session_stop

if [ -d "$failures_out" ]; then
  mkdir -p "$failures"
  for bmp in "$failures_out"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "$failures/$(basename "${bmp%.bmp}").png" 2>/dev/null || cp "$bmp" "$failures/"
  done
fi
if [ -d "$failures" ]; then echo "screenshots of failures: $failures"; fi

# One closing line over both runs, for readers of the log.
passed=0 failed=0 skipped=0
for report in "$reports"/*.xml; do
  [ -e "$report" ] || continue
  summary="$(tr '\n\t' '  ' <"$report" | grep -o '<testsuite [^>]*>' | head -n1 || true)"
  tests="$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$summary")"
  fails="$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$summary")"
  skips="$(sed -n 's/.* skipped="\([0-9]*\)".*/\1/p' <<<"$summary")"
  passed=$((passed + ${tests:-0} - ${fails:-0} - ${skips:-0}))
  failed=$((failed + ${fails:-0}))
  skipped=$((skipped + ${skips:-0}))
done
echo "test.sh took $((SECONDS - started)) s"
echo "tests: $passed passed, $failed failed, $skipped skipped"
exit "$status"
