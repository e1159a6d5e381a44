#!/bin/sh
# check-package.sh: makes the release zip of the build trees (./build or $ZVT_BUILD), unpacks it into an
# empty folder and runs both zvtinfo builds from there under Wine, as a user who has only the zip would.
set -eu
. "$(dirname "$0")/env.sh"
for t in $WIDTHS; do
  [ -f "$B/$t/cmake_install.cmake" ] || { echo "both widths must be built first ($t is not)"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
zip=$(sh "$src/scripts/package.sh" "$work/out")
echo "package: $(basename "$zip"), $(wc -c <"$zip") bytes"
mkdir "$work/unpacked"
(cd "$work/unpacked" && unzip -q "$zip")
root=$(echo "$work"/unpacked/zavsys-*)
for f in include/zavsys.h include/zavsys_features.h include/zavsys_cpuid.h include/zavsys_caches.h \
         include/zavsys_topology.h include/zavsys_uarch.h docs/reference.md THIRD-PARTY-NOTICES.txt \
         bindings/csharp/Zavsys.cs bindings/python/zavsys.py docs/bindings.md docs/examples/details.cs \
         docs/examples/details.py \
         x86/zavsys.dll x86/zavsys.lib x86/libzavsys.dll.a x86/zvtinfo.exe \
         x64/zavsys.dll x64/zavsys.lib x64/libzavsys.dll.a x64/zvtinfo.exe; do
  [ -f "$root/$f" ] || { echo "missing from the package: $f"; exit 1; }
done
run() { # run LOADER FOLDER ARGS...: zvtinfo from the unpacked folder, output without CRs
  loader=$1 folder=$2; shift 2
  (cd "$root/$folder" && $loader ./zvtinfo.exe "$@") | tr -d '\r'
}
check_width() {
  folder=$arch wow64=$([ $bits = 32 ] && echo yes || echo no)
  text=$(run "$loader" "$folder")
  echo "$text" | grep -q '^Vendor name : [A-Za-z]' || { echo "$folder: no processor text"; echo "$text"; exit 1; }
  echo "$text" | grep -qx "WOW64 : $wow64" || { echo "$folder: expected WOW64 : $wow64"; echo "$text"; exit 1; }
  echo "$text" | grep -q 'zavsys.dll  Version : [0-9]' || { echo "$folder: no library version"; echo "$text"; exit 1; }
  run "$loader" "$folder" --json | python3 -c 'import json, sys; d = json.load(sys.stdin); assert d["identity"]["size"] == 2056'
  echo "$folder: ok"
}
for_each_width check_width
# The Python module, as unpacked, finds the DLL of the package's 64-bit folder.
python3 -c "import sys; sys.path.insert(0, '$root/bindings/python'); import zavsys; assert zavsys._default_path().endswith('x64/zavsys.dll')"
