"""zavsys.dll for Python callers (ctypes, Python 3.8+): the records, constants and exports of zavsys.h.

The DLL is loaded by load() or by the first call, so this module imports on any system. Field names are the
header's, whose comments document them. Exports: zavsys.zvtGetInformation(...) and the others, bound with
their argument and result types; helpers: processor_details, query_flag, flag_name, flag_names, cpuid_dump.
"""

import ctypes
import functools
import os
from ctypes import POINTER, c_char, c_char_p, c_float, c_int32, c_uint32, c_wchar_p

# Record sizes and array lengths.
ZVT_CPUID_LEAVES = 64
ZVT_IDENTITY_SIZE = 2056
ZVT_INFORMATION_SIZE = 116
ZVT_WINDOWS_VERSION_SIZE = 24
ZVT_CPUID_DUMP_HEADER_SIZE = 16
ZVT_CPUID_DUMP_MAX_ENTRIES = 1024
ZVT_DETAILS_FLAG_WORDS = 32
ZVT_DETAILS_CACHES = 16
ZVT_DETAILS_UARCHES = 4
ZVT_DETAILS_NAME_SIZE = 48
ZVT_DETAILS_CODENAME_SIZE = 128
ZVT_DETAILS_SIZE = 2612
ZVT_DETAILS_HEADER_SIZE = 16
ZVT_DETAILS_MAX_PROCESSORS = 1024

# ZVT_CPU_INFORMATION.features.
ZVT_FEATURE_3DNOW = 0x00001
ZVT_FEATURE_3DNOWEXT = 0x00002
ZVT_FEATURE_SSE4A = 0x00004
ZVT_FEATURE_MMX = 0x00100
ZVT_FEATURE_MMXEXT = 0x00200
ZVT_FEATURE_SSE = 0x00400
ZVT_FEATURE_SSE2 = 0x00800
ZVT_FEATURE_SSE3 = 0x01000
ZVT_FEATURE_SSE41 = 0x02000
ZVT_FEATURE_SSE42 = 0x04000
ZVT_FEATURE_AMDV = 0x10000
ZVT_FEATURE_INTELVT = 0x20000
ZVT_FEATURE_X86_64 = 0x40000
ZVT_FEATURE_LABEL_COUNT = 13

# Results.
ZVT_OK = 0
ZVT_E_NO_CPUID = 10000
ZVT_E_NO_REPORT_BUFFER = -10001
ZVT_E_REPORT_EMPTY = -10000
ZVT_E_FAILED = -1
ZVT_E_DUMP_TOO_SMALL = -10002
ZVT_E_NO_PROCESSOR = -10003
ZVT_E_UNKNOWN_FLAG = -10004
ZVT_E_RECORD_TOO_SMALL = -10005
ZVT_E_BAD_OPTIONS = -10006
ZVT_PROCESSOR_CURRENT = -1

# zvtGetProcessorDetails options and ZVT_PROCESSOR_DETAILS.filled; zvtQueryFlag's bits.
ZVT_DETAILS_MACHINE = 0x1
ZVT_DETAILS_MACHINE_TRUNCATED = 0x2
ZVT_DETAILS_UARCHES_TRUNCATED = 0x4
ZVT_QUERY_REPORTED = 1
ZVT_QUERY_USABLE = 2

# Causes of a failed report (positive results of zvtGetIdentity).
ZVT_REPORT_GENERIC = 1
ZVT_REPORT_NOT_FOUND = 2
ZVT_REPORT_BAD_PATH = 3
ZVT_REPORT_TOO_MANY_FILES = 4
ZVT_REPORT_ACCESS_DENIED = 5
ZVT_REPORT_INVALID_FILE = 6
ZVT_REPORT_BAD_SEEK = 9
ZVT_REPORT_HARD_IO = 10
ZVT_REPORT_SHARING = 11
ZVT_REPORT_LOCKED = 12
ZVT_REPORT_DISK_FULL = 13

# Report modes.
ZVT_MODE_ANSI = 0
ZVT_MODE_UTF8 = 1
ZVT_MODE_UTF16BE = 2
ZVT_MODE_UTF16LE = 3
ZVT_MODE_HEX = 6
ZVT_MODE_NO_BOM = 0x100

# Export ordinals.
ZVT_ORDINAL_GET_IDENTITY = 1000
ZVT_ORDINAL_GET_INFORMATION = 1001
ZVT_ORDINAL_GET_WINDOWS_VERSION = 1002
ZVT_ORDINAL_IS_WOW64 = 1003
ZVT_ORDINAL_GET_FILE_VERSION = 1100
ZVT_ORDINAL_GET_TEMPORARY_FILE_NAME = 1101
ZVT_ORDINAL_GET_CPUID_DUMP = 1102
ZVT_ORDINAL_GET_PROCESSOR_DETAILS = 1103
ZVT_ORDINAL_QUERY_FLAG = 1104
ZVT_ORDINAL_GET_FLAG_NAME_BY_NUMBER = 1105

