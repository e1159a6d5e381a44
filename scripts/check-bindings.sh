#!/bin/sh
# Checks the C# and Python bindings against library/zavsys.h and zavsys.def: every record's size and field
# offsets and types as the C compiler, Mono's marshaller and ctypes lay them out; the exports' names and
# argument kinds; the constants' values. The examples in docs/examples must build against the bindings.
# Needs cc, python3, mcs and mono (scripts/setup.sh installs them); fails when one is missing.
# Usage: sh scripts/check-bindings.sh [OUTDIR]   (default: $ZVT_BUILD/bindings, or build/bindings)
set -eu
src=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-${ZVT_BUILD:-$src/build}/bindings}
mkdir -p "$out"
out=$(cd "$out" && pwd)
for tool in "${CC:-cc}" python3 mcs mono; do
  command -v "$tool" >/dev/null && continue
  echo "check-bindings: $tool is missing (sh scripts/setup.sh installs it)" >&2
  exit 1
done
cd "$src"
export PYTHONDONTWRITEBYTECODE=1 # no __pycache__ beside the shipped zavsys.py
# listing NAME COMMAND...: the command's listing, sorted, in $out/NAME.txt (no pipe: its failure counts).
listing() {
  name=$1; shift
  "$@" >"$out/$name.unsorted"
  LC_ALL=C sort "$out/$name.unsorted" >"$out/$name.txt"
}

"${CC:-cc}" -std=c11 -Wall -Wextra -Werror -pedantic -Ilibrary tests/bindings/layout.c -o "$out/layout"
listing c "$out/layout"
mcs -nologo -warnaserror -out:"$out/Layout.exe" tests/bindings/Layout.cs bindings/csharp/Zavsys.cs
listing csharp mono "$out/Layout.exe"
listing python python3 tests/bindings/layout.py

# The examples build against the bindings as they are now; nothing runs them here (no DLL).
mcs -nologo -warnaserror -out:"$out/details.exe" docs/examples/details.cs bindings/csharp/Zavsys.cs
python3 tests/bindings/check_example.py docs/examples/details.py

status=0
python3 tests/bindings/compare.py library "$out/c.txt" "$out/csharp.txt" 'C#' || status=1
python3 tests/bindings/compare.py library "$out/c.txt" "$out/python.txt" Python || status=1
exit $status
