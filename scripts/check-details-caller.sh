#!/bin/sh
# check-details-caller.sh: the C caller of zvtGetProcessorDetails and zvtinfo --json, both run under Wine on
# this machine beside the DLL, must give the same answers (scripts/compare-details.py).
# Usage: check-details-caller.sh EMULATOR BINDIR
set -eu
emulator=$1 bin=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$bin"
$emulator ./details_caller.exe | tr -d '\r' >"$work/caller.json"
$emulator ./zvtinfo.exe --json | tr -d '\r' >"$work/zvtinfo.json"
python3 "$(dirname "$0")/compare-details.py" "$work/caller.json" "$work/zvtinfo.json"
