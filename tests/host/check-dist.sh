#!/usr/bin/env bash
# Checks the programs in dist/ as a user gets them, on the host:
#  - they import only DLLs that every Windows has (Wine ships more, such as
#    zlib1.dll, and would hide a program that cannot start on Windows);
#  - they carry no debug sections;
#  - they carry a version resource whose version is the program's.
# Usage: tests/host/check-dist.sh <dist folder> <source root>
set -uo pipefail
dist=$1; root=$2
objdump=i686-w64-mingw32-objdump
windres=i686-w64-mingw32-windres
# DLLs of Windows itself (7 and later), lower case.
system_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll \
 msimg32.dll msvcrt.dll mpr.dll ole32.dll oleaut32.dll rpcrt4.dll shell32.dll shlwapi.dll \
 user32.dll uxtheme.dll version.dll winmm.dll winspool.drv ws2_32.dll "
version=$(sed -n 's/^#define OQ_VERSION_TEXT "\(.*\)"/\1/p' "$root/src/resources/Version.h")
failed=0
fail() { echo "check-dist: $*"; failed=1; }
exes=("$dist"/*.exe)
[ -e "${exes[0]}" ] || { echo "check-dist: no programs in $dist"; exit 1; }
for exe in "${exes[@]}"; do
  name=$(basename "$exe")
  imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$imports" ] || fail "$name: no import table read"
  for dll in $imports; do
    case "$system_dlls" in *" $dll "*) ;; *) fail "$name imports $dll, which Windows does not have" ;; esac
  done
  if "$objdump" -h "$exe" | grep -q ' \.debug_'; then fail "$name carries debug sections"; fi
  rc=$("$windres" -i "$exe" -O rc 2>/dev/null)
  grep -q 'VERSIONINFO' <<<"$rc" || fail "$name has no version resource"
  for key in FileVersion ProductVersion; do
    grep -q "VALUE \"$key\", \"$version\\\\0\"\|VALUE \"$key\", \"$version\"" <<<"$rc" \
      || fail "$name: $key is not $version"
  done
  grep -q 'VALUE "ProductName", "Orv Quillon' <<<"$rc" || fail "$name: no product name"
  grep -q 'VALUE "FileDescription"' <<<"$rc" || fail "$name: no description"
done
[ $failed -eq 0 ] && echo "check-dist: ${#exes[@]} programs import only Windows DLLs, carry no debug sections and version $version"
exit $failed
