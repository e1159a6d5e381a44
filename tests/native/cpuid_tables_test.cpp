// Reading the two CPUID ranges at their caps, the vendor test, the signature, and what PrepareIdentity
// hands back to its caller.
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "CpuidTables.h"
#include "MeasuredRecords.h"
#include "RecordedClock.h"
#include "support/AllocationCounter.h"
#include "support/Dumps.h"
#include "support/Synthetic.h"

namespace zvt::test
{
namespace
{

bool SameLeaf(const ZVT_CPUID_LEAF& left, const ZVT_CPUID_LEAF& right)
{
    return std::memcmp(&left, &right, sizeof left) == 0;
}

bool Cleared(const ZVT_CPUID_LEAF& leaf)
{
    return SameLeaf(leaf, ZVT_CPUID_LEAF{});
}

struct RangeCase
{
    std::uint32_t highestBasic;
    std::uint32_t highestExtended;
    int basicCount;
    int extendedCount;
};

void PrintTo(const RangeCase& c, std::ostream* out)
{
    *out << std::hex << "highest 0x" << c.highestBasic << " / 0x" << c.highestExtended;
}

class CpuidRanges : public testing::TestWithParam<RangeCase>
{
};

// Each entry holds its own leaf up to the count, then zero; the leaves asked for are exactly those read,
// plus the one probe of 0x80000000.
TEST_P(CpuidRanges, ReadUpToTheHighestLeafAndTheCap)
{
    const RangeCase& c = GetParam();
    CRecordedCpuid cpuid;
    AddMarkedRanges(cpuid, c.highestBasic, c.highestExtended);
    ZVT_CPU_IDENTITY identity{};
    identity.size = 0x11111111;
    identity.frequency = 7.0f;

    CpuidTable basic{};
    CpuidTable extended{};
    int basicCount = -1;
    int extendedCount = -1;
    ReadCpuidLeaves(cpuid, basic, extended, basicCount, extendedCount);
    EXPECT_EQ(basicCount, c.basicCount);
    EXPECT_EQ(extendedCount, c.extendedCount);
    ASSERT_EQ(FillIdentity(cpuid, identity), 0);

    EXPECT_EQ(identity.size, 0x11111111);
    EXPECT_EQ(identity.frequency, 7.0f);
    for (int i = 0; i < kCpuidCapacity; ++i)
    {
        const auto index = static_cast<std::uint32_t>(i);
        EXPECT_TRUE(i < c.basicCount ? SameLeaf(identity.basic[i], MarkedLeaf(index, c.highestBasic))
                                     : Cleared(identity.basic[i]))
            << "basic " << i;
        EXPECT_TRUE(i < c.extendedCount
                        ? SameLeaf(identity.extended[i], MarkedLeaf(kExtendedBase + index, c.highestExtended))
                        : Cleared(identity.extended[i]))
            << "extended " << i;
    }

    std::vector<std::uint32_t> expectedQueries;
    for (int round = 0; round < 2; ++round) // ReadCpuidLeaves, then FillIdentity
    {
        for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(c.basicCount); ++i)
        {
            expectedQueries.push_back(i);
        }
        expectedQueries.push_back(kExtendedBase);
        for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(c.extendedCount); ++i)
        {
            expectedQueries.push_back(kExtendedBase + i);
        }
    }
    EXPECT_EQ(cpuid.QueriedLeaves(), expectedQueries);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, CpuidRanges,
                         testing::Values(RangeCase{0x16, 0x80000008u, 23, 9}, // a common modern pair
                                         RangeCase{0x80, 0x80000000u, 64, 0}, // past the cap; no extended
                                         RangeCase{0x3F, 0x8000003Fu, 64, 64},
                                         RangeCase{0x40, 0x80000040u, 64, 64},
                                         RangeCase{0, 0x8000FFFFu, 1, 64},
                                         RangeCase{0xFFFFFFFFu, 0xFFFFFFFFu, 64, 64},
                                         RangeCase{2, 0x80000001u, 3, 2},
                                         RangeCase{2, 0x00000002u, 3, 0})); // old processors echo leaf 2

