#!/usr/bin/env bash
# Runs the Windows test programs of a build folder under Wine, on a virtual
# X display of their own, with one wineserver kept up for the whole run.
# Usage: scripts/wine-tests.sh <build folder> [gtest arguments]
set -uo pipefail
bdir=$1; shift
: "${WINEPREFIX:?}"
summary="$bdir/test-summary.txt"
: > "$summary"

run_all() {
  wineboot -i >/dev/null 2>&1 || true
  wineserver -p 2>/dev/null
  # Without a window manager on the virtual display, Wine waits up to two
  # seconds for one whenever a managed window is hidden or destroyed; the
  # tests' windows are left unmanaged instead.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
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
export bdir summary
if [ -n "${OQ_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
  run_all "$@"
else
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c 'run_all "$@"' _ "$@"
fi
