// zavsys_topology.h against the reviewed tests/data/dumps/topology.tsv: recorded machines (datasheets and the
// manuals' rules applied by hand) and made-up ones at the edges (hypervisors' empty leaves, levels without
// end, zero shift widths, partial recordings, duplicate IDs), each processor's view and the whole machine;
// then the identity record's view of the recorded ones.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "CpuidTables.h"
#include "DataTable.h"
#include "DumpReader.h"
#include "support/Dumps.h"
#include "zavsys_topology.h"

namespace zvt::test
{
namespace
{

const std::filesystem::path kDumps = std::filesystem::path(ZVT_TEST_DATA) / "dumps";

const std::map<std::string, int> kMethods = {{"none", ZVT_TOPOLOGY_NONE},
                                             {"0x1F", ZVT_TOPOLOGY_LEAF_1F},
                                             {"0xB", ZVT_TOPOLOGY_LEAF_B},
                                             {"amd", ZVT_TOPOLOGY_AMD},
                                             {"legacy", ZVT_TOPOLOGY_LEGACY}};
const std::map<std::string, std::uint32_t> kViewFlags = {{"empty-leaf", ZVT_TOPOLOGY_EMPTY_LEAF},
                                                         {"bad-levels", ZVT_TOPOLOGY_BAD_LEVELS},
                                                         {"narrow-shifts", ZVT_TOPOLOGY_NARROW_SHIFTS},
                                                         {"addressable", ZVT_TOPOLOGY_ADDRESSABLE},
                                                         {"hybrid", ZVT_TOPOLOGY_HYBRID}};
const std::map<std::string, std::uint32_t> kMachineFlags = {{"hybrid", ZVT_MACHINE_HYBRID},
                                                            {"partial", ZVT_MACHINE_PARTIAL},
                                                            {"duplicate-ids", ZVT_MACHINE_DUPLICATE_IDS},
                                                            {"unplaced", ZVT_MACHINE_UNPLACED}};

// The entries of every "CPU n:" block of a dump.
std::vector<std::vector<ZVT_CPUID_ENTRY>> ReadMachine(const std::string& name)
{
    return zvt::test::ReadMachine(kDumps / name);
}

// A cell against a count: "-" is not checked, "unknown" is ZVT_TOPOLOGY_UNKNOWN.
void ExpectCell(const TableRow& row, const std::string& column, std::int32_t value)
{
    const std::string& cell = row.at(column);
    if (cell == "-")
        return;
    EXPECT_EQ(value, cell == "unknown" ? ZVT_TOPOLOGY_UNKNOWN : std::stoi(cell))
        << row.at("dump") << " " << column;
}

// Flags named in a cell, checked as exactly those of the names' map.
void ExpectFlags(const TableRow& row, const std::string& column, std::uint32_t flags,
                 const std::map<std::string, std::uint32_t>& names)
{
    std::uint32_t expected = 0;
    std::uint32_t all = 0;
    std::stringstream words(row.at(column));
    if (row.at(column) == "-")
        return;
    for (std::string word; words >> word;)
        expected |= word == "none" ? 0u : names.at(word);
    for (const auto& name : names)
        all |= name.second;
    EXPECT_EQ(flags & all, expected) << row.at("dump") << " " << column;
}

std::string ApicText(const ZVT_TOPOLOGY& t)
{
    if ((t.flags & ZVT_TOPOLOGY_HAS_SPLIT) == 0)
        return "unknown";
    return std::to_string(t.apicId) + "=" + std::to_string(t.packageId) + "." + std::to_string(t.coreId) +
           "." + std::to_string(t.threadId);
}

TEST(Topology, MachinesMatchTheReviewedTable)
{
    const auto rows = ReadTable(kDumps / "topology.tsv");
    ASSERT_GE(rows.size(), 65u);
    for (const auto& row : rows)
    {
        const auto processors = ReadMachine(row.at("dump"));
        ASSERT_FALSE(processors.empty()) << row.at("dump");
        std::vector<ZVT_TOPOLOGY> topologies;
        for (const auto& entries : processors)
        {
            const ZVT_CPUID_VIEW view = {entries.data(), entries.size(), 1};
            ZVT_TOPOLOGY t;
            zvtGetTopology(&view, &t);
            for (std::int32_t count : {t.threadsPerCore, t.logicalPerModule, t.logicalPerDie,
                                       t.logicalPerPackage, t.coresPerPackage})
                EXPECT_NE(count, 0) << row.at("dump") << " processor " << topologies.size();
            topologies.push_back(t);
        }
        const ZVT_TOPOLOGY& first = topologies.front();
        EXPECT_EQ(first.method, kMethods.at(row.at("method"))) << row.at("dump");
        ExpectCell(row, "threadsPerCore", first.threadsPerCore);
        ExpectCell(row, "coresPerPackage", first.coresPerPackage);
        ExpectCell(row, "logicalPerPackage", first.logicalPerPackage);
        ExpectCell(row, "logicalPerModule", first.logicalPerModule);
        ExpectCell(row, "logicalPerDie", first.logicalPerDie);
        EXPECT_EQ(ApicText(first), row.at("apic0")) << row.at("dump");
        ExpectFlags(row, "viewFlags", first.flags, kViewFlags);

        ZVT_MACHINE_TOPOLOGY machine;
        EXPECT_EQ(zvtGetMachineTopology(topologies.data(), topologies.size(), &machine), machine.logical);
        const std::map<std::string, std::int32_t> counts = {
            {"packages", machine.packages},
            {"cores", machine.cores},
            {"logical", machine.logical},
            {"performanceCores", machine.performanceCores},
            {"performanceLogical", machine.performanceLogical},
            {"efficiencyCores", machine.efficiencyCores},
            {"efficiencyLogical", machine.efficiencyLogical}};
        for (const auto& [column, count] : counts)
            ExpectCell(row, column, count);
        ExpectFlags(row, "machineFlags", machine.flags, kMachineFlags);
    }
}

// The identity record holds sub-leaf 0 only: leaves 0x1F and 0xB then tell the SMT level alone, and AMD's
// leaves, which need no other sub-leaf, answer for AMD processors in full.
TEST(Topology, IdentityRecordKeepsWhatSubleafZeroTells)
{
    for (const auto& row : ReadTable(kDumps / "topology.tsv"))
    {
        if (row.at("dump").rfind("made-up/", 0) == 0)
            continue;
        const auto entries = ReadMachine(row.at("dump")).front();
        CRecordedCpuid cpuid;
        for (const auto& e : entries)
            cpuid.Add(e.leaf, e.subleaf, {e.eax, e.ebx, e.ecx, e.edx});
        ZVT_CPU_IDENTITY identity;
        std::memset(&identity, 0, sizeof identity);
        ASSERT_EQ(FillIdentity(cpuid, identity), 0);
        ZVT_CPUID_ENTRY storage[ZVT_IDENTITY_VIEW_ENTRIES];
        const ZVT_CPUID_VIEW view = zvtViewOfIdentity(&identity, storage);
        ZVT_TOPOLOGY t;
        const int method = zvtGetTopology(&view, &t);
        const bool levels = row.at("method") == "0x1F" || row.at("method") == "0xB";
        EXPECT_EQ(method,
                  levels && zvtTopologyIsAmd(&view) ? ZVT_TOPOLOGY_AMD : kMethods.at(row.at("method")))
            << row.at("dump");
        ExpectCell(row, "threadsPerCore", t.threadsPerCore);
        if (levels && method != ZVT_TOPOLOGY_AMD)
        {
            EXPECT_NE(t.flags & ZVT_TOPOLOGY_VIEW_LACKS_SUBLEAVES, 0u) << row.at("dump");
            EXPECT_EQ(t.logicalPerPackage, ZVT_TOPOLOGY_UNKNOWN) << row.at("dump");
            EXPECT_EQ(t.coresPerPackage, ZVT_TOPOLOGY_UNKNOWN) << row.at("dump");
            continue;
        }
        ExpectCell(row, "coresPerPackage", t.coresPerPackage);
        ExpectCell(row, "logicalPerPackage", t.logicalPerPackage);
    }
}

// What no dump can hold: a view without entries and a machine without processors.
TEST(Topology, NothingGivenIsUnknown)
{
    const ZVT_CPUID_VIEW view = {nullptr, 0, 1};
    ZVT_TOPOLOGY t;
    EXPECT_EQ(zvtGetTopology(&view, &t), ZVT_TOPOLOGY_NONE);
    EXPECT_EQ(t.threadsPerCore, ZVT_TOPOLOGY_UNKNOWN);
    EXPECT_EQ(t.flags, 0u);
    ZVT_MACHINE_TOPOLOGY m;
    EXPECT_EQ(zvtGetMachineTopology(nullptr, 0, &m), ZVT_TOPOLOGY_UNKNOWN);
    EXPECT_EQ(m.cores, ZVT_TOPOLOGY_UNKNOWN);
    EXPECT_EQ(m.packages, ZVT_TOPOLOGY_UNKNOWN);
}

} // namespace
} // namespace zvt::test
