#!/usr/bin/env python3
"""Writes what the Debian cpuid tool (an independent decoder) makes of the recorded processors, as expectations
for the feature header's tests:

  tests/data/cpuid/features-bits.tsv  which register bit the tool decodes for each named flag, found by
                                      giving it made-up dumps with one bit set (Intel and AMD vendors)
  tests/data/cpuid/features-ways.tsv  how the tool reads each associativity code of leaf 0x80000006
  tests/data/cpuid/features.tsv       per dump in tests/data/cpuid: the flags the tool shows as true, the
                                      x86-64 level they meet, caches and address sizes as the tool prints them
  tests/data/cpuid/features-dumps.tsv per real dump in tests/data/dumps (every sub-leaf recorded): the flags
                                      the tool shows as true in the leaves and sub-leaves that exist

The tool's descriptions become flag names through tests/data/cpuid/cpuid-tool-names.tsv (reviewed by hand).
Run from anywhere: python3 scripts/make-feature-expectations.py; review the diff before committing.
"""
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "tests", "data", "cpuid")

# The registers the header decodes, as (leaf, sub-leaf, register, the tool's section for it), in word order.
REGISTERS = [
    (0x1, 0, "edx", "1/edx"),
    (0x1, 0, "ecx", "1/ecx"),
    (0x7, 0, "ebx", "7"),
    (0x7, 0, "ecx", "7"),
    (0x7, 0, "edx", "7"),
    (0x80000001, 0, "edx", "0x80000001/edx"),
    (0x80000001, 0, "ecx", "0x80000001/ecx"),
    (0x80000007, 0, "edx", "0x80000007/edx"),
    (0x80000008, 0, "ebx", "0x80000008/ebx"),
    (0xD, 0, "eax", "0xd/0"),
    (0xD, 0, "edx", "0xd/0"),
    (0x6, 0, "eax", "6"),
    (0x7, 1, "eax", "7"),
    (0x7, 1, "edx", "7"),
    (0x7, 2, "edx", "7"),
    (0xD, 1, "eax", "0xd/0"),
    (0x14, 0, "ebx", "0x14"),
    (0x19, 0, "ebx", "0x19"),
    (0x8000000A, 0, "edx", "0x8000000a/edx"),
    (0x80000007, 0, "ebx", "0x80000007/ebx"),
    (0x8000001F, 0, "eax", "0x8000001f"),
    (0x80000021, 0, "eax", "0x80000021"),
]
VENDORS = {"GenuineIntel": (0x756E6547, 0x6C65746E, 0x49656E69), "AuthenticAMD": (0x68747541, 0x444D4163, 0x69746E65)}

# x86-64 psABI micro-architecture levels, in cpuinfo names (lm added: the levels are for 64-bit processors).
LEVELS = [
    ("baseline", ["lm", "cmov", "cx8", "fpu", "fxsr", "mmx", "syscall", "sse", "sse2"]),
    ("v2", ["cx16", "lahf_lm", "popcnt", "pni", "sse4_1", "sse4_2", "ssse3"]),
    ("v3", ["avx", "avx2", "bmi1", "bmi2", "f16c", "fma", "abm", "movbe", "osxsave"]),
    ("v4", ["avx512f", "avx512bw", "avx512cd", "avx512dq", "avx512vl"]),
]

SECTION = re.compile(r"^   \S.*\((0x[0-9a-f]+/\w+|\d+/\w+|\d+|0x[0-9a-f]+)\):\s*$")
ITEM = re.compile(r"^\s+(.*?)\s+= (.*)$")


def read_names():
    names = {}
    with open(os.path.join(DATA, "cpuid-tool-names.tsv"), encoding="utf-8") as table:
        for line in table:
            if line.startswith("#") or not line.strip():
                continue
            section, description, name = line.rstrip("\n").split("\t")
            names[(section, description)] = name
    return names


