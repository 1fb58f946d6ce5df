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

# ---- host: the programs as a user unpacks them ----
if "$root/tests/host/check-dist.sh" "${OQ_DIST_DIR:-$root/dist}" "$root"; then
  summary+=("host check-dist (imports, debug sections, version): passed")
else
  summary+=("host check-dist (imports, debug sections, version): FAILED"); failed=1
fi

# ---- native: window-free code with the sanitizers ----
if [ ! -f "$ndir/build.ninja" ]; then
  cmake -S "$root" -B "$ndir" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null || exit 1
fi
cmake --build "$ndir" >/dev/null || { echo "NATIVE BUILD FAILED"; cmake --build "$ndir"; exit 1; }
if "$ndir/oq_pure_tests" --gtest_brief=1; then
  summary+=("native oq_pure_tests (ASan/UBSan): passed")
else
  summary+=("native oq_pure_tests (ASan/UBSan): FAILED"); failed=1
fi

# ---- Windows: under Wine on a virtual display ----
export WINEPREFIX=$bdir/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
"$root/scripts/wine-tests.sh" "$bdir" "$@"
rc=$?
[ -f "$bdir/test-summary.txt" ] && while IFS= read -r l; do summary+=("$l"); done < "$bdir/test-summary.txt"
[ $rc -ne 0 ] && failed=1

echo
echo "==== Test summary ===="
printf '%s\n' "${summary[@]}"
if [ $failed -ne 0 ]; then echo "RESULT: FAILED"; exit 1; fi
echo "RESULT: all tests passed"