# What the details record's fields hold (the decoding headers' constants).
ZVT_UARCH_UNKNOWN = 0
ZVT_UARCH_FAMILY = 1
ZVT_UARCH_GENERATION = 2
ZVT_UARCH_EXACT = 3
ZVT_LEVEL_NONE = 0
ZVT_LEVEL_BASELINE = 1
ZVT_LEVEL_V2 = 2
ZVT_LEVEL_V3 = 3
ZVT_LEVEL_V4 = 4
ZVT_AVX10_VL128 = 0x1
ZVT_AVX10_VL256 = 0x2
ZVT_AVX10_VL512 = 0x4
ZVT_CACHE_TYPE_DATA = 1
ZVT_CACHE_TYPE_INSTRUCTION = 2
ZVT_CACHE_TYPE_UNIFIED = 3
ZVT_CACHE_TYPE_TRACE = 4
ZVT_CACHE_TYPE_RESERVED = 5
ZVT_CACHE_FULLY_ASSOCIATIVE = -1
ZVT_CACHE_FLAG_SELF_INITIALIZING = 0x01
ZVT_CACHE_FLAG_FULLY_ASSOCIATIVE = 0x02
ZVT_CACHE_FLAG_WBINVD_NOT_LOWER = 0x04
ZVT_CACHE_FLAG_INCLUSIVE = 0x08
ZVT_CACHE_FLAG_COMPLEX_INDEXING = 0x10
ZVT_CACHE_FLAG_PACKAGE_TOTAL = 0x20
ZVT_CACHE_FLAG_WAYS_AT_LEAST = 0x40
ZVT_CACHE_FLAG_CORRECTED = 0x80
ZVT_CACHE_LIST_INCOMPLETE = 0x01
ZVT_CACHE_LIST_UNTERMINATED = 0x02
ZVT_CACHE_LIST_TRUNCATED = 0x04
ZVT_TOPOLOGY_UNKNOWN = -1
ZVT_TOPOLOGY_NONE = 0
ZVT_TOPOLOGY_LEAF_1F = 1
ZVT_TOPOLOGY_LEAF_B = 2
ZVT_TOPOLOGY_AMD = 3
ZVT_TOPOLOGY_LEGACY = 4
ZVT_TOPOLOGY_HAS_APIC_ID = 0x01
ZVT_TOPOLOGY_HAS_SPLIT = 0x02
ZVT_TOPOLOGY_HYBRID = 0x04
ZVT_TOPOLOGY_ADDRESSABLE = 0x08
ZVT_TOPOLOGY_EMPTY_LEAF = 0x10
ZVT_TOPOLOGY_BAD_LEVELS = 0x20
ZVT_TOPOLOGY_VIEW_LACKS_SUBLEAVES = 0x40
ZVT_TOPOLOGY_NARROW_SHIFTS = 0x80
ZVT_CORE_TYPE_NONE = 0
ZVT_CORE_TYPE_EFFICIENCY = 0x20
ZVT_CORE_TYPE_PERFORMANCE = 0x40
ZVT_MACHINE_HYBRID = 0x01
ZVT_MACHINE_DUPLICATE_IDS = 0x02
ZVT_MACHINE_UNPLACED = 0x04
ZVT_MACHINE_PARTIAL = 0x08


def _u32(*names):
    return [(name, c_uint32) for name in names]


def _i32(*names):
    return [(name, c_int32) for name in names]


class ZVT_CPUID_LEAF(ctypes.Structure):
    _pack_ = 4
    _fields_ = _u32("eax", "ebx", "ecx", "edx")


class ZVT_CPU_IDENTITY(ctypes.Structure):
    _pack_ = 4
    _fields_ = [("size", c_int32), ("frequency", c_float),
                ("basic", ZVT_CPUID_LEAF * ZVT_CPUID_LEAVES), ("extended", ZVT_CPUID_LEAF * ZVT_CPUID_LEAVES)]


class ZVT_CPU_INFORMATION(ctypes.Structure):
    _pack_ = 4
    _fields_ = ([("size", c_int32), ("frequency", c_float),
                 ("vendor", c_char * 14), ("modelName", c_char * 50)]
                + _i32("family", "extendedFamily", "baseFamily", "model", "extendedModel", "baseModel",
                       "stepping", "cores", "logicalCores", "threads")
                + _u32("features"))


