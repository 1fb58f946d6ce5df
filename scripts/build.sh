#!/usr/bin/env bash
# Installs what is missing, then configures and builds the Windows program
# and lays out dist/. Usage: scripts/build.sh [-jN] [target ...]
# OQ_BUILD_DIR chooses another build folder (default build/win), so that
# several working copies of a build can live side by side; OQ_CMAKE_ARGS adds
# options when a build folder is made (the soak's -DOQ_SOAK=ON).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-system.sh"
prefix=$("$root/scripts/build-deps.sh")
bdir=${OQ_BUILD_DIR:-$root/build/win}
if [ ! -f "$bdir/build.ninja" ]; then
  cmake -S "$root" -B "$bdir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DOQ_DEPS_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
        ${OQ_DIST_DIR:+-DOQ_DIST_DIR="$OQ_DIST_DIR"} ${OQ_CMAKE_ARGS:-} >/dev/null
fi
# Bare words are target names: scripts/build.sh -j2 OrvQuill oq_program_tests
args=()
for a in "$@"; do
  case "$a" in
    -*|[0-9]*) args+=("$a") ;;
    *) args+=(--target "$a") ;;
  esac
done
cmake --build "$bdir" "${args[@]}"
