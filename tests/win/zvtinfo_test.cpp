// zvtinfo.exe against the library it sits beside: its text and JSON carry what the exports answer, and
// the reports it writes (through zvtGetIdentity, and again from a replay of that report) are byte for
// byte the library's, and a reviewed report replayed comes out as the reviewed bytes in every mode.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <tuple>

#include "DataTable.h"
#include "InformationFields.h"
#include "LiveReplay.h"
#include "PerProcessorFields.h"
#include "TempFiles.h"
#include "ZavsysLibrary.h"

namespace
{

using Json = nlohmann::json;
using zvt::CZavsysLibrary;

struct ToolRun
{
    DWORD exitCode = 0xFFFFFFFF;
    std::string out; // CR LF as the console wrote it, CRs dropped
};

// Runs zvtinfo.exe from the current folder with its standard output in a pipe.
ToolRun RunZvtinfo(const std::wstring& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ToolRun run;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
    {
        return run;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"zvtinfo.exe " + arguments;
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writeEnd);
    char chunk[4096];
    DWORD got = 0;
    while (started && ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0)
    {
        for (DWORD i = 0; i < got; ++i)
        {
            run.out += chunk[i] == '\r' ? "" : std::string(1, chunk[i]);
        }
    }
    CloseHandle(readEnd);
    if (started)
    {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    return run;
}

// A file's bytes as a string, to compare with what zvtinfo writes.
std::string FileText(const std::wstring& path)
{
    const zvt::test::Bytes bytes = zvt::test::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

// A path as one argument of zvtinfo's command line.
std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

class Zvtinfo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library.IsComplete());
        info.size = ZVT_INFORMATION_SIZE;
        ASSERT_EQ(library.m_pfnGetInformation(&info, 0), 0);
        identity.size = ZVT_IDENTITY_SIZE;
        ASSERT_EQ(library.m_pfnGetIdentity(&identity, 0, nullptr, 0), 0);
    }
    CZavsysLibrary library;
    ZVT_CPU_INFORMATION info{};
    ZVT_CPU_IDENTITY identity{};
    zvt::test::CTempDirectory m_directory;
};

TEST_F(Zvtinfo, JsonCarriesTheRecordsOfTheExports)
{
    const ToolRun run = RunZvtinfo(L"--json");
    ASSERT_EQ(run.exitCode, 0u) << run.out;
    const Json shown = Json::parse(run.out);
    const Json& i = shown["information"];
    EXPECT_EQ(i["vendor"], std::string(info.vendor));
    EXPECT_EQ(i["modelName"], std::string(info.modelName));
    for (const auto& [name, member] : zvtinfo::kInformationFields)
    {
        EXPECT_EQ(i[name], info.*member) << name;
    }
    EXPECT_EQ(i["features"], info.features);
    for (const auto& [name, table] : {std::pair{"basic", &identity.basic}, {"extended", &identity.extended}})
    {
        for (std::size_t leaf = 0; leaf < ZVT_CPUID_LEAVES; ++leaf)
        {
            const ZVT_CPUID_LEAF& r = (*table)[leaf];
            using zvt::CpuidRegister;
            for (const auto& [reg, id, value] : {std::tuple{"eax", CpuidRegister::kEax, r.eax},
                                                 {"ebx", CpuidRegister::kEbx, r.ebx},
                                                 {"ecx", CpuidRegister::kEcx, r.ecx},
                                                 {"edx", CpuidRegister::kEdx, r.edx}})
            {
                // zvtinfo's call may run on another processor than the test's.
                const std::uint32_t same = ~zvt::PerProcessorBits(name == std::string("extended"),
                                                                  static_cast<std::uint32_t>(leaf), id);
                EXPECT_EQ(shown["identity"][name][leaf][reg].get<std::uint32_t>() & same, value & same)
                    << name << " " << leaf << " " << reg;
            }
        }
    }
    ZVT_WINDOWS_VERSION version{};
    version.size = ZVT_WINDOWS_VERSION_SIZE;
    const std::int32_t versionResult = library.m_pfnGetWindowsVersion(&version);
    const Json& v = shown["windowsVersion"];
    EXPECT_TRUE(v["result"] == versionResult && v["major"] == version.major && v["minor"] == version.minor &&
                v["build"] == version.build && v["revision"] == version.revision &&
                v["productType"] == version.productType)
        << v.dump();
    EXPECT_EQ(shown["wow64"]["result"], library.m_pfnIsWow64());
    std::int32_t major = -1;
    EXPECT_EQ(shown["fileVersions"][0]["result"],
              library.m_pfnGetFileVersion(L"zavsys.dll", &major, nullptr, nullptr, nullptr));
    EXPECT_EQ(shown["fileVersions"][0]["major"], major == -1 ? 0 : major);
}

