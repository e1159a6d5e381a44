"""Compares one binding's listing (tests/bindings/Layout.cs or layout.py) with the C header.

Usage: compare.py LIBRARY_DIR C_LISTING BINDING_LISTING LABEL
- records: the binding's record lines equal layout.c's, and layout.c lists every record zavsys.h declares;
- exports: the binding declares exactly zavsys.def's names, each with the argument kinds, result and
  convention of its prototype in zavsys.h;
- constants: every integer #define of zavsys.h is in the binding with its value; every ZVT_ constant of the
  binding is an integer #define of some library/zavsys*.h with that value.
Prints what differs and exits 1; exits 0 when all agree."""

import difflib
import glob
import os
import re
import sys

INTEGER = r"-?(?:0x[0-9a-fA-F]+|\d+)[uU]?"
DEFINE = re.compile(rf"^\s*#\s*define\s+(ZVT_\w+)\s+(\({INTEGER}\)|{INTEGER})\s*(?://.*|/\*.*)?$")
PROTOTYPE = re.compile(r"(\w+)\s+(ZVT_API\s+)?(zvt\w+)\s*\(([^)]*)\)\s*;")


def read(path):
    with open(path, encoding="utf-8") as file:
        return file.read()


def defines(path):
    """NAME -> value of every #define of an integer literal, bare or parenthesised, maybe negative."""
    values = {}
    for line in read(path).replace("\\\n", " ").splitlines():  # continued lines joined
        match = DEFINE.match(line)
        if match:
            values[match.group(1)] = int(match.group(2).strip("()").rstrip("uU"), 0)
    return values


def argument_kind(declaration):
    declaration = declaration.strip()
    if "*" not in declaration:
        return {"int32_t": "i32", "uint32_t": "u32"}.get(declaration.split()[0], declaration)
    if "ZVT_WCHAR" in declaration:
        return "wstr"
    return "str" if re.search(r"\bchar\b", declaration) else "ptr"


def header_exports(library):
    """The export lines zavsys.def and the prototypes of zavsys.h call for."""
    names = re.findall(r"^\s+(zvt\w+)\s+@\d+", read(os.path.join(library, "zavsys.def")), re.M)
    code = re.sub(r"//[^\n]*|/\*.*?\*/", "", read(os.path.join(library, "zavsys.h")), flags=re.S)
    prototypes = {}
    for result, api, name, arguments in PROTOTYPE.findall(code):
        kinds = [] if arguments.strip() in ("", "void") else [argument_kind(a) for a in arguments.split(",")]
        convention = "stdcall" if api else "cdecl"
        prototypes[name] = f"export {name} {argument_kind(result)}({','.join(kinds)}) {convention}"
    missing = [name for name in names if name not in prototypes]
    unexported = sorted(set(prototypes) - set(names))
    return [prototypes[name] for name in names if name in prototypes], missing, unexported


def compare_lines(label, expected, actual, what):
    if sorted(expected) == sorted(actual):
        return []
    diff = difflib.unified_diff(sorted(expected), sorted(actual), "C header", label, lineterm="", n=0)
    lines = [line for line in diff if line[:3] not in ("---", "+++")]
    return [f"{label}: {what} differ from the C header:"] + lines


def compare_constants(label, library, constants):
    required = defines(os.path.join(library, "zavsys.h"))
    known = {}
    for path in sorted(glob.glob(os.path.join(library, "zavsys*.h"))):
        known.update(defines(path))
    errors = [f"{label}: {name} = {value} is missing" for name, value in sorted(required.items())
              if name not in constants]
    for name, value in sorted(constants.items()):
        if name not in known:
            errors.append(f"{label}: {name} is no integer #define of library/zavsys*.h")
        elif known[name] != value:
            errors.append(f"{label}: {name} is {value}, the header says {known[name]}")
    return errors


def main(library, c_listing, binding_listing, label):
    c_lines = read(c_listing).splitlines()
    lines = read(binding_listing).splitlines()
    records = [line for line in lines if not line.startswith(("export ", "const "))]
    exports = [line for line in lines if line.startswith("export ")]
    constants = {line.split()[1]: int(line.split()[2]) for line in lines if line.startswith("const ")}
    expected_exports, missing, unexported = header_exports(library)
    if label == "Python":  # ctypes sets the convention per library (WinDLL), not per function
        expected_exports = [line.rsplit(" ", 1)[0] for line in expected_exports]
    declared = set(re.findall(r"typedef\s+struct\s+(\w+)", read(os.path.join(library, "zavsys.h"))))
    listed = {line.split()[0] for line in c_lines if " size " in line}
    errors = [f"zavsys.def exports {name}, which zavsys.h does not declare" for name in missing]
    errors += [f"zavsys.h declares {name}, which zavsys.def does not export" for name in unexported]
    errors += [f"layout.c does not list {name}" for name in sorted(declared - listed)]
    errors += compare_lines(label, c_lines, records, "records")
    errors += compare_lines(label, expected_exports, exports, "exports")
    errors += compare_constants(label, library, constants)
    print("\n".join(errors) if errors else f"{label}: records, exports and constants agree with the C header")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
