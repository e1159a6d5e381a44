#!/bin/sh
# Everything a user of the built tree can see, written as files so that two builds can be compared with
# "diff -r": zvtinfo's text, JSON and reports in every encoding for every recorded dump (native and both
# Windows widths), its error lines for damaged input, and the resources and export names of every module.
# Usage: sh scripts/snapshot-outputs.sh OUTDIR   (build tree: ./build, or $ZVT_BUILD)
# Windows flavours write reports for a few dumps only (a Wine process start is slow under load); the
# native flavour writes every dump in every mode. ZVT_SNAPSHOT_FLAVOURS picks flavours (default all three).
set -eu
. "$(dirname "$0")/env.sh"
out=$(mkdir -p "$1" && cd "$1" && pwd)
cd "$src"
dumps=$(ls tests/data/cpuid/*.txt tests/data/reports/*.txt tests/fuzz/corpus/dump_parser/*)
modes="ansi utf8 utf8-bom utf16be utf16le hex 0x10101 0x102"
report_dumps="tests/data/cpuid/qemu-Haswell.txt tests/data/cpuid/qemu-EPYC-Rome.txt tests/data/cpuid/qemu32-pentium3.txt"
report_dumps="$report_dumps tests/data/reports/qemu-Haswell-2394.5MHz.txt tests/data/cpuid/host-sapphirerapids.txt"

# run FLAVOUR ARGS...: zvtinfo of that flavour, stdout and stderr, then its exit status.
run() {
  flavour=$1; shift
  rc=0
  case $flavour in
    native) "$B/native/tools/zvtinfo/zvtinfo" "$@" ;;
    i686) $WINE32 "$B/$flavour/bin/zvtinfo.exe" "$@" ;;
    *) $WINE64 "$B/$flavour/bin/zvtinfo.exe" "$@" ;;
  esac >"$out/run.tmp" 2>&1 || rc=$?
  tr -d '\r' <"$out/run.tmp" | sed "s|$out|OUT|g" # the same text whatever the output folder
  echo "exit $rc"
}

for flavour in ${ZVT_SNAPSHOT_FLAVOURS:-native $WIDTHS}; do
  dir="$out/$flavour"; mkdir -p "$dir"
  for dump in $dumps; do
    name=$(echo "$dump" | tr / _)
    run $flavour --replay "$dump" >"$dir/$name.text"
    run $flavour --replay "$dump" --json >"$dir/$name.json"
    case $flavour:" $report_dumps " in native:*|*" $dump "*) ;; *) continue ;; esac
    for mode in $modes; do
      rm -f "$dir/report.tmp"
      run $flavour --replay "$dump" --report "$dir/report.tmp" --mode $mode >"$dir/$name.$mode.out"
      if [ -f "$dir/report.tmp" ]; then mv "$dir/report.tmp" "$dir/$name.$mode.report"; fi
    done
  done
  # Damaged input: each gives its own error line.
  printf 'CPUID 00000000: 00000001-756e6547\n' >"$dir/bad.txt"
  run $flavour --replay "$dir/bad.txt" >"$dir/bad.text"
  run $flavour --replay /nonexistent >"$dir/missing.text"
  rm -f "$dir/bad.txt"
done

modules_width() {
  dir="$out/modules-$t"; mkdir -p "$dir"
  for module in zavsys.dll TestZavit32.exe TestZavit64.exe zvtinfo.exe; do
    file="$B/$t/bin/$module"
    [ -f "$file" ] || continue
    wrestool -l "$file" >"$dir/$module.resources"
    wrestool -l "$file" | sed -n 's/.*--type=\([^ ]*\) --name=\([^ ]*\) .*/\1 \2/p' | while read -r type name; do
      wrestool -x --raw --type="$type" --name="$name" "$file" | sha256sum | sed "s/-\$/$type $name/"
    done >"$dir/$module.resource-hashes"
  done
  ${t}-w64-mingw32-objdump -p "$B/$t/bin/zavsys.dll" | sed -n '/Ordinal\/Name Pointer/,/^$/p' >"$dir/zavsys.exports"
}
for_each_width modules_width
rm -f "$out/run.tmp"
echo "snapshot in $out"
