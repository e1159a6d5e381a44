#!/usr/bin/env python3
"""Writes what the Debian cpuid tool (an independent decoder) makes of the caches of the recorded processors,
as expectations for the cache header's tests:

  tests/data/dumps/caches.tsv             per dump in tests/data/dumps: every cache, read from the tool's
                                          sections for the leaf the header's order of sources picks
  tests/data/dumps/leaf2-descriptors.tsv  how the tool reads each leaf 2 descriptor, from made-up dumps
                                          holding that one descriptor

Which leaf describes a processor's caches follows the vendors' manuals (Intel SDM volume 2A, CPUID leaves 2
and 4; AMD APM volume 3, appendix E): AMD and Hygon 0x8000001D when TopologyExtensions is set, else
0x80000005/6; the others leaf 4, then on Intel leaf 2, then 0x80000005/6. Only the registers needed for that
choice are read here; every value comes from the tool's text. The tool's mistakes, reviewed against the
manuals and datasheets, are corrected in REVIEWED below, each with its source.
Run from anywhere: python3 scripts/make-cache-expectations.py; review the diff before committing.
"""
import os
import re
import subprocess
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DUMPS = os.path.join(ROOT, "tests", "data", "dumps")

AMD_LIKE = {"AuthenticAMD", "HygonGenuine"}

# Rows the tool gets wrong, by (dump, leaf, level, type): the corrected cells and where they come from.
REVIEWED = {
    ("via-samuel-2.raw", "0x80000006", "2", "unified"): (
        {"sizeKiB": "64", "ways": "4", "lineBytes": "32", "sets": "512", "flags": "corrected"},
        "64 KB L2: VIA C3 Samuel 2 reviews (the L2 it added); ways and line read in the 0x80000005 layout "
        "the processor uses here; cpuid -f reads 16388 KB, ways off"),
    ("via-c3-ezra.raw", "0x80000006", "2", "unified"): (
        {"sizeKiB": "64", "ways": "4", "lineBytes": "32", "sets": "512", "flags": "corrected"},
        "64 KB L2: VIA C3 Ezra reviews (a Samuel 2 shrink); ways and line read in the 0x80000005 layout "
        "the processor uses here; cpuid -f reads 16388 KB, ways off"),
}

# Leaf 2 descriptors the tool decodes but the IA-32 SDM does not list (the tool's Itanium entries), and the
# one whose type the tool does not name: the SDM's reading wins.
LEAF2_REVIEWED = {
    0x10: ("none", "Itanium only; not in the SDM's IA-32 table"),
    0x15: ("none", "Itanium only; not in the SDM's IA-32 table"),
    0x1A: ("none", "Itanium only; not in the SDM's IA-32 table"),
    0x77: ("none", "Itanium only; not in the SDM's IA-32 table"),
    0x7E: ("none", "Itanium only; not in the SDM's IA-32 table"),
    0x81: ("none", "not in the SDM's IA-32 table"),
    0x88: ("none", "Itanium only; not in the SDM's IA-32 table"),
    0x89: ("none", "Itanium only; not in the SDM's IA-32 table"),
    0x8A: ("none", "Itanium only; not in the SDM's IA-32 table"),
    0x8D: ("none", "Itanium only; not in the SDM's IA-32 table"),
    0x30: ("instruction", "SDM: 1st-level instruction cache (the tool says L1 cache)"),
}

COLUMNS = ["dump", "level", "type", "sizeKiB", "ways", "lineBytes", "sets", "sharedBy", "leaf", "flags",
           "expectation"]


def read_raw(path):
    """The first answer of each (leaf, sub-leaf) of a cpuid -1 -r dump."""
    entries = {}
    pattern = re.compile(r"\s*0x([0-9a-f]+) 0x([0-9a-f]+): eax=0x([0-9a-f]+) ebx=0x([0-9a-f]+) "
                         r"ecx=0x([0-9a-f]+) edx=0x([0-9a-f]+)")
    with open(path) as text:
        for line in text:
            match = pattern.match(line)
            if match:
                key = (int(match[1], 16), int(match[2], 16))
                entries.setdefault(key, [int(match[i], 16) for i in range(3, 7)])
    return entries


