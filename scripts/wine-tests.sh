#!/usr/bin/env bash
# Runs the Windows test programs of a build folder under Wine, on a virtual
# X display of their own, with one wineserver kept up for the whole run.
# Usage: scripts/wine-tests.sh <build folder> [gtest arguments]
set -uo pipefail
bdir=$1; shift
scripts=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:?}"
if [ -n "${OQ_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
  exec "$scripts/wine-run-all.sh" "$bdir" "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" "$scripts/wine-run-all.sh" "$bdir" "$@"
