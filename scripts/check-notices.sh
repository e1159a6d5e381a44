#!/bin/sh
# check-notices.sh: fails when zavsys.dll, zvtinfo.exe or the dialog program of either width takes in code
# (an archive member, an object file, a header) of a component that has no section in
# THIRD-PARTY-NOTICES.txt, or anything scripts/check-notices.py cannot place; prints what each takes in.
# Reads the link maps and ninja's dependency records: both widths must be built.
# Usage: sh scripts/check-notices.sh   (build trees: ./build or $ZVT_BUILD)
set -eu
. "$(dirname "$0")/env.sh"
trees=
for t in $WIDTHS; do
  [ -f "$B/$t/shipped-modules.txt" ] || { echo "both widths must be built first ($t is not)"; exit 1; }
  trees="$trees $B/$t"
done
python3 "$src/scripts/check-notices.py" "$src/THIRD-PARTY-NOTICES.txt" $trees