TEST_F(Zvtinfo, TextShowsTheDialogsLinesForTheSameRecord)
{
    const ToolRun run = RunZvtinfo(L"");
    ASSERT_EQ(run.exitCode, 0u) << run.out;
    char feature[32];
    std::snprintf(feature, sizeof feature, "\nFeature : 0x%04X\n", info.features);
    for (const std::string& line :
         {"Vendor name : " + std::string(info.vendor) + "\n",
          "\nModel name : " + std::string(info.modelName) + "\n",
          "\nFamily : " + std::to_string(info.family) + "\n",
          "\nModel : " + std::to_string(info.model) + "\n", "\nCores : " + std::to_string(info.cores) + "\n",
          std::string(feature),
          std::string("\nWOW64 : ") + (library.m_pfnIsWow64() != 0 ? "yes" : "no") + "\n"})
    {
        EXPECT_NE(run.out.find(line), std::string::npos) << line << " in\n" << run.out;
    }
}

TEST_F(Zvtinfo, MeasuredFrequencyReachesTheRecord)
{
    const ToolRun run = RunZvtinfo(L"--json --measure 50");
    ASSERT_EQ(run.exitCode, 0u) << run.out;
    EXPECT_GT(Json::parse(run.out)["information"]["frequency"].get<double>(), 1.0);
}

