"""Prints the Python binding as tests/bindings/layout.c prints the header: every ZVT_* record of the module
(found by walking it, so new records and fields need no edit here) by ctypes.sizeof and field offsets, each
export's argument kinds, and the constants. scripts/check-bindings.sh compares the listings."""

import ctypes
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bindings", "python"))
import zavsys  # noqa: E402

SCALARS = {ctypes.c_int32: "i32", ctypes.c_uint32: "u32", ctypes.c_float: "f32", ctypes.c_char: "char"}


def kind(ctype):
    if ctype in SCALARS:
        return SCALARS[ctype]
    if issubclass(ctype, ctypes.Array):
        return f"{kind(ctype._type_)}[{ctype._length_}]"
    return ctype.__name__


def argument_kind(ctype):
    if ctype is ctypes.c_wchar_p:
        return "wstr"
    if ctype is ctypes.c_char_p:
        return "str"
    if issubclass(ctype, (ctypes._Pointer, ctypes.c_void_p)):
        return "ptr"
    return kind(ctype)


def print_record(record):
    name = record.__name__
    print(f"{name} size {ctypes.sizeof(record)}")
    if getattr(record, "_pack_", None) != 4:
        print(f"{name} declared without _pack_ = 4")
    for field, ctype in record._fields_:
        print(f"{name}.{field} offset {getattr(record, field).offset} type {kind(ctype)}")


def main():
    records = [value for name, value in vars(zavsys).items()
               if name.startswith("ZVT_") and isinstance(value, type) and issubclass(value, ctypes.Structure)]
    for record in records:
        print_record(record)
    dump = zavsys.cpuid_dump_type(0)
    entry = dict(dump._fields_)["entries"]._type_
    print(f"ZVT_CPUID_DUMP.entries offset {dump.entries.offset} type {kind(entry)}[]")
    size = ctypes.sizeof(zavsys.cpuid_dump_type(zavsys.ZVT_CPUID_DUMP_MAX_ENTRIES))
    print(f"ZVT_CPUID_DUMP_SIZE({zavsys.ZVT_CPUID_DUMP_MAX_ENTRIES}) {size}")
    for name, (restype, argtypes) in zavsys._EXPORTS.items():
        print(f"export {name} {kind(restype)}({','.join(argument_kind(t) for t in argtypes)})")
    for name, value in vars(zavsys).items():
        if name.startswith("ZVT_") and isinstance(value, int):
            print(f"const {name} {value}")


main()
