// zavsys_caches.h against the Debian cpuid tool: every cache of fifty recorded processors
// (tests/data/dumps/caches.tsv) and each leaf 2 descriptor (leaf2-descriptors.tsv), both made by
// scripts/make-cache-expectations.py and reviewed; made-up processors at the edges no real one shows; random
// views that must not crash.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "CpuidTables.h"
#include "DataTable.h"
#include "DumpReader.h"
#include "support/Synthetic.h"
#include "zavsys_caches.h"

namespace zvt::test
{
namespace
{

const std::filesystem::path kDumps = std::filesystem::path(ZVT_TEST_DATA) / "dumps";

using Entries = std::vector<ZVT_CPUID_ENTRY>;

struct Listing
{
    std::vector<std::string> caches; // one line each, in the table's cells
    std::uint32_t status = 0;
};

// A cache as the table's cells: level type sizeKiB ways lineBytes sets sharedBy leaf flags (in name order).
std::string Cells(const ZVT_CACHE_DESCRIPTION& cache)
{
    static const char* const types[] = {"?", "data", "instruction", "unified", "trace", "reserved"};
    std::ostringstream text;
    text << cache.level << ' ' << types[cache.type >= 1 && cache.type <= 5 ? cache.type : 0] << ' ';
    if (cache.type == ZVT_CACHE_TYPE_TRACE)
        text << cache.sizeUops / 1024;
    else if (cache.sizeBytes % 1024 == 0)
        text << cache.sizeBytes / 1024;
    else
        text << cache.sizeBytes << 'B';
    text << ' ' << (cache.ways == ZVT_CACHE_FULLY_ASSOCIATIVE ? "full" : std::to_string(cache.ways)) << ' '
         << cache.lineBytes << ' ' << cache.sets << ' '
         << (cache.sharedBy == ZVT_CACHE_UNKNOWN ? "unknown" : std::to_string(cache.sharedBy)) << ' '
         << (cache.sourceLeaf < 0x10 ? std::dec : std::hex) << std::showbase << cache.sourceLeaf << ' ';
    const std::pair<std::uint32_t, const char*> flags[] = {{ZVT_CACHE_FLAG_WAYS_AT_LEAST, "atleast"},
                                                           {ZVT_CACHE_FLAG_COMPLEX_INDEXING, "complex"},
                                                           {ZVT_CACHE_FLAG_CORRECTED, "corrected"},
                                                           {ZVT_CACHE_FLAG_INCLUSIVE, "inclusive"},
                                                           {ZVT_CACHE_FLAG_PACKAGE_TOTAL, "total"}};
    std::string names;
    for (const auto& [flag, name] : flags)
        if ((cache.flags & flag) != 0)
            names += (names.empty() ? "" : ",") + std::string(name);
    return text.str() + (names.empty() ? "-" : names);
}

// The first count cells of a table row in the same form.
std::string Cells(const TableRow& row, std::size_t count = 9)
{
    static const char* const columns[] = {"level", "type",     "sizeKiB", "ways", "lineBytes",
                                          "sets",  "sharedBy", "leaf",    "flags"};
    std::string text = row.at(columns[0]);
    for (std::size_t i = 1; i < count; ++i)
        text += ' ' + row.at(columns[i]);
    return text;
}

// The first count cells of a cache.
std::string Head(const std::string& cells, int count)
{
    std::size_t end = 0;
    for (int i = 0; i < count && end != std::string::npos; ++i)
        end = cells.find(' ', end + (i > 0));
    return cells.substr(0, end);
}

Listing Describe(const Entries& entries, int allSubleaves, std::size_t capacity = ZVT_CACHE_LIST_MAX)
{
    const ZVT_CPUID_VIEW view{entries.data(), entries.size(), allSubleaves};
    std::vector<ZVT_CACHE_DESCRIPTION> caches(capacity);
    Listing listing;
    const std::size_t found = zvtDescribeCaches(&view, caches.data(), capacity, &listing.status);
    for (std::size_t i = 0; i < std::min(found, capacity); ++i)
        listing.caches.push_back(Cells(caches[i]));
    return listing;
}

CRecordedCpuid LoadRaw(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    CRecordedCpuid cpuid;
    DumpError error;
    EXPECT_TRUE(ParseCpuidDump(text, cpuid, error)) << path << ":" << error.line << " " << error.message;
    return cpuid;
}

std::map<std::string, std::vector<TableRow>> ExpectedByDump()
{
    std::map<std::string, std::vector<TableRow>> rows;
    for (const TableRow& row : ReadTable(kDumps / "caches.tsv"))
        rows[row.at("dump")].push_back(row);
    return rows;
}

// ---- Recorded processors ----

TEST(Caches, EveryRecordedProcessorGivesTheReviewedCaches)
{
    const auto expected = ExpectedByDump();
    int dumps = 0;
    for (const auto& file : std::filesystem::directory_iterator(kDumps))
    {
        if (file.path().extension() != ".raw")
            continue;
        const std::string name = file.path().filename().string();
        ++dumps;
        ASSERT_EQ(expected.count(name), 1u) << "no reviewed caches for " << name;
        std::vector<std::string> want;
        for (const TableRow& row : expected.at(name))
            want.push_back(Cells(row));
        const Listing got = Describe(LoadRaw(file.path()).EntryRecords(), 1);
        EXPECT_EQ(got.caches, want) << name;
        EXPECT_EQ(got.status, 0u) << name;
    }
    EXPECT_EQ(dumps, 50);
    EXPECT_EQ(expected.size(), 50u);
}

// The identity record holds sub-leaf 0 alone: leaf 4 gives its first cache and says incomplete; AMD and Hygon
// fall back to 0x80000005/6, with the L1 and L2 sizes 0x8000001D gave (the L3s differ: the package's, a
// complex's); leaf 2 and 0x80000005/6 lose nothing.
TEST(Caches, TheIdentityRecordOfEveryRecordedProcessorSaysWhatItCannotTell)
{
    for (const auto& [name, rows] : ExpectedByDump())
    {
        ZVT_CPU_IDENTITY identity{};
        ASSERT_EQ(FillIdentity(LoadRaw(kDumps / name), identity), 0);
        std::vector<ZVT_CPUID_ENTRY> storage(ZVT_IDENTITY_VIEW_ENTRIES);
        storage.resize(zvtViewOfIdentity(&identity, storage.data()).count);
        const Listing got = Describe(storage, 0);
        const std::string leaf = rows.front().at("leaf");
        std::vector<std::string> want;
        for (const TableRow& row : rows)
        {
            if (leaf == "0x8000001d" && row.at("level") != "3")
                want.push_back(Cells(row, 3));
            else if (leaf != "0x8000001d" &&
                     (leaf != "4" || &row == &rows.front() || row.at("type") == "trace"))
                want.push_back(Cells(row));
        }
        if (leaf != "0x8000001d")
        {
            EXPECT_EQ(got.caches, want) << name;
        }
        for (const std::string& cache : want) // 0x80000005/6 against 0x8000001D: in any order, more allowed
        {
            EXPECT_TRUE(leaf != "0x8000001d" ||
                        std::any_of(got.caches.begin(), got.caches.end(),
                                    [&](const std::string& c) { return Head(c, 3) == cache; }))
                << name << ": " << cache;
        }
        for (const std::string& cache : got.caches) // an L3 of 0x80000006 is the package's
        {
            EXPECT_TRUE(Head(cache, 1) != "3" || cache.find(" 0x80000006 ") == std::string::npos ||
                        cache.find("total") != std::string::npos)
                << name << ": " << cache;
        }
        EXPECT_EQ(got.status, leaf == "4" ? ZVT_CACHE_LIST_INCOMPLETE : 0u) << name;
    }
}

// ---- Made-up processors ----

Entries Intel(std::uint32_t highestBasic, std::uint32_t signature = 0x906EA)
{
    const ZVT_CPUID_LEAF leaf0 = VendorLeaf("GenuineIntel", highestBasic);
    return {{0, 0, leaf0.eax, leaf0.ebx, leaf0.ecx, leaf0.edx}, {1, 0, signature, 0, 0, 0}};
}

// Leaf 4 or 0x8000001D registers: type, level and sharing field in EAX; ways, partitions, line in EBX; sets.
ZVT_CPUID_ENTRY Deterministic(std::uint32_t leaf, std::uint32_t subleaf, std::uint32_t type,
                              std::uint32_t level, std::uint32_t sharing, std::uint32_t ways,
                              std::uint32_t line, std::uint32_t sets)
{
    return {leaf, subleaf, type | level << 5 | sharing << 14, (ways - 1) << 22 | (line - 1), sets - 1, 0};
}

TEST(Caches, LeafTwoDescriptorsReadAsTheToolReadsThem)
{
    int rows = 0;
    for (const TableRow& row : ReadTable(kDumps / "leaf2-descriptors.tsv"))
    {
        const auto descriptor = static_cast<std::uint32_t>(std::stoul(row.at("descriptor"), nullptr, 16));
        Entries entries = Intel(2, static_cast<std::uint32_t>(std::stoul(row.at("signature"), nullptr, 16)));
        entries.push_back({2, 0, 1, 0, 0, descriptor});
        const Listing got = Describe(entries, 1);
        const std::vector<std::string> want =
            row.at("level") == "none" ? std::vector<std::string>{} : std::vector<std::string>{Cells(row, 5)};
        std::vector<std::string> prefixes;
        for (const std::string& cache : got.caches)
            prefixes.push_back(Head(cache, 5));
        EXPECT_EQ(prefixes, want) << row.at("descriptor");
        EXPECT_EQ(got.status, descriptor == 0xFF ? ZVT_CACHE_LIST_INCOMPLETE : 0u) << row.at("descriptor");
        ++rows;
    }
    EXPECT_EQ(rows, 256); // 0x01..0xFF, 0x49 twice
}

struct EdgeCase
{
    const char* name;
    Entries entries;
    std::vector<std::string> caches;
    std::uint32_t status;
    int allSubleaves = 1;
    std::size_t capacity = ZVT_CACHE_LIST_MAX;
};

Entries With(Entries entries, const Entries& more)
{
    entries.insert(entries.end(), more.begin(), more.end());
    return entries;
}

Entries Amd(std::uint32_t topologyExtensions, const Entries& more)
{
    const ZVT_CPUID_LEAF leaf0 = VendorLeaf("AuthenticAMD", 1);
    return With({{0, 0, leaf0.eax, leaf0.ebx, leaf0.ecx, leaf0.edx},
                 {0x80000000u, 0, 0x8000001Du, 0, 0, 0},
                 {0x80000001u, 0, 0, 0, topologyExtensions << 22, 0}},
                more);
}

Entries Unending()
{
    Entries entries = Intel(4);
    for (std::uint32_t subleaf = 0; subleaf < 64; ++subleaf)
        entries.push_back(Deterministic(4, subleaf, 1, 1, 0, 8, 64, 64));
    return entries;
}

TEST(Caches, MadeUpProcessorsAtTheEdges)
{
    const ZVT_CPUID_ENTRY l1 = Deterministic(4, 0, 1, 1, 1, 8, 64, 64);
    const ZVT_CPUID_ENTRY l2 = Deterministic(4, 1, 3, 2, 1, 16, 64, 1024);
    const std::string l1Cells = "1 data 32 8 64 64 2 4 -";
    const EdgeCase cases[] = {
        {"a type the manual reserves is listed as such",
         With(Intel(4),
              {l1, Deterministic(4, 1, 9, 2, 0, 4, 64, 64), Deterministic(4, 2, 3, 3, 0, 16, 64, 8192)}),
         {l1Cells, "2 reserved 16 4 64 64 1 4 -", "3 unified 8192 16 64 8192 1 4 -"},
         0},
        {"no sharing bits share with one, all bits with 4096",
         With(Intel(4),
              {Deterministic(4, 0, 1, 1, 0, 8, 64, 64), Deterministic(4, 1, 3, 3, 0xFFF, 1, 64, 16)}),
         {"1 data 32 8 64 64 1 4 -", "3 unified 1 1 64 16 4096 4 -"},
         0},
        {"sub-leaves without the null type stop at the bound", Unending(),
         std::vector<std::string>(ZVT_CACHE_MAX_SUBLEAVES, "1 data 32 8 64 64 1 4 -"),
         ZVT_CACHE_LIST_UNTERMINATED},
        {"the identity record knows sub-leaf 0 alone",
         With(Intel(4), {l1}),
         {l1Cells},
         ZVT_CACHE_LIST_INCOMPLETE,
         0},
        {"an array too small holds the first caches",
         With(Intel(4), {l1, l2}),
         {l1Cells},
         ZVT_CACHE_LIST_TRUNCATED,
         1,
         1},
        {"all-ones fields saturate the size",
         With(Intel(4), {{4, 0, 0x263, ~0u, ~0u, ~0u}}),
         {"3 unified 18446744073709551615B full 4096 4294967296 1 4 complex,inclusive"},
         0},
        {"leaf 2 says leaf 4, which is out of reach: 0x80000006's L2",
         With(Intel(2), {{2, 0, 0xFF01, 0, 0, 0},
                         l1,
                         {0x80000000u, 0, 0x80000006u, 0, 0, 0},
                         {0x80000006u, 0, 0, 0, 0x01006040, 0}}),
         {"2 unified 256 8 64 512 unknown 0x80000006 -"},
         ZVT_CACHE_LIST_INCOMPLETE},
        {"leaf 2 with 0xFF next to leaf 4's caches and a trace cache",
         With(Intel(4, 0xF68), {{2, 0, 0x70FF01, 0, 0, 0x49}, l1}),
         {l1Cells, "1 trace 12 8 0 0 unknown 2 -"},
         0},
        {"AMD's L3 of 0x80000006 is the package's total",
         Amd(0, {{0x80000006u, 0, 0, 0, 0x02006140, 0x0200C140}}),
         {"2 unified 512 8 64 0 unknown 0x80000006 atleast",
          "3 unified 65536 64 64 0 unknown 0x80000006 atleast,total"},
         0},
        {"AMD without TopologyExtensions ignores 0x8000001D",
         Amd(0, {Deterministic(0x8000001Du, 0, 1, 1, 0, 8, 64, 64)}),
         {},
         0},
        {"AMD's identity record takes 0x80000005",
         Amd(1, {Deterministic(0x8000001Du, 0, 1, 1, 0, 8, 64, 64), {0x80000005u, 0, 0, 0, 0x20FF0140, 0}}),
         {"1 data 32 full 64 1 unknown 0x80000005 -"},
         0,
         0},
        {"no leaf 0, no caches", {l1, l2}, {}, 0},
    };
    for (const EdgeCase& edge : cases)
    {
        const Listing got = Describe(edge.entries, edge.allSubleaves, edge.capacity);
        EXPECT_EQ(got.caches, edge.caches) << edge.name;
        EXPECT_EQ(got.status, edge.status) << edge.name;
    }
}

// Random views, with the leaves the decoder reads most likely, must neither crash (ASan, UBSan) nor write
// past the caller's array nor give a count past ZVT_CACHE_LIST_MAX or a sharing count of 0.
TEST(Caches, RandomViewsNeverCrash)
{
    std::mt19937 engine(20240601u);
    auto random = [&engine] { return static_cast<std::uint32_t>(engine()); };
    const std::uint32_t leaves[] = {0,           1,           2,           4,          0x80000000u,
                                    0x80000001u, 0x80000005u, 0x80000006u, 0x8000001Du};
    const char* const vendors[] = {"GenuineIntel", "AuthenticAMD", "HygonGenuine", "CentaurHauls",
                                   "Unknown CPU"};
    for (int round = 0; round < 3000; ++round)
    {
        Entries entries;
        const std::size_t count = random() % 80;
        for (std::size_t i = 0; i < count; ++i)
        {
            const std::uint32_t leaf = random() % 4 == 0 ? random() : leaves[random() % std::size(leaves)];
            const std::uint32_t subleaf = random() % 4 == 0 ? random() : random() % 40;
            entries.push_back({leaf, subleaf, random(), random(), random(), random()});
        }
        if (random() % 2 == 0)
        {
            const ZVT_CPUID_LEAF leaf0 = VendorLeaf(vendors[random() % std::size(vendors)], random() % 8);
            entries.insert(entries.begin(), {0, 0, leaf0.eax, leaf0.ebx, leaf0.ecx, leaf0.edx});
        }
        const std::size_t capacity = random() % (ZVT_CACHE_LIST_MAX + 1);
        std::vector<ZVT_CACHE_DESCRIPTION> caches(capacity + 2);
        std::memset(caches.data(), 0xA5, caches.size() * sizeof caches[0]);
        const ZVT_CPUID_VIEW view{entries.data(), entries.size(), static_cast<int>(random() % 2)};
        std::uint32_t status = 0;
        const std::size_t found = zvtDescribeCaches(&view, caches.data(), capacity, &status);
        ASSERT_LE(found, static_cast<std::size_t>(ZVT_CACHE_LIST_MAX)) << round;
        EXPECT_EQ((status & ZVT_CACHE_LIST_TRUNCATED) != 0, found > capacity) << round;
        for (std::size_t i = 0; i < std::min(found, capacity); ++i)
            EXPECT_NE(caches[i].sharedBy, 0) << round;
        for (std::size_t i = capacity; i < caches.size(); ++i)
            EXPECT_EQ(caches[i].sourceLeaf, 0xA5A5A5A5u) << round;
    }
}

} // namespace
} // namespace zvt::test
