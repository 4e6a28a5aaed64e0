#!/usr/bin/env bash
# Installs missing build dependencies, then configures and builds the native
# tree (portable core + unit tests) and the MinGW-w64 tree (vornish.exe and the
# end-to-end tests). Release unless VORNISH_BUILD_TYPE says otherwise.
#
#   tools/build.sh            both trees
#   tools/build.sh native     only build/native
#   tools/build.sh win        only build/win
#   tools/build.sh win --target vornish_files holder
#                             only these targets (and what they need)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

trees=()
while [ $# -gt 0 ] && [ "$1" != --target ]; do trees+=("$1"); shift; done
targets=("$@")  # empty, or --target and the names
if [ ${#trees[@]} -eq 0 ]; then trees=(native win); fi
set -- "${trees[@]}"

"$VORNISH_ROOT/tools/install-deps.sh"

for tree in "$@"; do
  case "$tree" in
    native)
      cmake -S "$VORNISH_ROOT" -B "$VORNISH_NATIVE_DIR" \
        -DCMAKE_BUILD_TYPE="$VORNISH_BUILD_TYPE" >/dev/null
      cmake --build "$VORNISH_NATIVE_DIR" -j"$VORNISH_JOBS" "${targets[@]}"
      ;;
    win)
      cmake -S "$VORNISH_ROOT" -B "$VORNISH_WIN_DIR" \
        -DCMAKE_TOOLCHAIN_FILE="$VORNISH_ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE="$VORNISH_BUILD_TYPE" >/dev/null
      cmake --build "$VORNISH_WIN_DIR" -j"$VORNISH_JOBS" "${targets[@]}"
      ;;
    *)
      echo "build.sh: unknown tree '$tree' (native or win)" >&2
      exit 2
      ;;
  esac
done
