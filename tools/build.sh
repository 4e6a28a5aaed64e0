#!/usr/bin/env bash
# Installs missing build dependencies, then configures and builds the native
# tree (portable core + unit tests) and the MinGW-w64 tree (vornish.exe and the
# end-to-end tests). Release unless VORNISH_BUILD_TYPE says otherwise.
#
#   tools/build.sh            both trees
#   tools/build.sh native     only build/native
#   tools/build.sh win        only build/win
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

if [ $# -eq 0 ]; then set -- native win; fi

"$VORNISH_ROOT/tools/install-deps.sh"

for tree in "$@"; do
  case "$tree" in
    native)
      cmake -S "$VORNISH_ROOT" -B "$VORNISH_NATIVE_DIR" \
        -DCMAKE_BUILD_TYPE="$VORNISH_BUILD_TYPE" >/dev/null
      cmake --build "$VORNISH_NATIVE_DIR" -j"$VORNISH_JOBS"
      ;;
    win)
      cmake -S "$VORNISH_ROOT" -B "$VORNISH_WIN_DIR" \
        -DCMAKE_TOOLCHAIN_FILE="$VORNISH_ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE="$VORNISH_BUILD_TYPE" >/dev/null
      cmake --build "$VORNISH_WIN_DIR" -j"$VORNISH_JOBS"
      ;;
    *)
      echo "build.sh: unknown tree '$tree' (native or win)" >&2
      exit 2
      ;;
  esac
done