def tool_output(path):
    return subprocess.run(["cpuid", "-f", path], capture_output=True, text=True).stdout.splitlines()


def section(lines, title):
    """The indented lines under a section title of the tool's output."""
    for i, line in enumerate(lines):
        if line.strip().startswith(title):
            body = []
            for following in lines[i + 1:]:
                if not following.startswith("      "):
                    break
                body.append(following.strip())
            return body
    return []


def field(text):
    """The number of "name = 0x40 (64)" or "name = 64"."""
    value = text.split("=", 1)[1].strip()
    match = re.search(r"\((\d+)\)", value)
    return int(match[1]) if match else int(value.split()[0], 0)


def deterministic_rows(lines, title, leaf, sharing_label, inclusive_label):
    """Every cache of a leaf 4 or 0x8000001D section, up to the null type."""
    rows = []
    blocks = []
    for line in section(lines, title):
        if line.startswith("--- cache"):
            blocks.append({})
        elif blocks and "=" in line:
            blocks[-1][line.split("=", 1)[0].strip()] = line.split("=", 1)[1].strip()
    types = {1: "data", 2: "instruction", 3: "unified"}
    for block in blocks:
        kind = field("x = " + block.get("cache type", block.get("type", "0")))
        if kind == 0:
            break
        ways = field("x = " + block.get("ways of associativity", block.get("number of ways", "0")))
        line_bytes = field("x = " + block.get("system coherency line size", block.get("line size in bytes", "0")))
        partitions = field("x = " + block["physical line partitions"])
        sets = field("x = " + block.get("number of sets (s)", block.get("number of sets", "0")))
        full = block.get("fully associative cache", block.get("fully associative")) == "true"
        flags = []
        if block.get(inclusive_label) == "true":
            flags.append("inclusive")
        if block.get("complex cache indexing") == "true":
            flags.append("complex")
        size = ways * partitions * line_bytes * sets
        rows.append({
            "level": str(field("x = " + block.get("cache level", block.get("level", "0")))),
            "type": types.get(kind, "reserved"),
            "sizeKiB": str(size // 1024) if size % 1024 == 0 else "%.3f" % (size / 1024),
            "ways": "full" if full else str(ways),
            "lineBytes": str(line_bytes),
            "sets": str(sets),
            # The tool prints the field itself; the count is one more.
            "sharedBy": str(field("x = " + block[sharing_label]) + 1),
            "leaf": leaf,
            "flags": ",".join(sorted(flags)) or "-",
            "expectation": "cpuid -f: " + title,
        })
    return rows


def size_kib(text):
    match = re.match(r"([\d.]+)([KM])", text)
    value = float(match[1]) * (1024 if match[2] == "M" else 1)
    return int(value)


def leaf2_rows(lines, trace_only):
    """The cache lines of the tool's leaf 2 section."""
    rows = []
    for line in section(lines, "cache and TLB information (2)"):
        if not line.startswith("0x"):  # a continuation of the line before (0x63's second TLB)
            continue
        descriptor = int(line.split(":")[0], 16)
        text = line.split(":", 1)[1].strip()
        if descriptor in LEAF2_REVIEWED and LEAF2_REVIEWED[descriptor][0] == "none":
            continue
        trace = re.match(r"Trace cache: (\d+)K-uop, (\d+)-way", text)
        cache = re.match(r"L(\d) (data |instruction |)cache: ([\d.]+[KM])[^,]*, (\d+)-way, (?:sectored, )?"
                         r"(\d+)[ -]byte lines", text)
        if trace:
            rows.append({"level": "1", "type": "trace", "sizeKiB": trace[1], "ways": trace[2], "lineBytes": "0",
                         "sets": "0", "sharedBy": "unknown", "leaf": "2", "flags": "-",
                         "expectation": "cpuid -f: cache and TLB information (2), 0x%02x (size in K-uops)" % descriptor})
        elif cache and not trace_only:
            kind = {"data ": "data", "instruction ": "instruction", "": "unified"}[cache[2]]
            note = ""
            if descriptor in LEAF2_REVIEWED:
                kind, note = LEAF2_REVIEWED[descriptor][0], "; " + LEAF2_REVIEWED[descriptor][1]
            size, ways, line_bytes = size_kib(cache[3]), int(cache[4]), int(cache[5])
            rows.append({"level": cache[1], "type": kind, "sizeKiB": str(size), "ways": str(ways),
                         "lineBytes": str(line_bytes), "sets": str(size * 1024 // (ways * line_bytes)),
                         "sharedBy": "unknown", "leaf": "2", "flags": "-",
                         "expectation": "cpuid -f: cache and TLB information (2), 0x%02x%s" % (descriptor, note)})
    return rows


def ways_of(text):
    """The tool's associativity of 0x80000005/6: (ways, at least)."""
    if text.startswith("full") or text.startswith("0xff (255)"):
        return "full", False
    match = re.match(r"(\d+) to \d+-way|(\d+) or more-way", text)
    if match:
        return match[1] or match[2], True
    if text.startswith("direct mapped"):
        return "1", False
    match = re.match(r"(\d+)-way", text)
    if match:
        return match[1], False
    value = field("x = " + text)
    return ("0" if value in (7, 9) else str(value)), False


def extended_rows(lines, vendor):
    rows = []
    parts = []
    if vendor != "GenuineIntel":
        parts += [("L1 data cache information (0x80000005/ecx)", "1", "data", "0x80000005"),
                  ("L1 instruction cache information (0x80000005/edx)", "1", "instruction", "0x80000005")]
    parts.append(("L2 unified cache information (0x80000006/ecx)", "2", "unified", "0x80000006"))
    if vendor in AMD_LIKE:
        parts.append(("L3 cache information (0x80000006/edx)", "3", "unified", "0x80000006"))
    for title, level, kind, leaf in parts:
        block = {line.split("=", 1)[0].strip(): line.split("=", 1)[1].strip() for line in section(lines, title)}
        if not block:
            continue
        size = field("x = " + block["size (KB)"]) if "size (KB)" in block else \
            field("x = " + block["size (in 512KB units)"]) * 512
        associativity = block["associativity"]
        if size == 0 or associativity.startswith("L2 off"):
            continue
        ways, at_least = ways_of(associativity)
        line_bytes = field("x = " + block["line size (bytes)"])
        flags = []
        if at_least:
            flags.append("atleast")
        if level == "3":
            flags.append("total")
        if ways == "full":
            sets = "1"
        elif ways != "0" and not at_least and line_bytes:
            sets = str(size * 1024 // (int(ways) * line_bytes))
        else:
            sets = "0"
        rows.append({"level": level, "type": kind, "sizeKiB": str(size), "ways": ways,
                     "lineBytes": str(line_bytes), "sets": sets, "sharedBy": "unknown", "leaf": leaf,
                     "flags": ",".join(sorted(flags)) or "-", "expectation": "cpuid -f: " + title})
    return rows


def vendor_of(entries):
    leaf0 = entries[(0, 0)]
    return b"".join(value.to_bytes(4, "little") for value in (leaf0[1], leaf0[3], leaf0[2])).decode("latin-1")


def caches_of(name):
    path = os.path.join(DUMPS, name)
    entries = read_raw(path)
    lines = tool_output(path)
    vendor = vendor_of(entries)
    highest_basic = entries[(0, 0)][0]
    extended = entries.get((0x80000000, 0), [0])[0]
    highest_extended = extended if extended >> 16 == 0x8000 else 0

    def has(leaf, subleaf=0):
        in_range = leaf <= highest_basic if leaf < 0x80000000 else leaf <= highest_extended
        return in_range and (leaf, subleaf) in entries

    if vendor in AMD_LIKE:
        topology = has(0x80000001) and entries[(0x80000001, 0)][2] >> 22 & 1
        if topology and has(0x8000001D) and entries[(0x8000001D, 0)][0] & 0x1F:
            return deterministic_rows(lines, "Cache Properties (0x8000001d)", "0x8000001d",
                                      "extra cores sharing this cache", "cache inclusive of lower levels")
        return extended_rows(lines, vendor)
    if has(4) and entries[(4, 0)][0] & 0x1F:
        rows = deterministic_rows(lines, "deterministic cache parameters (4)", "4",
                                  "maximum IDs for CPUs sharing cache", "inclusive to lower caches")
        return rows + (leaf2_rows(lines, True) if vendor == "GenuineIntel" and has(2) else [])
    if vendor == "GenuineIntel" and has(2):
        rows = leaf2_rows(lines, False)
        if rows:
            return rows
    return extended_rows(lines, vendor)


def write_caches():
    out = ["# Made by scripts/make-cache-expectations.py from the Debian cpuid tool (%s): every cache of each"
           % tool_version(),
           "# recorded processor in tests/data/dumps, read from the tool's section for the leaf that describes it",
           "# (AMD, Hygon: 0x8000001d with TopologyExtensions, else 0x80000005/6; others: leaf 4, on Intel then",
           "# leaf 2, then 0x80000005/6). sizeKiB: a trace cache's thousands of micro-ops; ways: full for fully",
           "# associative, 0 not stated; sets 0: not stated (AMD ways given as a range); sharedBy: the sharing",
           "# field + 1; flags: total (AMD's L3 of 0x80000006, the package's), atleast (the least of AMD's ways",
           "# range), inclusive, complex (indexing), corrected (reviewed below the tool; see expectation).",
           "\t".join(COLUMNS)]
    for name in sorted(f for f in os.listdir(DUMPS) if f.endswith(".raw")):
        rows = caches_of(name)
        for (dump, leaf, level, kind), (cells, source) in REVIEWED.items():
            if dump != name:
                continue
            found = [row for row in rows if (row["leaf"], row["level"], row["type"]) == (leaf, level, kind)]
            if not found:  # a cache the tool does not show at all
                found = [{"level": level, "type": kind, "sharedBy": "unknown", "leaf": leaf}]
                rows.append(found[0])
            found[0].update(cells, expectation=source)
        for row in rows:
            row["dump"] = name
            out.append("\t".join(row[column] for column in COLUMNS))
    with open(os.path.join(DUMPS, "caches.tsv"), "w") as table:
        table.write("\n".join(out) + "\n")


def write_leaf2():
    out = ["# Made by scripts/make-cache-expectations.py from the Debian cpuid tool (%s): how it reads each"
           % tool_version(),
           "# leaf 2 descriptor, alone in EDX[7:0] of a made-up GenuineIntel dump (family 6; 0x49 also on",
           "# family 0xF model 6). none: no cache (TLB, prefetch, null, 0x40, 0xFE, 0xFF, unknown). Reviewed",
           "# against the Intel SDM volume 2A leaf 2 table; where it differs, the note says so and the SDM wins.",
           "descriptor\tsignature\tlevel\ttype\tsizeKiB\tways\tlineBytes\tnote"]
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "one.raw")
        for descriptor in range(1, 256):
            for signature in ([0x6FB, 0xF68] if descriptor == 0x49 else [0x6FB]):
                with open(path, "w") as dump:
                    dump.write("CPU:\n"
                               "   0x00000000 0x00: eax=0x00000002 ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69\n"
                               "   0x00000001 0x00: eax=0x%08x ebx=0x00000000 ecx=0x00000000 edx=0x00000000\n"
                               "   0x00000002 0x00: eax=0x00000001 ebx=0x00000000 ecx=0x00000000 edx=0x%08x\n"
                               % (signature, descriptor))
                rows = leaf2_rows(tool_output(path), False)
                note = LEAF2_REVIEWED.get(descriptor, ("", ""))[1] or "-"
                if not rows:
                    out.append("0x%02x\t0x%x\tnone\t-\t-\t-\t-\t%s" % (descriptor, signature, note))
                    continue
                row = rows[0]
                out.append("0x%02x\t0x%x\t%s\t%s\t%s\t%s\t%s\t%s" % (
                    descriptor, signature, row["level"], row["type"], row["sizeKiB"], row["ways"],
                    row["lineBytes"], note))
    with open(os.path.join(DUMPS, "leaf2-descriptors.tsv"), "w") as table:
        table.write("\n".join(out) + "\n")


def tool_version():
    return subprocess.run(["cpuid", "--version"], capture_output=True, text=True).stdout.strip()


if __name__ == "__main__":
    write_caches()
    write_leaf2()
