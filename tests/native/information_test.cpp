// The information record: every recorded processor against tests/data/cpuid/expected.tsv, the core count
// and feature word on made-up tables, and what GetInformation copies back to its caller.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "CpuidTables.h"
#include "DataTable.h"
#include "FeatureLabels.h"
#include "Information.h"
#include "MeasuredRecords.h"
#include "RecordedClock.h"
#include "support/AllocationCounter.h"
#include "support/Dumps.h"
#include "support/Synthetic.h"

namespace zvt::test
{
namespace
{

std::string FieldText(const char* field, std::size_t capacity)
{
    const void* end = std::memchr(field, '\0', capacity);
    return end == nullptr ? "<no terminator>" : std::string(field, static_cast<const char*>(end));
}

using Columns = TableRow;
const std::vector<std::string> kColumnOrder = {
    "dump",          "vendor",    "modelName", "family", "extendedFamily", "baseFamily", "model",
    "extendedModel", "baseModel", "stepping",  "cores",  "features",       "basicCount", "extendedCount"};

// What the library makes of a recorded processor, as the columns of expected.tsv.
Columns Describe(const std::string& dump)
{
    const CRecordedCpuid cpuid = LoadDump(dump);
    const CRecordedClock clock;
    ZVT_CPU_INFORMATION info;
    std::memset(&info, 0xEE, sizeof info);
    info.size = ZVT_INFORMATION_SIZE;
    EXPECT_EQ(GetInformation(cpuid, clock, &info, 0), 0);
    EXPECT_EQ(info.size, ZVT_INFORMATION_SIZE);
    EXPECT_EQ(info.frequency, 0.0f);
    EXPECT_EQ(info.logicalCores, 0);
    EXPECT_EQ(info.threads, 0);

    CpuidTable basic{};
    CpuidTable extended{};
    int basicCount = 0;
    int extendedCount = 0;
    ReadCpuidLeaves(cpuid, basic, extended, basicCount, extendedCount);
    return Columns{{"dump", dump},
                   {"vendor", FieldText(info.vendor, sizeof info.vendor)},
                   {"modelName", '"' + FieldText(info.modelName, sizeof info.modelName) + '"'},
                   {"family", std::to_string(info.family)},
                   {"extendedFamily", std::to_string(info.extendedFamily)},
                   {"baseFamily", std::to_string(info.baseFamily)},
                   {"model", std::to_string(info.model)},
                   {"extendedModel", std::to_string(info.extendedModel)},
                   {"baseModel", std::to_string(info.baseModel)},
                   {"stepping", std::to_string(info.stepping)},
                   {"cores", std::to_string(info.cores)},
                   {"features", FeatureText(info.features)},
                   {"basicCount", std::to_string(basicCount)},
                   {"extendedCount", std::to_string(extendedCount)}};
}

const std::filesystem::path kExpectedPath = std::filesystem::path(ZVT_TEST_DATA) / "cpuid" / "expected.tsv";

// Rewrites the rows from what the library computes now, keeping the comment lines at the top. Only on
// purpose (ZVT_UPDATE_EXPECTED=1); every changed row is then to be checked against its dump.
void RewriteExpected()
{
    std::string comments;
    std::ifstream old(kExpectedPath);
    for (std::string line; std::getline(old, line) && line.rfind('#', 0) == 0;)
    {
        comments += line + '\n';
    }
    std::ofstream out(kExpectedPath, std::ios::binary | std::ios::trunc);
    out << comments;
    const auto writeRow = [&out](const auto& cell) {
        for (std::size_t i = 0; i < kColumnOrder.size(); ++i)
        {
            out << (i == 0 ? "" : "\t") << cell(kColumnOrder[i]);
        }
        out << '\n';
    };
    writeRow([](const std::string& column) { return column; });
    for (const std::string& dump : DumpNames())
    {
        const Columns columns = Describe(dump);
        writeRow([&columns](const std::string& column) { return columns.at(column); });
    }
}

// Rows of expected.tsv by dump name, each as its named columns.
const std::map<std::string, Columns>& ExpectedRows()
{
    static const std::map<std::string, Columns> rows = [] {
        const char* update = std::getenv("ZVT_UPDATE_EXPECTED");
        if (update != nullptr && std::string(update) == "1")
        {
            RewriteExpected();
        }
        std::map<std::string, Columns> table;
        for (const TableRow& row : ReadTable(kExpectedPath))
        {
            table[row.at("dump")] = row;
        }
        return table;
    }();
    return rows;
}

TEST(ExpectedRecords, OneRowPerDump)
{
    std::vector<std::string> rows;
    for (const auto& [dump, columns] : ExpectedRows())
    {
        rows.push_back(dump);
        EXPECT_EQ(columns.size(), kColumnOrder.size()) << dump;
    }
    EXPECT_EQ(rows, DumpNames());
}

class RecordedProcessor : public testing::TestWithParam<std::string>
{
};

TEST_P(RecordedProcessor, WholeRecordAsExpected)
{
    const auto row = ExpectedRows().find(GetParam());
    ASSERT_NE(row, ExpectedRows().end()) << "no row in " << kExpectedPath;
    const Columns actual = Describe(GetParam());
    for (const std::string& column : kColumnOrder)
    {
        const auto expected = row->second.find(column);
        EXPECT_EQ(actual.at(column), expected == row->second.end() ? "<missing>" : expected->second)
            << column;
    }
}

INSTANTIATE_TEST_SUITE_P(Dumps, RecordedProcessor, testing::ValuesIn(DumpNames()),
                         [](const testing::TestParamInfo<std::string>& dump) {
                             std::string name = dump.param;
                             for (char& c : name)
                             {
                                 c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
                             }
                             return name;
                         });

TEST(CountCores, LeafFourOrAmdExtendedLeafEight)
{
    ZVT_CPU_IDENTITY intel = MakeIdentity("GenuineIntel", 0x000906EA);
    intel.basic[4].eax = 0x1C004121;
    EXPECT_EQ(CountCores(intel, false), 8);
    intel.basic[4].eax = 0xFC000000;
    EXPECT_EQ(CountCores(intel, false), 64);

    ZVT_CPU_IDENTITY amd = MakeIdentity("AuthenticAMD", 0x00800F82, 0x80000008u, 0x00800F82);
    amd.basic[4].eax = 0x1C004121; // not read on AMD
    amd.extended[8].ecx = 0x00004007;
    EXPECT_EQ(CountCores(amd, true), 1); // HTT clear
    amd.basic[1].edx = 1u << 28;
    EXPECT_EQ(CountCores(amd, true), 8);
    amd.extended[8].ecx = 0x0000301F; // only the low four bits count
    EXPECT_EQ(CountCores(amd, true), 16);
}

TEST(CountCores, LeafFourBeyondTheHighestBasicLeafIsNotRead)
{
    CRecordedCpuid cpuid;
    cpuid.Add(0, 0, VendorLeaf("GenuineIntel", 2));
    cpuid.Add(1, 0, ZVT_CPUID_LEAF{0x00000673, 0, 0, 1u << 28});
    cpuid.Add(4, 0, ZVT_CPUID_LEAF{0x1C004121, 0, 0, 0}); // answers, but lies past the highest leaf
    ZVT_CPU_INFORMATION info{};
    ASSERT_EQ(FillInformation(cpuid, info), 0);
    EXPECT_EQ(info.cores, 1);
    EXPECT_EQ(info.logicalCores, 0);
    EXPECT_EQ(info.threads, 0);
}

TEST(CollectFeatures, EachSourceBitAndNoOther)
{
    struct Source
    {
        bool extended;
        std::uint32_t ZVT_CPUID_LEAF::*reg;
    };
    const Source sources[] = {{false, &ZVT_CPUID_LEAF::ecx},
                              {false, &ZVT_CPUID_LEAF::edx},
                              {true, &ZVT_CPUID_LEAF::ecx},
                              {true, &ZVT_CPUID_LEAF::edx}};
    // In the order of sources: which bit of that register gives which feature.
    const std::map<std::pair<int, unsigned>, std::uint32_t> expected = {
        {{0, 0}, 0x01000},  {{0, 19}, 0x02000}, {{0, 20}, 0x04000}, {{0, 5}, 0x20000}, {{1, 23}, 0x00100},
        {{1, 25}, 0x00400}, {{1, 26}, 0x00800}, {{2, 6}, 0x00004},  {{2, 2}, 0x10000}, {{3, 31}, 0x00001},
        {{3, 30}, 0x00002}, {{3, 22}, 0x00200}, {{3, 29}, 0x40000},
    };
    std::uint32_t all = 0;
    for (int s = 0; s < 4; ++s)
    {
        for (unsigned bit = 0; bit < 32; ++bit)
        {
            ZVT_CPU_IDENTITY identity{};
            ZVT_CPUID_LEAF& leaf = sources[s].extended ? identity.extended[1] : identity.basic[1];
            leaf.*sources[s].reg = 1u << bit;
            const auto found = expected.find({s, bit});
            EXPECT_EQ(CollectFeatures(identity), found == expected.end() ? 0u : found->second)
                << "source " << s << " bit " << bit;
            all |= CollectFeatures(identity);
        }
    }
    EXPECT_EQ(all, 0x77F07u);

    ZVT_CPU_IDENTITY sse2AndLongMode{};
    sse2AndLongMode.basic[1].edx = 1u << 26;
    sse2AndLongMode.extended[1].edx = 1u << 29;
    EXPECT_EQ(CollectFeatures(sse2AndLongMode), 0x40800u);
}

TEST(DescribeIdentity, BrandStringOrTableName)
{
    ZVT_CPU_IDENTITY identity = MakeIdentity("GenuineIntel", 0x000906EA, 0x80000004u);
    std::memset(&identity.extended[2], ' ', 48); // spaces only: no brand string
    ZVT_CPU_INFORMATION info{};
    DescribeIdentity(identity, info);
    EXPECT_STREQ(info.modelName, "Intel Prosesser (Family 6)");
    EXPECT_STREQ(info.vendor, "GenuineIntel");

    std::memcpy(&identity.extended[2], "       Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz",
                46); // two spaces left
    DescribeIdentity(identity, info);
    EXPECT_STREQ(info.modelName, "Intel(R) Core(TM) i7-8700 CPU @ 3.20GHz  ");
}

// A caller's record with room after it, to see what GetInformation leaves alone.
struct CallerRecord
{
    ZVT_CPU_INFORMATION info;
    unsigned char tail[84];
};
static_assert(sizeof(CallerRecord) == 200);

class GetInformationCopy : public testing::Test
{
protected:
    CRecordedCpuid m_cpuid = LoadDump("qemu-EPYC-Rome");
    CRecordedClock m_clock{{0, 1'800'000'000}};
    CallerRecord m_caller{};
    CallerRecord m_before{};

    void FillWithSentinel(std::int32_t size)
    {
        std::memset(&m_caller, 0xEE, sizeof m_caller);
        m_caller.info.size = size;
        m_before = m_caller;
    }
    // The bytes GetInformation wrote: a prefix of the whole record, then untouched sentinel.
    void ExpectPrefix(std::size_t length, const ZVT_CPU_INFORMATION& whole)
    {
        const auto* got = reinterpret_cast<const unsigned char*>(&m_caller);
        const auto* before = reinterpret_cast<const unsigned char*>(&m_before);
        EXPECT_EQ(std::memcmp(got, &whole, length), 0) << length;
        EXPECT_EQ(std::memcmp(got + length, before + length, sizeof m_caller - length), 0) << length;
    }
    ZVT_CPU_INFORMATION Whole()
    {
        ZVT_CPU_INFORMATION whole{};
        whole.size = ZVT_INFORMATION_SIZE;
        EXPECT_EQ(GetInformation(m_cpuid, m_clock, &whole, 500), 0);
        return whole;
    }
};

TEST_F(GetInformationCopy, PrefixOfAtMostTheWholeRecord)
{
    const ZVT_CPU_INFORMATION whole = Whole();
    EXPECT_FLOAT_EQ(whole.frequency, 3600.0f);
    EXPECT_EQ(m_clock.Sleeps(), std::vector<std::uint32_t>{500});
    for (std::int32_t size : {72, 4, 3, 1, ZVT_INFORMATION_SIZE, ZVT_INFORMATION_SIZE + 1, 200, 0x7FFFFFFF})
    {
        FillWithSentinel(size);
        EXPECT_EQ(GetInformation(m_cpuid, m_clock, &m_caller.info, 0), 0);
        ZVT_CPU_INFORMATION unmeasured = whole;
        unmeasured.frequency = 0.0f;
        ExpectPrefix(std::min<std::size_t>(static_cast<std::size_t>(size), ZVT_INFORMATION_SIZE), unmeasured);
    }
    EXPECT_EQ(m_clock.Sleeps().size(), 1u); // measureMs 0 never sleeps
}

TEST_F(GetInformationCopy, NothingForNullOrNoSize)
{
    for (std::int32_t size : {0, -1, -ZVT_INFORMATION_SIZE, static_cast<std::int32_t>(0x80000000u)})
    {
        FillWithSentinel(size);
        EXPECT_EQ(GetInformation(m_cpuid, m_clock, &m_caller.info, 0), 0);
        EXPECT_EQ(std::memcmp(&m_caller, &m_before, sizeof m_caller), 0) << size;
    }
    EXPECT_EQ(GetInformation(m_cpuid, m_clock, nullptr, 0), 0);
}

TEST_F(GetInformationCopy, WithoutCpuidNothingIsCopiedOrMeasured)
{
    m_cpuid.SetHasCpuid(false);
    FillWithSentinel(ZVT_INFORMATION_SIZE);
    EXPECT_EQ(GetInformation(m_cpuid, m_clock, &m_caller.info, 500), ZVT_E_NO_CPUID);
    EXPECT_EQ(std::memcmp(&m_caller, &m_before, sizeof m_caller), 0);
    EXPECT_EQ(m_clock.Reads(), 0u);
    EXPECT_TRUE(m_clock.Sleeps().empty());
}

TEST(FillInformation, AllocationCounterSeesNewAndCalloc) // or the test below proves nothing
{
    void* volatile block = nullptr; // kept, so the compiler cannot drop the allocations
    const CAllocationCounter counter;
    block = new char[16];
    delete[] static_cast<char*>(block);
    EXPECT_GE(counter.Count(), 1u);
#if defined(__SANITIZE_ADDRESS__)
    const std::size_t before = counter.Count();
    block = std::calloc(4, 4);
    std::free(block);
    EXPECT_EQ(counter.Count(), before + 1);
#endif
}

TEST(FillInformation, ThisProcessorWithoutHeapAllocation)
{
    ZVT_CPU_INFORMATION filled{};
    ZVT_CPU_INFORMATION measured{};
    measured.size = ZVT_INFORMATION_SIZE;
    std::int32_t results[2] = {-1, -1};
    std::size_t allocations = 0;
    {
        const CAllocationCounter counter;
        results[0] = FillInformation(ProcessorCpuid(), filled);
        results[1] = GetInformation(ProcessorCpuid(), ProcessorClock(), &measured, 1);
        allocations = counter.Count();
    }
    EXPECT_EQ(results[0], 0);
    EXPECT_EQ(results[1], 0);
    EXPECT_EQ(allocations, 0u);
    EXPECT_GE(filled.cores, 1);
    EXPECT_NE(filled.vendor[0], '\0');
    EXPECT_GT(measured.frequency, 0.0f);
}

} // namespace
} // namespace zvt::test
