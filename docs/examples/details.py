"""What zavsys.dll decodes about this machine's processor: vendor, brand, microarchitecture and codename,
x86-64 level, flags by name, caches and topology.

Run with bindings/python/zavsys.py importable (beside this file, or on PYTHONPATH) and the DLL of the
Python's width: a 64-bit Python loads x64/zavsys.dll, a 32-bit one x86/zavsys.dll (see zavsys.load)."""

import zavsys

LEVELS = ["none", "baseline", "v2", "v3", "v4"]
CACHE_TYPES = ["?", "data", "instruction", "unified", "trace", "reserved"]


def level(value):
    return LEVELS[value] if 0 <= value < len(LEVELS) else str(value)


def print_caches(details):
    for cache in details.caches[:details.cacheCount]:
        kind = CACHE_TYPES[cache.type] if 0 <= cache.type < len(CACHE_TYPES) else "?"
        full = cache.ways == zavsys.ZVT_CACHE_FULLY_ASSOCIATIVE
        ways = "fully associative" if full else f"{cache.ways}-way"
        print(f"Cache     : L{cache.level} {kind}, {cache.sizeBytes // 1024} KiB, {ways}, "
              f"{cache.lineBytes}-byte lines, shared by {cache.sharedBy}")


def print_topology(details):
    machine = details.machine
    print(f"Topology  : {machine.packages} package(s), {machine.cores} core(s), {machine.logical} logical "
          f"processor(s); {details.topology.threadsPerCore} per core")
    if details.uarchCount > 1:
        for uarch in details.uarches[:details.uarchCount]:
            name, codename = zavsys.text(uarch.uarch), zavsys.text(uarch.codename)
            print(f"Core type : {name} ({codename}), {uarch.logical} logical")


def main():
    details = zavsys.processor_details(machine=True)
    print("Vendor    :", zavsys.text(details.vendor))
    print("Brand     :", zavsys.text(details.brand).strip())
    print(f"Uarch     : {zavsys.text(details.uarch.uarch)} ({zavsys.text(details.uarch.codename)})")
    print(f"x86-64    : {level(details.level)}, enabled by the OS: {level(details.enabledLevel)}")
    print("Flags     :", " ".join(zavsys.flag_names(details)))
    print_caches(details)
    print_topology(details)
    usable = zavsys.query_flag("avx2") & zavsys.ZVT_QUERY_USABLE
    print("AVX2      :", "usable" if usable else "not usable")


if __name__ == "__main__":
    main()
