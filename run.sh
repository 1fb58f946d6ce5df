#!/usr/bin/env bash
# Installs what is missing, builds, and starts dist/OrvQuill.exe under Wine
# with the given option words (e.g. ./run.sh METAL, ./run.sh SHADED NORGN).
# Without words it starts the default look (METAL) in English (a language
# pointer dist/OrvQuill.LNG is written when there is none), so the
# command-line window comes up; ./run.sh ASK shows the type chooser, as a
# first start without a parameter file does. ./run.sh FIRST shows a user's
# first start: the parameter file and the language pointer are removed, the
# type chooser comes, and after it the language chooser.
# With a display ($DISPLAY) the program runs there until you close it.
# Without one, a virtual display is started, the program runs until its
# first window is up, a screenshot is saved (its path is printed) and the
# program is ended.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/build.sh" || { echo "BUILD FAILED"; exit 1; }
export WINEPREFIX=${WINEPREFIX:-$root/build/run-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
dist=$root/dist
if [ "${1:-}" = FIRST ]; then
  rm -f "$dist/OrvQuill.par" "$dist/OrvQuill.LNG"
  shift
elif [ $# -eq 0 ]; then
  set -- METAL
  [ -f "$dist/OrvQuill.LNG" ] || printf 'English.OQL\r\n' > "$dist/OrvQuill.LNG"
fi
if [ -n "${DISPLAY:-}" ]; then
  "$root/scripts/wine-prefix.sh"
  # The panes start in the directory run.sh was called from.
  exec wine "$dist/OrvQuill.exe" "$@"
fi
shots=$root/build/shots
mkdir -p "$shots"
shot=$shots/run-$(date +%Y%m%d-%H%M%S).png
xvfb-run -a -s "-screen 0 1024x768x24" "$root/scripts/run-and-shoot.sh" "$dist" "$shot" "$@"
rc=$?
[ -f "$shot" ] && echo "Screenshot: $shot"
exit $rc
