#!/usr/bin/env bash
# Prepares the Wine prefix named by $WINEPREFIX for the program: creates it,
# gives it Wine's own fonts (Marlett for caption buttons, Fixedsys, MS Sans
# Serif — this Wine build does not find them in its data folder by itself),
# and leaves windows unmanaged, since no window manager runs on the virtual
# display and Wine would otherwise wait two seconds for one whenever a window
# is hidden or destroyed.
set -uo pipefail
: "${WINEPREFIX:?}"
wineboot -i >/dev/null 2>&1 || true
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
  for f in /usr/share/wine/fonts/*; do
    [ -e "$fonts/$(basename "$f")" ] || cp "$f" "$fonts/"
  done
fi
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
exit 0
