// zavsys_features.h read from views: the fifty real dumps with every sub-leaf (tests/data/dumps) against the
// Debian cpuid tool (tests/data/cpuid/features-dumps.tsv, made by scripts/make-feature-expectations.py);
// made-up views at the edges of each leaf's validity and of what the identity record can tell; the XCR0 state
// each flag needs; AVX10's leaf; and this machine's dump view against the CPUID instruction itself.
#include <cpuid.h>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CpuidDump.h"
#include "CpuidSource.h"
#include "CpuidTables.h"
#include "DataTable.h"
#include "DumpReader.h"
#include "support/Words.h"
#include "zavsys_features.h"

namespace zvt::test
{
namespace
{

const std::filesystem::path kData = ZVT_TEST_DATA;
constexpr std::uint32_t kOnes = 0xFFFFFFFFu;
using Entries = std::vector<ZVT_CPUID_ENTRY>;

TEST(FeatureDumps, EveryRealDumpHasTheFlagsTheToolShowsInEveryLeafAndSubleaf)
{
    std::set<std::string> unknownToTool; // placed by features-kernel.tsv, not by the tool
    for (const auto& row : ReadTable(kData / "cpuid" / "features-kernel.tsv"))
        unknownToTool.insert(row.at("name"));
    const auto rows = ReadTable(kData / "cpuid" / "features-dumps.tsv");
    ASSERT_EQ(rows.size(), 50u);
    for (const auto& row : rows)
    {
        std::ifstream in(kData / "dumps" / (row.at("dump") + ".raw"), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        CRecordedCpuid cpuid;
        DumpError error;
        ASSERT_TRUE(ParseCpuidDump(text, cpuid, error)) << row.at("dump") << ":" << error.line;
        const Entries entries = cpuid.EntryRecords();
        const ZVT_CPUID_VIEW view{entries.data(), entries.size(), 1};
        ZVT_FLAG_SET flags;
        EXPECT_EQ(zvtReadFlagsFromView(&view, &flags, nullptr), 0)
            << row.at("dump") << ": a whole dump tells all";
        std::set<std::string> decoded;
        for (int index = 0; index < ZVT_FLAG_COUNT; ++index)
            if (zvtFlagSetHas(&flags, zvtGetFlagRow(index)->flag))
                decoded.insert(zvtGetFlagRow(index)->name);
        for (const auto& name : unknownToTool)
            decoded.erase(name);
        for (const auto& name : Words(row.at("unknown")))
            decoded.erase(name);
        EXPECT_EQ(Join(decoded), Join(Words(row.at("flags")))) << row.at("dump");

        // The identity record made from the dump: its own reading agrees on its words and leaves the rest 0.
        ZVT_CPU_IDENTITY identity{};
        identity.size = ZVT_IDENTITY_SIZE;
        ASSERT_EQ(FillIdentity(cpuid, identity), 0) << row.at("dump");
        ZVT_FLAG_SET fromRecord;
        zvtReadFlags(&identity, &fromRecord);
        for (int word = 0; word < ZVT_FLAG_WORDS; ++word)
        {
            EXPECT_EQ(fromRecord.words[word], word < ZVT_IDENTITY_FLAG_WORDS ? flags.words[word] : 0u)
                << row.at("dump") << " word " << word;
        }
    }
}

// Leaf 0 (and 0x80000000 unless highestExtended is 0) with the highest leaves, then the entries given.
Entries View(std::uint32_t highestBasic, std::uint32_t highestExtended, const Entries& more)
{
    Entries entries = {{0, 0, highestBasic, 0, 0, 0}};
    if (highestExtended != 0)
        entries.push_back({0x80000000u, 0, highestExtended, 0, 0, 0});
    entries.insert(entries.end(), more.begin(), more.end());
    return entries;
}

ZVT_CPUID_ENTRY All(std::uint32_t leaf, std::uint32_t subleaf, std::uint32_t eax = kOnes)
{
    return {leaf, subleaf, eax, kOnes, kOnes, kOnes};
}

// The manuals' rules: a leaf counts up to its range's highest leaf (leaf 0 EAX, 0x80000000 EAX); leaf 7's
// sub-leaves up to 7.0 EAX; leaf 0xD always has sub-leaf 1. A whole dump answers zeros where it holds no
// entry; the identity record holds sub-leaf 0 only, so it cannot tell the others unless the rules rule them
// out.
TEST(FeatureViews, EachWordIsHeldAbsentOrUnknownAsItsLeafAndTheViewAllow)
{
    const int held = ZVT_VIEW_HELD, absent = ZVT_VIEW_ABSENT, unknown = ZVT_VIEW_UNKNOWN;
    const struct
    {
        const char* what;
        Entries entries;
        int whole, word, state;
        std::uint32_t value;
        int unknownWords;
    } cases[] = {
        {"7.1, 7.0 EAX 0", View(0xD, 0, {All(7, 0, 0), All(7, 1)}), 1, ZVT_WORD_7_1_EAX, absent, 0, 0},
        {"7.1, 7.0 EAX 1", View(0xD, 0, {All(7, 0, 1), All(7, 1)}), 1, ZVT_WORD_7_1_EDX, held, kOnes, 0},
        {"7.2, 7.0 EAX 1", View(0xD, 0, {All(7, 0, 1), All(7, 2)}), 1, ZVT_WORD_7_2_EDX, absent, 0, 0},
        {"7.2, 7.0 EAX 2", View(0xD, 0, {All(7, 0, 2), All(7, 2)}), 1, ZVT_WORD_7_2_EDX, held, kOnes, 0},
        {"7.1 not in a whole dump", View(0xD, 0, {All(7, 0, 1)}), 1, ZVT_WORD_7_1_EAX, held, 0, 0},
        {"leaf 7 above highest 6", View(6, 0, {All(7, 0, 1), All(7, 1)}), 1, ZVT_WORD_7_1_EAX, absent, 0, 0},
        {"leaf 6 at highest 6", View(6, 0, {All(6, 0)}), 1, ZVT_WORD_6_EAX, held, kOnes, 0},
        {"0x14 above highest 0x13", View(0x13, 0, {All(0x14, 0)}), 1, ZVT_WORD_14_EBX, absent, 0, 0},
        {"0xD.1, 0xD.0 all 0", View(0xD, 0, {{0xD, 0, 0, 0, 0, 0}, All(0xD, 1)}), 1, ZVT_WORD_D_1_EAX, held,
         kOnes, 0},
        {"0x8000001F above highest", View(1, 0x8000001Eu, {All(0x8000001Fu, 0)}), 1, ZVT_WORD_8000001F_EAX,
         absent, 0, 0},
        {"0x80000021 at highest", View(1, 0x80000021u, {All(0x80000021u, 0)}), 1, ZVT_WORD_80000021_EAX, held,
         kOnes, 0},
        {"extended highest below range", View(1, 0xDu, {All(0x80000007u, 0)}), 1, ZVT_WORD_80000007_EBX,
         absent, 0, 0},
        {"no leaf 0x80000000", View(1, 0, {All(0x8000000Au, 0)}), 1, ZVT_WORD_8000000A_EDX, absent, 0, 0},
        {"identity: 7.1, 7.0 EAX 2", View(0xD, 0, {All(7, 0, 2), All(7, 1)}), 0, ZVT_WORD_7_1_EAX, unknown, 0,
         4},
        {"identity: 7.1, 7.0 EAX 0", View(0xD, 0, {All(7, 0, 0), All(7, 1)}), 0, ZVT_WORD_7_1_EDX, absent, 0,
         1},
        {"identity: 0xD.1", View(0xD, 0, {All(0xD, 0), All(0xD, 1)}), 0, ZVT_WORD_D_1_EAX, unknown, 0, 1},
        {"identity: leaf 6", View(6, 0, {All(6, 0)}), 0, ZVT_WORD_6_EAX, held, kOnes, 0},
        {"identity: 0x8000000A", View(1, 0x8000000Au, {All(0x8000000Au, 0)}), 0, ZVT_WORD_8000000A_EDX, held,
         kOnes, 0},
        {"identity: leaf 0x40", View(0x40, 0, {All(0x40, 0)}), 0, ZVT_FLAG_WORDS, unknown, 0, 1},
    };
    for (const auto& c : cases)
    {
        const ZVT_CPUID_VIEW view{c.entries.data(), c.entries.size(), c.whole};
        ZVT_FLAG_SET flags;
        ZVT_FLAG_SET known;
        EXPECT_EQ(zvtReadFlagsFromView(&view, &flags, &known), c.unknownWords) << c.what;
        if (c.word == ZVT_FLAG_WORDS) // no word reads leaf 0x40: ask for the entry itself
        {
            const ZVT_CPUID_ENTRY* entry = &c.entries[0];
            EXPECT_EQ(zvtFindViewEntry(&view, 0x40, 0, &entry), c.state) << c.what;
            EXPECT_EQ(entry, nullptr) << c.what;
            continue;
        }
        std::uint32_t value = 7;
        EXPECT_EQ(zvtGetViewWord(&view, c.word, &value), c.state) << c.what;
        EXPECT_EQ(value, c.value) << c.what;
        EXPECT_EQ(flags.words[c.word], c.value & zvtGetFlagWordMask(c.word)) << c.what;
        EXPECT_EQ(known.words[c.word], c.state == unknown ? 0u : zvtGetFlagWordMask(c.word)) << c.what;
        for (int index = 0; index < ZVT_FLAG_COUNT; ++index)
        {
            const ZVT_FLAG_ROW* row = zvtGetFlagRow(index);
            if (row->flag / 32 == c.word)
            {
                EXPECT_EQ(zvtViewHasFlag(&view, row->flag), c.value == kOnes ? 1 : 0) << c.what << row->name;
                EXPECT_EQ(zvtViewKnowsFlag(&view, row->flag), c.state == unknown ? 0 : 1)
                    << c.what << row->name;
            }
        }
    }
    const Entries entries = View(0xD, 0, {All(1, 0)});
    const ZVT_CPUID_VIEW view{entries.data(), entries.size(), 1};
    for (const int flag : {-1, ZVT_WORD_1_EDX * 32 + 10, ZVT_FLAG_WORDS * 32})
    {
        EXPECT_EQ(zvtViewHasFlag(&view, flag) + zvtViewKnowsFlag(&view, flag), 0) << flag;
    }
}

// XCR0 components (Intel SDM vol. 1, 13.1): 1 SSE, 2 AVX, 3-4 MPX, 5 opmask, 6 ZMM_Hi256, 7 Hi16_ZMM,
// 17 XTILECFG, 18 XTILEDATA, 19 APX. The VEX vector instructions need 1 and 2; AVX-512 and AVX10 also 5-7;
// AMX 17 and 18; MPX 3 and 4; APX 19. Every other flag needs none.
const std::pair<const char*, std::uint64_t> kXcr0Needs[] = {
    {"avx", 0x6},
    {"fma", 0x6},
    {"f16c", 0x6},
    {"avx2", 0x6},
    {"vaes", 0x6},
    {"vpclmulqdq", 0x6},
    {"xop", 0x6},
    {"fma4", 0x6},
    {"sha512", 0x6},
    {"sm3", 0x6},
    {"sm4", 0x6},
    {"avx_vnni", 0x6},
    {"avx_ifma", 0x6},
    {"avx_vnni_int8", 0x6},
    {"avx_ne_convert", 0x6},
    {"avx_vnni_int16", 0x6},
    {"avx512f", 0xE6},
    {"avx512dq", 0xE6},
    {"avx512ifma", 0xE6},
    {"avx512pf", 0xE6},
    {"avx512er", 0xE6},
    {"avx512cd", 0xE6},
    {"avx512bw", 0xE6},
    {"avx512vl", 0xE6},
    {"avx512vbmi", 0xE6},
    {"avx512_vbmi2", 0xE6},
    {"avx512_vnni", 0xE6},
    {"avx512_bitalg", 0xE6},
    {"avx512_fp16", 0xE6},
    {"avx512_bf16", 0xE6},
    {"avx10", 0xE6},
    {"avx512_vpopcntdq", 0xE6},
    {"avx512_4vnniw", 0xE6},
    {"avx512_4fmaps", 0xE6},
    {"avx512_vp2intersect", 0xE6},
    {"amx_tile", 0x60000},
    {"amx_int8", 0x60000},
    {"amx_bf16", 0x60000},
    {"amx_fp16", 0x60000},
    {"amx_complex", 0x60000},
    {"mpx", 0x18},
    {"apx", 0x80000},
};

TEST(FeatureXcr0, AFlagIsUsableOnlyWithEveryStateComponentItNeeds)
{
    ZVT_FLAG_SET all;
    for (int word = 0; word < ZVT_FLAG_WORDS; ++word)
        all.words[word] = zvtGetFlagWordMask(word);
    const ZVT_FLAG_SET none{};
    std::set<int> needing;
    for (const auto& [name, needs] : kXcr0Needs)
    {
        const int flag = zvtFindFlag(name);
        needing.insert(flag);
        EXPECT_EQ(zvtGetFlagXcr0Needs(flag), needs) << name;
        EXPECT_EQ(zvtIsFlagUsable(&all, flag, needs), 1) << name;
        EXPECT_EQ(zvtIsFlagUsable(&none, flag, ~std::uint64_t{0}), 0) << name << " absent";
        for (std::uint64_t bit = 1; bit != 0; bit <<= 1)
            if ((needs & bit) != 0)
            {
                EXPECT_EQ(zvtIsFlagUsable(&all, flag, ~bit), 0)
                    << name << " without XCR0 0x" << std::hex << bit;
            }
    }
    for (int index = 0; index < ZVT_FLAG_COUNT; ++index)
    {
        const int flag = zvtGetFlagRow(index)->flag;
        if (needing.count(flag) == 0)
        {
            EXPECT_EQ(zvtIsFlagUsable(&all, flag, 0), 1) << zvtGetFlagRow(index)->name;
        }
    }
    EXPECT_EQ(zvtIsFlagUsable(&all, ZVT_FLAG_NONE, ~std::uint64_t{0}), 0);
}

// Leaf 0x24 sub-leaf 0 EBX (the SDM, CPUID leaf 24H): bits 7..0 the version, 16, 17, 18 the 128-, 256- and
// 512-bit vector lengths; valid when 7.1 EDX bit 19 (avx10) is set.
TEST(FeatureAvx10, VersionAndVectorWidthsComeFromLeaf0x24WhenAvx10IsSet)
{
    const ZVT_CPUID_ENTRY on = {7, 1, 0, 0, 0, 1u << 19}, off = {7, 1, kOnes, kOnes, kOnes, ~(1u << 19)};
    const struct
    {
        const char* what;
        Entries entries;
        int whole, state;
        std::int32_t version;
        std::uint32_t widths;
    } cases[] = {
        {"10.2, all widths", View(0x24, 0, {All(7, 0, 1), on, {0x24, 0, 0, 0x00070002u, 0, 0}}), 1,
         ZVT_VIEW_HELD, 2, ZVT_AVX10_VL128 | ZVT_AVX10_VL256 | ZVT_AVX10_VL512},
        {"10.3, 512 only", View(0x24, 0, {All(7, 0, 1), on, {0x24, 0, kOnes, 0xFFFCFF03u, kOnes, kOnes}}), 1,
         ZVT_VIEW_HELD, 3, ZVT_AVX10_VL512},
        {"avx10 clear", View(0x24, 0, {All(7, 0, 1), off, All(0x24, 0)}), 1, ZVT_VIEW_ABSENT, 0, 0},
        {"0x24 above highest", View(0x23, 0, {All(7, 0, 1), on, All(0x24, 0)}), 1, ZVT_VIEW_ABSENT, 0, 0},
        {"identity", View(0x24, 0, {All(7, 0, 1), on, All(0x24, 0)}), 0, ZVT_VIEW_UNKNOWN, 0, 0},
    };
    for (const auto& c : cases)
    {
        const ZVT_CPUID_VIEW view{c.entries.data(), c.entries.size(), c.whole};
        ZVT_AVX10 avx10{77, 77};
        EXPECT_EQ(zvtGetAvx10(&view, &avx10), c.state) << c.what;
        EXPECT_EQ(avx10.version, c.version) << c.what;
        EXPECT_EQ(avx10.vectorWidths, c.widths) << c.what;
    }
}

// This processor's dump (the library's enumeration) read as a view, against CPUID executed here. On an AMD
// family 0x19 processor with AVX-512 (Zen 4, which added AVX512_BF16) avx512_bf16 must be there.
TEST(FeatureLive, ThisMachinesDumpViewAgreesWithTheCpuidInstruction)
{
    Entries entries(ZVT_CPUID_DUMP_MAX_ENTRIES);
    entries.resize(EnumerateCpuidDump(ProcessorCpuid(), entries.data(), ZVT_CPUID_DUMP_MAX_ENTRIES));
    const ZVT_CPUID_VIEW view{entries.data(), entries.size(), 1};
    ZVT_FLAG_SET flags;
    ASSERT_EQ(zvtReadFlagsFromView(&view, &flags, nullptr), 0);
    unsigned r[4][4] = {}; // leaf 0, 0x80000000, 7.0, 7.1
    __cpuid_count(0, 0, r[0][0], r[0][1], r[0][2], r[0][3]);
    __cpuid_count(0x80000000u, 0, r[1][0], r[1][1], r[1][2], r[1][3]);
    if (r[0][0] >= 7)
        __cpuid_count(7, 0, r[2][0], r[2][1], r[2][2], r[2][3]);
    if (r[2][0] >= 1)
        __cpuid_count(7, 1, r[3][0], r[3][1], r[3][2], r[3][3]);
    EXPECT_EQ(zvtViewHasFlag(&view, ZVT_FLAG_AVX512_BF16), static_cast<int>((r[3][0] >> 5) & 1u));
    for (int word = 0; word < ZVT_FLAG_WORDS; ++word)
    {
        std::uint32_t leaf = 0, subleaf = 0;
        std::size_t offset = 0;
        ASSERT_EQ(zvtGetFlagWordSource(word, &leaf, &subleaf, &offset), 1);
        unsigned value[4] = {};
        const unsigned highest = leaf >= 0x80000000u ? r[1][0] : r[0][0];
        if (leaf <= highest && (leaf != 7 || subleaf <= r[2][0]))
            __cpuid_count(leaf, subleaf, value[0], value[1], value[2], value[3]);
        EXPECT_EQ(flags.words[word], value[offset / 4] & zvtGetFlagWordMask(word)) << "word " << word;
    }
    unsigned eax1 = 0, ebx1 = 0, ecx1 = 0, edx1 = 0;
    __cpuid_count(1, 0, eax1, ebx1, ecx1, edx1);
    const bool amd = r[0][1] == 0x68747541u && r[0][3] == 0x69746E65u && r[0][2] == 0x444D4163u;
    if (amd && ((eax1 >> 8) & 0xFu) + ((eax1 >> 20) & 0xFFu) == 0x19 &&
        zvtViewHasFlag(&view, ZVT_FLAG_AVX512F))
    {
        EXPECT_EQ(zvtViewHasFlag(&view, ZVT_FLAG_AVX512_BF16), 1) << "Zen 4";
    }
}

} // namespace
} // namespace zvt::test
