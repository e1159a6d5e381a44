#!/usr/bin/env python3
"""Compares a zvtinfo --dump with a "cpuid -r" of the same machine: the same processors, and for every
processor the same registers in every leaf and sub-leaf both read, but for the fields that name the
processor (the list of host/binding/PerProcessorFields.h), which two reads may answer differently. Leaves
only one side reads are listed, not failed: each tool has its own choices (the Debian tool probes ranges
the library does not read, and skips some the library reads).

Usage: compare-dump.py ZVTINFO_DUMP CPUID_R_OUTPUT. Exit status 0 when they agree, 1 otherwise."""
import re
import sys

LINE = re.compile(r"^\s*0x([0-9a-f]{8}) 0x([0-9a-f]+): eax=0x([0-9a-f]{8}) ebx=0x([0-9a-f]{8}) "
                  r"ecx=0x([0-9a-f]{8}) edx=0x([0-9a-f]{8})\s*$")
BLOCK = re.compile(r"^CPU( \d+)?:\s*$")

# (leaf, register index 0..3 for EAX..EDX): bits that name the executing processor, in every sub-leaf.
PER_PROCESSOR = {
    (0x00000001, 1): 0xFF000000,
    (0x0000000B, 3): 0xFFFFFFFF,
    (0x0000001F, 3): 0xFFFFFFFF,
    (0x8000001E, 0): 0xFFFFFFFF,
    (0x8000001E, 1): 0x000000FF,
    (0x8000001E, 2): 0x000000FF,
    (0x80000026, 3): 0xFFFFFFFF,
}


def read(path):
    """{processor: {(leaf, subleaf): (eax, ebx, ecx, edx)}}; "CPU:" (cpuid -1) counts as processor 0."""
    processors = {}
    current = None
    with open(path, encoding="ascii") as text:
        for line in text:
            block = BLOCK.match(line)
            if block:
                current = processors.setdefault(int(block.group(1) or 0), {})
                continue
            leaf = LINE.match(line)
            if leaf and current is not None:
                values = [int(v, 16) for v in leaf.groups()]
                current[(values[0], values[1])] = tuple(values[2:])
    return processors


def masked(leaf, registers):
    return tuple(r & ~PER_PROCESSOR.get((leaf, i), 0) for i, r in enumerate(registers))


def compare(dump, reference):
    failures = []
    if sorted(dump) != sorted(reference):
        failures.append(f"processors: zvtinfo {sorted(dump)}, cpuid {sorted(reference)}")
    for processor in sorted(set(dump) & set(reference)):
        ours, theirs = dump[processor], reference[processor]
        both = sorted(set(ours) & set(theirs))
        for leaf, subleaf in both:
            if masked(leaf, ours[(leaf, subleaf)]) != masked(leaf, theirs[(leaf, subleaf)]):
                failures.append(f"CPU {processor} leaf {leaf:#010x} sub-leaf {subleaf:#x}: zvtinfo "
                                f"{' '.join(f'{r:08x}' for r in ours[(leaf, subleaf)])}, cpuid "
                                f"{' '.join(f'{r:08x}' for r in theirs[(leaf, subleaf)])}")
        if (0, 0) not in both or len(both) < len(ours) // 2:
            failures.append(f"CPU {processor}: only {len(both)} of zvtinfo's {len(ours)} entries to compare")
        only = lambda a, b: " ".join(f"{l:x}.{s:x}" for l, s in sorted(set(a) - set(b))) or "none"
        print(f"CPU {processor}: {len(both)} entries compared; only zvtinfo: {only(ours, theirs)}; "
              f"only cpuid: {only(theirs, ours)}")
    return failures


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    failures = compare(read(sys.argv[1]), read(sys.argv[2]))
    for failure in failures:
        print("MISMATCH", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
