#!/usr/bin/env bash
# Builds everything and runs every test: the window-free code natively with
# AddressSanitizer and UBSan, then all test programs under Wine on a virtual
# display, in a Wine prefix of the tests' own. Exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
bdir=${OQ_BUILD_DIR:-$root/build/win}
ndir=${OQ_NATIVE_DIR:-$root/build/native}
export OQ_BUILD_DIR=$bdir

"$root/scripts/build.sh" || { echo "BUILD FAILED"; exit 1; }

failed=0
summary=()
# Totals of single tests over every step: a script check counts as one.
total_passed=0
total_failed=0
count() { total_passed=$((total_passed + $1)); total_failed=$((total_failed + $2)); }

# ---- host: the programs as a user unpacks them ----
if "$root/tests/host/check-dist.sh" "${OQ_DIST_DIR:-$root/dist}" "$root"; then
  summary+=("host check-dist (imports, debug sections, version): passed"); count 1 0
else
  summary+=("host check-dist (imports, debug sections, version): FAILED"); failed=1; count 0 1
fi

# ---- native: window-free code with the sanitizers ----
if [ ! -f "$ndir/build.ninja" ]; then
  cmake -S "$root" -B "$ndir" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null || exit 1
fi
cmake --build "$ndir" >/dev/null || { echo "NATIVE BUILD FAILED"; cmake --build "$ndir"; exit 1; }
mkdir -p "$ndir/logs"
"$ndir/oq_pure_tests" --gtest_brief=1 > "$ndir/logs/oq_pure_tests.log" 2>&1
rc=$?
cat "$ndir/logs/oq_pure_tests.log"
read -r p f < <("$root/scripts/gtest-counts.sh" "$ndir/logs/oq_pure_tests.log" $rc)
count "$p" "$f"
if [ $rc -eq 0 ]; then
  summary+=("native oq_pure_tests (ASan/UBSan): passed ($p tests)")
else
  summary+=("native oq_pure_tests (ASan/UBSan): FAILED"); failed=1
fi

# ---- native: every fuzz target replays its seeds (a regression run) ----
replayed=0; bad=()
for exe in "$ndir"/*Fuzz; do
  [ -x "$exe" ] || continue
  t=$(basename "$exe"); t=${t%Fuzz}
  if "$exe" "$root/tests/fuzz/corpus/$t" > "$ndir/logs/fuzz-$t.log" 2>&1; then
    count 1 0; replayed=$((replayed + 1))
  else
    count 0 1; bad+=("$t"); cat "$ndir/logs/fuzz-$t.log"
  fi
done
if [ ${#bad[@]} -eq 0 ] && [ $replayed -gt 0 ]; then
  summary+=("native fuzz corpora replayed (ASan/UBSan): passed ($replayed targets)")
else
  summary+=("native fuzz corpora replayed (ASan/UBSan): FAILED (${bad[*]:-no targets})"); failed=1
fi

# ---- Windows: under Wine on a virtual display ----
export WINEPREFIX=$bdir/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
"$root/scripts/wine-tests.sh" "$bdir" "$@"
rc=$?
[ -f "$bdir/test-summary.txt" ] && while IFS= read -r l; do summary+=("$l"); done < "$bdir/test-summary.txt"
[ $rc -ne 0 ] && failed=1
if [ -f "$bdir/test-counts.txt" ]; then
  while read -r p f; do count "$p" "$f"; done < "$bdir/test-counts.txt"
fi

echo
echo "==== Test summary ===="
printf '%s\n' "${summary[@]}"
if [ $failed -ne 0 ]; then echo "RESULT: FAILED"; else echo "RESULT: all tests passed"; fi
echo "$total_passed passed, $total_failed failed"
exit $failed
