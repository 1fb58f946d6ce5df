#!/usr/bin/env bash
# On a (virtual) display: runs the named benchmark programs of $OQ_BUILD_DIR.
set -uo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
"$scripts/wine-prefix.sh"
# The program folder as the Windows programs name it; its language pointer,
# as run.sh writes it, so that the program starts without asking.
if [ -n "${OQ_DIST_DIR:-}" ]; then
  [ -f "$OQ_DIST_DIR/OrvQuill.LNG" ] || printf 'English.OQL\r\n' > "$OQ_DIST_DIR/OrvQuill.LNG"
  OQ_DIST_WIN=$(winepath -w "$OQ_DIST_DIR" 2>/dev/null) && export OQ_DIST_WIN
fi
for n in "$@"; do
  echo "==== $n ===="
  ( cd "$OQ_BUILD_DIR" && wine "./$n.exe" 2>&1 | grep -v "Read access denied" )
done
wineserver -k 2>/dev/null
exit 0
