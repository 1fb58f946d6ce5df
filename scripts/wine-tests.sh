#!/usr/bin/env bash
# Runs the Windows test programs of a build folder under Wine, on a virtual
# X display of their own, with one wineserver kept up for the whole run.
# Usage: scripts/wine-tests.sh <build folder> [gtest arguments]
set -uo pipefail
bdir=$1; shift
scripts=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:?}"
summary="$bdir/test-summary.txt"
: > "$summary"

run_all() {
  "$scripts/wine-prefix.sh"
  wineserver -p 2>/dev/null
  local failed=0
  for t in oq_pure_tests oq_framework_tests oq_program_tests oq_main_tests; do
    exe="$bdir/$t.exe"
    [ -f "$exe" ] || continue
    echo "---- $t ----"
    ( cd "$bdir" && timeout 1800 wine "$exe" --gtest_brief=1 "$@" )
    rc=$?
    if [ $rc -eq 0 ]; then echo "wine $t: passed" >> "$summary"
    else echo "wine $t: FAILED (exit $rc)" >> "$summary"; failed=1; fi
  done
  wineserver -k 2>/dev/null
  return $failed
}
export -f run_all
export bdir summary scripts
if [ -n "${OQ_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
  run_all "$@"
else
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c 'run_all "$@"' _ "$@"
fi
