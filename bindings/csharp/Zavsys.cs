// zavsys.dll for C# callers (P/Invoke): the records, constants and exports of zavsys.h, C# 7.
// Put x86\zavsys.dll beside a 32-bit process and x64\zavsys.dll beside a 64-bit one; the records have the
// same layout in both. Field names are the header's, so the header's comments document them.
using System;
using System.Collections.Generic;
using System.Runtime.InteropServices;
using System.Text;

namespace ZavsysInterop
{
    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_CPUID_LEAF
    {
        public uint eax, ebx, ecx, edx;
    }

    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_CPU_IDENTITY
    {
        public int size; // ZVT_IDENTITY_SIZE, or the record is left untouched
        public float frequency;
        [MarshalAs(UnmanagedType.ByValArray, SizeConst = Zavsys.ZVT_CPUID_LEAVES)]
        public ZVT_CPUID_LEAF[] basic;
        [MarshalAs(UnmanagedType.ByValArray, SizeConst = Zavsys.ZVT_CPUID_LEAVES)]
        public ZVT_CPUID_LEAF[] extended;
    }

    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_CPU_INFORMATION
    {
        public int size; // ZVT_INFORMATION_SIZE
        public float frequency;
        [MarshalAs(UnmanagedType.ByValTStr, SizeConst = 14)]
        public string vendor;
        [MarshalAs(UnmanagedType.ByValTStr, SizeConst = 50)]
        public string modelName;
        public int family, extendedFamily, baseFamily; // note: extended before base
        public int model, extendedModel, baseModel;
        public int stepping;
        public int cores, logicalCores, threads;
        public uint features; // ZVT_FEATURE_*
    }

    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_WINDOWS_VERSION
    {
        public uint size; // ZVT_WINDOWS_VERSION_SIZE
        public uint revision, major, minor, build; // note: revision first
        public uint productType;
    }

    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_CPUID_ENTRY
    {
        public uint leaf, subleaf, eax, ebx, ecx, edx;
    }

    // The dump's header; `count` entries follow it in the same allocation (Zavsys.GetCpuidDump).
    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_CPUID_DUMP
    {
        public uint size, processor, count, reserved;
    }

    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_TOPOLOGY
    {
        public int method;
        public uint flags;
        public int threadsPerCore, logicalPerModule, logicalPerDie, logicalPerPackage, coresPerPackage;
        public int smtShift, packageShift;
        public uint apicId, packageId, coreId, threadId;
        public int coreType;
    }

    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_MACHINE_TOPOLOGY
    {
        public int processors, logical, cores, packages;
        public uint flags;
        public int performanceCores, performanceLogical, efficiencyCores, efficiencyLogical;
    }

    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_DETAILS_UARCH
    {
        public int kind;
        public uint coreType, nativeModel;
        public int logical;
        [MarshalAs(UnmanagedType.ByValTStr, SizeConst = Zavsys.ZVT_DETAILS_NAME_SIZE)]
        public string uarch;
        [MarshalAs(UnmanagedType.ByValTStr, SizeConst = Zavsys.ZVT_DETAILS_NAME_SIZE)]
        public string generation;
        [MarshalAs(UnmanagedType.ByValTStr, SizeConst = Zavsys.ZVT_DETAILS_CODENAME_SIZE)]
        public string codename;
    }

    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_DETAILS_CACHE
    {
        public int level, type;
        public uint sizeBytes, sets;
        public int ways, lineBytes, partitions, linesPerTag, sharedBy, sizeUops;
        public uint flags, sourceLeaf, sourceIndex;
        public int rawType;
    }

