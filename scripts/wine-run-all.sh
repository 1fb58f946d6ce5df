#!/usr/bin/env bash
# On a (virtual) display: prepares the Wine prefix and runs each Windows test
# program of the build folder once, writing one summary line per program to
# <build>/test-summary.txt and "<passed> <failed>" per program to
# <build>/test-counts.txt. Exits non-zero when any program failed.
set -uo pipefail
bdir=$1; shift
scripts=$(cd "$(dirname "$0")" && pwd)
summary="$bdir/test-summary.txt"
counts="$bdir/test-counts.txt"
: > "$summary"
: > "$counts"
mkdir -p "$bdir/logs"
"$scripts/wine-prefix.sh"
wineserver -p 2>/dev/null
failed=0
for t in oq_pure_tests oq_framework_tests oq_program_tests oq_main_tests; do
  exe="$bdir/$t.exe"
  [ -f "$exe" ] || continue
  echo "---- $t ----"
  log="$bdir/logs/$t.log"
  : > "$log"  # there before tail looks for it
  # The output goes to a file and is followed from there: programs that a
  # test starts may outlive it and would hold a pipe open.
  ( cd "$bdir" && exec timeout 1800 wine "$exe" --gtest_brief=1 "$@" ) > "$log" 2>&1 &
  pid=$!
  tail -n +1 -f --pid=$pid "$log"
  wait $pid
  rc=$?
  read -r p f < <("$scripts/gtest-counts.sh" "$log" $rc)
  echo "$p $f" >> "$counts"
  if [ $rc -eq 0 ]; then echo "wine $t: passed ($p tests)" >> "$summary"
  else echo "wine $t: FAILED (exit $rc; $p passed, $f failed)" >> "$summary"; failed=1; fi
done
wineserver -k 2>/dev/null
exit $failed