def decode(dump_text):
    """The tool's sections: {section: [(description, value)]}, and its vendor line."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as dump:
        dump.write(dump_text)
    try:
        out = subprocess.run(["cpuid", "-f", dump.name], capture_output=True, text=True, check=True).stdout
    finally:
        os.unlink(dump.name)
    sections, section, vendor = {}, None, ""
    for line in out.splitlines():
        match = SECTION.match(line)
        if match:
            section = match.group(1)
            sections.setdefault(section, [])
            continue
        if re.match(r"^   \S", line):
            section = None
            vendor_match = re.match(r'^   vendor_id = "(.*)"', line)
            vendor = vendor_match.group(1) if vendor_match else vendor
            continue
        match = ITEM.match(line)
        if match and section is not None:
            sections[section].append((match.group(1), match.group(2)))
    return sections, vendor


def register_label(leaf, subleaf, register):
    """"7/ebx", "0x80000001/ecx"; a sub-leaf other than 0 as "7.1/eax", "0xd.1/eax"."""
    number = ("0x%x" % leaf) if leaf > 9 else str(leaf)
    return "%s%s/%s" % (number, ".%d" % subleaf if subleaf else "", register)


def raw_line(leaf, subleaf, registers):
    return "   0x%08x 0x%02x: eax=0x%08x ebx=0x%08x ecx=0x%08x edx=0x%08x\n" % ((leaf, subleaf) + tuple(registers))


UNMAPPED = set()
LEAF_OF_REGISTER = {}


def probe_bits(names):
    """(vendor, register label, bit, name, description) for every bit the tool names and the table maps."""
    rows = []
    for vendor, (ebx, ecx, edx) in VENDORS.items():
        for leaf, subleaf, register, section in REGISTERS:
            label = register_label(leaf, subleaf, register)
            LEAF_OF_REGISTER[label] = (leaf, subleaf)
            for bit in range(32):
                # Highest leaves 0xD and 0x80000008 as before, or the probed leaf when it is above them; leaf 7
                # sub-leaf 0 counts the sub-leaves up to the probed one.
                leaves = {(0, 0): [max(0xD, leaf if leaf < 0x80000000 else 0), ebx, ecx, edx],
                          (0x80000000, 0): [max(0x80000008, leaf if leaf >= 0x80000000 else 0), 0, 0, 0]}
                if subleaf:
                    leaves[(leaf, 0)] = [subleaf if leaf == 7 else 0, 0, 0, 0]
                values = leaves.setdefault((leaf, subleaf), [0, 0, 0, 0])
                values["abcd".index(register[1])] = 1 << bit
                text = "".join(raw_line(l, sub, v) for (l, sub), v in sorted(leaves.items()))
                sections, _ = decode(text)
                for description, value in sections.get(section, []):
                    if value != "true":
                        continue
                    name = names.get((section, description))
                    if name is None:
                        UNMAPPED.add((section, description))
                    elif name != "-":
                        rows.append((vendor, label, bit, name, description))
    return rows


def probe_ways():
    """(code, the tool's text) of the 4-bit associativity code of leaf 0x80000006 ECX, with its lower bound."""
    rows = []
    ebx, ecx, edx = VENDORS["AuthenticAMD"]
    for code in range(16):
        text = raw_line(0, 0, [0xD, ebx, ecx, edx]) + raw_line(0x80000000, 0, [0x80000008, 0, 0, 0])
        text += raw_line(0x80000006, 0, [0, 0, (0x200 << 16) | (code << 12) | 0x40, 0])
        sections, _ = decode(text)
        value = dict(sections.get("0x80000006/ecx", [])).get("associativity", "-")
        words = re.match(r"(\d+)(?: to \d+| or more)?-way", value)
        if words:
            ways = words.group(1)
        else:
            ways = {"L2 off": "0", "direct mapped": "1", "full": "full"}.get(value.split(" (")[0], "-")
        rows.append((code, value, ways))
    return rows


def as_tool_dump(path):
    """The dump as cpuid -r lines (comments dropped; "CPUID llllllll: a-b-c-d" lines converted)."""
    lines = []
    for line in open(path, encoding="latin-1"):
        if line.startswith("#"):
            continue
        match = re.match(r"CPUID ([0-9A-Fa-f]{8}): ([0-9A-Fa-f]{8})-([0-9A-Fa-f]{8})-([0-9A-Fa-f]{8})-([0-9A-Fa-f]{8})",
                         line)
        if match:
            values = [int(group, 16) for group in match.groups()]
            lines.append(raw_line(values[0], 0, values[1:]))
        else:
            lines.append(line)
    return "".join(lines)


def number(value):
    match = re.search(r"\((\d+)\)", value)
    return match.group(1) if match else "-"


def item(sections, section, description):
    for known, value in sections.get(section, []):
        if known == description:
            return number(value)
    return "-"


def level_of(vendor, flags, unknown):
    """The level and what the next lacks; ("-", []) when that depends on a flag the tool did not decode."""
    level, missing = "none", []
    present = set(flags)
    # Intel answers SYSCALL only to 64-bit code; any Intel processor with lm has it there.
    if vendor == "GenuineIntel" and "lm" in present:
        present.add("syscall")
    for name, required in LEVELS:
        missing = [flag for flag in required if flag not in present]
        if any(flag in unknown for flag in missing):
            return "-", []
        if missing:
            break
        level, missing = name, []
    return level, missing


def held_leaves(dump_text, whole):
    """The (leaf, sub-leaf) pairs a dump holds that exist: within its highest basic and extended leaf, and for
    leaf 7 within the highest sub-leaf of 7.0 EAX (the manuals' rules). Of a dump of sub-leaf 0 alone (not
    whole), sub-leaf 0 only. In a whole dump a valid sub-leaf that was not recorded is one the processor
    answers with zeros: held, with no flag set."""
    leaves = {}
    for match in re.finditer(r"^\s+0x([0-9a-f]{8}) 0x([0-9a-f]{2}): eax=0x([0-9a-f]{8})", dump_text, re.M):
        leaves.setdefault((int(match.group(1), 16), int(match.group(2), 16)), int(match.group(3), 16))
    highest = {0: leaves.get((0, 0), 0), 0x80000000: leaves.get((0x80000000, 0), 0)}
    valid = set()
    for leaf, subleaf, _, _ in REGISTERS:
        top = highest[leaf & 0x80000000]
        if top < (leaf & 0x80000000) or leaf > top:
            continue
        if leaf == 7 and subleaf > leaves.get((7, 0), 0):
            continue
        if subleaf and not whole:
            continue
        valid.add((leaf, subleaf))
    for leaf, subleaf in leaves:
        top = highest[leaf & 0x80000000]
        if top >= (leaf & 0x80000000) and leaf <= top and (subleaf == 0 or (leaf, subleaf) in valid):
            valid.add((leaf, subleaf))
    return valid


def existing_lines(dump_text):
    """The dump's leaf lines within its highest basic and extended leaf (leaf 7: its sub-leaves within 7.0 EAX);
    the other ranges (hypervisor, Centaur) hold no flag of the header and go too. Some processors answer past
    their highest leaf with the highest leaf's registers; the tool decodes those lines and crashes on three such
    dumps. What lies past the highest leaf does not exist, so it goes."""
    entries = re.findall(r"^\s+0x([0-9a-f]{8}) 0x([0-9a-f]{2}): eax=0x([0-9a-f]{8}).*$", dump_text, re.M)
    first = {}
    for leaf, subleaf, eax in entries:
        first.setdefault((int(leaf, 16), int(subleaf, 16)), int(eax, 16))
    highest = {0: first.get((0, 0), 0), 0x80000000: first.get((0x80000000, 0), 0)}
    kept = []
    for line in dump_text.splitlines(True):
        match = re.match(r"^\s+0x([0-9a-f]{8}) 0x([0-9a-f]{2}): ", line)
        if match:
            leaf, subleaf = int(match.group(1), 16), int(match.group(2), 16)
            top = highest.get(leaf & 0xC0000000)
            if top is None or top < (leaf & 0x80000000) or leaf > top:
                continue
            if leaf == 7 and subleaf > first.get((7, 0), 0):
                continue
        kept.append(line)
    return "".join(kept)


def tool_flags(text, names, leaf_of_name, whole):
    """The flags the tool shows as true in the leaves and sub-leaves that exist, the flags of existing leaves it
    does not decode for this vendor (not known from the tool), and the vendor."""
    sections, vendor = decode(existing_lines(text) if whole else text)
    held = held_leaves(text, whole)
    flags, shown = set(), set()
    for section, items in sections.items():
        for description, value in items:
            name = names.get((section, description), "")
            if name not in ("", "-"):
                shown.add(name)
                if value == "true" and leaf_of_name.get(name) in held:
                    flags.add(name)
    unknown = {name for name, leaf in leaf_of_name.items() if leaf in held and name not in shown}
    return flags, unknown, vendor, sections


def describe_dump(path, names, leaf_of_name):
    text = as_tool_dump(path)
    flags, unknown, vendor, sections = tool_flags(text, names, leaf_of_name, False)
    level, missing = level_of(vendor, flags, unknown)
    columns = [
        os.path.basename(path)[:-4], level, " ".join(missing) or "-",
        item(sections, "0x80000008/eax", "maximum physical address bits"),
        item(sections, "0x80000008/eax", "maximum linear (virtual) address bits"),
        item(sections, "0x80000005/ecx", "size (KB)"), item(sections, "0x80000005/ecx", "line size (bytes)"),
        item(sections, "0x80000005/ecx", "associativity"),
        item(sections, "0x80000005/edx", "size (KB)"), item(sections, "0x80000005/edx", "line size (bytes)"),
        item(sections, "0x80000005/edx", "associativity"),
        item(sections, "0x80000006/ecx", "size (KB)"), item(sections, "0x80000006/ecx", "line size (bytes)"),
        item(sections, "0x80000006/edx", "size (in 512KB units)"), item(sections, "0x80000006/edx", "line size (bytes)"),
        " ".join(sorted(flags)) or "-", " ".join(sorted(unknown)) or "-",
    ]
    return "\t".join(columns)


def main():
    names = read_names()
    bits = probe_bits(names)
    with open(os.path.join(DATA, "features-bits.tsv"), "w", encoding="utf-8") as out:
        out.write("# Made by scripts/make-feature-expectations.py from the Debian cpuid tool (%s): the register bit\n"
                  "# the tool decodes for each flag, from made-up dumps with one bit set.\n"
                  "vendor\tregister\tbit\tname\ttool\n" % tool_version())
        for row in bits:
            out.write("%s\t%s\t%d\t%s\t%s\n" % row)
    with open(os.path.join(DATA, "features-ways.tsv"), "w", encoding="utf-8") as out:
        out.write("# Made by scripts/make-feature-expectations.py from the Debian cpuid tool (%s): how it reads\n"
                  "# each associativity code of leaf 0x80000006 (L2 cache; L3 and the L2 TLBs use the same codes),\n"
                  "# and the least number of ways that means (\"-\": no number given).\n"
                  "code\ttool\tways\n" % tool_version())
        for row in probe_ways():
            out.write("%d\t%s\t%s\n" % row)
    dumps = sorted(f for f in os.listdir(DATA) if f.endswith(".txt"))
    with open(os.path.join(DATA, "features.tsv"), "w", encoding="utf-8") as out:
        out.write("# Made by scripts/make-feature-expectations.py from the Debian cpuid tool (%s): per recorded\n"
                  "# processor, the flags the tool shows as true (named through cpuid-tool-names.tsv), the x86-64\n"
                  "# level they meet and what the next level lacks, address sizes and the caches of 0x80000005/6\n"
                  "# as the tool prints them (L3 in 512 KB units, associativity as the L1 field's number). unknown:\n"
                  "# flags of leaves the dump holds that the tool does not decode for its vendor (level \"-\" when\n"
                  "# the level depends on one of them).\n"
                  "dump\tlevel\tmissing\tphysicalBits\tlinearBits\tl1dKb\tl1dLine\tl1dWays\tl1iKb\tl1iLine\tl1iWays"
                  "\tl2Kb\tl2Line\tl3Units\tl3Line\tflags\tunknown\n" % tool_version())
        leaf_of_name = {row[3]: LEAF_OF_REGISTER[row[1]] for row in bits}
        for dump in dumps:
            out.write(describe_dump(os.path.join(DATA, dump), names, leaf_of_name) + "\n")
    real = os.path.join(ROOT, "tests", "data", "dumps")
    with open(os.path.join(DATA, "features-dumps.tsv"), "w", encoding="utf-8") as out:
        out.write("# Made by scripts/make-feature-expectations.py from the Debian cpuid tool (%s): per real dump\n"
                  "# of tests/data/dumps (every sub-leaf recorded), the flags the tool shows as true (named through\n"
                  "# cpuid-tool-names.tsv) in the leaves and sub-leaves that exist: within the highest basic and\n"
                  "# extended leaf, leaf 7's sub-leaves within 7.0 EAX. unknown: flags of such leaves that the tool\n"
                  "# does not decode for the dump's vendor.\n"
                  "dump\tflags\tunknown\n" % tool_version())
        for dump in sorted(f for f in os.listdir(real) if f.endswith(".raw")):
            with open(os.path.join(real, dump), encoding="latin-1") as raw:
                flags, unknown, _, _ = tool_flags(raw.read(), names, leaf_of_name, True)
            out.write("%s\t%s\t%s\n" % (dump[:-4], " ".join(sorted(flags)) or "-", " ".join(sorted(unknown)) or "-"))
    for section, description in sorted(UNMAPPED):
        print("unmapped: %s: %s" % (section, description), file=sys.stderr)


def tool_version():
    return subprocess.run(["cpuid", "--version"], capture_output=True, text=True).stdout.strip()


if __name__ == "__main__":
    main()