    [StructLayout(LayoutKind.Sequential, Pack = 4, CharSet = CharSet.Ansi)]
    public struct ZVT_PROCESSOR_DETAILS
    {
        public uint size, written, processor, filled;
        [MarshalAs(UnmanagedType.ByValTStr, SizeConst = 16)]
        public string vendor;
        [MarshalAs(UnmanagedType.ByValTStr, SizeConst = 52)]
        public string brand;
        [MarshalAs(UnmanagedType.ByValTStr, SizeConst = 16)]
        public string hypervisor;
        public uint signature, family, model, stepping;
        public ZVT_DETAILS_UARCH uarch;
        public uint flagWords;
        [MarshalAs(UnmanagedType.ByValArray, SizeConst = Zavsys.ZVT_DETAILS_FLAG_WORDS)]
        public uint[] flags;
        [MarshalAs(UnmanagedType.ByValArray, SizeConst = Zavsys.ZVT_DETAILS_FLAG_WORDS)]
        public uint[] usable;
        public int level, enabledLevel;
        public uint xcr0Low, xcr0High;
        public int avx10Version;
        public uint avx10VectorWidths;
        public int physicalAddressBits, linearAddressBits, guestPhysicalAddressBits;
        public uint cacheCount, cacheStatus;
        [MarshalAs(UnmanagedType.ByValArray, SizeConst = Zavsys.ZVT_DETAILS_CACHES)]
        public ZVT_DETAILS_CACHE[] caches;
        public ZVT_TOPOLOGY topology;
        public ZVT_MACHINE_TOPOLOGY machine;
        public uint uarchCount;
        [MarshalAs(UnmanagedType.ByValArray, SizeConst = Zavsys.ZVT_DETAILS_UARCHES)]
        public ZVT_DETAILS_UARCH[] uarches;
    }

    public static class Zavsys
    {
        public const string Dll = "zavsys.dll";
        const CallingConvention Cc = CallingConvention.StdCall; // the 32-bit exports'; x64 ignores it

        // Record sizes and array lengths.
        public const int ZVT_CPUID_LEAVES = 64;
        public const int ZVT_IDENTITY_SIZE = 2056;
        public const int ZVT_INFORMATION_SIZE = 116;
        public const int ZVT_WINDOWS_VERSION_SIZE = 24;
        public const int ZVT_CPUID_DUMP_HEADER_SIZE = 16;
        public const int ZVT_CPUID_DUMP_MAX_ENTRIES = 1024;
        public const int ZVT_DETAILS_FLAG_WORDS = 32;
        public const int ZVT_DETAILS_CACHES = 16;
        public const int ZVT_DETAILS_UARCHES = 4;
        public const int ZVT_DETAILS_NAME_SIZE = 48;
        public const int ZVT_DETAILS_CODENAME_SIZE = 128;
        public const int ZVT_DETAILS_SIZE = 2612;
        public const int ZVT_DETAILS_HEADER_SIZE = 16;
        public const int ZVT_DETAILS_MAX_PROCESSORS = 1024;

        // ZVT_CPU_INFORMATION.features.
        public const uint ZVT_FEATURE_3DNOW = 0x00001;
        public const uint ZVT_FEATURE_3DNOWEXT = 0x00002;
        public const uint ZVT_FEATURE_SSE4A = 0x00004;
        public const uint ZVT_FEATURE_MMX = 0x00100;
        public const uint ZVT_FEATURE_MMXEXT = 0x00200;
        public const uint ZVT_FEATURE_SSE = 0x00400;
        public const uint ZVT_FEATURE_SSE2 = 0x00800;
        public const uint ZVT_FEATURE_SSE3 = 0x01000;
        public const uint ZVT_FEATURE_SSE41 = 0x02000;
        public const uint ZVT_FEATURE_SSE42 = 0x04000;
        public const uint ZVT_FEATURE_AMDV = 0x10000;
        public const uint ZVT_FEATURE_INTELVT = 0x20000;
        public const uint ZVT_FEATURE_X86_64 = 0x40000;
        public const int ZVT_FEATURE_LABEL_COUNT = 13;

        // Results.
        public const int ZVT_OK = 0;
        public const int ZVT_E_NO_CPUID = 10000;
        public const int ZVT_E_NO_REPORT_BUFFER = -10001;
        public const int ZVT_E_REPORT_EMPTY = -10000;
        public const int ZVT_E_FAILED = -1;
        public const int ZVT_E_DUMP_TOO_SMALL = -10002;
        public const int ZVT_E_NO_PROCESSOR = -10003;
        public const int ZVT_E_UNKNOWN_FLAG = -10004;
        public const int ZVT_E_RECORD_TOO_SMALL = -10005;
        public const int ZVT_E_BAD_OPTIONS = -10006;
        public const int ZVT_PROCESSOR_CURRENT = -1;

        // zvtGetProcessorDetails options and ZVT_PROCESSOR_DETAILS.filled; zvtQueryFlag's bits.
        public const int ZVT_DETAILS_MACHINE = 0x1;
        public const int ZVT_DETAILS_MACHINE_TRUNCATED = 0x2;
        public const int ZVT_DETAILS_UARCHES_TRUNCATED = 0x4;
        public const int ZVT_QUERY_REPORTED = 1;
        public const int ZVT_QUERY_USABLE = 2;

