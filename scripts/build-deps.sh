#!/usr/bin/env bash
# Cross-builds libpng, libjpeg-turbo and GoogleTest for i686 Windows from
# Debian's source packages into a cache outside the build tree, keyed by
# version, so later builds reuse it. Prints the prefix on stdout.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${OQ_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orvquill}
key="png1.6.39-jpeg2.1.5-gtest1.12.1-v1"
prefix="$cache/deps-$key"
if [ -f "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
work="$cache/work-$key"
rm -rf "$work" "$prefix"; mkdir -p "$work" "$prefix"
tc="$here/cmake/mingw-i686.cmake"

# Source entries are derived from the machine's own binary entries, so no
# mirror address is written anywhere in the project.
ensure_deb_src() {
  if apt-get source --download-only --print-uris libpng1.6 >/dev/null 2>&1; then return; fi
  local uri=""
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    uri=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources)
  fi
  if [ -z "$uri" ]; then
    uri=$(grep -hE '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
          | awk '$0 ~ /debian/ {print $2; exit}')
  fi
  [ -n "$uri" ] || { echo "build-deps: no Debian source URI found in apt configuration" >&2; exit 1; }
  $SUDO tee /etc/apt/sources.list.d/orvquill-src.sources >/dev/null <<SRC
Types: deb-src
URIs: $uri
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  $SUDO apt-get update -qq
}
ensure_deb_src

cd "$work"
apt-get source --download-only libpng1.6 libjpeg-turbo >/dev/null 2>&1
pngtar=$(ls libpng1.6_*.orig.tar.* | head -1)
jpgtar=$(ls libjpeg-turbo_*.orig.tar.* | head -1)
mkdir png jpg
tar xf "$pngtar" -C png --strip-components=1
tar xf "$jpgtar" -C jpg --strip-components=1

common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$tc" -DOQ_DEPS_PREFIX="$prefix"
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release)
cmake -S png -B png-build "${common[@]}" -DPNG_SHARED=OFF -DPNG_TESTS=OFF \
      -DPNG_EXECUTABLES=OFF -DZLIB_ROOT=/usr/i686-w64-mingw32 >/dev/null
cmake --build png-build --target install >/dev/null
cmake -S jpg -B jpg-build "${common[@]}" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF \
      -DWITH_TURBOJPEG=OFF >/dev/null
cmake --build jpg-build --target install >/dev/null
cmake -S /usr/src/googletest -B gtest-build "${common[@]}" -DBUILD_GMOCK=ON \
      -Dgtest_disable_pthreads=OFF >/dev/null
cmake --build gtest-build --target install >/dev/null

touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
