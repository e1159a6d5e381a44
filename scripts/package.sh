#!/bin/sh
# Builds both Windows widths (Release) and assembles the release zip with x86/ and x64/ in it.
# Usage: sh scripts/package.sh [OUT_DIR]   (build trees: ./build or $ZVT_BUILD; zip: OUT_DIR or $B/package)
set -eu
. "$(dirname "$0")/env.sh"
out=$(mkdir -p "${1:-$B/package}" && cd "${1:-$B/package}" && pwd)
for t in i686 x86_64; do
  cmake -S "$src" -B "$B/$t" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-$t.cmake" >/dev/null
  cmake --build "$B/$t"
done
sh "$src/scripts/make-zip.sh" "$B/i686" "$B/x86_64" "$out"
