#!/usr/bin/env bash
# Installs the system packages the build and the tests need, when missing.
# Usage: scripts/setup-system.sh [fuzz]
# Safe to run repeatedly: it does nothing when everything is there.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

pkgs=(g++-mingw-w64-i686 libz-mingw-w64-dev wine wine32:i386 xvfb xauth x11-utils
      xdotool imagemagick fonts-liberation fonts-wine fonts-wqy-zenhei fonts-symbola
      cmake ninja-build g++ googletest
      dpkg-dev ca-certificates libpng-dev zlib1g-dev libjpeg62-turbo-dev)
# "fuzz": also what the fuzz targets need (clang and its libFuzzer and
# sanitizer runtimes); the tests themselves do without.
if [ "${1:-}" = fuzz ]; then pkgs+=(clang libclang-rt-dev); fi
for p in "${pkgs[@]}"; do have_pkg "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
echo "setup-system: installing ${need[*]}" >&2
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
