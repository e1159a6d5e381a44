// zvtGetProcessorDetails, zvtQueryFlag and zvtGetFlagNameByNumber as a caller sees them: what misuse
// leaves alone, a short record's prefix, the record against the dump export decoded here, the machine
// part against the system's count, each flag's answer against the record, and no allocation in any call.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "CountedAllocations.h"
#include "DecodedProcessor.h"
#include "ProcessorDetails.h"
#include "Sentinel.h"
#include "ZavsysLibrary.h"
#include "zavsys_features.h"

namespace
{

using zvt::test::FillSentinel;
using zvt::test::IsSentinel;

constexpr std::uint32_t kRoom = ZVT_DETAILS_SIZE + 64; // a record with room past the library's

// A details record of `size` bytes in room for kRoom, sentinel-filled but for its size.
struct Record
{
    explicit Record(std::uint32_t size)
    {
        FillSentinel(bytes, sizeof bytes);
        Details()->size = size;
    }
    ZVT_PROCESSOR_DETAILS* Details()
    {
        return reinterpret_cast<ZVT_PROCESSOR_DETAILS*>(bytes);
    }
    alignas(4) unsigned char bytes[kRoom];
};

std::uint32_t ProcessorCount()
{
    return GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
}

class Details : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library.IsComplete());
    }
    zvt::CZavsysLibrary library;
};

TEST_F(Details, MisuseWritesNothing)
{
    const struct
    {
        const char* name;
        bool record;
        std::uint32_t size;
        std::int32_t processor;
        std::int32_t options;
        std::int32_t result;
    } cases[] = {
        {"no record", false, ZVT_DETAILS_SIZE, 0, 0, ZVT_E_RECORD_TOO_SMALL},
        {"size 0", true, 0, 0, 0, ZVT_E_RECORD_TOO_SMALL},
        {"size below the header", true, ZVT_DETAILS_HEADER_SIZE - 1, 0, 0, ZVT_E_RECORD_TOO_SMALL},
        {"an unknown option", true, ZVT_DETAILS_SIZE, 0, 0x2, ZVT_E_BAD_OPTIONS},
        {"a negative option word", true, ZVT_DETAILS_SIZE, 0, -1, ZVT_E_BAD_OPTIONS},
        {"processor past the last", true, ZVT_DETAILS_SIZE, static_cast<std::int32_t>(ProcessorCount()), 0,
         ZVT_E_NO_PROCESSOR},
        {"processor -2", true, ZVT_DETAILS_SIZE, -2, ZVT_DETAILS_MACHINE, ZVT_E_NO_PROCESSOR},
        {"the record is judged before the processor", true, 4, -2, 0, ZVT_E_RECORD_TOO_SMALL},
    };
    for (const auto& c : cases)
    {
        Record record(c.size);
        ZVT_PROCESSOR_DETAILS* details = c.record ? record.Details() : nullptr;
        EXPECT_EQ(library.m_pfnGetProcessorDetails(details, c.processor, c.options), c.result) << c.name;
        EXPECT_EQ(record.Details()->size, c.size) << c.name;
        EXPECT_TRUE(IsSentinel(record.bytes, 4, kRoom - 4)) << c.name;
    }
}

// A record shorter than the library's gets its first `size` bytes; a longer one keeps what lies past.
TEST_F(Details, TheCallersSizeBoundsWhatIsWritten)
{
    for (const std::uint32_t size :
         {std::uint32_t{ZVT_DETAILS_HEADER_SIZE}, 100u, std::uint32_t{ZVT_DETAILS_SIZE - 1},
          std::uint32_t{ZVT_DETAILS_SIZE}, kRoom})
    {
        Record record(size);
        ASSERT_EQ(library.m_pfnGetProcessorDetails(record.Details(), 0, 0), ZVT_OK) << size;
        const std::uint32_t written = size < ZVT_DETAILS_SIZE ? size : ZVT_DETAILS_SIZE;
        EXPECT_EQ(record.Details()->size, size);
        EXPECT_EQ(record.Details()->written, written);
        EXPECT_EQ(record.Details()->processor, 0u);
        EXPECT_TRUE(IsSentinel(record.bytes, written, kRoom - written)) << size;
    }
}

// The library's record is the dump export's entries of the same processor decoded here, byte for byte.
TEST_F(Details, TheRecordIsTheDumpDecoded)
{
    std::vector<unsigned char> bytes(ZVT_CPUID_DUMP_SIZE(ZVT_CPUID_DUMP_MAX_ENTRIES));
    auto* dump = reinterpret_cast<ZVT_CPUID_DUMP*>(bytes.data());
    const std::uint32_t last = ProcessorCount() - 1;
    for (const std::uint32_t processor : {0u, last})
    {
        dump->size = static_cast<std::uint32_t>(bytes.size());
        ASSERT_EQ(library.m_pfnGetCpuidDump(dump, static_cast<std::int32_t>(processor)), ZVT_OK);
        std::uint64_t xcr0 = 0;
        zvtReadXcr0(&xcr0);
        ZVT_PROCESSOR_DETAILS expected;
        zvt::DecodeProcessorDetails(zvt::DumpEntries{dump->entries, dump->count}, processor, xcr0, expected);
        expected.size = ZVT_DETAILS_SIZE;
        expected.written = ZVT_DETAILS_SIZE;
        Record record(ZVT_DETAILS_SIZE);
        ASSERT_EQ(library.m_pfnGetProcessorDetails(record.Details(), static_cast<std::int32_t>(processor), 0),
                  ZVT_OK);
        EXPECT_EQ(std::memcmp(record.Details(), &expected, ZVT_DETAILS_SIZE), 0) << processor;
        EXPECT_EQ(record.Details()->filled, 0u);
        EXPECT_EQ(record.Details()->uarchCount, 0u);
    }
}

