// zavsys_features.h against the Debian cpuid tool (tests/data/cpuid/features*.tsv, made by
// scripts/make-feature-expectations.py) and, for the bits the tool does not know, the kernel's and vendors'
// lists (features-kernel.tsv); on made-up records at the edges of the record and of each x86-64 level, and
// XCR0 read on the machine running the tests. The real dumps with every sub-leaf: features_dump_test.cpp.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CpuidTables.h"
#include "DataTable.h"
#include "Information.h"
#include "support/Dumps.h"
#include "support/Synthetic.h"
#include "support/Words.h"
#include "zavsys_features.h"

namespace zvt::test
{
namespace
{

using Row = TableRow;

// The rows of one of the feature tables under tests/data/cpuid.
std::vector<Row> ReadTable(const std::string& name)
{
    return zvt::test::ReadTable(std::filesystem::path(ZVT_TEST_DATA) / "cpuid" / name);
}

// The register labels of features-bits.tsv and features-kernel.tsv ("7.1/eax": leaf 7 sub-leaf 1) and the
// header's word for each.
const std::map<std::string, int> kWordOfRegister = {
    {"1/edx", ZVT_WORD_1_EDX},
    {"1/ecx", ZVT_WORD_1_ECX},
    {"7/ebx", ZVT_WORD_7_EBX},
    {"7/ecx", ZVT_WORD_7_ECX},
    {"7/edx", ZVT_WORD_7_EDX},
    {"0x80000001/edx", ZVT_WORD_80000001_EDX},
    {"0x80000001/ecx", ZVT_WORD_80000001_ECX},
    {"0x80000007/edx", ZVT_WORD_80000007_EDX},
    {"0x80000008/ebx", ZVT_WORD_80000008_EBX},
    {"0xd/eax", ZVT_WORD_XCR0_LOW},
    {"0xd/edx", ZVT_WORD_XCR0_HIGH},
    {"6/eax", ZVT_WORD_6_EAX},
    {"7.1/eax", ZVT_WORD_7_1_EAX},
    {"7.1/edx", ZVT_WORD_7_1_EDX},
    {"7.2/edx", ZVT_WORD_7_2_EDX},
    {"0xd.1/eax", ZVT_WORD_D_1_EAX},
    {"0x14/ebx", ZVT_WORD_14_EBX},
    {"0x19/ebx", ZVT_WORD_19_EBX},
    {"0x8000000a/edx", ZVT_WORD_8000000A_EDX},
    {"0x80000007/ebx", ZVT_WORD_80000007_EBX},
    {"0x8000001f/eax", ZVT_WORD_8000001F_EAX},
    {"0x80000021/eax", ZVT_WORD_80000021_EAX},
};

// Named by the header but shown by no decoding of the tool (it is older than these bits): placed by the
// kernel's and the vendors' lists in features-kernel.tsv instead, never compared with the tool.
std::set<std::string> UnknownToTool()
{
    std::set<std::string> names;
    for (const auto& row : ReadTable("features-kernel.tsv"))
        names.insert(row.at("name"));
    return names;
}

ZVT_CPU_IDENTITY RecordOf(const std::string& dump)
{
    ZVT_CPU_IDENTITY identity;
    std::memset(&identity, 0, sizeof identity);
    identity.size = ZVT_IDENTITY_SIZE;
    EXPECT_EQ(FillIdentity(LoadDump(dump), identity), 0) << dump;
    return identity;
}

std::set<std::string> FlagNames(const ZVT_CPU_IDENTITY& identity)
{
    ZVT_FLAG_SET flags;
    zvtReadFlags(&identity, &flags);
    std::set<std::string> names;
    for (int index = 0; index < ZVT_FLAG_COUNT; ++index)
    {
        const ZVT_FLAG_ROW* row = zvtGetFlagRow(index);
        EXPECT_EQ(zvtFlagSetHas(&flags, row->flag), zvtHasFlag(&identity, row->flag)) << row->name;
        if (zvtFlagSetHas(&flags, row->flag))
            names.insert(row->name);
    }
    return names;
}

std::string MissingNames(const ZVT_CPU_IDENTITY& identity, int level)
{
    int missing[ZVT_LEVEL_MAX_MISSING];
    const int count = zvtGetMissingForLevel(&identity, level, missing, ZVT_LEVEL_MAX_MISSING);
    std::string text;
    for (int i = 0; i < std::min(count, ZVT_LEVEL_MAX_MISSING); ++i)
        text += (text.empty() ? "" : " ") + std::string(zvtGetFlagName(missing[i]));
    return text.empty() ? "-" : text;
}

TEST(FeatureFlags, TheToolDecodesEveryNamedFlagAtTheHeadersBit)
{
    std::set<std::string> checked;
    for (const auto& row : ReadTable("features-bits.tsv"))
    {
        const int flag = zvtFindFlag(row.at("name").c_str());
        ASSERT_NE(flag, ZVT_FLAG_NONE) << row.at("name");
        EXPECT_EQ(flag, kWordOfRegister.at(row.at("register")) * 32 + std::stoi(row.at("bit")))
            << row.at("vendor") << " " << row.at("register") << " bit " << row.at("bit") << " \""
            << row.at("tool") << "\" is " << row.at("name") << " here";
        checked.insert(row.at("name"));
    }
    std::set<std::string> unchecked;
    for (int index = 0; index < ZVT_FLAG_COUNT; ++index)
        if (checked.count(zvtGetFlagRow(index)->name) == 0)
            unchecked.insert(zvtGetFlagRow(index)->name);
    EXPECT_EQ(unchecked, UnknownToTool());
}

TEST(FeatureFlags, EveryFlagTheToolDoesNotKnowIsAtTheBitItsSourceGives)
{
    std::set<std::string> placed;
    for (const auto& row : ReadTable("features-kernel.tsv"))
    {
        const int flag = zvtFindFlag(row.at("name").c_str());
        ASSERT_NE(flag, ZVT_FLAG_NONE) << row.at("name");
        EXPECT_EQ(flag, kWordOfRegister.at(row.at("register")) * 32 + std::stoi(row.at("bit")))
            << row.at("name") << ": " << row.at("source");
        EXPECT_TRUE(placed.insert(row.at("name")).second) << row.at("name") << " twice";
    }
}

TEST(FeatureFlags, EveryRecordedProcessorHasTheFlagsTheToolShows)
{
    const auto rows = ReadTable("features.tsv");
    ASSERT_EQ(rows.size(), DumpNames().size());
    for (const auto& row : rows)
    {
        // Flags the tool does not decode for the dump's vendor (e.g. AMD's bits on Intel, 0x80000001 ECX on
        // Centaur) are not compared.
        std::set<std::string> decoded = FlagNames(RecordOf(row.at("dump")));
        for (const auto& name : UnknownToTool())
            decoded.erase(name);
        for (const auto& name : Words(row.at("unknown")))
            decoded.erase(name);
        // The record's own reading covers its first words only; the table also has later ones (leaf 6 ...).
        std::set<std::string> expected = Words(row.at("flags"));
        std::erase_if(expected, [](const std::string& name) {
            return zvtFindFlag(name.c_str()) / 32 >= ZVT_IDENTITY_FLAG_WORDS;
        });
        EXPECT_EQ(Join(decoded), Join(expected)) << row.at("dump");
    }
}

TEST(FeatureLevel, EveryRecordedProcessorMeetsTheLevelOfTheToolsFlags)
{
    for (const auto& row : ReadTable("features.tsv"))
    {
        if (row.at("level") == "-")
            continue; // the tool leaves a flag the level depends on undecoded for this vendor
        const ZVT_CPU_IDENTITY identity = RecordOf(row.at("dump"));
        const int level = zvtGetLevel(&identity);
        EXPECT_STREQ(zvtGetLevelName(level), row.at("level").c_str()) << row.at("dump");
        const std::string missing = level < ZVT_LEVEL_V4 ? MissingNames(identity, level + 1) : "-";
        EXPECT_EQ(missing, row.at("missing")) << row.at("dump");
    }
}

// The vendor string as leaf 0 of the dump spells it (EBX, EDX, ECX, low byte first).
std::string VendorOf(const ZVT_CPU_IDENTITY& identity)
{
    std::string vendor;
    for (const std::uint32_t word : {identity.basic[0].ebx, identity.basic[0].edx, identity.basic[0].ecx})
        for (unsigned shift = 0; shift < 32; shift += 8)
            vendor += static_cast<char>((word >> shift) & 0xFFu);
    return vendor;
}

std::string Field(std::int32_t value)
{
    return std::to_string(value);
}

// The L1 field as the tool prints it: the number in the register, 255 for fully associative.
std::string L1Ways(std::int32_t ways)
{
    return ways == ZVT_WAYS_FULL ? "255" : std::to_string(ways);
}

TEST(FeatureCaches, AddressSizesAndCachesAsTheToolPrintsThemForTheVendorsThatDefineThem)
{
    for (const auto& row : ReadTable("features.tsv"))
    {
        const ZVT_CPU_IDENTITY identity = RecordOf(row.at("dump"));
        std::int32_t physicalBits = -1;
        std::int32_t linearBits = -1;
        const bool hasSizes = zvtGetAddressSizes(&identity, &physicalBits, &linearBits) != 0;
        EXPECT_EQ(hasSizes ? Field(physicalBits) : "-", row.at("physicalBits")) << row.at("dump");
        EXPECT_EQ(hasSizes ? Field(linearBits) : "-", row.at("linearBits")) << row.at("dump");

        ZVT_CACHES caches;
        const int found = zvtGetCaches(&identity, &caches);
        const std::string vendor = VendorOf(identity);
        const bool amd = vendor == "AuthenticAMD" || vendor == "HygonGenuine";
        const bool intel = vendor == "GenuineIntel";
        const bool hasL2 = row.at("l2Kb") != "-" && (amd || intel);
        const bool hasL1 = row.at("l1dKb") != "-" && amd;
        EXPECT_EQ(found, (hasL1 ? ZVT_CACHES_L1 : 0) | (hasL2 ? ZVT_CACHES_L2 : 0) |
                             (hasL2 && amd ? ZVT_CACHES_L3 : 0))
            << row.at("dump");
        if (hasL2)
        {
            EXPECT_EQ(Field(caches.l2.sizeKb), row.at("l2Kb")) << row.at("dump");
            EXPECT_EQ(Field(caches.l2.lineBytes), row.at("l2Line")) << row.at("dump");
        }
        if (hasL2 && amd)
        {
            EXPECT_EQ(Field(caches.l3.sizeKb / 512), row.at("l3Units")) << row.at("dump");
            EXPECT_EQ(Field(caches.l3.lineBytes), row.at("l3Line")) << row.at("dump");
        }
        if (hasL1)
        {
            const std::vector<std::string> decoded = {
                Field(caches.l1d.sizeKb), Field(caches.l1d.lineBytes), L1Ways(caches.l1d.ways),
                Field(caches.l1i.sizeKb), Field(caches.l1i.lineBytes), L1Ways(caches.l1i.ways)};
            const std::vector<std::string> expected = {row.at("l1dKb"), row.at("l1dLine"), row.at("l1dWays"),
                                                       row.at("l1iKb"), row.at("l1iLine"), row.at("l1iWays")};
            EXPECT_EQ(decoded, expected) << row.at("dump");
        }
        if (!hasL1)
        {
            EXPECT_EQ(caches.l1d.sizeKb + caches.l1i.sizeKb + caches.l1dTlb4k.entries, 0) << row.at("dump");
        }
    }
}

// A made-up record: leaf 0 of the vendor with the highest leaves given, every other leaf zero.
ZVT_CPU_IDENTITY MakeRecord(std::string_view vendor, std::uint32_t highestBasic,
                            std::uint32_t highestExtended)
{
    ZVT_CPU_IDENTITY identity = MakeIdentity(vendor, 0x000906EAu, highestExtended);
    identity.basic[0].eax = highestBasic;
    return identity;
}

// The register of the record that holds a flag, found through the tool's register names.
std::uint32_t& RegisterOf(ZVT_CPU_IDENTITY& identity, int flag)
{
    switch (flag / 32)
    {
    case ZVT_WORD_1_EDX:
        return identity.basic[1].edx;
    case ZVT_WORD_1_ECX:
        return identity.basic[1].ecx;
    case ZVT_WORD_7_EBX:
        return identity.basic[7].ebx;
    case ZVT_WORD_7_ECX:
        return identity.basic[7].ecx;
    case ZVT_WORD_7_EDX:
        return identity.basic[7].edx;
    case ZVT_WORD_80000001_EDX:
        return identity.extended[1].edx;
    case ZVT_WORD_80000001_ECX:
        return identity.extended[1].ecx;
    case ZVT_WORD_80000007_EDX:
        return identity.extended[7].edx;
    case ZVT_WORD_80000008_EBX:
        return identity.extended[8].ebx;
    case ZVT_WORD_XCR0_LOW:
        return identity.basic[0xD].eax;
    default:
        return identity.basic[0xD].edx;
    }
}

void SetFlag(ZVT_CPU_IDENTITY& identity, const std::string& name, bool on = true)
{
    const int flag = zvtFindFlag(name.c_str());
    ASSERT_NE(flag, ZVT_FLAG_NONE) << name;
    const std::uint32_t bit = 1u << (flag % 32);
    RegisterOf(identity, flag) =
        on ? (RegisterOf(identity, flag) | bit) : (RegisterOf(identity, flag) & ~bit);
}

TEST(FeatureFlags, LeavesPastTheRecordsHighestLeavesReadAsAbsent)
{
    ZVT_CPU_IDENTITY identity = MakeRecord("GenuineIntel", 6, 0x80000006u);
    for (auto* leaf :
         {&identity.basic[7], &identity.basic[0xD], &identity.extended[7], &identity.extended[8]})
        *leaf = ZVT_CPUID_LEAF{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    std::int32_t physicalBits = -1;
    std::int32_t linearBits = -1;
    EXPECT_EQ(Join(FlagNames(identity)), "");
    EXPECT_EQ(zvtGetAddressSizes(&identity, &physicalBits, &linearBits), 0);
    EXPECT_EQ(physicalBits + linearBits, 0);

    identity.basic[0].eax = 0xD; // one past: leaf 7 and 0xD now count, extended 7 and 8 still do not
    EXPECT_TRUE(zvtHasFlag(&identity, ZVT_FLAG_AVX512F));
    EXPECT_TRUE(zvtHasFlag(&identity, ZVT_FLAG_XCR0_LWP));
    EXPECT_FALSE(zvtHasFlag(&identity, ZVT_FLAG_CONSTANT_TSC));
    identity.extended[0].eax = 0x80000008u;
    EXPECT_TRUE(zvtHasFlag(&identity, ZVT_FLAG_CONSTANT_TSC));
    EXPECT_TRUE(zvtHasFlag(&identity, ZVT_FLAG_WBNOINVD));

    identity.extended[1].edx = 0xFFFFFFFFu;
    EXPECT_TRUE(zvtHasFlag(&identity, ZVT_FLAG_LM));
    // Older processors answer an unknown extended leaf with a basic one: such a "highest extended leaf" is
    // below 0x80000000 and means no extended leaf at all; so does a range that was never read.
    for (const std::uint32_t highest : {0x0000000Du, 0u, 0x7FFFFFFFu})
    {
        identity.extended[0].eax = highest;
        EXPECT_FALSE(zvtHasFlag(&identity, ZVT_FLAG_WBNOINVD)) << std::hex << highest;
        EXPECT_FALSE(zvtHasFlag(&identity, ZVT_FLAG_LM)) << std::hex << highest;
    }
    // Above the table's 64 entries: what the table holds still counts.
    identity.extended[0].eax = 0x8000FFFFu;
    identity.basic[0].eax = 0xFFFFFFFFu;
    EXPECT_TRUE(zvtHasFlag(&identity, ZVT_FLAG_WBNOINVD));
    EXPECT_TRUE(zvtHasFlag(&identity, ZVT_FLAG_AVX512F));
    EXPECT_EQ(zvtFindExtendedLeaf(&identity, 0x80000040u), nullptr);
    EXPECT_EQ(zvtFindBasicLeaf(&identity, 64), nullptr);
}

TEST(FeatureFlags, BitsWithoutANameAreNeverReported)
{
    ZVT_CPU_IDENTITY identity = MakeRecord("AuthenticAMD", 0xD, 0x80000008u);
    for (auto* leaf : {&identity.basic[1], &identity.basic[6], &identity.basic[7], &identity.basic[0xD],
                       &identity.extended[1], &identity.extended[7], &identity.extended[8]})
        *leaf = ZVT_CPUID_LEAF{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    ZVT_FLAG_SET flags;
    zvtReadFlags(&identity, &flags);
    // The record's own words name the 234 flags they always have; the later words are read from views.
    EXPECT_EQ(FlagNames(identity).size(), 234u);
    for (int word = ZVT_IDENTITY_FLAG_WORDS; word < ZVT_FLAG_WORDS; ++word)
    {
        EXPECT_EQ(flags.words[word], 0u) << word;
    }
    EXPECT_EQ(flags.words[ZVT_WORD_7_ECX] & 0x003E0000u, 0u) << "leaf 7 ECX 17..21 is a number (MAWAU)";
    EXPECT_EQ(flags.words[ZVT_WORD_80000001_EDX] & 0x0183F3FFu, 0u) << "AMD's copies of leaf 1 EDX";
    EXPECT_EQ(zvtGetFlagName(ZVT_WORD_1_EDX * 32 + 10), nullptr);
    for (const int outside : {-1, ZVT_FLAG_WORDS * 32, 0x7FFFFFFF})
    {
        EXPECT_EQ(zvtHasFlag(&identity, outside), 0) << outside;
        EXPECT_EQ(zvtFlagSetHas(&flags, outside), 0) << outside;
        EXPECT_EQ(zvtGetFlagName(outside), nullptr) << outside;
    }
}

TEST(FeatureFlags, NamesAreUniqueInNumberOrderAndFoundOnlyExactly)
{
    std::set<std::string> names;
    for (int index = 0; index < ZVT_FLAG_COUNT; ++index)
    {
        const ZVT_FLAG_ROW* row = zvtGetFlagRow(index);
        EXPECT_TRUE(names.insert(row->name).second) << row->name;
        if (index > 0)
        {
            EXPECT_LT(zvtGetFlagRow(index - 1)->flag, row->flag) << row->name;
        }
        EXPECT_STREQ(zvtGetFlagName(row->flag), row->name);
        EXPECT_EQ(zvtFindFlag(row->name), row->flag);
    }
    EXPECT_EQ(zvtGetFlagRow(ZVT_FLAG_COUNT), nullptr);
    EXPECT_EQ(zvtGetFlagRow(-1), nullptr);
    for (const char* unknown : {"AVX2", "avx2 ", "avx", "", "sse4", "sse4_11"})
    {
        EXPECT_EQ(zvtFindFlag(unknown), std::strcmp(unknown, "avx") == 0 ? ZVT_FLAG_AVX : ZVT_FLAG_NONE)
            << unknown;
    }
}

// The information record's feature word keeps its own bits; each reads the same CPUID bit as the header
// flag paired with it here (zavsys.h gives each bit's leaf, register and bit).
const std::pair<std::uint32_t, int> kFeatureBitFlags[] = {
    {ZVT_FEATURE_3DNOW, ZVT_FLAG_3DNOW},   {ZVT_FEATURE_3DNOWEXT, ZVT_FLAG_3DNOWEXT},
    {ZVT_FEATURE_SSE4A, ZVT_FLAG_SSE4A},   {ZVT_FEATURE_MMX, ZVT_FLAG_MMX},
    {ZVT_FEATURE_MMXEXT, ZVT_FLAG_MMXEXT}, {ZVT_FEATURE_SSE, ZVT_FLAG_SSE},
    {ZVT_FEATURE_SSE2, ZVT_FLAG_SSE2},     {ZVT_FEATURE_SSE3, ZVT_FLAG_PNI},
    {ZVT_FEATURE_SSE41, ZVT_FLAG_SSE4_1},  {ZVT_FEATURE_SSE42, ZVT_FLAG_SSE4_2},
    {ZVT_FEATURE_AMDV, ZVT_FLAG_SVM},      {ZVT_FEATURE_INTELVT, ZVT_FLAG_VMX},
    {ZVT_FEATURE_X86_64, ZVT_FLAG_LM}};
static_assert(std::size(kFeatureBitFlags) == ZVT_FEATURE_LABEL_COUNT, "every feature bit has its flag");

TEST(FeatureFlags, EachFeatureBitOfTheInformationRecordIsItsFlagsBit)
{
    for (const auto& [feature, flag] : kFeatureBitFlags)
    {
        ZVT_CPU_IDENTITY identity = MakeRecord("AuthenticAMD", 1, 0x80000001u);
        SetFlag(identity, zvtGetFlagName(flag));
        EXPECT_EQ(CollectFeatures(identity), feature) << zvtGetFlagName(flag);
    }
}

// The psABI's lists, in its order (LZCNT under the kernel's name abm), with lm for a 64-bit processor.
const std::vector<std::vector<std::string>> kLevelFlags = {
    {"lm", "cmov", "cx8", "fpu", "fxsr", "mmx", "syscall", "sse", "sse2"},
    {"cx16", "lahf_lm", "popcnt", "pni", "sse4_1", "sse4_2", "ssse3"},
    {"avx", "avx2", "bmi1", "bmi2", "f16c", "fma", "abm", "movbe", "osxsave"},
    {"avx512f", "avx512bw", "avx512cd", "avx512dq", "avx512vl"}};

ZVT_CPU_IDENTITY RecordAtLevel(std::string_view vendor, int level)
{
    ZVT_CPU_IDENTITY identity = MakeRecord(vendor, 0xD, 0x80000008u);
    identity.extended[1] = ZVT_CPUID_LEAF{};
    for (int i = 0; i < level; ++i)
        for (const auto& name : kLevelFlags[static_cast<std::size_t>(i)])
            SetFlag(identity, name);
    return identity;
}

std::string JoinList(const std::vector<std::string>& names)
{
    std::string text;
    for (const auto& name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

TEST(FeatureLevel, EachLevelIsMetWithItsFlagsAndMissedWithoutAnyOneOfThem)
{
    for (int level = ZVT_LEVEL_NONE; level <= ZVT_LEVEL_V4; ++level)
    {
        const ZVT_CPU_IDENTITY at = RecordAtLevel("AuthenticAMD", level);
        EXPECT_EQ(zvtGetLevel(&at), level);
        if (level < ZVT_LEVEL_V4)
        {
            EXPECT_EQ(MissingNames(at, level + 1), JoinList(kLevelFlags[static_cast<std::size_t>(level)]));
        }
        if (level == ZVT_LEVEL_NONE)
            continue;
        for (const auto& name : kLevelFlags[static_cast<std::size_t>(level - 1)])
        {
            ZVT_CPU_IDENTITY below = RecordAtLevel("AuthenticAMD", ZVT_LEVEL_V4);
            SetFlag(below, name, false);
            EXPECT_EQ(zvtGetLevel(&below), level - 1) << "without " << name;
            EXPECT_EQ(MissingNames(below, level), name);
            EXPECT_EQ(MissingNames(below, ZVT_LEVEL_V4), name);
        }
    }
}

TEST(FeatureLevel, AnIntelRecordMadeBy32BitCodeStillMeetsSyscall)
{
    ZVT_CPU_IDENTITY intel = RecordAtLevel("GenuineIntel", ZVT_LEVEL_V2);
    ZVT_CPU_IDENTITY amd = RecordAtLevel("AuthenticAMD", ZVT_LEVEL_V2);
    SetFlag(intel, "syscall", false);
    SetFlag(amd, "syscall", false);
    EXPECT_EQ(zvtGetLevel(&intel), ZVT_LEVEL_V2);
    EXPECT_EQ(zvtGetLevel(&amd), ZVT_LEVEL_NONE);
    EXPECT_EQ(MissingNames(amd, ZVT_LEVEL_BASELINE), "syscall");
    SetFlag(intel, "lm", false); // without long mode there is no 64-bit mode to have SYSCALL in
    EXPECT_EQ(MissingNames(intel, ZVT_LEVEL_BASELINE), "lm syscall");
}

TEST(FeatureLevel, TheEnabledLevelNeedsTheRegistersTheOsTurnedOnInXcr0)
{
    const ZVT_CPU_IDENTITY v4 = RecordAtLevel("GenuineIntel", ZVT_LEVEL_V4);
    const ZVT_CPU_IDENTITY v2 = RecordAtLevel("GenuineIntel", ZVT_LEVEL_V2);
    EXPECT_EQ(zvtGetEnabledLevel(&v4, 0xE7u), ZVT_LEVEL_V4);
    EXPECT_EQ(zvtGetEnabledLevel(&v4, 0x2E7u), ZVT_LEVEL_V4);
    EXPECT_EQ(zvtGetEnabledLevel(&v4, 0x67u), ZVT_LEVEL_V3); // one AVX-512 component off
    EXPECT_EQ(zvtGetEnabledLevel(&v4, 0x7u), ZVT_LEVEL_V3);
    EXPECT_EQ(zvtGetEnabledLevel(&v4, 0x3u), ZVT_LEVEL_V2);
    EXPECT_EQ(zvtGetEnabledLevel(&v4, 0xE5u), ZVT_LEVEL_V2); // no SSE state: no AVX either
    EXPECT_EQ(zvtGetEnabledLevel(&v2, 0u), ZVT_LEVEL_V2);
}

// XCR0 state components (Intel SDM vol. 1, 13.1): 1 SSE and 2 YMM for AVX; 5 opmask, 6 ZMM_Hi256 and
// 7 Hi16_ZMM for AVX-512. v4 needs all five, v3 the first two; one missing costs the level.
TEST(FeatureLevel, EachAvxAndAvx512StateComponentOfXcr0IsNeeded)
{
    const ZVT_CPU_IDENTITY v4 = RecordAtLevel("GenuineIntel", ZVT_LEVEL_V4);
    const struct
    {
        std::uint64_t xcr0;
        int level;
    } cases[] = {{0xE7u, ZVT_LEVEL_V4},
                 {0xC7u, ZVT_LEVEL_V3},
                 {0xA7u, ZVT_LEVEL_V3},
                 {0x67u, ZVT_LEVEL_V3},
                 {0xE3u, ZVT_LEVEL_V2}};
    for (const auto& c : cases)
    {
        EXPECT_EQ(zvtGetEnabledLevel(&v4, c.xcr0), c.level) << "XCR0 0x" << std::hex << c.xcr0;
    }
}

TEST(FeatureCaches, FullyAssociativeAndUnstatedWaysAndVendorsWithoutTheseLeaves)
{
    ZVT_CPU_IDENTITY amd = MakeRecord("HygonGenuine", 0xD, 0x80000008u);
    amd.extended[5] = ZVT_CPUID_LEAF{0xFF40FF18u, 0xFF40FF40u, 0x20080140u, 0x40FF0140u};
    amd.extended[6] = ZVT_CPUID_LEAF{0x9C00F200u, 0xF4009200u, 0x0200F140u, 0x00109140u};
    ZVT_CACHES caches;
    ASSERT_EQ(zvtGetCaches(&amd, &caches), ZVT_CACHES_L1 | ZVT_CACHES_L2 | ZVT_CACHES_L3);
    EXPECT_EQ(caches.l1d.sizeKb, 32);
    EXPECT_EQ(caches.l1d.ways, 8);
    EXPECT_EQ(caches.l1i.sizeKb, 64);
    EXPECT_EQ(caches.l1i.ways, ZVT_WAYS_FULL);
    EXPECT_EQ(caches.l1dTlb2m.ways, ZVT_WAYS_FULL);
    EXPECT_EQ(caches.l1dTlb2m.entries, 64);
    EXPECT_EQ(caches.l1iTlb2m.entries, 24);
    EXPECT_EQ(caches.l2dTlb2m.ways, 0) << "code 9: stated in another leaf";
    EXPECT_EQ(caches.l2dTlb2m.entries, 0xC00);
    EXPECT_EQ(caches.l2iTlb2m.ways, ZVT_WAYS_FULL);
    EXPECT_EQ(caches.l2dTlb4k.ways, ZVT_WAYS_FULL);
    EXPECT_EQ(caches.l2dTlb4k.entries, 0x400);
    EXPECT_EQ(caches.l2.sizeKb, 512);
    EXPECT_EQ(caches.l2.ways, ZVT_WAYS_FULL);
    EXPECT_EQ(caches.l3.sizeKb, 2048);
    EXPECT_EQ(caches.l3.ways, 0);

    ZVT_CPU_IDENTITY intel = amd;
    intel.basic[0] = VendorLeaf("GenuineIntel", 0xD);
    ASSERT_EQ(zvtGetCaches(&intel, &caches), ZVT_CACHES_L2);
    EXPECT_EQ(caches.l2.sizeKb, 512);
    EXPECT_EQ(caches.l2.linesPerTag, 0) << "Intel leaves bits 11..8 reserved";
    EXPECT_EQ(caches.l1d.sizeKb + caches.l3.sizeKb + caches.l2dTlb4k.entries, 0);

    ZVT_CPU_IDENTITY other = amd;
    other.basic[0] = VendorLeaf("  Shanghai  ", 0xD);
    EXPECT_EQ(zvtGetCaches(&other, &caches), 0);
    EXPECT_EQ(caches.l2.sizeKb, 0);

    amd.extended[0].eax = 0x80000005u;
    EXPECT_EQ(zvtGetCaches(&amd, &caches), ZVT_CACHES_L1);
    EXPECT_EQ(caches.l2.sizeKb + caches.l3.sizeKb, 0);
}

// Every field of each leaf holds a value no other field of it holds, so a field taken from the wrong
// register, place or width fails. Layout from AMD's manual (vol. 3, CPUID Fn8000_0005 and Fn8000_0006),
// values as "cpuid -f" decodes them. Ways codes of 0x80000006 (the least of their range): 2 two, 4 four,
// 6 eight, 8 sixteen, 0xA 32, 0xC 64 ways.
TEST(FeatureCaches, EveryFieldOfTheAmdCacheAndTlbLeavesIsReadFromItsOwnPlace)
{
    ZVT_CPU_IDENTITY amd = MakeRecord("AuthenticAMD", 1, 0x80000006u);
    // EAX (2M/4M pages) and EBX (4K pages): data TLB ways 31..24, entries 23..16; instruction TLB ways 15..8,
    // entries 7..0. ECX (data) and EDX (instruction) L1: KB 31..24, ways 23..16, lines per tag 15..8, line
    // bytes 7..0.
    amd.extended[5] = ZVT_CPUID_LEAF{0x02300418u, 0x08480628u, 0x200C0140u, 0x10050380u};
    // EAX (2M/4M pages) and EBX (4K pages): data TLB ways code 31..28, entries 27..16; instruction TLB ways
    // code 15..12, entries 11..0. ECX, L2: KB 31..16, ways code 15..12, lines per tag 11..8, line bytes
    // 7..0. EDX, L3: 512 KB units 31..18, ways code 15..12, lines per tag 11..8, line bytes 7..0.
    amd.extended[6] = ZVT_CPUID_LEAF{0x68002400u, 0xCC004100u, 0x02008140u, 0x00C0A380u};
    ZVT_CACHES c;
    ASSERT_EQ(zvtGetCaches(&amd, &c), ZVT_CACHES_L1 | ZVT_CACHES_L2 | ZVT_CACHES_L3);
    const struct
    {
        const char* field;
        std::int32_t decoded;
        std::int32_t expected;
    } fields[] = {
        {"L1 data TLB 2M ways", c.l1dTlb2m.ways, 2},
        {"L1 data TLB 2M entries", c.l1dTlb2m.entries, 48},
        {"L1 instruction TLB 2M ways", c.l1iTlb2m.ways, 4},
        {"L1 instruction TLB 2M entries", c.l1iTlb2m.entries, 24},
        {"L1 data TLB 4K ways", c.l1dTlb4k.ways, 8},
        {"L1 data TLB 4K entries", c.l1dTlb4k.entries, 72},
        {"L1 instruction TLB 4K ways", c.l1iTlb4k.ways, 6},
        {"L1 instruction TLB 4K entries", c.l1iTlb4k.entries, 40},
        {"L1 data KB", c.l1d.sizeKb, 32},
        {"L1 data ways", c.l1d.ways, 12},
        {"L1 data lines per tag", c.l1d.linesPerTag, 1},
        {"L1 data line bytes", c.l1d.lineBytes, 64},
        {"L1 instruction KB", c.l1i.sizeKb, 16},
        {"L1 instruction ways", c.l1i.ways, 5},
        {"L1 instruction lines per tag", c.l1i.linesPerTag, 3},
        {"L1 instruction line bytes", c.l1i.lineBytes, 128},
        {"L2 data TLB 2M ways", c.l2dTlb2m.ways, 8},
        {"L2 data TLB 2M entries", c.l2dTlb2m.entries, 2048},
        {"L2 instruction TLB 2M ways", c.l2iTlb2m.ways, 2},
        {"L2 instruction TLB 2M entries", c.l2iTlb2m.entries, 1024},
        {"L2 data TLB 4K ways", c.l2dTlb4k.ways, 64},
        {"L2 data TLB 4K entries", c.l2dTlb4k.entries, 3072},
        {"L2 instruction TLB 4K ways", c.l2iTlb4k.ways, 4},
        {"L2 instruction TLB 4K entries", c.l2iTlb4k.entries, 256},
        {"L2 KB", c.l2.sizeKb, 512},
        {"L2 ways", c.l2.ways, 16},
        {"L2 lines per tag", c.l2.linesPerTag, 1},
        {"L2 line bytes", c.l2.lineBytes, 64},
        {"L3 KB", c.l3.sizeKb, 48 * 512},
        {"L3 ways", c.l3.ways, 32},
        {"L3 lines per tag", c.l3.linesPerTag, 3},
        {"L3 line bytes", c.l3.lineBytes, 128},
    };
    for (const auto& f : fields)
    {
        EXPECT_EQ(f.decoded, f.expected) << f.field;
    }
}

TEST(FeatureCaches, AssociativityCodesReadAsTheToolReadsThem)
{
    const auto rows = ReadTable("features-ways.tsv");
    ASSERT_EQ(rows.size(), 16u);
    for (const auto& row : rows)
    {
        ZVT_CPU_IDENTITY identity = MakeRecord("AuthenticAMD", 1, 0x80000006u);
        const auto code = static_cast<std::uint32_t>(std::stoul(row.at("code")));
        identity.extended[6].ecx = 0x02000040u | (code << 12);
        identity.extended[6].edx = 0x00100040u | (code << 12);
        ZVT_CACHES caches;
        ASSERT_EQ(zvtGetCaches(&identity, &caches) & ZVT_CACHES_L2, ZVT_CACHES_L2);
        const std::string expected = row.at("ways") == "-" ? "0" : row.at("ways");
        for (const std::int32_t ways : {caches.l2.ways, caches.l3.ways})
        {
            EXPECT_EQ(ways == ZVT_WAYS_FULL ? "full" : std::to_string(ways), expected) << row.at("tool");
        }
    }
}

TEST(FeatureXcr0, TheLiveReadFollowsOsxsaveAndStaysWithinWhatTheProcessorSupports)
{
    ZVT_CPU_IDENTITY identity;
    std::memset(&identity, 0, sizeof identity);
    ASSERT_EQ(FillIdentity(ProcessorCpuid(), identity), 0);
    std::uint64_t xcr0 = 0xDEADBEEFu;
    const int read = zvtReadXcr0(&xcr0);
    EXPECT_EQ(read, zvtHasFlag(&identity, ZVT_FLAG_OSXSAVE));
    if (read == 0)
    {
        EXPECT_EQ(xcr0, 0u);
        return;
    }
    const std::uint64_t supported =
        (std::uint64_t{identity.basic[0xD].edx} << 32) | std::uint64_t{identity.basic[0xD].eax};
    EXPECT_EQ(xcr0 & 3u, 3u) << "x87 and SSE state are always on";
    EXPECT_EQ(xcr0 & ~supported, 0u) << std::hex << xcr0 << " " << supported;
    EXPECT_LE(zvtGetEnabledLevel(&identity, xcr0), zvtGetLevel(&identity));
}

} // namespace
} // namespace zvt::test
