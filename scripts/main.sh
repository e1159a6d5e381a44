#!/bin/sh
# Fresh Debian 12 machine to a running zavsys: installs what is needed (asks for sudo when not root),
# builds every flavour and runs the main job, the console caller in both widths.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ "$(id -u)" = 0 ]; then sh "$here/setup.sh"; else sudo sh "$here/setup.sh"; fi
. "$here/env.sh"
build_all
wine_prefix
for t in x86_64 i686; do
  echo "== zavsys.dll, $t"
  if [ $t = i686 ]; then loader=$WINE32; else loader=$WINE64; fi
  (cd "$B/$t/bin" && $loader zvtcall.exe | tr -d '\r')
done
