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
# A window that has painted shows more than one colour; a window that is
# mapped but not painted yet is all black.
painted() {
  local colours
  colours=$(import -window "$1" -format '%k' info:- 2>/dev/null)
  [ "${colours:-0}" -gt 1 ] 2>/dev/null
}
found=""
for _ in $(seq 1 120); do
  # The main window, the type chooser (no options set) or the language
  # chooser (a first start). The main window exists, hidden, before the
  # language chooser is up: only a visible window that has painted counts.
  for id in $(xdotool search --onlyvisible --name "Orv ?Quillon|Choose Language" 2>/dev/null); do
    if painted "$id"; then
      found=$id
      break 2
    fi
  done
  kill -0 $pid 2>/dev/null || break
  sleep 0.5
done
if [ -z "$found" ]; then
  echo "No window of Orv Quillon appeared." >&2
  wineserver -k 2>/dev/null
  exit 1
fi
sleep 1   # the other windows (the intro box, panes filling) settle
import -window root "$shot"
wineserver -k 2>/dev/null
wait $pid 2>/dev/null
exit 0
