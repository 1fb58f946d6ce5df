#!/usr/bin/env bash
# Installs what is missing, then configures and builds the Windows program
# (build/win) and lays out dist/. Usage: scripts/build.sh [cmake build args]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-system.sh"
prefix=$("$root/scripts/build-deps.sh")
bdir="$root/build/win"
if [ ! -f "$bdir/build.ninja" ]; then
  cmake -S "$root" -B "$bdir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DOQ_DEPS_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
fi
cmake --build "$bdir" "$@"
