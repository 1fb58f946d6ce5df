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
# Wine reads a drive's volume label from the device behind it ("z::", else
# the one it guesses from the mount table); the Linux root has none it may
# read, and every query of drive Z: then prints a warning that floods the
# test log. An empty device gives the same answer (no label), silently.
zdev="$WINEPREFIX/dosdevices/z::"
[ -d "$WINEPREFIX/dosdevices" ] && [ ! -L "$zdev" ] && ln -s /dev/null "$zdev"
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# A user's Windows draws characters that a face lacks (Japanese, say) with a
# linked font ("font linking"). Here Arial is Liberation Sans; linked to the
# CJK and symbol fonts installed, screenshots show names in any language as
# a user sees them. (Linking the substituted name Arial itself would make the
# linked font stand in for every character.)
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
  /v 'Liberation Sans' /t REG_MULTI_SZ /d 'wqy-zenhei.ttc,WenQuanYi Zen Hei\0Symbola_hint.ttf,Symbola' \
  /f >/dev/null 2>&1
exit 0
