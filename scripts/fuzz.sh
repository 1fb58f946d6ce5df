#!/usr/bin/env bash
# Fuzzes every reader of outside input with libFuzzer (clang, AddressSanitizer
# and UBSan), each target for the given number of seconds, one after the
# other on one core, and prints per target: executions, coverage (edges
# reached of those instrumented) and findings. The seeds in
# tests/fuzz/corpus/<target> are read, never written; what the fuzzer learns
# is kept in build/fuzz/corpus/<target> for the next run, and findings go to
# build/fuzz/findings/<target>/ (copy one into the seeds once it is mended:
# ./test.sh replays the seeds).
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target ...]
# OQ_FUZZ_RUNS=N ends each target after N executions, if that comes first.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
secs=${1:-60}
[ $# -gt 0 ] && shift
"$root/scripts/setup-system.sh" fuzz
fdir=${OQ_FUZZ_DIR:-$root/build/fuzz}
if [ ! -f "$fdir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$fdir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DOQ_FUZZ=ON >/dev/null || exit 1
fi
cmake --build "$fdir" >/dev/null || { cmake --build "$fdir"; exit 1; }

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/tests/fuzz/*Fuzz.cpp; do
    n=$(basename "$f" .cpp); targets+=("${n%Fuzz}")
  done
fi

printf '%-11s %12s %10s %14s %9s\n' target executions exec/s "coverage" findings
total_findings=0
for t in "${targets[@]}"; do
  exe="$fdir/${t}Fuzz"
  [ -x "$exe" ] || { echo "fuzz: no target $t"; total_findings=$((total_findings + 1)); continue; }
  work="$fdir/corpus/$t"; found="$fdir/findings/$t"; log="$fdir/logs/$t.log"
  mkdir -p "$work" "$found" "$(dirname "$log")"
  before=$(find "$found" -type f | wc -l)
  "$exe" -max_total_time="$secs" ${OQ_FUZZ_RUNS:+-runs="$OQ_FUZZ_RUNS"} -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$found/" "$work" "$root/tests/fuzz/corpus/$t" \
    > "$log" 2>&1
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2)
  edges=$(sed -n 's/.*Loaded [0-9]* modules *(\([0-9]*\) inline 8-bit counters).*/\1/p' "$log" | head -n1)
  new=$(( $(find "$found" -type f | wc -l) - before ))
  total_findings=$((total_findings + new))
  printf '%-11s %12s %10s %14s %9s\n' "$t" "${runs:-?}" "${speed:-?}" "${cov:-?}/${edges:-?}" "$new"
  [ "$new" -gt 0 ] && grep -m3 -E 'ERROR|property broken|runtime error' "$log" | sed 's/^/    /'
done
echo "findings: $total_findings (logs in $fdir/logs)"
[ "$total_findings" -eq 0 ]
