#!/usr/bin/env bash
# Prints "<passed> <failed>" for the log of one GoogleTest program and its
# exit code. A program that ended badly without reporting a failed test (a
# crash, a timeout) counts one failure, so that the totals never read clean
# for a run that was not.
# Usage: scripts/gtest-counts.sh <log> <exit code>
set -uo pipefail
log=$1; rc=$2
passed=$(sed -n 's/^\[  PASSED  \] \([0-9][0-9]*\) tests\?\..*/\1/p' "$log" | tail -n1)
failed=$(sed -n 's/^\[  FAILED  \] \([0-9][0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -n1)
passed=${passed:-0}; failed=${failed:-0}
[ "$rc" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
echo "$passed $failed"
