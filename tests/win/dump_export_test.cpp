// zvtGetCpuidDump as a caller sees it: what a misused record keeps, the caller's affinity given back, each
// processor's entries against CPUID executed on a thread pinned there, and eight callers at once.
#include <windows.h>

#include <algorithm>
#include <cpuid.h>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "PerProcessorFields.h"
#include "Sentinel.h"
#include "ZavsysLibrary.h"

namespace
{

using zvt::CZavsysLibrary;
using zvt::test::FillSentinel;
using zvt::test::IsSentinel;

// A dump record of a given size in bytes, sentinel-filled but for its size; at least one entry of storage.
class CDumpRecord
{
public:
    explicit CDumpRecord(std::uint32_t size)
        : m_bytes(std::max<std::size_t>(size, ZVT_CPUID_DUMP_SIZE(1)) + sizeof(ZVT_CPUID_ENTRY))
    {
        FillSentinel(m_bytes.data(), m_bytes.size());
        Dump()->size = size;
    }
    ZVT_CPUID_DUMP* Dump()
    {
        return reinterpret_cast<ZVT_CPUID_DUMP*>(m_bytes.data());
    }
    const ZVT_CPUID_ENTRY& Entry(std::uint32_t i)
    {
        return Dump()->entries[i];
    }
    // The bytes from offset on, as far as the storage goes, are still the sentinel's.
    bool UntouchedFrom(std::size_t offset) const
    {
        return IsSentinel(m_bytes.data(), offset, m_bytes.size() - offset);
    }

private:
    std::vector<unsigned char> m_bytes;
};

constexpr std::uint32_t kFullSize = ZVT_CPUID_DUMP_SIZE(ZVT_CPUID_DUMP_MAX_ENTRIES);

std::uint32_t ProcessorCount()
{
    return GetActiveProcessorCount(ALL_PROCESSOR_GROUPS);
}

// The entries with the fields that name the executing processor cleared.
std::vector<ZVT_CPUID_ENTRY> MaskedEntries(ZVT_CPUID_DUMP* dump)
{
    std::vector<ZVT_CPUID_ENTRY> entries;
    for (std::uint32_t i = 0; i < dump->count; ++i)
    {
        entries.push_back(zvt::MaskPerProcessorFields(dump->entries[i]));
    }
    return entries;
}

bool SameEntries(const std::vector<ZVT_CPUID_ENTRY>& a, const std::vector<ZVT_CPUID_ENTRY>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(ZVT_CPUID_ENTRY)) == 0;
}

// The thread's affinity mask, read by setting it to itself.
DWORD_PTR ThreadAffinity()
{
    const DWORD_PTR mask = SetThreadAffinityMask(GetCurrentThread(), 1);
    SetThreadAffinityMask(GetCurrentThread(), mask);
    return mask;
}

class CpuidDump : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library.IsComplete());
        processors = ProcessorCount();
        ASSERT_GE(processors, 1u);
        CDumpRecord full(kFullSize);
        ASSERT_EQ(library.m_pfnGetCpuidDump(full.Dump(), 0), ZVT_OK);
        needed = full.Dump()->count;
        ASSERT_GT(needed, 1u);
    }
    CZavsysLibrary library;
    std::uint32_t processors = 0;
    std::uint32_t needed = 0; // processor 0's entries
};

enum class Room
{
    kNoRecord,
    kSizeZero,
    kBelowHeader, // 15 bytes
    kHeaderOnly,
    kOneEntryShort,
    kExact
};

struct MisuseCase
{
    const char* name;
    Room room;
    std::int32_t processor; // kPastLast: the processor count
    std::int32_t result;
    bool countWritten; // the count needed, and nothing else
};

constexpr std::int32_t kPastLast = -100;

TEST_F(CpuidDump, MisuseWritesOnlyWhatIsDocumented)
{
    const MisuseCase cases[] = {
        {"no record", Room::kNoRecord, 0, ZVT_E_DUMP_TOO_SMALL, false},
        {"size 0", Room::kSizeZero, 0, ZVT_E_DUMP_TOO_SMALL, false},
        {"size below the header", Room::kBelowHeader, 0, ZVT_E_DUMP_TOO_SMALL, false},
        {"header only", Room::kHeaderOnly, 0, ZVT_E_DUMP_TOO_SMALL, true},
        {"one entry short", Room::kOneEntryShort, 0, ZVT_E_DUMP_TOO_SMALL, true},
        {"processor past the last", Room::kExact, kPastLast, ZVT_E_NO_PROCESSOR, false},
        {"processor -2", Room::kExact, -2, ZVT_E_NO_PROCESSOR, false},
        {"processor INT32_MIN", Room::kExact, INT32_MIN, ZVT_E_NO_PROCESSOR, false},
        {"no header and no processor: the record is judged first", Room::kBelowHeader, kPastLast,
         ZVT_E_DUMP_TOO_SMALL, false},
    };
    for (const MisuseCase& c : cases)
    {
        const std::uint32_t sizes[] = {ZVT_CPUID_DUMP_HEADER_SIZE,      0,
                                       ZVT_CPUID_DUMP_HEADER_SIZE - 1,  ZVT_CPUID_DUMP_HEADER_SIZE,
                                       ZVT_CPUID_DUMP_SIZE(needed - 1), ZVT_CPUID_DUMP_SIZE(needed)};
        const std::uint32_t size = sizes[static_cast<int>(c.room)];
        CDumpRecord record(size);
        ZVT_CPUID_DUMP* dump = c.room == Room::kNoRecord ? nullptr : record.Dump();
        const std::int32_t processor =
            c.processor == kPastLast ? static_cast<std::int32_t>(processors) : c.processor;
        EXPECT_EQ(library.m_pfnGetCpuidDump(dump, processor), c.result) << c.name;
        EXPECT_EQ(record.Dump()->size, size) << c.name;
        EXPECT_TRUE(IsSentinel(record.Dump(), 4, 4)) << c.name << ": processor";
        EXPECT_TRUE(c.countWritten ? record.Dump()->count == needed : IsSentinel(record.Dump(), 8, 4))
            << c.name;
        EXPECT_TRUE(record.UntouchedFrom(12)) << c.name << ": reserved and entries";
    }
}

