# A headless Wine session for tests and screenshots. Source it after env.sh:
#
#   source tools/env.sh
#   source tools/wine-session.sh
#   wine_session_start      # Xvfb, prefix, wineserver, holder; sets DISPLAY
#   ...wine programs...
#   wine_session_stop       # also runs on exit, error or Ctrl-C
#
# The pieces can be used alone: wine_session_start_xvfb,
# wine_session_prepare_prefix, wine_session_start_server,
# wine_session_start_holder.
# shellcheck shell=bash

# Bump when the prefix set-up below changes, so that existing prefixes are
# made again instead of silently lacking the change.
VORNISH_PREFIX_VERSION=2

_wine_session_xvfb_pid=""
_wine_session_holder_pid=""
_wine_session_server=""

_wine_session_log() { echo "wine-session: $*" >&2; }

# Polls `command...` every 50 ms for at most $1 seconds.
_wine_session_poll() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# The Z: drive maps to /, so any Unix path has this Windows name.
wine_session_windows_path() {
  local path
  path="$(realpath -m "$1")"
  echo "Z:${path//\//\\}"
}

wine_session_start_xvfb() {
  local display_file="$VORNISH_WINE_DIR/xvfb.display"
  mkdir -p "$VORNISH_WINE_DIR"
  rm -f "$display_file"
  # -displayfd lets Xvfb take the first free display number itself, which
  # cannot race with another server starting at the same time.
  # -noreset: the screen must not be reset whenever its last client leaves.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$display_file" >"$VORNISH_WINE_DIR/xvfb.log" 2>&1 &
  _wine_session_xvfb_pid=$!
  if ! _wine_session_poll 10 test -s "$display_file"; then
    _wine_session_log "Xvfb did not start (see $VORNISH_WINE_DIR/xvfb.log)"
    return 1
  fi
  export DISPLAY=":$(head -n1 "$display_file")"
  if ! _wine_session_poll 10 xdpyinfo >/dev/null 2>&1; then
    _wine_session_log "Xvfb on $DISPLAY does not answer"
    return 1
  fi
  # There is no task bar here, so a work area as one 28 pixels high at the
  # bottom would leave (x, y, width, height): Wine's monitors take their work
  # area from it, and the docking tests see a task bar as on Windows.
  xprop -root -format _NET_WORKAREA 32c -set _NET_WORKAREA 0,0,1024,740
}

_wine_session_prefix_id() { echo "v$VORNISH_PREFIX_VERSION $(wine --version 2>/dev/null)"; }

# Registry settings of a test prefix, as a regedit file.
_wine_session_prefix_settings() {
  cat <<'REG'
Windows Registry Editor Version 5.00

; Without a window manager Wine otherwise waits 2 s on every hide or destroy
; of a visible top-level window, and dialogs can lose keyboard input.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

; A crashing program must end (with a backtrace on stderr), not wait for a
; click on Wine's crash dialog.
[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

; A fresh prefix lacks the class of .txt, and ShellExecute then shows a
; modal "no associated program" box that blocks forever.
[HKEY_CLASSES_ROOT\.txt]
@="txtfile"
REG
}

# Creates the prefix once (or again when an earlier creation was interrupted
# or the set-up changed); otherwise reuses it.
wine_session_prepare_prefix() {
  : "${WINEPREFIX:?}"
  local stamp="$VORNISH_WINE_DIR/prefix.stamp" id
  id="$(_wine_session_prefix_id)"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$id" ] && [ -f "$WINEPREFIX/system.reg" ]; then
    return 0
  fi
  _wine_session_log "creating the Wine prefix $WINEPREFIX"
  # A server left from an interrupted creation must not write into the new one.
  wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX" "$stamp"
  mkdir -p "$WINEPREFIX"
  wineboot -i >"$VORNISH_WINE_DIR/wineboot.log" 2>&1
  # Title-bar buttons are drawn with Marlett. Debian's Wine looks for its own
  # fonts (fonts-wine) in a folder that does not resolve, so the prefix gets
  # the font in its Fonts folder; without it the buttons show as letters.
  local marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ]; then ln -sf "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"; fi
  local settings="$VORNISH_WINE_DIR/prefix-settings.reg"
  _wine_session_prefix_settings | iconv -f UTF-8 -t UTF-16 >"$settings"
  wine regedit /S "$(wine_session_windows_path "$settings")" >>"$VORNISH_WINE_DIR/wineboot.log" 2>&1
  # The registry reaches the disk only when the server ends; only then is
  # the prefix complete.
  wineserver -k >/dev/null 2>&1 || true
  timeout 30 wineserver -w >/dev/null 2>&1 || true
  echo "$id" >"$stamp"
}

wine_session_start_server() {
  : "${WINEPREFIX:?}"
  local status=0
  wineserver -p >/dev/null 2>&1 || status=$?
  # 2: a server for this prefix already runs, left by an interrupted run or
  # started by hand. It is taken over, and ended by wine_session_stop like
  # one of ours, so that a stale persistent server does not live on.
  if [ "$status" -ne 0 ] && [ "$status" -ne 2 ]; then
    _wine_session_log "wineserver -p failed ($status)"
    return 1
  fi
  _wine_session_server=started
}

wine_session_start_holder() {
  local ready="$VORNISH_WINE_DIR/holder.ready"
  rm -f "$ready"
  # Output to /dev/null: Wine's desktop process, started for this first GUI
  # program, inherits it and would otherwise hold the caller's pipe open.
  wine "$VORNISH_BIN_DIR/holder.exe" 3600 "$(wine_session_windows_path "$ready")" \
    </dev/null >/dev/null 2>&1 &
  _wine_session_holder_pid=$!
  if ! _wine_session_poll 60 test -e "$ready"; then
    _wine_session_log "holder.exe did not start"
    return 1
  fi
}

wine_session_start() {
  trap wine_session_stop EXIT
  trap 'exit 129' HUP
  trap 'exit 130' INT
  trap 'exit 143' TERM
  wine_session_start_xvfb
  wine_session_prepare_prefix
  wine_session_start_server
  wine_session_start_holder
}

# Stops what this shell started, by process id; safe to call more than once.
wine_session_stop() {
  if [ -n "$_wine_session_holder_pid" ]; then
    kill -TERM "$_wine_session_holder_pid" 2>/dev/null || true
  fi
  if [ -n "$_wine_session_server" ]; then
    # Ends every program of this prefix, then the server, which saves the
    # registry on its way out.
    wineserver -k >/dev/null 2>&1 || true
    timeout 30 wineserver -w >/dev/null 2>&1 || true
    _wine_session_server=""
  fi
  if [ -n "$_wine_session_holder_pid" ]; then
    wait "$_wine_session_holder_pid" 2>/dev/null || true
    _wine_session_holder_pid=""
  fi
  if [ -n "$_wine_session_xvfb_pid" ]; then
    kill -TERM "$_wine_session_xvfb_pid" 2>/dev/null || true
    wait "$_wine_session_xvfb_pid" 2>/dev/null || true
    _wine_session_xvfb_pid=""
  fi
}