TEST(FillIdentity, WithoutCpuidWritesAndAsksNothing)
{
    CRecordedCpuid cpuid = LoadDump("qemu-Haswell");
    cpuid.SetHasCpuid(false);
    ZVT_CPU_IDENTITY identity{};
    std::memset(&identity, 0xEE, sizeof identity);
    const ZVT_CPU_IDENTITY before = identity;

    EXPECT_EQ(FillIdentity(cpuid, identity), ZVT_E_NO_CPUID);
    EXPECT_EQ(std::memcmp(&identity, &before, sizeof identity), 0);
    EXPECT_TRUE(cpuid.QueriedLeaves().empty());
}

TEST(IsAmd, OnlyTheAmdVendor)
{
    EXPECT_TRUE(IsAmd(MakeIdentity("AuthenticAMD", 0)));
    EXPECT_FALSE(IsAmd(MakeIdentity("GenuineIntel", 0)));
    EXPECT_FALSE(IsAmd(MakeIdentity("HygonGenuine", 0)));
    EXPECT_FALSE(IsAmd(MakeIdentity("", 0)));
}

void ExpectSignature(const CpuSignature& s, const CpuSignature& expected)
{
    EXPECT_EQ(s.family, expected.family);
    EXPECT_EQ(s.baseFamily, expected.baseFamily);
    EXPECT_EQ(s.extendedFamily, expected.extendedFamily);
    EXPECT_EQ(s.model, expected.model);
    EXPECT_EQ(s.baseModel, expected.baseModel);
    EXPECT_EQ(s.extendedModel, expected.extendedModel);
    EXPECT_EQ(s.stepping, expected.stepping);
}

// Fields in CpuSignature order: family, base, extended family; model, base, extended model; stepping.
constexpr CpuSignature kIntel906EA{6, 6, 0, 158, 0xE, 9, 10};
constexpr CpuSignature kAmd800F82{23, 0xF, 8, 8, 8, 0, 2};

TEST(DecodeSignature, KnownSignatures)
{
    ExpectSignature(DecodeSignature(MakeIdentity("GenuineIntel", 0x000906EA), false), kIntel906EA);
    const ZVT_CPU_IDENTITY amd = MakeIdentity("AuthenticAMD", 0x00800F82, 0x80000008u, 0x00800F82);
    ExpectSignature(DecodeSignature(amd, true), kAmd800F82);
    // Family and model are the sums even where the base family is not 15 or 6.
    ExpectSignature(DecodeSignature(MakeIdentity("GenuineIntel", 0x0FFF0FFF), false),
                    CpuSignature{15 + 255, 15, 255, 255, 15, 15, 15});
}

TEST(DecodeSignature, AmdTakesExtendedLeafOneAndOthersLeafOne)
{
    // Same tables, only the vendor test differs: the stepping comes from leaf 1 on both.
    const ZVT_CPU_IDENTITY identity = MakeIdentity("AuthenticAMD", 0x000906EA, 0x80000008u, 0x00800F82);
    ExpectSignature(DecodeSignature(identity, true), CpuSignature{23, 0xF, 8, 8, 8, 0, 10});
    ExpectSignature(DecodeSignature(identity, false), kIntel906EA);

    // Extended leaf 1 does not exist: leaf 1 even on AMD, whatever the table holds there.
    for (std::uint32_t highest : {0u, 0x80000000u})
    {
        ExpectSignature(DecodeSignature(MakeIdentity("AuthenticAMD", 0x000906EA, highest, 0x00800F82), true),
                        kIntel906EA);
    }
    // A highest extended leaf of exactly 0x80000001 is the first that has it.
    ExpectSignature(DecodeSignature(MakeIdentity("AuthenticAMD", 0x000906EA, 0x80000001u, 0x00800F82), true),
                    CpuSignature{23, 0xF, 8, 8, 8, 0, 10});
}

