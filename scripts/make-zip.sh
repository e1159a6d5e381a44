#!/bin/sh
# make-zip.sh BUILD32 BUILD64 OUT_DIR: the release zip of two built trees; prints its path.
# Both widths are installed into one folder, which is zipped in a fixed order with every time set to
# SOURCE_DATE_EPOCH (by default the time of the commit the trees were built from), so that two builds of
# one commit give the same zip byte for byte.
set -eu
b32=$(cd "$1" && pwd) b64=$(cd "$2" && pwd) out=$3
cache() { sed -n "s/^$1:[A-Z]*=//p" "$b64/CMakeCache.txt"; }
version=$(cache CMAKE_PROJECT_VERSION)
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$(cache CMAKE_HOME_DIRECTORY)" log -1 --format=%ct) ||
    { echo "make-zip.sh: not a git checkout: set SOURCE_DATE_EPOCH to the release's time" >&2; exit 1; }
fi
mkdir -p "$out"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
for tree in "$b32" "$b64"; do
  cmake --install "$tree" --prefix "$stage/zavsys-$version" >/dev/null
done
rm -f "$out/zavsys-$version.zip"
python3 "$(dirname "$0")/zip-tree.py" "$stage/zavsys-$version" "$out/zavsys-$version.zip" "$SOURCE_DATE_EPOCH"
echo "$out/zavsys-$version.zip"
