#!/bin/sh
# Measures the processor exports against their CPUID floor (the CPUID dump also with its affinity switch,
# the decoded record against one CPUID),
# the frequency against the kernel's TSC rate, decoding with zavsys_features.h against one CPUID, and the
# library's size and imports, in both widths;
# then the stress figures (scripts/stress.sh), which fail the run on a mismatch or a leak. Needs a build
# (scripts/test-all.sh or main.sh).
set -eu
. "$(dirname "$0")/env.sh"
wineserver -p
$WINE64 wineboot >/dev/null 2>&1
echo "kernel: $(grep -m1 'cpu MHz' /proc/cpuinfo); $(dmesg 2>/dev/null | grep -m1 -o 'tsc: Detected.*' || true)"
rounds=${1:-2000}
bench_width() {
  echo "== $t"
  (cd "$B/$t/bin" && $loader identity_bench.exe "$rounds" | tr -d '\r')
  (cd "$B/$t/bin" && $loader dump_bench.exe | tr -d '\r')
  (cd "$B/$t/bin" && $loader details_bench.exe | tr -d '\r')
  (cd "$B/$t/bin" && $loader report_bench.exe | tr -d '\r')
  (cd "$B/$t/bin" && $loader system_bench.exe | tr -d '\r')
  (cd "$B/$t/bin" && $loader features_bench.exe | tr -d '\r')
  echo "zavsys.dll: $(stat -c %s "$B/$t/bin/zavsys.dll") bytes; imports:" \
    $($t-w64-mingw32-objdump -p "$B/$t/bin/zavsys.dll" | sed -n 's/.*DLL Name: //p')
}
for_each_width bench_width
echo "zavsys_features.h: $(stat -c %s "$src/library/zavsys_features.h") bytes, $(wc -l <"$src/library/zavsys_features.h") lines"
wineserver -k
sh "$(dirname "$0")/stress.sh"