bool Has(const Json& names, const char* name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The decoded part against bits of the record read by hand (leaf 1 EDX 26 sse2, ECX 31 hypervisor; leaf 7
// EBX 5 avx2; 0x80000008 EAX 7..0 physical address bits), and the frequency line without a measurement.
TEST_F(Zvtinfo, DecodedFlagsAndAddressSizesAgreeWithTheRecord)
{
    const ToolRun run = RunZvtinfo(L"--json");
    ASSERT_EQ(run.exitCode, 0u) << run.out;
    const Json d = Json::parse(run.out)["decoded"];
    const ZVT_CPUID_LEAF& leaf1 = identity.basic[1];
    EXPECT_EQ(Has(d["flags"], "sse2"), (leaf1.edx >> 26 & 1) != 0) << d["flags"].dump();
    EXPECT_EQ(d["hypervisor"], (leaf1.ecx >> 31) != 0);
    EXPECT_EQ(Has(d["flags"], "avx2"), identity.basic[0].eax >= 7 && (identity.basic[7].ebx >> 5 & 1) != 0);
    if (identity.extended[0].eax >= 0x80000008u)
    {
        EXPECT_EQ(d["addressSizes"]["physicalBits"], identity.extended[8].eax & 0xFF) << d.dump();
    }
    EXPECT_TRUE(d["xcr0"].is_number() && d["enabledLevel"].is_string()) << d.dump();

    const ToolRun text = RunZvtinfo(L"");
    for (const char* line : {"\nFrequency : not measured (use --measure MS)\nFamily : ", "\nFlags : ",
                             "\nx86-64 level : ", "\nx86-64 level enabled : ", "\nAddress sizes : "})
    {
        EXPECT_NE(text.out.find(line), std::string::npos) << line << " in\n" << text.out;
    }
    const ToolRun measured = RunZvtinfo(L"--measure 20");
    const std::size_t at = measured.out.find("\nFrequency : ");
    ASSERT_NE(at, std::string::npos) << measured.out;
    EXPECT_TRUE(measured.out[at + 13] >= '0' && measured.out[at + 13] <= '9') << measured.out;
}

// zvtinfo --dump through zvtGetCpuidDump: one "cpuid -r" block per processor, LF line ends, and replayed,
// zvtinfo's live answers again.
TEST_F(Zvtinfo, DumpReplaysToTheLiveAnswers)
{
    const std::wstring dump = m_directory.Path(L"this-machine.txt");
    ASSERT_EQ(RunZvtinfo(L"--dump " + Quoted(dump)).exitCode, 0u);
    const std::string text = FileText(dump);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    std::size_t blocks = 0;
    for (std::size_t at = text.find("CPU "); at != std::string::npos; at = text.find("\nCPU ", at + 1))
    {
        EXPECT_EQ(text.compare(text.find(':', at) + 1, 17, "\n   0x00000000 0x"), 0) << blocks;
        ++blocks;
    }
    EXPECT_EQ(blocks, GetActiveProcessorCount(ALL_PROCESSOR_GROUPS));
    const ToolRun live = RunZvtinfo(L"--json");
    const ToolRun replay = RunZvtinfo(L"--json --replay " + Quoted(dump));
    ASSERT_EQ(replay.exitCode, 0u) << replay.out;
    EXPECT_EQ(zvt::test::ProcessorAnswers(Json::parse(replay.out)),
              zvt::test::ProcessorAnswers(Json::parse(live.out)));
    EXPECT_EQ(zvt::test::ProcessorLines(RunZvtinfo(L"--replay " + Quoted(dump)).out),
              zvt::test::ProcessorLines(RunZvtinfo(L"").out));
}

// A made-up processor whose vendor and brand string hold bytes above 0x7F (80, E9 99 AE 81; 80, 81 8D 8F 90
// 9D, 99 AE E9 FF): decoded through the ANSI code page, as the library's reports are. Expected bytes are
// Windows-1252's, written out by hand, the undefined 81 ... 9D passed through as U+0081 ... U+009D.
TEST_F(Zvtinfo, NamesWithBytesAboveAsciiDecodeThroughTheAnsiCodePage)
{
    ASSERT_EQ(GetACP(), 1252u) << "the expected bytes are those of code page 1252 (ctest runs this test "
                                  "under LC_ALL=C, from which Wine takes it)";
    const std::wstring dump = Quoted(m_directory.Path(L"high-bytes.txt"));
    const std::wstring report = m_directory.Path(L"high-bytes.out");
    zvt::test::WriteBytes(m_directory.Path(L"high-bytes.txt"),
                          zvt::test::ToBytes("CPUID 00000000: 00000001-7480765A-21555043-81AE99E9\n"
                                             "CPUID 00000001: 000306C4-00000800-00000000-00000000\n"
                                             "CPUID 80000000: 80000004-00000000-00000000-00000000\n"
                                             "CPUID 80000002: 2080765A-908F8D81-AE99209D-4320FFE9\n"
                                             "CPUID 80000003: 00005550-00000000-00000000-00000000\n"));
    const std::string vendor = "Zv\xE2\x82\xACt\xC3\xA9\xE2\x84\xA2\xC2\xAE\xC2\x81"
                               "CPU!";
    const std::string brand = "Zv\xE2\x82\xAC \xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D "
                              "\xE2\x84\xA2\xC2\xAE\xC3\xA9\xC3\xBF CPU";
    const ToolRun run = RunZvtinfo(L"--json --replay " + dump);
    ASSERT_EQ(run.exitCode, 0u) << run.out;
    const Json i = Json::parse(run.out)["information"];
    EXPECT_EQ(i["vendor"], vendor);
    EXPECT_EQ(i["modelName"], brand);
    EXPECT_EQ(i["vendorHex"], "5a768074e999ae8143505521");
    EXPECT_EQ(i["modelNameHex"], "5a768020818d8f909d2099aee9ff20435055");
    ASSERT_EQ(RunZvtinfo(L"--replay " + dump + L" --report " + Quoted(report) + L" --mode utf8").exitCode,
              0u);
    EXPECT_EQ(FileText(report).substr(0, vendor.size() + brand.size() + 4), vendor + "\r\n" + brand + "\r\n");
    ASSERT_EQ(RunZvtinfo(L"--replay " + dump + L" --report " + Quoted(report) + L" --mode ansi").exitCode,
              0u);
    EXPECT_EQ(FileText(report).substr(0, 34), "Zv\x80t\xE9\x99\xAE\x81"
                                              "CPU!\r\nZv\x80 \x81\x8D\x8F\x90\x9D \x99\xAE\xE9\xFF CPU\r\n");
}

// The library writes a report; zvtinfo replays that file and writes the report again with the report
// code built into zvtinfo. Both must be the same bytes, in every encoding, with a frequency line or without.
TEST_F(Zvtinfo, ReplayedReportsEqualTheLibrarysByteForByte)
{
    const std::wstring libraryText = m_directory.Path(L"library.txt");
    const std::wstring replayText = m_directory.Path(L"replay.txt");
    for (const wchar_t* mode : {L"ansi", L"utf8", L"utf8-bom", L"utf16be", L"utf16le", L"0x102", L"0x103"})
    {
        for (const std::wstring measure : {L"", L" --measure 20"})
        {
            const std::wstring options = std::wstring(L" --mode ") + mode;
            ASSERT_EQ(RunZvtinfo(L"--report " + Quoted(libraryText) + options + measure).exitCode, 0u);
            ASSERT_EQ(
                RunZvtinfo(L"--replay " + Quoted(libraryText) + L" --report " + Quoted(replayText) + options)
                    .exitCode,
                0u);
            const std::string written = FileText(libraryText);
            EXPECT_GT(written.size(), 7000u);
            EXPECT_EQ(FileText(replayText), written) << "mode " << std::string(mode, mode + wcslen(mode));
        }
    }
    // Hexadecimal pairs cannot be read back: replay the UTF-8 report instead.
    const std::wstring libraryHex = m_directory.Path(L"library.hex");
    const std::wstring replayHex = m_directory.Path(L"replay.hex");
    ASSERT_EQ(RunZvtinfo(L"--report " + Quoted(libraryText) + L" --mode utf8").exitCode, 0u);
    ASSERT_EQ(RunZvtinfo(L"--report " + Quoted(libraryHex) + L" --mode hex").exitCode, 0u);
    ASSERT_EQ(
        RunZvtinfo(L"--replay " + Quoted(libraryText) + L" --report " + Quoted(replayHex) + L" --mode hex")
            .exitCode,
        0u);
    EXPECT_EQ(FileText(replayHex), FileText(libraryHex));
}

std::wstring Widen(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

// Independent bytes for zvtinfo's own report writing: tests/data/reports/modes.tsv.
TEST(ZvtinfoReplay, ReviewedReportInEveryMode)
{
    const std::wstring reports = Widen(ZVT_TEST_DATA "/reports/");
    const std::wstring measured = reports + L"qemu-Haswell-2394.5MHz.txt";
    const zvt::test::CTempDirectory directory;
    const std::wstring written = directory.Path(L"mode.txt");
    for (const zvt::test::TableRow& row : zvt::test::ReadTable(ZVT_TEST_DATA "/reports/modes.tsv"))
    {
        const std::string& mode = row.at("mode");
        const ToolRun run = RunZvtinfo(L"--replay " + Quoted(measured) + L" --report " + Quoted(written) +
                                       L" --mode " + Widen(mode));
        ASSERT_EQ(run.exitCode, 0u) << mode;
        const std::string expected = FileText(reports + Widen(row.at("file")));
        ASSERT_FALSE(expected.empty()) << row.at("file");
        EXPECT_EQ(FileText(written), expected) << "mode " << mode;
    }
}

} // namespace
