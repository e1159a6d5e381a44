#!/bin/sh
# The release zip: both Windows widths built (what the zip holds, at least), installed into one folder and
# zipped by zip-tree.py in a fixed order with every time set to SOURCE_DATE_EPOCH (by default the time of
# the commit the trees were built from), so that two builds of one commit give the same zip byte for byte.
# A tree that exists is built as it was configured; a missing one is configured from these sources.
# Usage: sh scripts/package.sh [OUT_DIR]   (build trees: ./build or $ZVT_BUILD; zip: OUT_DIR or $B/package)
# Prints the zip's path.
set -eu
. "$(dirname "$0")/env.sh"
out=$(mkdir -p "${1:-$B/package}" && cd "${1:-$B/package}" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cache() { sed -n "s/^$1:[A-Z]*=//p" "$B/$t/CMakeCache.txt"; }

install_width() {
  [ -f "$B/$t/CMakeCache.txt" ] || cmake -S "$src" -B "$B/$t" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-$t.cmake" >&2
  cmake --build "$B/$t" --target zavsys zvtinfo TestZavit$bits >&2
  version=$(cache CMAKE_PROJECT_VERSION)
  if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$(cache CMAKE_HOME_DIRECTORY)" log -1 --format=%ct) ||
      { echo "package.sh: not a git checkout: set SOURCE_DATE_EPOCH to the release's time" >&2; exit 1; }
  fi
  cmake --install "$B/$t" --prefix "$stage/zavsys-$version" >/dev/null
}
for_each_width install_width
rm -f "$out/zavsys-$version.zip"
python3 "$src/scripts/zip-tree.py" "$stage/zavsys-$version" "$out/zavsys-$version.zip" "$SOURCE_DATE_EPOCH"
echo "$out/zavsys-$version.zip"