class ZVT_WINDOWS_VERSION(ctypes.Structure):
    _pack_ = 4
    _fields_ = _u32("size", "revision", "major", "minor", "build", "productType")


class ZVT_CPUID_ENTRY(ctypes.Structure):
    _pack_ = 4
    _fields_ = _u32("leaf", "subleaf", "eax", "ebx", "ecx", "edx")


class ZVT_CPUID_DUMP(ctypes.Structure):
    """The dump's header; cpuid_dump_type(n) is the record with room for n entries after it."""
    _pack_ = 4
    _fields_ = _u32("size", "processor", "count", "reserved")


class ZVT_TOPOLOGY(ctypes.Structure):
    _pack_ = 4
    _fields_ = (_i32("method") + _u32("flags")
                + _i32("threadsPerCore", "logicalPerModule", "logicalPerDie", "logicalPerPackage",
                       "coresPerPackage", "smtShift", "packageShift")
                + _u32("apicId", "packageId", "coreId", "threadId") + _i32("coreType"))


class ZVT_MACHINE_TOPOLOGY(ctypes.Structure):
    _pack_ = 4
    _fields_ = (_i32("processors", "logical", "cores", "packages") + _u32("flags")
                + _i32("performanceCores", "performanceLogical", "efficiencyCores", "efficiencyLogical"))


class ZVT_DETAILS_UARCH(ctypes.Structure):
    _pack_ = 4
    _fields_ = (_i32("kind") + _u32("coreType", "nativeModel") + _i32("logical")
                + [("uarch", c_char * ZVT_DETAILS_NAME_SIZE), ("generation", c_char * ZVT_DETAILS_NAME_SIZE),
                   ("codename", c_char * ZVT_DETAILS_CODENAME_SIZE)])


class ZVT_DETAILS_CACHE(ctypes.Structure):
    _pack_ = 4
    _fields_ = (_i32("level", "type") + _u32("sizeBytes", "sets")
                + _i32("ways", "lineBytes", "partitions", "linesPerTag", "sharedBy", "sizeUops")
                + _u32("flags", "sourceLeaf", "sourceIndex") + _i32("rawType"))


class ZVT_PROCESSOR_DETAILS(ctypes.Structure):
    _pack_ = 4
    _fields_ = (_u32("size", "written", "processor", "filled")
                + [("vendor", c_char * 16), ("brand", c_char * 52), ("hypervisor", c_char * 16)]
                + _u32("signature", "family", "model", "stepping")
                + [("uarch", ZVT_DETAILS_UARCH)] + _u32("flagWords")
                + [("flags", c_uint32 * ZVT_DETAILS_FLAG_WORDS),
                   ("usable", c_uint32 * ZVT_DETAILS_FLAG_WORDS)]
                + _i32("level", "enabledLevel") + _u32("xcr0Low", "xcr0High") + _i32("avx10Version")
                + _u32("avx10VectorWidths")
                + _i32("physicalAddressBits", "linearAddressBits", "guestPhysicalAddressBits")
                + _u32("cacheCount", "cacheStatus") + [("caches", ZVT_DETAILS_CACHE * ZVT_DETAILS_CACHES)]
                + [("topology", ZVT_TOPOLOGY), ("machine", ZVT_MACHINE_TOPOLOGY)] + _u32("uarchCount")
                + [("uarches", ZVT_DETAILS_UARCH * ZVT_DETAILS_UARCHES)])


@functools.lru_cache(maxsize=None)
def cpuid_dump_type(entries):
    """The dump record with room for `entries` entries: ZVT_CPUID_DUMP_SIZE(entries) bytes."""
    class ZVT_CPUID_DUMP_ENTRIES(ZVT_CPUID_DUMP):
        _pack_ = 4
        _fields_ = [("entries", ZVT_CPUID_ENTRY * entries)]
    return ZVT_CPUID_DUMP_ENTRIES


# Each export's result and argument types. Paths are UTF-16 (c_wchar_p takes str, or a buffer from
# ctypes.create_unicode_buffer); flag names are single-byte (bytes, or ctypes.create_string_buffer).
_EXPORTS = {
    "zvtGetIdentity": (c_int32, [POINTER(ZVT_CPU_IDENTITY), c_int32, c_wchar_p, c_int32]),
    "zvtGetInformation": (c_int32, [POINTER(ZVT_CPU_INFORMATION), c_int32]),
    "zvtGetWindowsVersion": (c_int32, [POINTER(ZVT_WINDOWS_VERSION)]),
    "zvtIsWow64": (c_int32, []),
    "zvtGetFileVersion": (c_int32, [c_wchar_p] + [POINTER(c_int32)] * 4),
    "zvtGetTemporaryFileName": (c_int32, [c_int32, c_wchar_p, c_int32]),
    "zvtGetCpuidDump": (c_int32, [POINTER(ZVT_CPUID_DUMP), c_int32]),
    "zvtGetProcessorDetails": (c_int32, [POINTER(ZVT_PROCESSOR_DETAILS), c_int32, c_int32]),
    "zvtQueryFlag": (c_int32, [c_char_p, c_int32]),
    "zvtGetFlagNameByNumber": (c_int32, [c_int32, c_char_p, c_int32]),
}

