#!/bin/sh
# Fresh Debian 12 machine to a running zavsys: installs what is needed (asks for sudo when not root),
# builds every flavour, runs zvtinfo in both widths, then the test dialog: on the display when
# there is one, otherwise once under a private Xvfb, with screenshots saved.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ "$(id -u)" = 0 ]; then sh "$here/setup.sh"; else sudo sh "$here/setup.sh"; fi
. "$here/env.sh"
build_all
wine_prefix
show_zvtinfo() {
  echo "== zavsys.dll, $t"
  (cd "$B/$t/bin" && $loader zvtinfo.exe --measure 500 | tr -d '\r')
}
for_each_width show_zvtinfo
if [ -n "${DISPLAY:-}" ]; then
  echo "== TestZavit64.exe: close the dialog to finish"
  (cd "$B/x86_64/bin" && $WINE64 TestZavit64.exe)
else
  echo "== TestZavit32.exe and TestZavit64.exe under a private Xvfb (no display here)"
  shots=$(sh "$here/screenshots.sh")
  echo "screenshots of the dialog and its about box saved in $shots:"
  ls "$shots"
fi
