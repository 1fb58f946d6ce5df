#!/usr/bin/env bash
# Builds and runs benchmark programs under Wine on a virtual display and
# prints their figures. Usage: scripts/bench.sh [name ...]
# Names: FileListBench LaunchBench ViewerBench StdControlsBench StartupBench
# DropBench DrawingBench (default: all).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
names=("$@")
[ ${#names[@]} -eq 0 ] && names=(FileListBench LaunchBench ViewerBench StdControlsBench StartupBench DropBench DrawingBench)
bdir=${OQ_BUILD_DIR:-$root/build/win}
export OQ_BUILD_DIR=$bdir
"$root/scripts/build.sh" "${names[@]}" oq_writefile OrvQuill >/dev/null || { echo "BUILD FAILED"; exit 1; }
export WINEPREFIX=${WINEPREFIX:-$bdir/bench-prefix}
export WINEDEBUG=-all
xvfb-run -a -s "-screen 0 1024x768x24" bash "$root/scripts/bench-run.sh" "${names[@]}"
