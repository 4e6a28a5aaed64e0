# Sourced by the other tools (and by hand: `source tools/env.sh`) so that
# every build, test and Wine command sees the same folders and the same Wine.
# Everything Wine writes (prefix, fake home, server socket, temp files) stays
# inside build/ so a run never touches ~/.wine or the user's home.

VORNISH_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VORNISH_BUILD_TYPE="${VORNISH_BUILD_TYPE:-Release}"
# Another build folder keeps a second set of trees apart from build/ (e.g. to
# test while an editor's build runs in build/).
VORNISH_BUILD_DIR="${VORNISH_BUILD_DIR:-$VORNISH_ROOT/build}"
VORNISH_NATIVE_DIR="$VORNISH_BUILD_DIR/native"
VORNISH_WIN_DIR="$VORNISH_BUILD_DIR/win"
VORNISH_BIN_DIR="$VORNISH_WIN_DIR/bin"
VORNISH_WINE_DIR="$VORNISH_BUILD_DIR/wine"
VORNISH_JOBS="${VORNISH_JOBS:-2}"
export VORNISH_ROOT VORNISH_BUILD_DIR VORNISH_BUILD_TYPE VORNISH_NATIVE_DIR VORNISH_WIN_DIR \
  VORNISH_BIN_DIR VORNISH_WINE_DIR VORNISH_JOBS

export WINEPREFIX="$VORNISH_WINE_DIR/prefix"
export WINEARCH=win64
# Keep a caller's choice so that `WINEDEBUG=+relay tools/...` works for debugging.
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko install prompts, no .desktop files written for the host.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export HOME="$VORNISH_WINE_DIR/home"
export TMPDIR="$VORNISH_WINE_DIR/tmp"
# Under ja_JP.UTF-8 Wine's ANSI code page is 932, as on a Japanese Windows.
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

mkdir -p "$HOME" "$TMPDIR"
