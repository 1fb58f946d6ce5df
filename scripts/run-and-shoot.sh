#!/usr/bin/env bash
# On a (virtual) display: starts the program, waits until its first window
# is up, takes a screenshot of the whole screen, ends the program.
# Usage: run-and-shoot.sh <dist folder> <png path> [option words]
set -uo pipefail
dist=$1; shot=$2; shift 2
scripts=$(cd "$(dirname "$0")" && pwd)
"$scripts/wine-prefix.sh"
# The panes start in the directory the script was called from.
wine "$dist/OrvQuill.exe" "$@" &
pid=$!
found=""
for _ in $(seq 1 120); do
  # The main window's title, or the type chooser's when no options are set.
  found=$(xdotool search --name "Orv ?Quillon" 2>/dev/null | head -n1)
  [ -n "$found" ] && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.5
done
if [ -z "$found" ]; then
  echo "No window of Orv Quillon appeared." >&2
  wineserver -k 2>/dev/null
  exit 1
fi
sleep 2   # let the windows finish painting
import -window root "$shot"
wineserver -k 2>/dev/null
wait $pid 2>/dev/null
exit 0
