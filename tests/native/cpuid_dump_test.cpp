// The dump enumeration: on fifty recorded processors it asks for exactly the leaves and sub-leaves their
// recordings hold (tests/data/dumps/*.raw), but for the reviewed exceptions in exceptions.tsv; made-up
// processors show the bounds no real one reaches.
#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CpuidDump.h"
#include "DataTable.h"
#include "DumpReader.h"
#include "support/AllocationCounter.h"

namespace zvt::test
{
namespace
{

const std::filesystem::path kDumps = std::filesystem::path(ZVT_TEST_DATA) / "dumps";

using Key = std::pair<std::uint32_t, std::uint32_t>; // leaf, sub-leaf
using Entries = std::vector<ZVT_CPUID_ENTRY>;

Entries Enumerate(const CCpuidSource& cpuid)
{
    Entries entries(ZVT_CPUID_DUMP_MAX_ENTRIES);
    entries.resize(EnumerateCpuidDump(cpuid, entries.data(), ZVT_CPUID_DUMP_MAX_ENTRIES));
    return entries;
}

std::string Hex(std::uint32_t value)
{
    std::ostringstream text;
    text << std::hex << value;
    return text.str();
}

// "4:0-3" for a leaf with sub-leaves 0..3, "4:0,2" for sub-leaves 0 and 2, "4" for sub-leaf 0 alone; runs of
// leaves with sub-leaf 0 alone as "0-3".
std::string Summary(const Entries& entries)
{
    std::map<std::uint32_t, std::vector<std::uint32_t>> subleaves;
    for (const ZVT_CPUID_ENTRY& entry : entries)
    {
        subleaves[entry.leaf].push_back(entry.subleaf);
    }
    std::string text;
    auto leaf = subleaves.begin();
    while (leaf != subleaves.end())
    {
        auto last = leaf;
        while (last->second == std::vector<std::uint32_t>{0} && std::next(last) != subleaves.end() &&
               std::next(last)->first == last->first + 1 && std::next(last)->second == last->second)
        {
            ++last;
        }
        text += (text.empty() ? "" : " ") + Hex(leaf->first);
        if (last != leaf)
        {
            text += "-" + Hex(last->first);
        }
        else if (leaf->second != std::vector<std::uint32_t>{0})
        {
            const std::vector<std::uint32_t>& s = leaf->second;
            std::string runs;
            for (std::size_t i = 0; i < s.size();)
            {
                std::size_t j = i;
                while (j + 1 < s.size() && s[j + 1] == s[j] + 1)
                {
                    ++j;
                }
                runs += (runs.empty() ? "" : ",") + Hex(s[i]) + (j > i ? "-" + Hex(s[j]) : "");
                i = j + 1;
            }
            text += ":" + runs;
        }
        leaf = std::next(last);
    }
    return text;
}

// ---- Recorded processors ----

// One reviewed difference, or a kind of them; the columns of exceptions.tsv.
struct Exception
{
    std::string dump; // a file name, or *
    std::pair<std::uint32_t, std::uint32_t> leaves, subleaves;
    bool lastSubleaf; // "last": the last sub-leaf asked of the leaf
    std::string side; // asked, recorded, beyond-highest, beyond-end
    bool used = false;
};

// "4", "10-13" or "*" as the first and last value covered.
std::pair<std::uint32_t, std::uint32_t> HexRange(const std::string& cell)
{
    const std::size_t dash = cell.find('-');
    const auto hex = [](const std::string& text) {
        return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
    };
    return cell == "*" || cell == "last" ? std::pair{0u, 0xFFFFFFFFu}
                                         : std::pair{hex(cell.substr(0, dash)), hex(cell.substr(dash + 1))};
}

// A leaf past the highest of its range as the recording's first leaf of the range names it (a highest
// outside the range's first 0x100 leaves names none).
bool BeyondHighest(const CRecordedCpuid& recording, std::uint32_t leaf)
{
    const std::uint32_t first = leaf >= 0x80000000u ? 0x80000000u : leaf >= 0x40000000u ? 0x40000000u : 0;
    const std::uint32_t span = recording.Query(first, 0).eax - first;
    return leaf - first > (span < 0x100 ? span : 0);
}

// One dump's difference: key asked and not recorded (asked), or recorded and not asked.
bool Matches(const Exception& e, const std::string& dump, Key key, bool asked,
             const std::map<std::uint32_t, std::uint32_t>& lastAsked, const CRecordedCpuid& recording)
{
    const auto last = lastAsked.find(key.first);
    const bool subleaf = e.lastSubleaf ? last != lastAsked.end() && last->second == key.second
                                       : key.second >= e.subleaves.first && key.second <= e.subleaves.second;
    const bool side = e.side == "asked"      ? asked
                      : e.side == "recorded" ? !asked
                      : e.side == "beyond-highest"
                          ? !asked && BeyondHighest(recording, key.first)
                          : !asked && last != lastAsked.end() && key.second > last->second;
    return (e.dump == "*" || e.dump == dump) && key.first >= e.leaves.first && key.first <= e.leaves.second &&
           subleaf && side;
}

TEST(CpuidDump, AsksForWhatEveryRecordedProcessorAnsweredButTheReviewedExceptions)
{
    std::vector<Exception> exceptions;
    for (const TableRow& row : ReadTable(kDumps / "exceptions.tsv"))
    {
        exceptions.push_back({row.at("dump"), HexRange(row.at("leaf")), HexRange(row.at("subleaf")),
                              row.at("subleaf") == "last", row.at("side")});
    }
    std::string unreviewed; // one line per difference without an exception
    int dumps = 0;
    for (const auto& file : std::filesystem::directory_iterator(kDumps))
    {
        const std::string name = file.path().filename().string();
        std::ifstream in(file.path(), std::ios::binary);
        CRecordedCpuid cpuid;
        DumpError error;
        if (file.path().extension() != ".raw" ||
            !ParseCpuidDump(std::string(std::istreambuf_iterator<char>(in), {}), cpuid, error))
        {
            EXPECT_NE(file.path().extension(), ".raw") << name << ":" << error.line << " " << error.message;
            continue;
        }
        ++dumps;
        std::set<Key> asked, recorded;
        std::map<std::uint32_t, std::uint32_t> lastAsked;
        for (const ZVT_CPUID_ENTRY& entry : Enumerate(cpuid))
        {
            asked.insert({entry.leaf, entry.subleaf});
            lastAsked[entry.leaf] = entry.subleaf;
        }
        for (const CRecordedCpuid::Entry& entry : cpuid.Entries())
        {
            recorded.insert({entry.leaf, entry.subleaf});
        }
        for (const auto& [from, to, isAsked] :
             {std::tuple{&asked, &recorded, true}, {&recorded, &asked, false}})
        {
            for (const Key& key : *from)
            {
                auto exception = std::find_if(exceptions.begin(), exceptions.end(), [&](const Exception& e) {
                    return Matches(e, name, key, isAsked, lastAsked, cpuid);
                });
                if (to->count(key) == 0 && exception == exceptions.end())
                {
                    unreviewed += name + " " + Hex(key.first) + " " + Hex(key.second) +
                                  (isAsked ? " asked\n" : " recorded\n");
                }
                else if (to->count(key) == 0)
                {
                    exception->used = true;
                }
            }
        }
    }
    EXPECT_EQ(dumps, 50);
    EXPECT_TRUE(unreviewed.empty()) << "differences without a reviewed exception:\n" << unreviewed;
    for (const Exception& e : exceptions)
    {
        EXPECT_TRUE(e.used) << "stale exception: " << e.dump << " " << Hex(e.leaves.first) << " " << e.side;
    }
}

// ---- Made-up processors ----

// A processor given by a function of leaf and sub-leaf.
class CMadeUpCpuid final : public CCpuidSource
{
public:
    using Answer = std::function<ZVT_CPUID_LEAF(std::uint32_t leaf, std::uint32_t subleaf)>;
    explicit CMadeUpCpuid(Answer answer) : m_answer(std::move(answer))
    {
    }
    bool HasCpuid() const noexcept override
    {
        return true;
    }
    ZVT_CPUID_LEAF Query(std::uint32_t leaf, std::uint32_t subleaf) const noexcept override
    {
        return m_answer(leaf, subleaf);
    }

private:
    Answer m_answer;
};

constexpr std::uint32_t kHypervisorBit = 1u << 31;

// Leaf 0 and 0x80000000 name the highest leaves, leaf 1 carries ECX; everything else answers zero.
ZVT_CPUID_LEAF Ranges(std::uint32_t leaf, std::uint32_t highestBasic, std::uint32_t highestExtended,
                      std::uint32_t leaf1Ecx = 0, std::uint32_t hypervisorEax = 0)
{
    switch (leaf)
    {
    case 0:
        return {highestBasic, 0, 0, 0};
    case 1:
        return {0, 0, leaf1Ecx, 0};
    case 0x40000000:
        return {hypervisorEax, 0, 0, 0};
    case 0x80000000:
        return {highestExtended, 0, 0, 0};
    default:
        return {};
    }
}

struct MadeUpCase
{
    const char* name;
    CMadeUpCpuid::Answer answer;
    const char* asked; // Summary of the entries
};

TEST(CpuidDump, MadeUpProcessorsMeetTheBounds)
{
    const MadeUpCase cases[] = {
        {"no extended range: its highest is exactly 0x80000000",
         [](std::uint32_t l, std::uint32_t) { return Ranges(l, 2, 0x80000000); }, "0-2 80000000"},
        {"a highest extended leaf below 0x80000000 (another leaf's data)",
         [](std::uint32_t l, std::uint32_t) { return Ranges(l, 1, 0x00000002); }, "0-1 80000000"},
        {"a highest extended leaf past 0x800000FF",
         [](std::uint32_t l, std::uint32_t) { return Ranges(l, 1, 0x80000100); }, "0-1 80000000"},
        {"the last extended leaf that is believed",
         [](std::uint32_t l, std::uint32_t) { return Ranges(l, 0, 0x800000FF); }, "0 80000000-800000ff"},
        {"a highest basic leaf past 0xFF", [](std::uint32_t l, std::uint32_t) { return Ranges(l, 0x100, 0); },
         "0 80000000"},
        {"hypervisor leaves without the hypervisor bit",
         [](std::uint32_t l, std::uint32_t) { return Ranges(l, 1, 0, 0x7FFFFFFF, 0x40000003); },
         "0-1 80000000"},
        {"hypervisor leaves with the bit",
         [](std::uint32_t l, std::uint32_t) { return Ranges(l, 1, 0, kHypervisorBit, 0x40000003); },
         "0-1 40000000-40000003 80000000"},
        {"a hypervisor that names no highest leaf",
         [](std::uint32_t l, std::uint32_t) { return Ranges(l, 1, 0, kHypervisorBit, 0); },
         "0-1 40000000 80000000"},
        {"a hypervisor highest past 0x400000FF",
         [](std::uint32_t l, std::uint32_t) { return Ranges(l, 1, 0, kHypervisorBit, 0x40000100); },
         "0-1 40000000 80000000"},
        {"a zeroed leaf 0xB: its null entry is sub-leaf 0",
         [](std::uint32_t l, std::uint32_t) { return Ranges(l, 0xB, 0); }, "0-b 80000000"},
        {"cache and topology loops that never reach their null entry stop at 64",
         [](std::uint32_t l, std::uint32_t s) {
             return l == 4 || l == 0x8000001D ? ZVT_CPUID_LEAF{1, 0, 0, 0}
                    : l == 0xB                ? ZVT_CPUID_LEAF{0, 0, 0x100 | s, 0}
                                              : Ranges(l, 0xB, 0x8000001D);
         },
         "0-3 4:0-3f 5-a b:0-3f 80000000-8000001c 8000001d:0-3f"},
        {"topology ends on its level-type-0 entry, which is kept",
         [](std::uint32_t l, std::uint32_t s) {
             return l == 0x1F ? ZVT_CPUID_LEAF{0, 0, s < 3 ? 0x100 * (s + 1) | s : s, 0} : Ranges(l, 0x1F, 0);
         },
         "0-c d:0-1 e-11 12:0-2 13-1e 1f:0-3 80000000"},
        {"highest sub-leaf in EAX, also far past the bound",
         [](std::uint32_t l, std::uint32_t s) {
             return l == 7 && s == 0      ? ZVT_CPUID_LEAF{2, 0, 0, 0}
                    : l == 0x14 && s == 0 ? ZVT_CPUID_LEAF{0xFFFFFFFF, 0, 0, 0}
                                          : Ranges(l, 0x14, 0);
         },
         "0-6 7:0-2 8-c d:0-1 e-11 12:0-2 13 14:0-3f 80000000"},
        {"XSAVE components from both sub-leaves, bits 2..62",
         [](std::uint32_t l, std::uint32_t s) {
             return l == 0xD && s == 0   ? ZVT_CPUID_LEAF{0x207, 0, 0, 0xC0000000}
                    : l == 0xD && s == 1 ? ZVT_CPUID_LEAF{0, 0, 0x1900, 0x1}
                                         : Ranges(l, 0xD, 0);
         },
         "0-c d:0-2,8-9,b-c,20,3e 80000000"},
        {"resource and valid-sub-leaf bitmaps",
         [](std::uint32_t l, std::uint32_t s) {
             return s != 0            ? ZVT_CPUID_LEAF{}
                    : l == 0xF        ? ZVT_CPUID_LEAF{0, 0, 0, 0x3}
                    : l == 0x10       ? ZVT_CPUID_LEAF{0, 0x8000000E, 0, 0}
                    : l == 0x23       ? ZVT_CPUID_LEAF{0x1B, 0, 0, 0}
                    : l == 0x80000020 ? ZVT_CPUID_LEAF{0, 0x2E, 0, 0}
                                      : Ranges(l, 0x23, 0x80000020);
         },
         "0-c d:0-1 e f:0-1 10:0-3,1f 11 12:0-2 13-22 23:0-1,3-4 80000000-8000001f 80000020:0-3,5"},
        {"SGX reads sub-leaves 0 and 1, then EPC sections until type 0; PCONFIG until type 0",
         [](std::uint32_t l, std::uint32_t s) {
             return l == 0x12   ? ZVT_CPUID_LEAF{s >= 2 && s < 4 ? 1u : 0u, 0, 0, 0}
                    : l == 0x1B ? ZVT_CPUID_LEAF{s < 2 ? 1u : 0u, 0, 0, 0}
                                : Ranges(l, 0x1B, 0);
         },
         "0-c d:0-1 e-11 12:0-4 13-1a 1b:0-2 80000000"},
    };
    for (const MadeUpCase& c : cases)
    {
        EXPECT_EQ(Summary(Enumerate(CMadeUpCpuid(c.answer))), c.asked) << c.name;
    }
}

// Every leaf answering as if it had sub-leaves without end: the dump stops at its most entries.
TEST(CpuidDump, StopsAtTheMostEntriesAnyDumpHolds)
{
    const CMadeUpCpuid endless([](std::uint32_t l, std::uint32_t) {
        return l == 0 ? ZVT_CPUID_LEAF{0xFF, 0, 0, 0} : ZVT_CPUID_LEAF{0xFFFFFFFF, 0, 0xFFFFFFFF, 0};
    });
    const Entries entries = Enumerate(endless);
    ASSERT_EQ(entries.size(), ZVT_CPUID_DUMP_MAX_ENTRIES);
    EXPECT_EQ(EnumerateCpuidDump(endless, nullptr, 0), ZVT_CPUID_DUMP_MAX_ENTRIES);
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return Key{a.leaf, a.subleaf} < Key{b.leaf, b.subleaf};
    }));
}