        // Causes of a failed report (positive results of zvtGetIdentity).
        public const int ZVT_REPORT_GENERIC = 1;
        public const int ZVT_REPORT_NOT_FOUND = 2;
        public const int ZVT_REPORT_BAD_PATH = 3;
        public const int ZVT_REPORT_TOO_MANY_FILES = 4;
        public const int ZVT_REPORT_ACCESS_DENIED = 5;
        public const int ZVT_REPORT_INVALID_FILE = 6;
        public const int ZVT_REPORT_BAD_SEEK = 9;
        public const int ZVT_REPORT_HARD_IO = 10;
        public const int ZVT_REPORT_SHARING = 11;
        public const int ZVT_REPORT_LOCKED = 12;
        public const int ZVT_REPORT_DISK_FULL = 13;

        // Report modes.
        public const int ZVT_MODE_ANSI = 0;
        public const int ZVT_MODE_UTF8 = 1;
        public const int ZVT_MODE_UTF16BE = 2;
        public const int ZVT_MODE_UTF16LE = 3;
        public const int ZVT_MODE_HEX = 6;
        public const int ZVT_MODE_NO_BOM = 0x100;

        // Export ordinals.
        public const int ZVT_ORDINAL_GET_IDENTITY = 1000;
        public const int ZVT_ORDINAL_GET_INFORMATION = 1001;
        public const int ZVT_ORDINAL_GET_WINDOWS_VERSION = 1002;
        public const int ZVT_ORDINAL_IS_WOW64 = 1003;
        public const int ZVT_ORDINAL_GET_FILE_VERSION = 1100;
        public const int ZVT_ORDINAL_GET_TEMPORARY_FILE_NAME = 1101;
        public const int ZVT_ORDINAL_GET_CPUID_DUMP = 1102;
        public const int ZVT_ORDINAL_GET_PROCESSOR_DETAILS = 1103;
        public const int ZVT_ORDINAL_QUERY_FLAG = 1104;
        public const int ZVT_ORDINAL_GET_FLAG_NAME_BY_NUMBER = 1105;

        // What the details record's fields hold (the decoding headers' constants).
        public const int ZVT_UARCH_UNKNOWN = 0;
        public const int ZVT_UARCH_FAMILY = 1;
        public const int ZVT_UARCH_GENERATION = 2;
        public const int ZVT_UARCH_EXACT = 3;
        public const int ZVT_LEVEL_NONE = 0;
        public const int ZVT_LEVEL_BASELINE = 1;
        public const int ZVT_LEVEL_V2 = 2;
        public const int ZVT_LEVEL_V3 = 3;
        public const int ZVT_LEVEL_V4 = 4;
        public const uint ZVT_AVX10_VL128 = 0x1;
        public const uint ZVT_AVX10_VL256 = 0x2;
        public const uint ZVT_AVX10_VL512 = 0x4;
        public const int ZVT_CACHE_TYPE_DATA = 1;
        public const int ZVT_CACHE_TYPE_INSTRUCTION = 2;
        public const int ZVT_CACHE_TYPE_UNIFIED = 3;
        public const int ZVT_CACHE_TYPE_TRACE = 4;
        public const int ZVT_CACHE_TYPE_RESERVED = 5;
        public const int ZVT_CACHE_FULLY_ASSOCIATIVE = -1;
        public const uint ZVT_CACHE_FLAG_SELF_INITIALIZING = 0x01;
        public const uint ZVT_CACHE_FLAG_FULLY_ASSOCIATIVE = 0x02;
        public const uint ZVT_CACHE_FLAG_WBINVD_NOT_LOWER = 0x04;
        public const uint ZVT_CACHE_FLAG_INCLUSIVE = 0x08;
        public const uint ZVT_CACHE_FLAG_COMPLEX_INDEXING = 0x10;
        public const uint ZVT_CACHE_FLAG_PACKAGE_TOTAL = 0x20;
        public const uint ZVT_CACHE_FLAG_WAYS_AT_LEAST = 0x40;
        public const uint ZVT_CACHE_FLAG_CORRECTED = 0x80;
        public const uint ZVT_CACHE_LIST_INCOMPLETE = 0x01;
        public const uint ZVT_CACHE_LIST_UNTERMINATED = 0x02;
        public const uint ZVT_CACHE_LIST_TRUNCATED = 0x04;
        public const int ZVT_TOPOLOGY_UNKNOWN = -1;
        public const int ZVT_TOPOLOGY_NONE = 0;
        public const int ZVT_TOPOLOGY_LEAF_1F = 1;
        public const int ZVT_TOPOLOGY_LEAF_B = 2;
        public const int ZVT_TOPOLOGY_AMD = 3;
        public const int ZVT_TOPOLOGY_LEGACY = 4;
        public const uint ZVT_TOPOLOGY_HAS_APIC_ID = 0x01;
        public const uint ZVT_TOPOLOGY_HAS_SPLIT = 0x02;
        public const uint ZVT_TOPOLOGY_HYBRID = 0x04;
        public const uint ZVT_TOPOLOGY_ADDRESSABLE = 0x08;
        public const uint ZVT_TOPOLOGY_EMPTY_LEAF = 0x10;
        public const uint ZVT_TOPOLOGY_BAD_LEVELS = 0x20;
        public const uint ZVT_TOPOLOGY_VIEW_LACKS_SUBLEAVES = 0x40;
        public const uint ZVT_TOPOLOGY_NARROW_SHIFTS = 0x80;
        public const int ZVT_CORE_TYPE_NONE = 0;
        public const int ZVT_CORE_TYPE_EFFICIENCY = 0x20;
        public const int ZVT_CORE_TYPE_PERFORMANCE = 0x40;
        public const uint ZVT_MACHINE_HYBRID = 0x01;
        public const uint ZVT_MACHINE_DUPLICATE_IDS = 0x02;
        public const uint ZVT_MACHINE_UNPLACED = 0x04;
        public const uint ZVT_MACHINE_PARTIAL = 0x08;

