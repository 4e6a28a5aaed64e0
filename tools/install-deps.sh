#!/usr/bin/env bash
# Installs what building and testing Vornish needs on Debian 12: the native
# toolchain with GoogleTest and Google Benchmark, the MinGW-w64 cross compiler,
# Wine with the fonts that draw its title-bar buttons (fonts-wine, which Wine
# only recommends, and recommends are not installed here), a headless X
# server, Japanese fonts, the ja_JP.UTF-8 locale (so that Wine's ANSI code
# page is 932), the help file's compiler (chmcmd and chmls of fp-utils), and
# NSIS and zip for the packages. Safe to run again: it installs
# only what is missing and does nothing when everything is present.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64
  wine wine64 fonts-wine
  xvfb x11-utils xdotool imagemagick
  fonts-noto-cjk locales
  fp-utils
  nsis zip unzip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# ja_JP.UTF-8 gives Wine the Japanese ANSI code page (932).
if ! locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
  echo "install-deps: generating ja_JP.UTF-8" >&2
  if ! grep -qE '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
