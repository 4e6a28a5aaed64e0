#!/usr/bin/env bash
# Crashes as a user meets them and a developer reads them, under Wine:
#
# 1. A fault inside one of the launcher's functions (forced by
#    vornish-window's crash verb: a thread started there with a bad argument)
#    leaves a report in %LOCALAPPDATA%\Vornish and ends the process; addr2line
#    with the kept vornish.debug turns the report's offset back into the
#    function.
# 2. The next start tells the user, naming the report, and runs.
# 3. A stack overflow on a thread of the launcher's (one started at
#    OverflowStack, which reserves its stack as the launcher's threads do and
#    recurses without end) is reported too. On Windows the reserve
#    (SetThreadStackGuarantee) leaves the handler 64 KiB; Wine keeps no
#    reserve and leaves a few KiB, too few for its own search of the frames'
#    handlers: the handler takes the overflow first (a vectored handler), and
#    this shows that the report fits in what Wine leaves.
#
# Run by ctest inside tools/test.sh's Wine session.
#
#   test-crash.sh BIN_DIR TOOL_PREFIX VERSION
set -euo pipefail
bin=$1 tools=$2 version=$3
: "${WINEPREFIX:?run inside the Wine session of tools/test.sh}"

fail() { echo "FAIL: $*" >&2; exit 1; }
debug="$bin/vornish.debug"
[ -f "$debug" ] || fail "no vornish.debug beside vornish.exe"
window() { wine "$bin/vornish-window.exe" "$@" 2>/dev/null | tr -d '\r'; }

# A function's offset from the program's load address.
base=$((0x$("${tools}objdump" -p "$bin/vornish.exe" | awk '$1 == "ImageBase" {print $2}')))
offset_of() {
  local symbol
  symbol=$("${tools}nm" -C "$debug" | awk -v name="$1" '!found && index($0, " T " name "(") {print $1; found = 1}')
  [ -n "$symbol" ] || fail "$1 is not in vornish.debug"
  printf '%x' $((0x$symbol - base))
}
# The function at an offset of the program, as addr2line names it.
function_at() { "${tools}addr2line" -f -C -e "$debug" "$(printf '0x%x' $((base + 0x$1)))" | head -n1; }

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

start() {
  wine "$work/vornish.exe" </dev/null >/dev/null 2>&1 &
  launcher=$!
}
# Waits up to ten seconds for the launcher's process to end.
ended() {
  for _ in $(seq 100); do kill -0 "$launcher" 2>/dev/null || { launcher=; return 0; }; sleep 0.1; done
  return 1
}
crash_at() {
  start
  window wait 20000 >/dev/null || fail "the launcher did not show its window"
  window crash "$(offset_of "$1")" || fail "no thread could be started in the launcher"
  ended || fail "the launcher did not end after the fault in $1"
}
# Sets `report` to the one report written since the last call.
shopt -s nullglob
seen=()
new_report() {
  local files=("$reports"/crash-*.txt) fresh=()
  for f in "${files[@]}"; do [[ " ${seen[*]} " == *" $f "* ]] || fresh+=("$f"); done
  [ ${#fresh[@]} -eq 1 ] || fail "expected one new report in $reports, found ${#fresh[@]}"
  seen+=("${fresh[0]}")
  report=${fresh[0]}
}

crash_at vornish::ContentHash
new_report
text=$(tr -d '\r' <"$report")
grep -q "^Vornish $version (commit [0-9a-z]*) stopped on an unhandled exception\.$" <<<"$text" ||
  fail "no version and commit in the report: $text"
at=$(sed -n 's/^Exception: 0xC0000005 at 0x[0-9A-F]*  vornish\.exe+0x\([0-9A-F]*\)$/\1/p' <<<"$text")
[ -n "$at" ] || fail "no access violation inside vornish.exe in the report: $text"
grep -q '^Return addresses:$' <<<"$text" || fail "no stack in the report"
where=$(function_at "$at")
[[ $where == *ContentHash* ]] || fail "addr2line names $where, not ContentHash"
printf '%s\n\nread back with addr2line: %s\n\n' "$text" "$where"

start
message=$(window box 20000) || fail "the next start said nothing about the crash"
grep -qF "$(winepath -w "$report" 2>/dev/null)" <<<"$message" || fail "the message does not name the report: $message"
# The window shows once the message is answered.
for _ in 1 2 3; do
  window close 5000 >/dev/null || true
  ended && break
done
[ -z "$launcher" ] || fail "the launcher did not close after its message"

crash_at vornish::win32::OverflowStack
new_report
text=$(tr -d '\r' <"$report")
grep -q '^Exception: 0xC00000FD at ' <<<"$text" || fail "no stack overflow in the report: $text"
frames=$(sed -n 's/^  0x[0-9A-F]*  vornish\.exe+0x\([0-9A-F]*\)$/\1/p' <<<"$text" | sort -u)
found=
for frame in $frames; do [[ $(function_at "$frame") == *Deeper* ]] && found=1; done
[ -n "$found" ] || fail "the recursion is not among the return addresses: $text"
printf '%s\n' "$(head -n 8 <<<"$text")"
