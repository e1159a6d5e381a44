// The processor details record from recorded processors: what the record adds to the decoders it is made
// of (names copied whole, the machine's tallies per core type, sizes that do not fit 32 bits, more caches
// than it holds, long flag names). The decoding itself is tested with its headers; misuse of the export is
// tested through the DLL.
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ProcessorDetails.h"
#include "support/Dumps.h"
#include "zavsys_caches.h"
#include "zavsys_features.h"
#include "zavsys_uarch.h"

namespace zvt::test
{
namespace
{

const std::filesystem::path kDumps = std::filesystem::path(ZVT_TEST_DATA) / "dumps";

DumpEntries EntriesOf(const std::vector<ZVT_CPUID_ENTRY>& entries)
{
    return DumpEntries{entries.data(), static_cast<std::uint32_t>(entries.size())};
}

ZVT_PROCESSOR_DETAILS Decode(const std::vector<ZVT_CPUID_ENTRY>& entries, std::uint64_t xcr0)
{
    ZVT_PROCESSOR_DETAILS details;
    DecodeProcessorDetails(EntriesOf(entries), 0, xcr0, details);
    return details;
}

ZVT_PROCESSOR_DETAILS DecodeMachine(const std::filesystem::path& path)
{
    const auto processors = ReadMachine(path);
    ZVT_PROCESSOR_DETAILS details = Decode(processors.front(), 0);
    CMachineDetails machine;
    for (const auto& entries : processors)
    {
        machine.Add(EntriesOf(entries));
    }
    machine.Finish(static_cast<std::uint32_t>(processors.size()), details);
    return details;
}

bool Has(const std::uint32_t* words, int flag)
{
    return (words[flag / 32] & (1u << (flag % 32))) != 0;
}

TEST(Details, EveryTableNameFitsTheRecord)
{
    for (std::size_t i = 0; const ZVT_UARCH_ROW* row = zvtGetUarchRow(i); ++i)
    {
        EXPECT_LT(std::strlen(row->uarch), std::size_t{ZVT_DETAILS_NAME_SIZE}) << row->uarch;
        EXPECT_LT(std::strlen(row->codename != nullptr ? row->codename : ""),
                  std::size_t{ZVT_DETAILS_CODENAME_SIZE})
            << row->codename;
    }
}

// Core Ultra 9 285H (Intel ARK): 6 Lion Cove performance cores, 8 Skymont efficient cores and 2 Crestmont
// low-power efficient cores, one thread each, one package. Core i5-13500: 6 Golden Cove cores with two
// threads, 8 Gracemont cores.
TEST(Details, AHybridIsTalliedByCoreType)
{
    const struct
    {
        const char* dump;
        std::vector<std::pair<std::string, std::int32_t>> uarches; // in the order the processors come
        std::int32_t cores;
        std::int32_t logical;
    } machines[] = {
        {"intel-core-ultra-9-285h.raw", {{"Lion Cove", 6}, {"Skymont", 8}, {"Crestmont", 2}}, 16, 16},
        {"13th-gen-intel-core-i5-13500.raw", {{"Golden Cove", 12}, {"Gracemont", 8}}, 14, 20},
    };
    for (const auto& m : machines)
    {
        const ZVT_PROCESSOR_DETAILS d = DecodeMachine(kDumps / "all-processors" / m.dump);
        EXPECT_EQ(d.filled, ZVT_DETAILS_MACHINE) << m.dump;
        EXPECT_EQ(d.machine.packages, 1) << m.dump;
        EXPECT_EQ(d.machine.cores, m.cores) << m.dump;
        EXPECT_EQ(d.machine.logical, m.logical) << m.dump;
        ASSERT_EQ(d.uarchCount, m.uarches.size()) << m.dump;
        for (std::size_t i = 0; i < m.uarches.size(); ++i)
        {
            EXPECT_STREQ(d.uarches[i].uarch, m.uarches[i].first.c_str()) << m.dump;
            EXPECT_EQ(d.uarches[i].logical, m.uarches[i].second) << m.dump << " " << m.uarches[i].first;
        }
    }
}

// Core Ultra 9 285H as cpuid -f decodes its first processor: brand "Intel(R) Core(TM) Ultra 9 285H", no
// hypervisor, 46 physical address bits, AVX2 without AVX-512 (x86-64-v3); Intel ARK: Arrow Lake-H.
TEST(Details, OneProcessorWithAndWithoutTheOsEnablingAvx)
{
    const auto processors = ReadMachine(kDumps / "intel-core-ultra-9-285h.raw");
    const ZVT_PROCESSOR_DETAILS off = Decode(processors.front(), 0x3);
    const ZVT_PROCESSOR_DETAILS on = Decode(processors.front(), 0x7);
    EXPECT_STREQ(on.vendor, "GenuineIntel");
    EXPECT_STREQ(on.brand, "Intel(R) Core(TM) Ultra 9 285H");
    EXPECT_STREQ(on.hypervisor, "");
    EXPECT_EQ(on.family, 6u);
    EXPECT_EQ(on.model, 0xC5u);
    EXPECT_STREQ(on.uarch.uarch, "Lion Cove");
    EXPECT_STREQ(on.uarch.codename, "Arrow Lake-H");
    EXPECT_EQ(on.physicalAddressBits, 46);
    EXPECT_EQ(on.level, ZVT_LEVEL_V3);
    EXPECT_EQ(on.enabledLevel, ZVT_LEVEL_V3);
    EXPECT_EQ(off.enabledLevel, ZVT_LEVEL_V2);
    EXPECT_TRUE(Has(on.flags, ZVT_FLAG_AVX2) && Has(off.flags, ZVT_FLAG_AVX2));
    EXPECT_TRUE(Has(on.usable, ZVT_FLAG_AVX2));
    EXPECT_FALSE(Has(off.usable, ZVT_FLAG_AVX2));
    EXPECT_TRUE(Has(off.usable, ZVT_FLAG_SSE4_2)) << "a flag that needs no OS state is usable";
    EXPECT_EQ(on.flagWords, std::uint32_t{ZVT_FLAG_WORDS});
    EXPECT_EQ(on.xcr0Low, 0x7u);
}

// cpuid -f: the Athlon 5370's recording ran under "Microsoft Hv"; QEMU's virtual CPU sets the hypervisor
// bit but its recording has no leaf 0x40000000.
TEST(Details, TheHypervisorIsNamedFromItsOwnLeaf)
{
    EXPECT_STREQ(Decode(ReadMachine(kDumps / "amd-athlon-5370-apu-with-radeon-r3.raw").front(), 0).hypervisor,
                 "Microsoft Hv");
    EXPECT_STREQ(Decode(ReadMachine(kDumps / "qemu-virtual-cpu-version.raw").front(), 0).hypervisor, "");
}

// A made-up processor whose leaf 4 lists 20 data caches of 8 GiB: 16 are kept, the rest are counted lost, and
// sizes and set counts past 32 bits read as the largest value.
TEST(Details, CachesPastTheRecordsLimits)
{
    std::vector<ZVT_CPUID_ENTRY> entries = {{0, 0, 4, 0x756E6547u, 0x6C65746Eu, 0x49656E69u},
                                            {1, 0, 0x000906A3u, 0, 0, 0}};
    const std::uint32_t sets = 1u << 23; // 16 ways * 64 bytes * 2^23 sets = 8 GiB
    for (std::uint32_t i = 0; i < 20; ++i)
    {
        entries.push_back({4, i, 0x21u | ((i % 7 + 1) << 5), (15u << 22) | 63u, sets - 1, 0});
    }
    entries.push_back({4, 20, 0, 0, 0, 0});
    const ZVT_PROCESSOR_DETAILS d = Decode(entries, 0);
    EXPECT_EQ(d.cacheCount, std::uint32_t{ZVT_DETAILS_CACHES});
    EXPECT_NE(d.cacheStatus & ZVT_CACHE_LIST_TRUNCATED, 0u);
    EXPECT_EQ(d.caches[0].sizeBytes, 0xFFFFFFFFu);
    EXPECT_EQ(d.caches[0].sets, sets);
    EXPECT_EQ(d.caches[15].sourceIndex, 15u);
}

// Names as long as the lookup's buffer and longer are unknown, never read or written past.
TEST(Details, FlagNamesOfEveryLength)
{
    EXPECT_EQ(FindFlagByName("AVX512_BF16"), ZVT_FLAG_AVX512_BF16);
    for (const std::size_t length : {62u, 63u, 64u, 65u, 1000u})
    {
        const std::string name(length, 'a');
        EXPECT_EQ(FindFlagByName(name.c_str()), ZVT_FLAG_NONE) << length;
    }
}

} // namespace
} // namespace zvt::test
