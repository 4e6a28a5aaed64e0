#!/usr/bin/env bash
# Builds vornish.exe and runs it under Wine. Arguments go to vornish.exe
# (a data file is named with its Windows path; Z:\ is the Unix root).
#
# With a display that answers ($DISPLAY), the launcher runs there; this
# script says so once the window shows, and how to end it, and returns when
# it ends. Without one, it runs on a private Xvfb: the
# script waits for the main window, saves build/screenshot.png, closes the
# launcher as a user would and cleans up; it exits non-zero when the main
# window did not show (a message box is reported and pictured instead).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$VORNISH_ROOT/tools/wine-session.sh"

# Only what running needs: the launcher with its files, the session's holder
# and the window tool; not the tests and benchmarks.
"$VORNISH_ROOT/tools/build.sh" win --target vornish_files holder vornish-window
launcher="$VORNISH_BIN_DIR/vornish.exe"
cd "$VORNISH_BIN_DIR"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  wine_session_prepare_prefix
  wine "$launcher" "$@" &
  launcher_pid=$!
  # Once it shows, say where it is and how it ends: the strip has no caption
  # and no close button.
  shown=0
  wine "$VORNISH_BIN_DIR/vornish-window.exe" wait 20000 || shown=$?
  case "$shown" in
    0) echo "run.sh: Vornish runs on display $DISPLAY ($launcher); end it with 終了(X) in its right-click menu." ;;
    3) echo "run.sh: Vornish shows a message box on display $DISPLAY" >&2 ;;
    *) echo "run.sh: no launcher window on display $DISPLAY within 20 s" >&2 ;;
  esac
  launcher_status=0
  wait "$launcher_pid" || launcher_status=$?
  exit "$launcher_status"
fi

screenshot="$VORNISH_BUILD_DIR/screenshot.png"
wine_session_start
wine "$launcher" "$@" </dev/null >"$VORNISH_WINE_DIR/vornish.log" 2>&1 &
launcher_pid=$!

status=0
wine "$VORNISH_BIN_DIR/vornish-window.exe" wait 20000 || status=$?
case "$status" in
  0) ;;
  3) echo "run.sh: the launcher shows a message box instead of its window" >&2 ;;
  *) echo "run.sh: no launcher window within 20 s (log: $VORNISH_WINE_DIR/vornish.log)" >&2 ;;
esac
# Visible comes before painted; the moment covers the first paint and Wine's
# copy to the X screen, so that the screenshot shows it.
sleep 0.5
import -window root "$screenshot"
echo "screenshot: $screenshot"

wine "$VORNISH_BIN_DIR/vornish-window.exe" close 10000 || echo "run.sh: the launcher did not close" >&2
launcher_status=0
for _ in $(seq 100); do
  kill -0 "$launcher_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$launcher_pid" 2>/dev/null; then
  launcher_status=1  # wine_session_stop ends it with everything else
else
  wait "$launcher_pid" || launcher_status=$?
fi
wine_session_stop
if [ "$status" -ne 0 ]; then exit 1; fi
exit "$launcher_status"
