// zvtGetIdentity and zvtGetInformation on the processor this test runs on (under qemu: the emulated one).
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cpuid.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <utility>
#include <x86intrin.h>

#include "DataTable.h"
#include "FeatureLabels.h"
#include "Information.h"
#include "InformationFields.h"
#include "PerProcessorFields.h"
#include "Sentinel.h"
#include "ZavsysLibrary.h"

namespace
{

using zvt::CZavsysLibrary;
using zvt::test::FillSentinel;
using zvt::test::IsSentinel;

ZVT_CPUID_LEAF Cpuid(std::uint32_t leaf)
{
    unsigned int a = 0, b = 0, c = 0, d = 0;
    __cpuid_count(leaf, 0, a, b, c, d);
    return ZVT_CPUID_LEAF{a, b, c, d};
}

// The tables read here, independently of the library: leaves 0..min(highest, 63) of each range, and no
// extended leaves at all when the highest extended leaf is 0x80000000 or below.
ZVT_CPU_IDENTITY ReadTablesHere()
{
    ZVT_CPU_IDENTITY identity{};
    identity.size = ZVT_IDENTITY_SIZE;
    const std::uint32_t highestBasic = Cpuid(0).eax;
    for (std::uint32_t i = 0; i < 64 && i <= highestBasic; ++i)
    {
        identity.basic[i] = Cpuid(i);
    }
    const std::uint32_t highestExtended = Cpuid(0x80000000u).eax;
    for (std::uint32_t i = 0; highestExtended > 0x80000000u && i < 64 && 0x80000000u + i <= highestExtended;
         ++i)
    {
        identity.extended[i] = Cpuid(0x80000000u + i);
    }
    return identity;
}

class Cpu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library.IsComplete());
        // CPUID answers the processor the thread runs on: keep the library and the test on one.
        previousAffinity = SetThreadAffinityMask(GetCurrentThread(), 1);
    }
    void TearDown() override
    {
        if (previousAffinity != 0)
        {
            SetThreadAffinityMask(GetCurrentThread(), previousAffinity);
        }
    }
    CZavsysLibrary library;
    DWORD_PTR previousAffinity = 0;
};

TEST_F(Cpu, IdentityHoldsTheRawTablesOfThisProcessor)
{
    ZVT_CPU_IDENTITY identity;
    FillSentinel(&identity, sizeof identity);
    identity.size = ZVT_IDENTITY_SIZE;
    ASSERT_EQ(library.m_pfnGetIdentity(&identity, 0, nullptr, 0), 0);
    EXPECT_EQ(identity.size, ZVT_IDENTITY_SIZE);
    EXPECT_EQ(identity.frequency, 0.0f);
    bool same = false;
    const unsigned differing = zvt::DifferingPerProcessorFields(identity, ReadTablesHere(), same);
    EXPECT_TRUE(same) << "apart from the fields that name the processor (" << differing << ")";
}

// Plumbing: the export answers what the library's decoding makes of the tables read here.
TEST_F(Cpu, InformationDecodesThisProcessor)
{
    ZVT_CPU_INFORMATION information;
    FillSentinel(&information, sizeof information);
    information.size = ZVT_INFORMATION_SIZE;
    ASSERT_EQ(library.m_pfnGetInformation(&information, 0), 0);

    ZVT_CPU_INFORMATION expected{};
    zvt::DescribeIdentity(ReadTablesHere(), expected);
    const ZVT_CPUID_LEAF leaf0 = Cpuid(0);
    char vendor[13] = {};
    std::memcpy(vendor, &leaf0.ebx, 4);
    std::memcpy(vendor + 4, &leaf0.edx, 4);
    std::memcpy(vendor + 8, &leaf0.ecx, 4);
    EXPECT_STREQ(information.vendor, vendor);
    EXPECT_STREQ(information.modelName, expected.modelName);
    EXPECT_EQ(information.size, ZVT_INFORMATION_SIZE);
    EXPECT_EQ(information.frequency, 0.0f);
    for (const auto& [name, member] : zvtinfo::kInformationFields)
    {
        if (member != &ZVT_CPU_INFORMATION::stepping)
        {
            EXPECT_EQ(information.*member, expected.*member) << name;
        }
    }
    EXPECT_EQ(information.stepping, static_cast<std::int32_t>(Cpuid(1).eax & 0xF));
    EXPECT_EQ(information.features, expected.features);
    EXPECT_EQ((information.features & ZVT_FEATURE_SSE2) != 0, ((Cpuid(1).edx >> 26) & 1) != 0);
}

