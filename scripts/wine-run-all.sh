#!/usr/bin/env bash
# On a (virtual) display: prepares the Wine prefix and runs each Windows test
# program of the build folder once, writing one summary line per program to
# <build>/test-summary.txt. Exits non-zero when any program failed.
set -uo pipefail
bdir=$1; shift
scripts=$(cd "$(dirname "$0")" && pwd)
summary="$bdir/test-summary.txt"
: > "$summary"
"$scripts/wine-prefix.sh"
wineserver -p 2>/dev/null
failed=0
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
exit $failed