        // The exports. Paths and path buffers are UTF-16; flag names are single-byte (ASCII) strings.
        [DllImport(Dll, CallingConvention = Cc, CharSet = CharSet.Unicode)]
        public static extern int zvtGetIdentity(ref ZVT_CPU_IDENTITY identity, int measureMs,
                                                [MarshalAs(UnmanagedType.LPWStr)] string reportPath,
                                                int reportMode); // reportPath null: no report

        [DllImport(Dll, CallingConvention = Cc)]
        public static extern int zvtGetInformation(ref ZVT_CPU_INFORMATION information, int measureMs);

        [DllImport(Dll, CallingConvention = Cc)]
        public static extern int zvtGetWindowsVersion(ref ZVT_WINDOWS_VERSION version);

        [DllImport(Dll, CallingConvention = Cc)]
        public static extern int zvtIsWow64();

        [DllImport(Dll, CallingConvention = Cc, CharSet = CharSet.Unicode)]
        public static extern int zvtGetFileVersion(
            [MarshalAs(UnmanagedType.LPWStr)] string fileName, out int major, out int minor, out int build,
            out int revision);

        // buffer: the prefix in, the path out; capacity is buffer.Capacity (260 suffices).
        [DllImport(Dll, CallingConvention = Cc, CharSet = CharSet.Unicode)]
        public static extern int zvtGetTemporaryFileName(
            int longName, [MarshalAs(UnmanagedType.LPWStr)] StringBuilder buffer, int capacity);

        // dump: ZVT_CPUID_DUMP_SIZE(n) bytes of unmanaged memory; GetCpuidDump does the bookkeeping.
        [DllImport(Dll, CallingConvention = Cc)]
        public static extern int zvtGetCpuidDump(IntPtr dump, int processor);

        [DllImport(Dll, CallingConvention = Cc)]
        public static extern int zvtGetProcessorDetails(ref ZVT_PROCESSOR_DETAILS details, int processor,
                                                        int options);

        [DllImport(Dll, CallingConvention = Cc, CharSet = CharSet.Ansi)]
        public static extern int zvtQueryFlag([MarshalAs(UnmanagedType.LPStr)] string name, int processor);

        [DllImport(Dll, CallingConvention = Cc, CharSet = CharSet.Ansi)]
        public static extern int zvtGetFlagNameByNumber(
            int flag, [MarshalAs(UnmanagedType.LPStr)] StringBuilder buffer, int capacity);

