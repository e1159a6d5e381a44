// Replaying recorded processors: each dump, converted to the three dump formats, reads back as the same
// processor; zvtinfo --replay shows the records the library's own code makes of it; a report replays to
// the record it was written from; and bad input ends in one line naming the file and line.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sched.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

#include "DataTable.h"
#include "InformationFields.h"
#include "LiveReplay.h"
#include "MeasuredRecords.h"
#include "RecordedClock.h"
#include "ReportText.h"
#include "support/Dumps.h"
#include "support/ZvtinfoRun.h"

namespace zvt::test
{
namespace
{

using Json = nlohmann::json;

// snprintf into a line; the format is checked at each call.
#define ZVT_LINE(...)                                                                                        \
    [&] {                                                                                                    \
        char line[128];                                                                                      \
        std::snprintf(line, sizeof line, __VA_ARGS__);                                                       \
        return std::string(line);                                                                            \
    }()

std::string AsCpuidToolDump(const CRecordedCpuid& cpuid)
{
    std::string text = "CPU:\n";
    for (const auto& e : cpuid.Entries())
    {
        const ZVT_CPUID_LEAF& r = e.registers;
        text += ZVT_LINE("   0x%08x 0x%02x: eax=0x%08x ebx=0x%08x ecx=0x%08x edx=0x%08x\n", e.leaf, e.subleaf,
                         r.eax, r.ebx, r.ecx, r.edx);
    }
    return text;
}

// Sub-leaf 0 of every leaf only: the text format counts repeated lines as sub-leaves.
std::string AsTextDump(const CRecordedCpuid& cpuid)
{
    std::string text = "CPU#0\n";
    for (const auto& e : cpuid.Entries())
    {
        const ZVT_CPUID_LEAF& r = e.registers;
        text += e.subleaf != 0
                    ? ""
                    : ZVT_LINE("CPUID %08X: %08X-%08X-%08X-%08X\n", e.leaf, r.eax, r.ebx, r.ecx, r.edx);
    }
    return text + "CPU#1\nCPUID 00000000: 00000001-00000000-00000000-00000000\n";
}

// The report as the library builds it, with a frequency when one is given.
std::string ToReport(ZVT_CPU_IDENTITY identity, int frequencyMhz)
{
    identity.frequency = static_cast<float>(frequencyMhz);
    std::string buffer(kReportCapacity, '\0');
    buffer.resize(BuildReport(identity, buffer.data(), buffer.size()));
    return buffer;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

ZVT_CPU_IDENTITY IdentityOf(const CRecordedCpuid& cpuid)
{
    const CRecordedClock clock;
    ZVT_CPU_IDENTITY identity{};
    EXPECT_EQ(PrepareIdentity(cpuid, clock, nullptr, 0, identity), 0);
    return identity;
}

ZVT_CPU_IDENTITY IdentityOfText(const std::string& text, const std::string& what)
{
    CRecordedCpuid cpuid;
    DumpError error;
    EXPECT_TRUE(ParseCpuidDump(text, cpuid, error)) << what << ":" << error.line << ": " << error.message;
    return IdentityOf(cpuid);
}

bool SameRecord(const ZVT_CPU_IDENTITY& a, const ZVT_CPU_IDENTITY& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string MakeFifo(const std::string& name)
{
    const std::string path = TempPath(name);
    std::filesystem::remove(path);
    EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
    return path;
}

void ExpectSameInformation(const Json& shown, const ZVT_CPU_INFORMATION& info, const std::string& dump)
{
    EXPECT_EQ(shown["vendor"], std::string(info.vendor)) << dump;
    EXPECT_EQ(shown["modelName"], std::string(info.modelName)) << dump;
    for (const auto& [name, member] : zvtinfo::kInformationFields)
    {
        EXPECT_EQ(shown[name], info.*member) << dump << " " << name;
    }
    EXPECT_EQ(shown["size"], info.size) << dump;
    EXPECT_EQ(shown["features"], info.features) << dump;
}

void ExpectSameTables(const Json& shown, const ZVT_CPU_IDENTITY& identity, const std::string& dump)
{
    ASSERT_EQ(shown["basic"].size(), 64u);
    ASSERT_EQ(shown["extended"].size(), 64u);
    for (std::size_t i = 0; i < ZVT_CPUID_LEAVES; ++i)
    {
        for (const auto& [name, table] :
             {std::pair{"basic", &identity.basic}, {"extended", &identity.extended}})
        {
            const Json& row = shown[name][i];
            const ZVT_CPUID_LEAF& r = (*table)[i];
            EXPECT_TRUE(row["eax"] == r.eax && row["ebx"] == r.ebx && row["ecx"] == r.ecx &&
                        row["edx"] == r.edx)
                << dump << " " << name << " " << i;
        }
    }
}

TEST(Replay, EveryDumpReadsTheSameInAllThreeFormats)
{
    for (const std::string& dump : DumpNames())
    {
        const CRecordedCpuid cpuid = LoadDump(dump);
        const ZVT_CPU_IDENTITY identity = IdentityOf(cpuid);
        EXPECT_TRUE(SameRecord(IdentityOfText(AsCpuidToolDump(cpuid), dump + " as cpuid -r"), identity))
            << dump;
        EXPECT_TRUE(SameRecord(IdentityOfText(AsTextDump(cpuid), dump + " as text"), identity)) << dump;
        EXPECT_TRUE(SameRecord(IdentityOfText(ToReport(identity, 0), dump + " as report"), identity)) << dump;
    }
}

TEST(Replay, ZvtinfoShowsWhatTheLibraryMakesOfEveryDump)
{
    for (const std::string& dump : DumpNames())
    {
        const CRecordedCpuid cpuid = LoadDump(dump);
        const CRecordedClock clock;
        ZVT_CPU_INFORMATION info{};
        info.size = ZVT_INFORMATION_SIZE;
        ASSERT_EQ(GetInformation(cpuid, clock, &info, 0), 0);

        const ToolRun run = RunZvtinfo("--json --replay " ZVT_TEST_DATA "/cpuid/" + dump + ".txt");
        ASSERT_EQ(run.exitCode, 0) << dump << ": " << run.err;
        const Json shown = Json::parse(run.out);
        EXPECT_EQ(shown["source"]["kind"], "replay");
        ExpectSameInformation(shown["information"], info, dump);
        ExpectSameTables(shown["identity"], IdentityOf(cpuid), dump);
        EXPECT_EQ(shown["information"]["frequency"], 0.0);
        EXPECT_TRUE(shown["windowsVersion"].is_null() && shown["wow64"].is_null());
    }
}

// This machine's --dump, one block per processor the process may run on, replays to zvtinfo's live answers,
// and standard output gets the same blocks as a file.
TEST(Replay, ThisMachinesDumpReplaysToTheLiveAnswers)
{
    const std::string dump = TempPath("this-machine.txt");
    const ToolRun written = RunZvtinfo("--dump " + dump);
    ASSERT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.out, "");
    cpu_set_t allowed;
    ASSERT_EQ(sched_getaffinity(0, sizeof allowed, &allowed), 0);
    for (const std::string& text : {ReadBytes(dump), RunZvtinfo("--dump").out})
    {
        std::vector<CRecordedCpuid> processors;
        DumpError error;
        ASSERT_TRUE(ParseCpuidDumpProcessors(text, processors, error)) << error.line << ": " << error.message;
        EXPECT_EQ(processors.size(), static_cast<std::size_t>(CPU_COUNT(&allowed)));
    }
    const ToolRun live = RunZvtinfo("--json");
    const ToolRun replay = RunZvtinfo("--json --replay " + dump);
    ASSERT_EQ(replay.exitCode, 0) << replay.err;
    EXPECT_EQ(ProcessorAnswers(Json::parse(replay.out)), ProcessorAnswers(Json::parse(live.out)));
    EXPECT_EQ(ProcessorLines(RunZvtinfo("--replay " + dump).out), ProcessorLines(RunZvtinfo("").out));
}

// The information object's names in their order, as callers of --json read them: written out here, not
// taken from zvtinfo, so that a renamed or moved field fails.
TEST(Replay, ZvtinfoNamesTheInformationFieldsInTheRecordsOrder)
{
    const ToolRun run = RunZvtinfo("--json --replay " ZVT_TEST_DATA "/cpuid/qemu-EPYC-Rome.txt");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto shown = nlohmann::ordered_json::parse(run.out);
    std::vector<std::string> names;
    for (const auto& item : shown.at("information").items())
    {
        names.push_back(item.key());
    }
    const std::vector<std::string> expected{
        "result",         "size",       "frequency", "displayFrequency", "vendor",    "modelName",   "family",
        "extendedFamily", "baseFamily", "model",     "extendedModel",    "baseModel", "stepping",    "cores",
        "logicalCores",   "threads",    "features",  "featureNames",     "vendorHex", "modelNameHex"};
    EXPECT_EQ(names, expected);
}

TEST(Replay, ReportGivesBackItsRecordWithTheRoundedFrequency)
{
    const CRecordedCpuid cpuid = LoadDump("qemu-EPYC-Rome");
    const ZVT_CPU_IDENTITY identity = IdentityOf(cpuid);
    const std::string path = WriteTemp("rome-report.txt", ToReport(identity, 2390));

    const ToolRun run = RunZvtinfo("--json --replay " + path);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json shown = Json::parse(run.out);
    EXPECT_EQ(shown["source"]["format"], "report");
    ExpectSameTables(shown["identity"], identity, "report");
    EXPECT_EQ(shown["identity"]["frequency"], 2390.0);
    EXPECT_EQ(shown["information"]["frequency"], 2390.0);
    EXPECT_EQ(shown["information"]["displayFrequency"], 2390);

    const ToolRun text = RunZvtinfo("--replay " + path);
    EXPECT_NE(text.out.find("\nFrequency : 2390 MHz\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("\nWindows : not part of a replay\n"), std::string::npos) << text.out;
}

// The reports zvtinfo writes from a replay are the library's reviewed reports, byte for byte.
TEST(Replay, ReportsFromReplaysAreTheReviewedReports)
{
    const std::string reports = ZVT_TEST_DATA "/reports/";
    const std::string out = TempPath("written.txt");
    for (const std::string dump :
         {"qemu32-pentium3", "qemu-EPYC-Rome", "host-sapphirerapids", "qemu32-athlon"})
    {
        const ToolRun run = RunZvtinfo("--replay " ZVT_TEST_DATA "/cpuid/" + dump + ".txt --report " + out);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ReadBytes(out), ReadBytes(reports + dump + ".txt")) << dump;
    }
    const std::string measured = reports + "qemu-Haswell-2394.5MHz.txt";
    const ToolRun failed = RunZvtinfo("--replay " + measured + " --report " + TempPath("no/such/folder.txt"));
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.err.find("bad path"), std::string::npos) << failed.err;
}

// A report replayed and written again in every mode, frequency line included, against the reviewed bytes
// of tests/data/reports/modes.tsv: by the mode's number, and by zvtinfo's name where it has one.
TEST(Replay, ReportsInEveryModeAreTheReviewedBytes)
{
    const std::string reports = ZVT_TEST_DATA "/reports/";
    const std::string measured = reports + "qemu-Haswell-2394.5MHz.txt";
    const std::string out = TempPath("mode.txt");
    for (const TableRow& row : ReadTable(reports + "modes.tsv"))
    {
        const std::string& name = row.at("name");
        for (const std::string& mode : {row.at("mode"), name == "-" ? row.at("mode") : name})
        {
            const ToolRun run = RunZvtinfo("--replay " + measured + " --report " + out + " --mode " + mode);
            ASSERT_EQ(run.exitCode, 0) << mode << ": " << run.err;
            EXPECT_EQ(ReadBytes(out), ReadBytes(reports + row.at("file"))) << "mode " << mode;
        }
    }
}

TEST(Replay, ReportReadsBackFromEveryTextEncoding)
{
    const ZVT_CPU_IDENTITY identity = IdentityOf(LoadDump("qemu-Haswell"));
    const std::string report = ToReport(identity, 0);
    const auto utf16 = [&report](bool bigEndian) {
        std::string bytes;
        for (const char c : report)
        {
            bytes += bigEndian ? std::string(1, '\0') + c : std::string(1, c) + '\0';
        }
        return bytes;
    };
    const std::pair<const char*, std::string> encodings[] = {
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + report},
        {"UTF-16LE with a mark", "\xFF\xFE" + utf16(false)},
        {"UTF-16BE with a mark", "\xFE\xFF" + utf16(true)},
        {"UTF-16LE", utf16(false)},
        {"UTF-16BE", utf16(true)}};
    for (const auto& [name, bytes] : encodings)
    {
        EXPECT_TRUE(SameRecord(IdentityOfText(bytes, name), identity)) << name;
    }
}

TEST(Replay, DamagedReportsAreRefusedAtTheLine)
{
    const std::string report = ToReport(IdentityOf(LoadDump("qemu-Haswell")), 2390);
    const std::string cut = report.substr(0, report.find("0x00000028 ")) + "0x00000028 0x0000";
    std::string swapped = report;
    swapped.replace(swapped.find("0x00000005 "), 11, "0x00000006 ");
    const struct
    {
        const char* name;
        std::string text;
        int line;
    } cases[] = {
        {"cut inside a row", cut, 5 + 41},
        {"cut after the basic table", report.substr(0, report.find("Fn", report.find("Fn") + 2)), 69},
        {"rows out of order", swapped, 5 + 6},
        {"text after the frequency", report + "\r\nmore", 137},
        {"a frequency without digits", report.substr(0, report.rfind(':')) + ": MHz", 136},
    };
    for (const auto& c : cases)
    {
        CRecordedCpuid cpuid;
        DumpError error;
        EXPECT_FALSE(ParseCpuidDump(c.text, cpuid, error)) << c.name;
        EXPECT_EQ(error.line, c.line) << c.name << ": " << error.message;
    }
}

TEST(Replay, OversizedDumpsAreRefusedQuickly)
{
    std::string text;
    for (std::uint32_t i = 0; i <= kMaxDumpEntries; ++i)
    {
        text += std::string("CPUID 00000004: 00000000-00000000-00000000-00000000\n"); // all sub-leaves of 4
    }
    CRecordedCpuid cpuid;
    DumpError error;
    EXPECT_FALSE(ParseCpuidDump("CPUID 00000000: 0000000D-0-0-0\n" + text, cpuid, error));
    EXPECT_EQ(error.line, static_cast<int>(kMaxDumpEntries) + 1);
}

TEST(Replay, AbsurdHighestLeavesReadOnlyTheCapacity)
{
    const std::string path = WriteTemp("absurd.txt", "CPUID 00000000: FFFFFFFF-756E6547-6C65746E-49656E69\n"
                                                     "CPUID 80000000: FFFFFFFF-0-0-0\n");
    const ToolRun run = RunZvtinfo("--json --replay " + path);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json shown = Json::parse(run.out);
    EXPECT_EQ(shown["identity"]["basic"][0]["eax"], 0xFFFFFFFFu);
    EXPECT_EQ(shown["identity"]["extended"][63]["leaf"], 0x8000003Fu);
    EXPECT_EQ(shown["information"]["vendor"], "GenuineIntel");
}

Json Cache(int sizeKb, int ways, int lineBytes, int linesPerTag)
{
    return Json{{"sizeKb", sizeKb}, {"ways", ways}, {"lineBytes", lineBytes}, {"linesPerTag", linesPerTag}};
}

// What the feature header decodes, as zvtinfo shows it. Expected values: "cpuid -f" of each dump (caches,
// address sizes, hypervisor guest status) and the psABI's level lists read against leaf 1 EDX by hand.
TEST(Replay, ZvtinfoShowsFlagsLevelCachesAndAddressSizes)
{
    const Json rome =
        Json::parse(RunZvtinfo("--json --replay " ZVT_TEST_DATA "/cpuid/qemu-EPYC-Rome.txt").out);
    const Json& d = rome["decoded"];
    EXPECT_EQ(d["level"], "v3");
    EXPECT_EQ(d["missingForNextLevel"], Json({"avx512f", "avx512bw", "avx512cd", "avx512dq", "avx512vl"}));
    EXPECT_TRUE(d["xcr0"].is_null() && d["enabledLevel"].is_null()) << d.dump();
    EXPECT_EQ(d["hypervisor"], true);
    EXPECT_EQ(d["addressSizes"], Json({{"physicalBits", 40}, {"linearBits", 48}}));
    EXPECT_EQ(d["caches"]["l1d"], Cache(32, 8, 64, 1));
    EXPECT_EQ(d["caches"]["l2"], Cache(512, 8, 64, 1));
    EXPECT_EQ(d["caches"]["l3"], Cache(16384, 16, 64, 1));
    const auto& flags = d["flags"];
    EXPECT_TRUE(std::find(flags.begin(), flags.end(), "sha_ni") != flags.end()) << flags.dump();
    EXPECT_TRUE(std::find(flags.begin(), flags.end(), "avx512f") == flags.end()) << flags.dump();

    const Json haswell =
        Json::parse(RunZvtinfo("--json --replay " ZVT_TEST_DATA "/cpuid/qemu-Haswell.txt").out);
    EXPECT_EQ(haswell["decoded"]["caches"]["l2"], Cache(512, 16, 64, 0)) << "Intel defines only the L2 cache";
    EXPECT_TRUE(haswell["decoded"]["caches"]["l1d"].is_null() &&
                haswell["decoded"]["caches"]["l3"].is_null());

    const ToolRun p3 = RunZvtinfo("--replay " ZVT_TEST_DATA "/cpuid/qemu32-pentium3.txt");
    for (const char* line :
         {"\nx86-64 level : none (missing for baseline: lm syscall sse2)\n",
          "\nx86-64 level enabled : unknown (a dump does not record XCR0)\n", "\nHypervisor : yes\n",
          "\nAddress sizes : not in the record (no extended leaf 0x80000008)\n",
          "\nCaches : not described by this vendor's extended leaves\nWindows : ",
          "\nFrequency : not measured when the dump was made\n"})
    {
        EXPECT_NE(p3.out.find(line), std::string::npos) << line << " in\n" << p3.out;
    }
    const ToolRun romeText = RunZvtinfo("--replay " ZVT_TEST_DATA "/cpuid/qemu-EPYC-Rome.txt");
    for (const char* line :
         {"\nFeatures : MMX MMX+ SSE SSE2 SSE3 SSE4.1 SSE4.2 SSE4A AMD-V x86-64\nFlags : fpu de ",
          "\nx86-64 level : v3 (missing for v4: avx512f avx512bw avx512cd avx512dq avx512vl)\n",
          "\nL1 instruction cache : 32 KiB, 8-way, 64-byte lines\n",
          "\nL3 cache : 16 MiB, 16-way, 64-byte lines\n",
          "\nAddress sizes : 40 bits physical, 48 bits linear\n"})
    {
        EXPECT_NE(romeText.out.find(line), std::string::npos) << line << " in\n" << romeText.out;
    }
}

// On this machine: XCR0 is read (the host runs a 64-bit OS with XSAVE), and without --measure the text
// says that no frequency was measured instead of showing 0 MHz as if one had been.
TEST(Replay, ZvtinfoLiveReadsXcr0AndSaysWhenNothingWasMeasured)
{
    const ToolRun json = RunZvtinfo("--json");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const Json d = Json::parse(json.out)["decoded"];
    EXPECT_TRUE(d["xcr0"].is_number_unsigned() && (d["xcr0"].get<std::uint64_t>() & 3u) == 3u) << d.dump();
    EXPECT_TRUE(d["enabledLevel"].is_string()) << d.dump();
    EXPECT_EQ(Json::parse(json.out)["information"]["frequency"], 0.0);

    const ToolRun text = RunZvtinfo("");
    EXPECT_NE(text.out.find("\nFrequency : not measured (use --measure MS)\nFamily : "), std::string::npos)
        << text.out;
    const ToolRun measured = RunZvtinfo("--measure 20");
    const std::size_t at = measured.out.find("\nFrequency : ");
    ASSERT_NE(at, std::string::npos) << measured.out;
    EXPECT_NE(std::isdigit(static_cast<unsigned char>(measured.out[at + 13])), 0) << measured.out;
}

// A made-up processor whose vendor and brand string hold bytes above 0x7F: vendor "Zv", 80, "t", E9 99 AE
// 81, "CPU!"; brand "Zv", 80, " ", 81 8D 8F 90 9D (the five bytes Windows-1252 leaves undefined), " ", 99 AE
// E9 FF, " CPU". The expected bytes are Windows-1252 written out by hand.
constexpr const char* kHighByteDump = "CPUID 00000000: 00000001-7480765A-21555043-81AE99E9\n"
                                      "CPUID 00000001: 000306C4-00000800-00000000-00000000\n"
                                      "CPUID 80000000: 80000004-00000000-00000000-00000000\n"
                                      "CPUID 80000002: 2080765A-908F8D81-AE99209D-4320FFE9\n"
                                      "CPUID 80000003: 00005550-00000000-00000000-00000000\n";
constexpr std::string_view kVendorUtf8 = "Zv\xE2\x82\xACt\xC3\xA9\xE2\x84\xA2\xC2\xAE\xC2\x81"
                                         "CPU!";
constexpr std::string_view kBrandUtf8 = "Zv\xE2\x82\xAC \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D "
                                        "\xE2\x84\xA2\xC2\xAE\xC3\xA9\xC3\xBF CPU";

TEST(Replay, NamesWithBytesAboveAsciiDecodeThroughWindows1252)
{
    const std::string dump = WriteTemp("high-bytes.txt", kHighByteDump);
    const Json info = Json::parse(RunZvtinfo("--json --replay " + dump).out)["information"];
    EXPECT_EQ(info["vendor"], kVendorUtf8);
    EXPECT_EQ(info["modelName"], kBrandUtf8);
    EXPECT_EQ(info["vendorHex"], "5a768074e999ae8143505521");
    EXPECT_EQ(info["modelNameHex"], "5a768020818d8f909d2099aee9ff20435055");

    // The text output shows control characters (here the C1 ones) as '?'.
    const ToolRun text = RunZvtinfo("--replay " + dump);
    EXPECT_NE(text.out.find("\nVendor name : Zv\xE2\x82\xACt\xC3\xA9\xE2\x84\xA2\xC2\xAE?CPU!\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("\nModel name : Zv\xE2\x82\xAC ????? \xE2\x84\xA2\xC2\xAE\xC3\xA9\xC3\xBF CPU\n"),
              std::string::npos)
        << text.out;

    const std::string out = TempPath("high-bytes-report.txt");
    const std::pair<const char*, std::string> reports[] = {
        {"ansi", "Zv\x80t\xE9\x99\xAE\x81"
                 "CPU!\r\nZv\x80 \x81\x8D\x8F\x90\x9D \x99\xAE\xE9\xFF CPU\r\n"},
        {"utf8", std::string(kVendorUtf8) + "\r\n" + std::string(kBrandUtf8) + "\r\n"},
        {"utf16le",
         std::string("\xFF\xFEZ\0v\0\xAC\x20t\0\xE9\0\x22\x21\xAE\0\x81\0C\0P\0U\0!\0\r\0\n\0", 30)},
        {"utf16be",
         std::string("\xFE\xFF\0Z\0v\x20\xAC\0t\0\xE9\x21\x22\0\xAE\0\x81\0C\0P\0U\0!\0\r\0\n", 30)},
    };
    for (const auto& [mode, start] : reports)
    {
        ASSERT_EQ(RunZvtinfo("--replay " + dump + " --report " + out + " --mode " + mode).exitCode, 0)
            << mode;
        EXPECT_EQ(ReadBytes(out).substr(0, start.size()), start) << mode;
    }
}

// A dump of GenuineIntel whose brand string is the given bytes (at most 47, the rest zero).
std::string BrandDump(const std::string& brand)
{
    std::uint8_t bytes[48] = {};
    std::copy(brand.begin(), brand.end(), bytes);
    std::string text = "CPUID 00000000: 00000001-756E6547-6C65746E-49656E69\n"
                       "CPUID 00000001: 000306C4-00000800-00000000-00000000\n"
                       "CPUID 80000000: 80000004-00000000-00000000-00000000\n";
    for (std::uint32_t leaf = 0; leaf < 3; ++leaf)
    {
        std::uint32_t r[4] = {};
        std::memcpy(r, bytes + 16 * leaf, sizeof r);
        text += ZVT_LINE("CPUID %08X: %08X-%08X-%08X-%08X\n", 0x80000002u + leaf, r[0], r[1], r[2], r[3]);
    }
    return text;
}

// Control characters in a brand string (C0, DEL, C1) are '?' in the text and only there: the characters
// either side of each range are shown, and the JSON keeps every byte.
TEST(Replay, ControlCharactersInNamesShowAsQuestionMarks)
{
    const struct
    {
        const char* name;
        std::string brand;
        const char* shown; // UTF-8
        const char* hex;
    } cases[] = {
        {"DEL inside", "Zv\x7Fyz", "Zv?yz", "5a767f797a"},
        {"DEL last", "CPU\x7F", "CPU?", "4350557f"},
        {"DEL and its neighbours", "~\x7F\x80", "~?\xE2\x82\xAC", "7e7f80"},
        {"C0 and space", "A\x01\x1F B", "A?? B", "41011f2042"},
        // 9F is Y with diaeresis in Windows-1252, not a control; the controls are judged after decoding.
        {"C1 and its neighbours", "A\x9D\x9F\xA0z", "A?\xC5\xB8\xC2\xA0z", "419d9fa07a"},
    };
    for (const auto& c : cases)
    {
        const std::string dump = WriteTemp("control.txt", BrandDump(c.brand));
        const ToolRun text = RunZvtinfo("--replay " + dump);
        ASSERT_EQ(text.exitCode, 0) << c.name << ": " << text.err;
        EXPECT_NE(text.out.find("\nModel name : " + std::string(c.shown) + "\n"), std::string::npos)
            << c.name << "\n"
            << text.out;
        const Json info = Json::parse(RunZvtinfo("--json --replay " + dump).out)["information"];
        EXPECT_EQ(info["modelNameHex"], c.hex) << c.name;
    }
}

// One line on stderr naming the file (and the line where there is one); 1 for input, 2 for usage.
TEST(Replay, BadInputEndsInOneLine)
{
    const std::string dir = TempPath("");
    const std::pair<std::string, std::string> inputs[] = {
        {WriteTemp("empty.txt", ""), ": no CPUID leaves found\n"},
        {WriteTemp("garbled.txt", "CPU:\n   0x00000000 0x00: eax=0x1 ebx=0x2\n"),
         "garbled.txt:2: not a CPUID line"},
        {WriteTemp("binary.bin", std::string("\x7f"
                                             "ELF\x02\x01\x01\0\0\0\xff\xfe\n0x\x01\x02",
                                             18)),
         "binary.bin:2: "},
        {WriteTemp("trailing.txt", "CPUID 00000000: 1-2-3-4\nCPUID 00000001: 1-2-3-4\n\nend of dump\n"),
         "trailing.txt:4: unexpected text after the CPUID leaves: end of dump\n"},
        {WriteTemp("twice.txt", "0x0 0x0: eax=1 ebx=2 ecx=3 edx=4\n0x1 0x0: eax=1 ebx=2 ecx=3 edx=4\n"
                                "0x1 0x0: eax=1 ebx=2 ecx=3 edx=0\n"),
         "twice.txt:3: leaf 0x00000001 sub-leaf 0 has a different answer on line 2\n"},
        {WriteTemp("headless.txt", "CPUID 00000001: 1-2-3-4\n"),
         "headless.txt:1: the processor's block has no "},
        {TempPath("missing.txt"), "missing.txt: cannot open: "},
        {MakeFifo("pipe"), "pipe: a pipe, not a file"},
        {dir, ": cannot read: "}};
    for (const auto& [path, message] : inputs)
    {
        const ToolRun run = RunZvtinfo("--replay " + path);
        EXPECT_EQ(run.exitCode, 1) << path;
        EXPECT_EQ(run.err.rfind("zvtinfo: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
    for (const char* usage : {"--replay", "--mode hex", "--report x --mode utf7", "--measure 10001",
                              "--replay x --measure 5", "--unknown"})
    {
        const ToolRun run = RunZvtinfo(usage);
        EXPECT_EQ(run.exitCode, 2) << usage << ": " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

} // namespace
} // namespace zvt::test
