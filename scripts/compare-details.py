#!/usr/bin/env python3
"""Holds what a C caller read from zvtGetProcessorDetails (tests/c/details_caller.c) against what zvtinfo
--json shows of the same machine, field by field. Usage: compare-details.py CALLER.json ZVTINFO.json"""
import json
import sys


def expected(zvtinfo):
    """zvtinfo's answers under the caller's names."""
    decoded, whole = zvtinfo["decoded"], zvtinfo["wholeProcessor"]
    caches = [{k: c[k] for k in ("level", "type", "sizeBytes", "ways", "sharedBy")} for c in whole["caches"]]
    for c in caches:
        c["sharedBy"] = -1 if c["sharedBy"] is None else c["sharedBy"]
    return {
        "vendor": zvtinfo["information"]["vendor"],
        "level": decoded["level"],
        "enabledLevel": decoded["enabledLevel"],
        "physicalBits": decoded["addressSizes"]["physicalBits"],
        "linearBits": decoded["addressSizes"]["linearBits"],
        "hypervisor": decoded["hypervisor"],
        "flags": whole["flags"],
        "caches": caches[:16],
        "microarchitectures": [{k: u[k] for k in ("microarchitecture", "codename", "generation", "logical")}
                               for u in whole["microarchitectures"]],
        "topology": {k: whole["topology"][k] for k in ("packages", "cores", "logical")},
        "queryAgrees": True,
    }


def main():
    with open(sys.argv[1]) as f:
        caller = json.load(f)
    with open(sys.argv[2]) as f:
        want = expected(json.load(f))
    differing = [key for key in want if caller.get(key) != want[key]]
    for key in differing:
        print(f"{key}: the export says {caller.get(key)!r}, zvtinfo {want[key]!r}")
    print("details: " + ("differ" if differing else f"{len(want)} answers agree with zvtinfo"))
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
