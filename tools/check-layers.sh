#!/usr/bin/env bash
# Checks that every #include of the program's sources runs down the layers:
#
#   core <- buttons <- dialogs <- window <- app
#
# A folder's portable part (its own files) may include the portable parts of
# its layer and the layers below; its win32/ part may include those and the
# win32/ parts of its layer and below; app/ may include everything. A portable
# file includes no Windows header (nor any <*.h>: the standard library's C++
# headers only) and nothing of res/, the Windows resources.
#
#   tools/check-layers.sh [source folder]
#
# Prints one line per include that breaks the rule and exits 1 if there was
# any. ctest runs it with the native unit tests (test "layers").
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

find core buttons dialogs window app -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
  xargs -0 awk '
    BEGIN {
      split("core buttons dialogs window app", names, " ")
      for (i = 1; i <= 5; ++i) rank[names[i]] = i
      bad = 0
    }
    # The layer and part of a path ("dialogs/win32/frmSet.h"); app is Windows only.
    function layer(path) { split(path, p, "/"); return p[1] }
    function part(path) { split(path, p, "/"); return (p[1] == "app" || p[2] == "win32") ? "win32" : "portable" }
    function where(path) { return layer(path) (part(path) == "win32" ? "/win32" : "") }
    function report(message) { printf "%s:%d: %s\n", FILENAME, FNR, message; bad = 1 }

    /^[ \t]*#[ \t]*include[ \t]*[<"]/ {
      line = $0
      sub(/^[ \t]*#[ \t]*include[ \t]*/, "", line)
      quoted = substr(line, 1, 1) == "\""
      target = substr(line, 2)
      sub(/[>"].*$/, "", target)
      from = FILENAME
      if (!quoted) {
        if (part(from) == "portable" && target ~ /\.h$/) report("<" target "> in a portable file: the standard library only")
        next
      }
      if (target == "version.h") next  # generated: version numbers only
      if (target ~ /^res\//) {
        if (part(from) == "portable") report(target ": Windows resources in a portable file")
        next
      }
      if (!(layer(target) in rank)) {
        report(target ": in no layer (name it from the source folder: core/..., buttons/...)")
        next
      }
      if (rank[layer(target)] > rank[layer(from)]) {
        report(target ": climbs from " where(from) " to " where(target))
      } else if (part(from) == "portable" && part(target) == "win32") {
        report(target ": a Windows header in a portable file")
      }
    }
    END { exit bad }
  ' || {
  echo "check-layers: includes that break the layers (core <- buttons <- dialogs <- window <- app;" \
    "portable below win32/); see docs/contributing.md" >&2
  exit 1
}
