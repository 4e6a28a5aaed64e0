#!/usr/bin/env bash
# A crash as a user meets it and a developer reads it, under Wine: a fault
# inside one of the launcher's functions (forced by vornish-window's crash
# verb: a thread started there with a bad argument) leaves a report in
# %LOCALAPPDATA%\Vornish, the message names that file, the process ends, and
# addr2line with the kept vornish.debug turns the report's offset back into
# the function. Run by ctest inside tools/test.sh's Wine session.
#
#   test-crash.sh BIN_DIR TOOL_PREFIX VERSION
set -euo pipefail
bin=$1 tools=$2 version=$3
: "${WINEPREFIX:?run inside the Wine session of tools/test.sh}"

fail() { echo "FAIL: $*" >&2; exit 1; }
debug="$bin/vornish.debug"
[ -f "$debug" ] || fail "no vornish.debug beside vornish.exe"

# The data file's checksum function, as an offset from the program's load address.
base=$((0x$("${tools}objdump" -p "$bin/vornish.exe" | awk '$1 == "ImageBase" {print $2}')))
symbol=$("${tools}nm" -C "$debug" | awk '!found && / T vornish::ContentHash\(/ {print $1; found = 1}')
[ -n "$symbol" ] || fail "ContentHash is not in vornish.debug"
offset=$(printf '%x' $((0x$symbol - base)))

local_data=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')")
reports="$local_data/Vornish"
work=$(mktemp -d "$WINEPREFIX/drive_c/crash.XXXXXX")
launcher=
cleanup() {
  [ -n "$launcher" ] && kill "$launcher" 2>/dev/null
  rm -rf "$work" "$reports"
}
trap cleanup EXIT
rm -rf "$reports"
cp "$bin/vornish.exe" "$work/"

wine "$work/vornish.exe" </dev/null >/dev/null 2>&1 &
launcher=$!
wine "$bin/vornish-window.exe" wait 20000 >/dev/null 2>&1 || fail "the launcher did not show its window"
wine "$bin/vornish-window.exe" crash "$offset" 2>/dev/null || fail "no thread could be started in the launcher"
message=$(wine "$bin/vornish-window.exe" box 20000 2>/dev/null | tr -d '\r') || fail "no message about the crash"

shopt -s nullglob
files=("$reports"/crash-*.txt)
[ ${#files[@]} -eq 1 ] || fail "expected one report in $reports, found ${#files[@]}"
report=${files[0]}
windows_report=$(winepath -w "$report" 2>/dev/null)
grep -qF "$windows_report" <<<"$message" || fail "the message does not name the report: $message"
wine "$bin/vornish-window.exe" close 10000 >/dev/null 2>&1 || true
for _ in $(seq 100); do kill -0 "$launcher" 2>/dev/null || break; sleep 0.1; done
kill -0 "$launcher" 2>/dev/null && fail "the launcher did not end after the message"
launcher=

text=$(tr -d '\r' <"$report")
grep -q "^Vornish $version (commit [0-9a-z]*) stopped on an unhandled exception\.$" <<<"$text" ||
  fail "no version and commit in the report: $text"
at=$(sed -n 's/^Exception: 0xC0000005 at 0x[0-9A-F]*  vornish\.exe+0x\([0-9A-F]*\)$/\1/p' <<<"$text")
[ -n "$at" ] || fail "no access violation inside vornish.exe in the report: $text"
grep -q '^Return addresses:$' <<<"$text" || fail "no stack in the report"
where=$("${tools}addr2line" -f -C -e "$debug" "$(printf '0x%x' $((base + 0x$at)))")
[[ ${where%%$'\n'*} == *ContentHash* ]] || fail "addr2line names ${where%%$'\n'*}, not ContentHash"
printf '%s\n\nread back with addr2line:\n%s\n' "$text" "$where"