TEST_F(CpuidDump, AnExactRecordIsFilledAndNothingPastIt)
{
    CDumpRecord record(ZVT_CPUID_DUMP_SIZE(needed));
    ASSERT_EQ(library.m_pfnGetCpuidDump(record.Dump(), 0), ZVT_OK);
    EXPECT_EQ(record.Dump()->count, needed);
    EXPECT_EQ(record.Dump()->processor, 0u);
    EXPECT_EQ(record.Dump()->reserved, 0u);
    EXPECT_EQ(record.Entry(0).leaf, 0u);
    EXPECT_EQ(record.Entry(needed - 1).leaf & 0xFFFFFF00u, 0x80000000u);
    EXPECT_TRUE(record.UntouchedFrom(ZVT_CPUID_DUMP_SIZE(needed)));
}

// Affinity given back after success and after each failure; ZVT_PROCESSOR_CURRENT changes none and names
// the processor the thread is pinned to.
TEST_F(CpuidDump, TheCallersAffinityIsGivenBack)
{
    const DWORD_PTR original = ThreadAffinity();
    const std::uint32_t last = processors - 1;
    const DWORD_PTR pinned = DWORD_PTR{1} << last;
    ASSERT_NE(SetThreadAffinityMask(GetCurrentThread(), pinned), 0u);
    CDumpRecord record(kFullSize);
    for (const std::int32_t processor :
         {0, static_cast<std::int32_t>(last), -2, static_cast<std::int32_t>(processors)})
    {
        library.m_pfnGetCpuidDump(record.Dump(), processor);
        EXPECT_EQ(ThreadAffinity(), pinned) << processor;
    }
    ASSERT_EQ(library.m_pfnGetCpuidDump(record.Dump(), ZVT_PROCESSOR_CURRENT), ZVT_OK);
    EXPECT_EQ(record.Dump()->processor, last);
    EXPECT_EQ(ThreadAffinity(), pinned);
    SetThreadAffinityMask(GetCurrentThread(), original);
}

// Every entry of processor k's dump against CPUID executed here on a thread pinned to k, the call made
// from a thread pinned elsewhere.
TEST_F(CpuidDump, EachProcessorsEntriesAreItsOwnAnswers)
{
    const DWORD_PTR original = ThreadAffinity();
    CDumpRecord record(kFullSize);
    for (std::uint32_t k = 0; k < processors && k < sizeof(DWORD_PTR) * 8; ++k)
    {
        ASSERT_NE(SetThreadAffinityMask(GetCurrentThread(), DWORD_PTR{1} << ((k + 1) % processors)), 0u);
        ASSERT_EQ(library.m_pfnGetCpuidDump(record.Dump(), static_cast<std::int32_t>(k)), ZVT_OK);
        EXPECT_EQ(record.Dump()->processor, k);
        ASSERT_NE(SetThreadAffinityMask(GetCurrentThread(), DWORD_PTR{1} << k), 0u);
        for (std::uint32_t i = 0; i < record.Dump()->count; ++i)
        {
            ZVT_CPUID_ENTRY here = record.Entry(i);
            __cpuid_count(here.leaf, here.subleaf, here.eax, here.ebx, here.ecx, here.edx);
            const ZVT_CPUID_ENTRY shown = zvt::MaskPerProcessorFields(record.Entry(i));
            here = zvt::MaskPerProcessorFields(here);
            EXPECT_EQ(std::memcmp(&shown, &here, sizeof here), 0)
                << "processor " << k << " leaf " << std::hex << here.leaf << " sub-leaf " << here.subleaf;
        }
    }
    SetThreadAffinityMask(GetCurrentThread(), original);
}

// Eight threads at once, each asking for processor (thread mod count) again and again, each getting that
// processor's entries and its own affinity back.
TEST_F(CpuidDump, EightCallersAtOnceEachGetTheirProcessor)
{
    std::vector<std::vector<ZVT_CPUID_ENTRY>> references;
    for (std::uint32_t k = 0; k < processors && k < 8; ++k)
    {
        CDumpRecord record(kFullSize);
        ASSERT_EQ(library.m_pfnGetCpuidDump(record.Dump(), static_cast<std::int32_t>(k)), ZVT_OK);
        references.push_back(MaskedEntries(record.Dump()));
    }
    constexpr int kThreads = 8;
    int mismatches[kThreads] = {};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
    {
        threads.emplace_back([&, t] {
            const std::uint32_t k =
                static_cast<std::uint32_t>(t) % static_cast<std::uint32_t>(references.size());
            const DWORD_PTR before = ThreadAffinity();
            CDumpRecord record(kFullSize);
            for (int round = 0; round < 25; ++round)
            {
                const bool same =
                    library.m_pfnGetCpuidDump(record.Dump(), static_cast<std::int32_t>(k)) == ZVT_OK &&
                    record.Dump()->processor == k && SameEntries(MaskedEntries(record.Dump()), references[k]);
                mismatches[t] += same && ThreadAffinity() == before ? 0 : 1;
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    for (int t = 0; t < kThreads; ++t)
    {
        EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    }
}

} // namespace
