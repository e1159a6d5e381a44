#!/bin/sh
# Runs the test dialog once per width under a private Xvfb, beside the library, and saves screenshots of
# the dialog and its about box. Usage: sh scripts/screenshots.sh [OUT_DIR]   (default: the build tree's
# screenshots/; docs/ holds the ones the README shows). Needs a build (scripts/test-all.sh or main.sh).
set -eu
. "$(dirname "$0")/env.sh"
out=$(mkdir -p "${1:-$B/screenshots}" && cd "${1:-$B/screenshots}" && pwd)
unset DISPLAY
wine_prefix
wineserver -w # a session of earlier wine runs ends first: ours is started with the display
start_session
screenshot_width() {
  sh "$src/scripts/gui-check.sh" "$loader" "$B/$t/bin" TestZavit$bits.exe normal "$B/$t/gui" >/dev/null
  cp "$B/$t/gui/normal-TestZavit$bits.exe.png" "$out/dialog-$bits.png"
  cp "$B/$t/gui/normal-TestZavit$bits.exe.about.png" "$out/about-$bits.png"
}
for_each_width screenshot_width
echo "$out"