// A too-small array receives the first entries and nothing past its end; the count is the whole dump's.
TEST(CpuidDump, ATooSmallArrayGetsTheFirstEntriesAndTheWholeCount)
{
    const CMadeUpCpuid cpuid([](std::uint32_t l, std::uint32_t) { return Ranges(l, 3, 0x80000001); });
    std::array<ZVT_CPUID_ENTRY, 4> entries;
    std::memset(entries.data(), 0xCD, sizeof entries);
    ASSERT_EQ(EnumerateCpuidDump(cpuid, entries.data(), 3), 6u);
    EXPECT_EQ(Summary(Entries(entries.begin(), entries.begin() + 3)), "0-2");
    EXPECT_EQ(entries[0].eax, 3u);
    const std::array<unsigned char, sizeof(ZVT_CPUID_ENTRY)> untouched = [] {
        std::array<unsigned char, sizeof(ZVT_CPUID_ENTRY)> bytes;
        bytes.fill(0xCD);
        return bytes;
    }();
    EXPECT_EQ(std::memcmp(&entries[3], untouched.data(), untouched.size()), 0);
}

TEST(CpuidDump, ThisProcessorWithoutHeapAllocation)
{
    std::vector<unsigned char> bytes(ZVT_CPUID_DUMP_SIZE(ZVT_CPUID_DUMP_MAX_ENTRIES));
    auto* dump = reinterpret_cast<ZVT_CPUID_DUMP*>(bytes.data());
    dump->size = static_cast<std::uint32_t>(bytes.size());
    const CAllocationCounter counter;
    EXPECT_EQ(FillCpuidDump(ProcessorCpuid(), 0, dump), ZVT_OK);
    EXPECT_EQ(counter.Count(), 0u);
    EXPECT_GT(dump->count, 1u);
}

} // namespace
} // namespace zvt::test
