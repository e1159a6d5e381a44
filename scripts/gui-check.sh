#!/bin/sh
# gui-check.sh LOADER BIN_DIR EXE SETUP OUT_DIR: runs the test dialog under Xvfb in one setup and checks it
# from outside with guiprobe (BIN_DIR/guiprobe.exe), which acts only on the windows of the program it runs.
# Setups: normal (beside zavsys.dll), no-library (alone in a directory), renamed (beside zavsys.dll under
# another file name), lacking (beside a stand-in library with only the processor exports), no-cpuid (the
# stand-in failing with 10000: an error box comes first), other-width (beside the stand-in built for the
# other width: it cannot be loaded). Opens and closes the about box, closes the
# dialog and expects the program to end with 0. Screenshots of both dialogs go to OUT_DIR.
set -eu
[ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: skipped"; exit 77; }
loader=$1 bin=$2 exe=$3 setup=$4 out=$5
mkdir -p "$out"
run="$out/$setup-$exe.d"
rm -rf "$run"; mkdir -p "$run"
about=0x0010
case $setup in
  normal) dir=$bin program=$exe mode= ;;
  no-library) dir=$run program=$exe mode=--no-library; cp "$bin/$exe" "$run/" ;;
  renamed) dir=$run program=Renamed-$exe mode=--renamed about=0x001F
    cp "$bin/$exe" "$run/$program"; cp "$bin/zavsys.dll" "$run/" ;;
  lacking|no-cpuid) dir=$run program=$exe mode=--$setup
    cp "$bin/$exe" "$run/"; cp "$bin/../fake/zavsys.dll" "$run/" ;;
  other-width) dir=$run program=$exe mode=--no-library
    cp "$bin/$exe" "$bin/../other-width/zavsys.dll" "$run/" ;;
  *) echo "unknown setup $setup"; exit 2 ;;
esac
log="$out/$setup-$exe.txt"
: >"$log"

# shot NAME "LABEL X Y W H": the window's rectangle cut out of the Xvfb frame buffer.
shot() {
  [ -n "${XVFB_FBDIR:-}" ] || return 0
  set -- "$1" $2
  sleep 0.5 # let it paint
  xwdtopnm "$XVFB_FBDIR/Xvfb_screen0" 2>/dev/null | pnmcut "$3" "$4" "$5" "$6" | pnmtopng >"$out/$1.png"
}
probe() {
  rc=0; (cd "$bin" && $loader guiprobe.exe "$program" "$@") >"$run/probe.out" || rc=$?
  tr -d '\r' <"$run/probe.out" >>"$log"
  return $rc
}

status=0; [ "$setup" != no-cpuid ] || status=10000
(cd "$dir" && ZVT_FAKE_STATUS=$status exec $loader "$program") >"$out/$setup-$exe.log" 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
[ "$setup" != no-cpuid ] || probe error-box "$exe" || { cat "$log"; exit 1; }
probe check "$exe" $mode || { cat "$log"; exit 1; }
shot "$setup-$exe" "$(grep '^main ' "$log")"
probe about $about || { cat "$log"; exit 1; }
shot "$setup-$exe.about" "$(grep '^about ' "$log")"
probe about-close && probe close || { cat "$log"; exit 1; }
status=0; wait $app || status=$?
trap - EXIT
cat "$log"
grep -q '^about: バージョン情報 TestZavit$' "$log"
grep -q '^about owner is the dialog: yes$' "$log"
[ "$setup" != no-cpuid ] || grep -q '^error box: Error = 10000$' "$log"
[ "$status" = 0 ] || { echo "FAIL the program ended with $status"; exit 1; }
echo "PASS $setup $exe"
