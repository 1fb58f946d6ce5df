#!/usr/bin/env bash
# On a (virtual) display: runs the named benchmark programs of $OQ_BUILD_DIR.
set -uo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
"$scripts/wine-prefix.sh"
for n in "$@"; do
  echo "==== $n ===="
  ( cd "$OQ_BUILD_DIR" && wine "./$n.exe" 2>&1 | grep -v "Read access denied" )
done
wineserver -k 2>/dev/null
exit 0