// Under an emulated model (ZVT_EXPECTED_ROW names its row), the record is the model's reviewed row of
// tests/data/cpuid/expected.tsv, checked by hand against the model's dump.
TEST_F(Cpu, InformationIsTheReviewedRowOfTheEmulatedModel)
{
    const char* rowName = std::getenv("ZVT_EXPECTED_ROW");
    if (rowName == nullptr)
    {
        FAIL() << "ZVT_EXPECTED_ROW names no model: run only under an emulated model";
    }
    const std::vector<zvt::test::TableRow> rows = zvt::test::ReadTable(ZVT_TEST_DATA "/cpuid/expected.tsv");
    const auto row = std::find_if(rows.begin(), rows.end(), [rowName](const zvt::test::TableRow& r) {
        return r.at("dump") == rowName;
    });
    ASSERT_NE(row, rows.end()) << rowName;
    ZVT_CPU_INFORMATION information;
    FillSentinel(&information, sizeof information);
    information.size = ZVT_INFORMATION_SIZE;
    ASSERT_EQ(library.m_pfnGetInformation(&information, 0), 0);
    const auto number = [&row](const char* column) { return std::stoi(row->at(column)); };
    EXPECT_STREQ(information.vendor, row->at("vendor").c_str());
    EXPECT_STREQ(information.modelName, zvt::test::Unquoted(row->at("modelName")).c_str());
    EXPECT_EQ(information.family, number("family"));
    EXPECT_EQ(information.extendedFamily, number("extendedFamily"));
    EXPECT_EQ(information.baseFamily, number("baseFamily"));
    EXPECT_EQ(information.model, number("model"));
    EXPECT_EQ(information.extendedModel, number("extendedModel"));
    EXPECT_EQ(information.baseModel, number("baseModel"));
    EXPECT_EQ(information.stepping, number("stepping"));
    EXPECT_EQ(information.cores, number("cores"));
    EXPECT_EQ(information.features, zvt::test::FeaturesOfText(row->at("features")));
    EXPECT_EQ(information.logicalCores, 0);
    EXPECT_EQ(information.threads, 0);
}

TEST_F(Cpu, IdentityIsWrittenOnlyAtItsExactSize)
{
    for (const std::int32_t size :
         {ZVT_IDENTITY_SIZE - 1, ZVT_INFORMATION_SIZE, 72, 0, -1, ZVT_IDENTITY_SIZE + 1})
    {
        ZVT_CPU_IDENTITY identity;
        FillSentinel(&identity, sizeof identity);
        identity.size = size;
        EXPECT_EQ(library.m_pfnGetIdentity(&identity, 0, nullptr, 0), 0) << size;
        EXPECT_EQ(identity.size, size);
        EXPECT_TRUE(IsSentinel(&identity, 4, sizeof identity - 4)) << size;
    }
    EXPECT_EQ(library.m_pfnGetIdentity(nullptr, 0, nullptr, 0), 0);
}

