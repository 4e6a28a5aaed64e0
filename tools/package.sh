#!/usr/bin/env bash
# Builds the Release launcher (with its help file when the build makes one)
# and its two packages, and puts them into dist/:
#   dist/vornish-<version>-setup.exe     the per-user installer
#   dist/vornish-<version>-portable.zip  the program to unzip anywhere writable
#   dist/vornish-<version>.debug         its symbols, not for users: they turn
#                                        crash reports into file and line
# The version is project()'s in CMakeLists.txt.
set -euo pipefail
VORNISH_BUILD_TYPE=Release
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

"$VORNISH_ROOT/tools/build.sh" win --target vornish_packages
version="$(sed -n 's/^#define VORNISH_VERSION_TEXT "\(.*\)"$/\1/p' "$VORNISH_WIN_DIR/generated/version.h")"
mkdir -p "$VORNISH_ROOT/dist"
for package in "vornish-$version-setup.exe" "vornish-$version-portable.zip" "vornish-$version.debug"; do
  cp "$VORNISH_WIN_DIR/dist/$package" "$VORNISH_ROOT/dist/$package"
  echo "$VORNISH_ROOT/dist/$package ($(stat -c %s "$VORNISH_ROOT/dist/$package") bytes)"
done
