// What zavsys.dll decodes about this machine's processor: vendor, brand, microarchitecture and codename,
// x86-64 level, flags by name, caches and topology.
// Build: csc details.cs Zavsys.cs (or mcs), or add both files to a project; run it beside x86\zavsys.dll in
// a 32-bit process or x64\zavsys.dll in a 64-bit one.
using System;
using ZavsysInterop;

static class Details
{
    static readonly string[] Levels = { "none", "baseline", "v2", "v3", "v4" };
    static readonly string[] CacheTypes = { "?", "data", "instruction", "unified", "trace", "reserved" };

    static string Level(int level)
    {
        return level >= 0 && level < Levels.Length ? Levels[level] : level.ToString();
    }

    static void PrintCaches(ZVT_PROCESSOR_DETAILS d)
    {
        for (int i = 0; i < Math.Min(d.cacheCount, (uint)d.caches.Length); ++i)
        {
            ZVT_DETAILS_CACHE c = d.caches[i];
            string type = c.type >= 0 && c.type < CacheTypes.Length ? CacheTypes[c.type] : "?";
            bool full = c.ways == Zavsys.ZVT_CACHE_FULLY_ASSOCIATIVE;
            string ways = full ? "fully associative" : c.ways + "-way";
            Console.WriteLine("Cache     : L{0} {1}, {2} KiB, {3}, {4}-byte lines, shared by {5}", c.level,
                              type, c.sizeBytes / 1024, ways, c.lineBytes, c.sharedBy);
        }
    }

    static void PrintTopology(ZVT_PROCESSOR_DETAILS d)
    {
        ZVT_MACHINE_TOPOLOGY m = d.machine;
        Console.WriteLine("Topology  : {0} package(s), {1} core(s), {2} logical processor(s); {3} per core",
                          m.packages, m.cores, m.logical, d.topology.threadsPerCore);
        for (int i = 0; i < Math.Min(d.uarchCount, (uint)d.uarches.Length) && d.uarchCount > 1; ++i)
            Console.WriteLine("Core type : {0} ({1}), {2} logical", d.uarches[i].uarch, d.uarches[i].codename,
                              d.uarches[i].logical);
    }

    static int Main()
    {
        ZVT_PROCESSOR_DETAILS d;
        int result = Zavsys.GetProcessorDetails(Zavsys.ZVT_PROCESSOR_CURRENT, true, out d);
        if (result != Zavsys.ZVT_OK)
        {
            Console.Error.WriteLine("zvtGetProcessorDetails failed: " + result);
            return 1;
        }
        Console.WriteLine("Vendor    : " + d.vendor);
        Console.WriteLine("Brand     : " + d.brand.Trim());
        Console.WriteLine("Uarch     : {0} ({1})", d.uarch.uarch, d.uarch.codename);
        Console.WriteLine("x86-64    : {0}, enabled by the OS: {1}", Level(d.level), Level(d.enabledLevel));
        Console.WriteLine("Flags     : " + string.Join(" ", Zavsys.GetFlagNames(d.flags, d.flagWords)));
        PrintCaches(d);
        PrintTopology(d);
        int avx2 = Zavsys.zvtQueryFlag("avx2", Zavsys.ZVT_PROCESSOR_CURRENT);
        Console.WriteLine("AVX2      : " + ((avx2 & Zavsys.ZVT_QUERY_USABLE) != 0 ? "usable" : "not usable"));
        return 0;
    }
}
