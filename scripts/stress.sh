#!/bin/sh
# Stress figures in both widths (bench/stress.cpp): every export from many threads at once against the
# single-threaded answers, then load/call/unload cycles with the handle count and memory watched.
# Exits non-zero when either width finds a mismatch or a leak. Needs a build (scripts/test-all.sh).
# Usage: sh scripts/stress.sh [threads rounds cycles]   (8 1000 1000 when not given)
set -eu
. "$(dirname "$0")/env.sh"
wineserver -p
$WINE64 wineboot >/dev/null 2>&1
failed=""
stress_width() {
  echo "== $t"
  start=$(date +%s)
  rm -f "$B/$t/stress.status"
  (cd "$B/$t/bin" && { status=0; $loader stress.exe "$@" || status=$?; echo $status >"$B/$t/stress.status"; } |
    tr -d '\r')
  echo "($t: $(($(date +%s) - start)) s)"
  [ "$(cat "$B/$t/stress.status")" = 0 ] || failed="$failed $t"
}
for_each_width stress_width "$@"
wineserver -k
if [ -n "$failed" ]; then
  echo "stress failed:$failed"
  exit 1
fi
