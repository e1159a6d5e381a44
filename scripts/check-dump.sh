#!/bin/sh
# zvtinfo --dump of a Windows build against the Debian cpuid tool on the same processors: "cpuid -f" must
# read the file, and every leaf both read must agree (scripts/compare-dump.py). 64-bit: this machine's
# "cpuid -r". 32-bit: the 32-bit programs run under qemu-i386, so the reference is the i386 build of the
# tool under qemu-i386 with the same QEMU_CPU, fetched once into the build tree (apt-get download); without
# it the check is skipped (77).
# Usage: check-dump.sh WINE BUILD_DIR BITS
set -eu
wine=$1 build=$2 bits=$3
here=$(cd "$(dirname "$0")" && pwd)
work="$build/check-dump"
rm -rf "$work"; mkdir -p "$work"
if [ "$bits" = 32 ]; then
  tool="$build/cpuid-i386/usr/bin/cpuid"
  if [ ! -x "$tool" ]; then
    (cd "$work" && apt-get download cpuid:i386 >/dev/null 2>&1 && dpkg -x cpuid_*_i386.deb "$build/cpuid-i386") ||
      { echo "no i386 cpuid (apt-get download cpuid:i386 failed): skipped"; exit 77; }
  fi
  reference() { qemu-i386 "$tool" -r; }
else
  reference() { cpuid -r; }
fi
(cd "$build/bin" && $wine zvtinfo.exe --dump "Z:$work/zvtinfo.txt")
reference >"$work/cpuid.txt"
cpuid -f "$work/zvtinfo.txt" >"$work/decoded.txt"
grep -q 'vendor_id = "' "$work/decoded.txt" || { echo "cpuid -f did not decode $work/zvtinfo.txt"; exit 1; }
python3 "$here/compare-dump.py" "$work/zvtinfo.txt" "$work/cpuid.txt"