_library = None


def _default_path():
    """$ZAVSYS_DLL, a zavsys.dll beside this file, the package's DLL of this process's width, or the name."""
    if os.environ.get("ZAVSYS_DLL"):
        return os.environ["ZAVSYS_DLL"]
    here = os.path.dirname(os.path.abspath(__file__))
    width = "x64" if ctypes.sizeof(ctypes.c_void_p) == 8 else "x86"
    for path in (os.path.join(here, "zavsys.dll"), os.path.join(here, "..", "..", width, "zavsys.dll")):
        if os.path.isfile(path):
            return os.path.normpath(path)
    return "zavsys.dll"  # Python 3.8+ looks only in the system's folders and those of os.add_dll_directory


def load(path=None):
    """Loads zavsys.dll (path, or _default_path()) and binds every export; returns the library."""
    global _library
    # WinDLL calls __stdcall, the 32-bit exports' convention; 64-bit Windows has one convention.
    library = getattr(ctypes, "WinDLL", ctypes.CDLL)(path or _default_path())
    for name, (restype, argtypes) in _EXPORTS.items():
        function = getattr(library, name, None)  # an older zavsys.dll lacks the newer exports
        if function is not None:
            function.restype, function.argtypes = restype, argtypes
    _library = library
    return library


def _dll():
    return _library or load()


def __getattr__(name):
    # zavsys.zvtQueryFlag(...) and the other exports: the DLL is loaded on first use.
    if name in _EXPORTS:
        return getattr(_dll(), name)
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")


class ZavsysError(Exception):
    def __init__(self, export, result):
        super().__init__(f"{export} failed: {result}")
        self.export, self.result = export, result


def _checked(export, result):
    if result < 0 or result == ZVT_E_NO_CPUID:
        raise ZavsysError(export, result)
    return result


def processor_details(processor=ZVT_PROCESSOR_CURRENT, machine=False):
    """The details record of one logical processor (this thread's by default); with machine=True also every
    processor's topology and microarchitectures (the calling thread visits each)."""
    details = ZVT_PROCESSOR_DETAILS(size=ctypes.sizeof(ZVT_PROCESSOR_DETAILS))
    options = ZVT_DETAILS_MACHINE if machine else 0
    result = _dll().zvtGetProcessorDetails(ctypes.byref(details), processor, options)
    _checked("zvtGetProcessorDetails", result)
    return details


def query_flag(name, processor=ZVT_PROCESSOR_CURRENT):
    """0 when the processor does not report flag `name`, else ZVT_QUERY_REPORTED, with ZVT_QUERY_USABLE
    when the OS enables it; ZavsysError for a name the library does not know."""
    return _checked("zvtQueryFlag", _dll().zvtQueryFlag(name.encode("ascii"), processor))


def flag_name(flag):
    """The name of flag number `flag` (ZVT_PROCESSOR_DETAILS.flags), or None when it names no flag."""
    buffer = ctypes.create_string_buffer(32)
    length = _dll().zvtGetFlagNameByNumber(flag, buffer, len(buffer))
    if length >= len(buffer):
        buffer = ctypes.create_string_buffer(length + 1)
        length = _dll().zvtGetFlagNameByNumber(flag, buffer, len(buffer))
    return None if length < 0 else buffer.value.decode("ascii")


def flag_names(details, words=None):
    """The names of the flags set in details.flags (or in words, e.g. details.usable), in number order."""
    words = details.flags if words is None else words
    count = min(details.flagWords, len(words)) * 32
    return [flag_name(n) or f"flag{n}" for n in range(count) if words[n // 32] >> (n % 32) & 1]


def cpuid_dump(processor=ZVT_PROCESSOR_CURRENT):
    """Every leaf and sub-leaf of one logical processor: (processor, [ZVT_CPUID_ENTRY, ...])."""
    dump = cpuid_dump_type(ZVT_CPUID_DUMP_MAX_ENTRIES)()
    dump.size = ctypes.sizeof(dump)
    _checked("zvtGetCpuidDump", _dll().zvtGetCpuidDump(ctypes.byref(dump), processor))
    return dump.processor, list(dump.entries[:dump.count])


def text(value):
    """A record's text field (bytes up to its NUL) as str."""
    return value.decode("latin-1")
