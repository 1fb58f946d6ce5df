#!/usr/bin/env bash
# The soak: builds OrvSoak with the framework's live count of GDI objects (in
# a build folder of its own, build/soak) and runs it under Wine on a virtual
# display. Every window of the program is opened and closed the given number
# of times (default 200) in one process; the process's handles, private
# bytes and live GDI objects are printed before and after, per window.
# Usage: scripts/soak.sh [rounds] [option words: METAL, SHADED, NOMETAL, WINBORDER, NORGN ...]
# (no words: the metal look, as the frame starts without a parameter file)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-200}
[ $# -gt 0 ] && shift
bdir=${OQ_SOAK_DIR:-$root/build/soak}
OQ_BUILD_DIR=$bdir OQ_DIST_DIR=$bdir/dist OQ_CMAKE_ARGS=-DOQ_SOAK=ON \
  "$root/scripts/build.sh" OrvSoak >/dev/null || { echo "BUILD FAILED"; exit 1; }
export WINEPREFIX=${WINEPREFIX:-$bdir/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
run='root=$0 bdir=$1; shift; "$root/scripts/wine-prefix.sh"; cd "$bdir" && wine ./OrvSoak.exe "$@"; rc=$?; wineserver -k 2>/dev/null; exit $rc'
if [ -n "${OQ_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
  bash -c "$run" "$root" "$bdir" "$rounds" "$@"
else
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$run" "$root" "$bdir" "$rounds" "$@"
fi