class PrepareIdentityCopy : public testing::Test
{
protected:
    CRecordedCpuid m_cpuid = LoadDump("qemu-Haswell");
    CRecordedClock m_clock{{1000, 1000 + 1'800'000'000}};
    ZVT_CPU_IDENTITY m_local{};
    ZVT_CPU_IDENTITY m_caller{};

    void FillCallerWithSentinel(std::int32_t size)
    {
        std::memset(&m_caller, 0xEE, sizeof m_caller);
        m_caller.size = size;
    }
};

TEST_F(PrepareIdentityCopy, ExactSizeGetsTheWholeMeasuredRecord)
{
    FillCallerWithSentinel(ZVT_IDENTITY_SIZE);
    ASSERT_EQ(PrepareIdentity(m_cpuid, m_clock, &m_caller, 500, m_local), 0);

    EXPECT_EQ(std::memcmp(&m_caller, &m_local, sizeof m_caller), 0);
    EXPECT_EQ(m_caller.size, ZVT_IDENTITY_SIZE);
    EXPECT_FLOAT_EQ(m_caller.frequency, 3600.0f);
    EXPECT_EQ(m_caller.basic[0].eax, 0x0Du);
    EXPECT_TRUE(Cleared(m_caller.basic[0x0D + 1]));
    EXPECT_EQ(m_clock.Sleeps(), std::vector<std::uint32_t>{500});
}

TEST_F(PrepareIdentityCopy, OtherSizesAndNullAreLeftAlone)
{
    for (std::int32_t size :
         {ZVT_IDENTITY_SIZE - 1, ZVT_IDENTITY_SIZE + 1, ZVT_INFORMATION_SIZE, 0, -ZVT_IDENTITY_SIZE})
    {
        FillCallerWithSentinel(size);
        const ZVT_CPU_IDENTITY before = m_caller;
        EXPECT_EQ(PrepareIdentity(m_cpuid, m_clock, &m_caller, 0, m_local), 0) << size;
        EXPECT_EQ(std::memcmp(&m_caller, &before, sizeof m_caller), 0) << size;
        EXPECT_EQ(m_local.size, ZVT_IDENTITY_SIZE);
        EXPECT_EQ(m_local.basic[1].eax, 0x000306C4u); // the local record is filled all the same
    }
    EXPECT_EQ(PrepareIdentity(m_cpuid, m_clock, nullptr, 0, m_local), 0);
    EXPECT_EQ(m_local.frequency, 0.0f);
    EXPECT_TRUE(m_clock.Sleeps().empty());
}

TEST_F(PrepareIdentityCopy, WithoutCpuidNothingIsCopiedOrMeasured)
{
    m_cpuid.SetHasCpuid(false);
    FillCallerWithSentinel(ZVT_IDENTITY_SIZE);
    const ZVT_CPU_IDENTITY before = m_caller;
    EXPECT_EQ(PrepareIdentity(m_cpuid, m_clock, &m_caller, 500, m_local), ZVT_E_NO_CPUID);
    EXPECT_EQ(std::memcmp(&m_caller, &before, sizeof m_caller), 0);
    EXPECT_EQ(m_clock.Reads(), 0u);
    EXPECT_TRUE(m_clock.Sleeps().empty());
}

TEST(PrepareIdentity, ThisProcessorWithoutHeapAllocation)
{
    ZVT_CPU_IDENTITY local{};
    ZVT_CPU_IDENTITY caller{};
    caller.size = ZVT_IDENTITY_SIZE;
    std::int32_t result = -1;
    std::size_t allocations = 0;
    {
        const CAllocationCounter counter;
        result = PrepareIdentity(ProcessorCpuid(), ProcessorClock(), &caller, 1, local);
        allocations = counter.Count();
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(allocations, 0u);
    EXPECT_NE(caller.basic[0].ebx, 0u); // a vendor was read
    EXPECT_GT(caller.frequency, 0.0f);
}

} // namespace
} // namespace zvt::test
