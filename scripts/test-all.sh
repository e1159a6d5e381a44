#!/bin/sh
# Builds every flavour and runs every test: native unit tests, then the Windows tests of both widths under
# Wine. Usage: sh scripts/test-all.sh   (build tree: ./build, or $ZVT_BUILD)
set -eu
. "$(dirname "$0")/env.sh"
t0=$(date +%s); phase() { echo "== $(( $(date +%s) - t0 )) s: $*"; }
unset DISPLAY
phase format
sh "$src/scripts/check-format.sh"
phase build
build_all
phase wine prefix
wine_prefix
start_session
test_tree() {
  phase test $t
  ctest --test-dir "$B/$t" --output-on-failure -j2 -E '^gui_'
  ctest --test-dir "$B/$t" --output-on-failure -R '^gui_' # the dialog checks, one at a time on the display
}
t=native test_tree
for_each_width test_tree
phase package
# Every third party's code in the shipped modules has its notice; then the release zip of both widths,
# unpacked into an empty folder and run from there.
sh "$src/scripts/check-notices.sh"
sh "$src/scripts/check-package.sh"
phase reproducible
# One clean build more, from a copy of the sources in another folder, compared with the one tested above.
sh "$src/scripts/check-reproducible.sh" "$B"
phase done