// Every logical processor visited: as many as the system counts, each in one microarchitecture's tally,
// and the caller's affinity given back.
TEST_F(Details, TheMachinePartCountsEveryProcessor)
{
    const DWORD_PTR pinned = DWORD_PTR{1} << (ProcessorCount() - 1);
    const DWORD_PTR original = SetThreadAffinityMask(GetCurrentThread(), pinned);
    Record record(ZVT_DETAILS_SIZE);
    ASSERT_EQ(library.m_pfnGetProcessorDetails(record.Details(), ZVT_PROCESSOR_CURRENT, ZVT_DETAILS_MACHINE),
              ZVT_OK);
    EXPECT_EQ(SetThreadAffinityMask(GetCurrentThread(), original), pinned);
    const ZVT_PROCESSOR_DETAILS& d = *record.Details();
    EXPECT_EQ(d.processor, ProcessorCount() - 1);
    EXPECT_EQ(d.filled, ZVT_DETAILS_MACHINE);
    EXPECT_EQ(d.machine.processors, static_cast<std::int32_t>(ProcessorCount()));
    ASSERT_GE(d.uarchCount, 1u);
    std::int32_t tallied = 0;
    for (std::uint32_t i = 0; i < d.uarchCount; ++i)
    {
        tallied += d.uarches[i].logical;
    }
    EXPECT_EQ(tallied, d.machine.processors);
}

// Each named flag's answer is what the record says of it, in any letter case; unknown names are refused.
TEST_F(Details, EachFlagIsAnsweredAsTheRecordHasIt)
{
    Record record(ZVT_DETAILS_SIZE);
    ASSERT_EQ(library.m_pfnGetProcessorDetails(record.Details(), 0, 0), ZVT_OK);
    const ZVT_PROCESSOR_DETAILS& d = *record.Details();
    for (int index = 0; const ZVT_FLAG_ROW* row = zvtGetFlagRow(index); ++index)
    {
        const std::uint32_t bit = 1u << (row->flag % 32);
        const auto word = static_cast<std::size_t>(row->flag / 32);
        const std::int32_t expected = ((d.flags[word] & bit) != 0 ? ZVT_QUERY_REPORTED : 0) |
                                      ((d.usable[word] & bit) != 0 ? ZVT_QUERY_USABLE : 0);
        std::string upper = row->name;
        for (char& c : upper)
        {
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
        EXPECT_EQ(library.m_pfnQueryFlag(upper.c_str(), 0), expected) << row->name;
    }
    for (const char* name : {static_cast<const char*>(nullptr), "", "no_such_flag", "sse2 ", " sse2"})
    {
        EXPECT_EQ(library.m_pfnQueryFlag(name, 0), ZVT_E_UNKNOWN_FLAG) << (name ? name : "(null)");
    }
    EXPECT_EQ(library.m_pfnQueryFlag("sse2", static_cast<std::int32_t>(ProcessorCount())),
              ZVT_E_NO_PROCESSOR);
}

TEST_F(Details, FlagNamesComeWithTheirLengthAndOnlyWhenTheyFit)
{
    char buffer[8];
    FillSentinel(buffer, sizeof buffer);
    EXPECT_EQ(library.m_pfnGetFlagNameByNumber(ZVT_FLAG_SSE4_1, buffer, 6), 6); // "sse4_1" needs 7
    EXPECT_TRUE(IsSentinel(buffer, 0, sizeof buffer));
    EXPECT_EQ(library.m_pfnGetFlagNameByNumber(ZVT_FLAG_SSE4_1, buffer, 7), 6);
    EXPECT_STREQ(buffer, "sse4_1");
    EXPECT_EQ(library.m_pfnGetFlagNameByNumber(ZVT_FLAG_SSE4_1, nullptr, 100), 6);
    FillSentinel(buffer, sizeof buffer);
    for (const std::int32_t unnamed : {-1, ZVT_FLAG_WORDS * 32, INT32_MIN})
    {
        EXPECT_EQ(library.m_pfnGetFlagNameByNumber(unnamed, buffer, 8), ZVT_E_UNKNOWN_FLAG) << unnamed;
    }
    EXPECT_TRUE(IsSentinel(buffer, 0, sizeof buffer));
}

// The calls as the DLL is made of them: not one allocation, machine part included.
TEST(DetailsCode, AllocatesNothing)
{
    Record record(ZVT_DETAILS_SIZE);
    const long before = zvt::test::AllocationCount();
    EXPECT_EQ(zvt::GetProcessorDetails(record.Details(), 0, ZVT_DETAILS_MACHINE), ZVT_OK);
    EXPECT_EQ(zvt::QueryProcessorFlag("AVX2", ZVT_PROCESSOR_CURRENT) >= 0, true);
    EXPECT_EQ(zvt::test::AllocationCount(), before);
}

} // namespace
