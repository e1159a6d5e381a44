#!/bin/sh
# run-fuzzer.sh FUZZER SEED_CORPUS WORK_DIR SECONDS: runs a libFuzzer program for a while over the kept
# corpus; new inputs go to WORK_DIR, crashes and hangs to WORK_DIR/artifacts and fail the test.
set -eu
fuzzer=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/corpus" "$work/artifacts"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=20000 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus" "$seeds"
