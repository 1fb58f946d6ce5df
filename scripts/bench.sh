#!/usr/bin/env bash
# Builds and runs benchmark programs under Wine on a virtual display and
# prints their figures. Usage: scripts/bench.sh [name ...]
# Names: the programs of bench/ and bench/main/ (FileListBench, LaunchBench,
# StartupRatioBench, ResizeBench ...); default: all of them. With
# OQ_USE_DISPLAY=1 and $DISPLAY set, the display given is used instead of a
# virtual one of their own.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in "$root"/bench/*.cpp "$root"/bench/main/*.cpp; do names+=("$(basename "$f" .cpp)"); done
fi
bdir=${OQ_BUILD_DIR:-$root/build/win}
export OQ_BUILD_DIR=$bdir
# StartupRatioBench starts the program as a user unpacks it (dist/) and
# compares it with a bare program.
"$root/scripts/build.sh" "${names[@]}" oq_writefile OrvQuill oq_barewindow dist >/dev/null ||
  { echo "BUILD FAILED"; exit 1; }
export OQ_DIST_DIR=${OQ_DIST_DIR:-$root/dist}
export WINEPREFIX=${WINEPREFIX:-$bdir/bench-prefix}
export WINEDEBUG=-all
if [ -n "${OQ_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
  exec bash "$root/scripts/bench-run.sh" "${names[@]}"
fi
xvfb-run -a -s "-screen 0 1024x768x24" bash "$root/scripts/bench-run.sh" "${names[@]}"