TEST_F(Cpu, InformationCopiesAsManyBytesAsItsSizeAsks)
{
    struct
    {
        ZVT_CPU_INFORMATION record;
        unsigned char guard[64];
    } buffer;
    for (const std::int32_t size : {1, 4, 72, 115, 116, 117, 180})
    {
        FillSentinel(&buffer, sizeof buffer);
        buffer.record.size = size;
        ASSERT_EQ(library.m_pfnGetInformation(&buffer.record, 0), 0) << size;
        // The size field was the caller's own; everything after the copied bytes must be untouched.
        const std::size_t copied =
            size < ZVT_INFORMATION_SIZE ? static_cast<std::size_t>(size) : ZVT_INFORMATION_SIZE;
        const std::size_t untouchedFrom = copied < 4 ? 4 : copied;
        EXPECT_TRUE(IsSentinel(&buffer, untouchedFrom, sizeof buffer - untouchedFrom)) << size;
        if (size >= 4)
        {
            EXPECT_EQ(buffer.record.size, ZVT_INFORMATION_SIZE) << size;
        }
        if (size >= 22)
        {
            EXPECT_EQ(buffer.record.vendor[13], '\0') << size;
        }
    }
    for (const std::int32_t size : {0, -1, INT32_MIN})
    {
        FillSentinel(&buffer, sizeof buffer);
        buffer.record.size = size;
        EXPECT_EQ(library.m_pfnGetInformation(&buffer.record, 0), 0);
        EXPECT_EQ(buffer.record.size, size);
        EXPECT_TRUE(IsSentinel(&buffer, 4, sizeof buffer - 4)) << size;
    }
    EXPECT_EQ(library.m_pfnGetInformation(nullptr, 0), 0);
}

TEST_F(Cpu, MeasurementsOutsideOneToTenThousandMsGiveZero)
{
    for (const std::int32_t measureMs : {0, -1, -500, 10001, INT32_MAX})
    {
        ZVT_CPU_INFORMATION information{};
        information.size = ZVT_INFORMATION_SIZE;
        ASSERT_EQ(library.m_pfnGetInformation(&information, measureMs), 0);
        EXPECT_EQ(information.frequency, 0.0f) << measureMs;
        ZVT_CPU_IDENTITY identity{};
        identity.size = ZVT_IDENTITY_SIZE;
        ASSERT_EQ(library.m_pfnGetIdentity(&identity, measureMs, nullptr, 0), 0);
        EXPECT_EQ(identity.frequency, 0.0f) << measureMs;
    }
}

// The counter rate, with the performance counter as the clock. The counter is read inside the clock's
// interval, so a preemption can only make one reading low; the best of three is the rate.
double CounterRateMhz()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double bestMhz = 0.0;
    for (int round = 0; round < 3; ++round)
    {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const unsigned long long ticksStart = __rdtsc();
        Sleep(100);
        const unsigned long long ticks = __rdtsc() - ticksStart;
        QueryPerformanceCounter(&end);
        const double seconds =
            static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
        bestMhz = std::max(bestMhz, static_cast<double>(ticks) / seconds / 1e6);
    }
    return bestMhz;
}

// How long a call took, in milliseconds of the performance counter.
template <typename Call> double ElapsedMs(Call call)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    call();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
}

TEST_F(Cpu, FrequencyIsTheCounterRateOverTheRequestedSleep)
{
    constexpr std::int32_t kSleepMs = 200;
    const double expectedMhz = CounterRateMhz();
    ZVT_CPU_INFORMATION information{};
    information.size = ZVT_INFORMATION_SIZE;
    const double informationMs =
        ElapsedMs([&] { ASSERT_EQ(library.m_pfnGetInformation(&information, kSleepMs), 0); });
    ZVT_CPU_IDENTITY identity{};
    identity.size = ZVT_IDENTITY_SIZE;
    const double identityMs =
        ElapsedMs([&] { ASSERT_EQ(library.m_pfnGetIdentity(&identity, kSleepMs, nullptr, 0), 0); });
    // Divided by the requested time, so it reads high by exactly as much as the sleep overran (a lot on a
    // loaded machine: the call's own duration bounds it), and never low by more than timer jitter.
    const std::pair<float, double> answers[] = {{information.frequency, informationMs},
                                                {identity.frequency, identityMs}};
    for (const auto& [measuredMhz, callMs] : answers)
    {
        EXPECT_GT(measuredMhz, expectedMhz * 0.98);
        EXPECT_LT(measuredMhz, expectedMhz * callMs / kSleepMs * 1.03);
    }
    ZVT_CPU_INFORMATION shortest{};
    shortest.size = ZVT_INFORMATION_SIZE;
    ASSERT_EQ(library.m_pfnGetInformation(&shortest, 1), 0);
    EXPECT_GT(shortest.frequency, 0.0f);
}

} // namespace