        // ZVT_CPUID_DUMP_SIZE(entries): the header and that many entries; entry i starts at CpuidDumpSize(i).
        public static int CpuidDumpSize(int entries)
        {
            return Marshal.SizeOf(typeof(ZVT_CPUID_DUMP)) + entries * Marshal.SizeOf(typeof(ZVT_CPUID_ENTRY));
        }

        // Every leaf and sub-leaf of logical processor `processor` (or ZVT_PROCESSOR_CURRENT), in a record
        // that always has room; entries is empty unless the result is ZVT_OK.
        public static int GetCpuidDump(int processor, out ZVT_CPUID_DUMP header,
                                       out ZVT_CPUID_ENTRY[] entries)
        {
            int size = CpuidDumpSize(ZVT_CPUID_DUMP_MAX_ENTRIES);
            IntPtr memory = Marshal.AllocHGlobal(size);
            try
            {
                Marshal.StructureToPtr(new ZVT_CPUID_DUMP { size = (uint)size }, memory, false);
                int result = zvtGetCpuidDump(memory, processor);
                header = (ZVT_CPUID_DUMP)Marshal.PtrToStructure(memory, typeof(ZVT_CPUID_DUMP));
                entries = new ZVT_CPUID_ENTRY[result == ZVT_OK ? (int)header.count : 0];
                for (int i = 0; i < entries.Length; ++i)
                    entries[i] = (ZVT_CPUID_ENTRY)Marshal.PtrToStructure(memory + CpuidDumpSize(i),
                                                                         typeof(ZVT_CPUID_ENTRY));
                return result;
            }
            finally
            {
                Marshal.FreeHGlobal(memory);
            }
        }

        // A details record for zvtGetProcessorDetails: size set and every array allocated at its fixed
        // length, so that the marshaller has a whole record to copy in.
        public static ZVT_PROCESSOR_DETAILS NewProcessorDetails()
        {
            return new ZVT_PROCESSOR_DETAILS {
                size = (uint)Marshal.SizeOf(typeof(ZVT_PROCESSOR_DETAILS)),
                flags = new uint[ZVT_DETAILS_FLAG_WORDS],
                usable = new uint[ZVT_DETAILS_FLAG_WORDS],
                caches = new ZVT_DETAILS_CACHE[ZVT_DETAILS_CACHES],
                uarches = new ZVT_DETAILS_UARCH[ZVT_DETAILS_UARCHES],
            };
        }

        public static ZVT_CPU_IDENTITY NewIdentity()
        {
            return new ZVT_CPU_IDENTITY {
                size = ZVT_IDENTITY_SIZE,
                basic = new ZVT_CPUID_LEAF[ZVT_CPUID_LEAVES],
                extended = new ZVT_CPUID_LEAF[ZVT_CPUID_LEAVES],
            };
        }

        // Details of logical processor `processor` (or ZVT_PROCESSOR_CURRENT); with machine, every
        // processor's topology and microarchitectures too (the calling thread visits each).
        public static int GetProcessorDetails(int processor, bool machine, out ZVT_PROCESSOR_DETAILS details)
        {
            details = NewProcessorDetails();
            return zvtGetProcessorDetails(ref details, processor, machine ? ZVT_DETAILS_MACHINE : 0);
        }

        // The name of flag number `flag` (ZVT_PROCESSOR_DETAILS.flags), or null for a number that names none.
        public static string GetFlagName(int flag)
        {
            var buffer = new StringBuilder(32);
            int length = zvtGetFlagNameByNumber(flag, buffer, buffer.Capacity);
            if (length >= buffer.Capacity)
            {
                buffer = new StringBuilder(length + 1);
                length = zvtGetFlagNameByNumber(flag, buffer, buffer.Capacity);
            }
            return length < 0 ? null : buffer.ToString();
        }

        // The names of the flags set in words (details.flags, or details.usable), in number order.
        public static List<string> GetFlagNames(uint[] words, uint wordCount)
        {
            var names = new List<string>();
            int flags = (int)Math.Min(wordCount, (uint)words.Length) * 32;
            for (int flag = 0; flag < flags; ++flag)
                if ((words[flag / 32] >> (flag % 32) & 1) != 0)
                    names.Add(GetFlagName(flag) ?? "flag" + flag);
            return names;
        }
    }
}
