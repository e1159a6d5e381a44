// The identity report's text: recorded processors against reviewed files in tests/data/reports, and the
// layout rules on small synthetic records. ZVT_UPDATE_REPORTS=1 rewrites the files (review the diff).
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "CpuidTables.h"
#include "ReportText.h"
#include "support/Dumps.h"

namespace
{

const std::filesystem::path kReportDirectory = std::filesystem::path(ZVT_TEST_DATA) / "reports";

ZVT_CPU_IDENTITY RecordedIdentity(const std::string& dump, float frequencyMhz = 0.0f)
{
    ZVT_CPU_IDENTITY identity{};
    identity.size = ZVT_IDENTITY_SIZE;
    EXPECT_EQ(zvt::FillIdentity(zvt::test::LoadDump(dump), identity), 0) << dump;
    identity.frequency = frequencyMhz;
    return identity;
}

std::string Report(const ZVT_CPU_IDENTITY& identity)
{
    std::string buffer(zvt::kReportCapacity, '\x7f');
    const std::size_t length = zvt::BuildReport(identity, buffer.data(), buffer.size());
    EXPECT_EQ(buffer[length], '\0');
    EXPECT_EQ(std::strlen(buffer.c_str()), length);
    return buffer.substr(0, length);
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void ExpectReportFile(const std::string& expectedName, const std::string& report)
{
    const auto path = kReportDirectory / (expectedName + ".txt");
    if (std::getenv("ZVT_UPDATE_REPORTS") != nullptr)
    {
        std::ofstream(path, std::ios::binary) << report;
    }
    EXPECT_EQ(report, ReadFile(path)) << expectedName;
}

// The line of a report by 0-based number; lines end at "\r\n".
std::string Line(const std::string& report, int number)
{
    std::size_t start = 0;
    for (int i = 0; i < number; ++i)
    {
        start = report.find("\r\n", start) + 2;
    }
    return report.substr(start, report.find("\r\n", start) - start);
}

} // namespace

TEST(ReportText, RecordedProcessorsMatchTheirReviewedReports)
{
    // No extended leaves and no brand string (name from the model table); a brand string on AMD with the
    // signature from extended leaf 1; a full modern table; an old AMD part.
    for (const char* dump : {"qemu32-pentium3", "qemu-EPYC-Rome", "host-sapphirerapids", "qemu32-athlon"})
    {
        ExpectReportFile(dump, Report(RecordedIdentity(dump)));
    }
    ExpectReportFile("qemu-Haswell-2394.5MHz", Report(RecordedIdentity("qemu-Haswell", 2394.5f)));
}

TEST(ReportText, EveryRecordedProcessorHasTheFixedShape)
{
    for (const std::string& dump : zvt::test::DumpNames())
    {
        const std::string report = Report(RecordedIdentity(dump));
        // Head of at most 168 characters, two tables of 49 + 64 * 57 characters, no frequency line.
        const std::size_t tables = report.find("Fn ");
        ASSERT_NE(tables, std::string::npos) << dump;
        EXPECT_LE(tables, 168u) << dump;
        EXPECT_EQ(report.size() - tables, 2u * (49 + 64 * 57)) << dump;
        EXPECT_EQ(report.substr(tables - 4, 4), "\r\n\r\n") << dump;
        EXPECT_EQ(report.substr(report.size() - 2), "\r\n") << dump;
    }
}

TEST(ReportText, TablesHaveAllRowsWhateverWasRead)
{
    ZVT_CPU_IDENTITY identity{};
    identity.basic[0] = {0xD, 0x756E6547, 0x6C65746E, 0x49656E69}; // "GenuineIntel", highest leaf 0xD
    identity.basic[13] = {0x11111111, 0x2222AAAA, 0x3333bbbb, 0x4444CCCC};
    identity.extended[0] = {0x80000008, 0, 0, 0};
    const std::string report = Report(identity);

    EXPECT_EQ(Line(report, 0), "GenuineIntel");
    EXPECT_EQ(Line(report, 4), "Fn         EAX        EBX        ECX        EDX");
    EXPECT_EQ(Line(report, 5), "0x00000000 0x0000000d 0x756e6547 0x6c65746e 0x49656e69 ");
    EXPECT_EQ(Line(report, 5 + 13), "0x0000000d 0x11111111 0x2222aaaa 0x3333bbbb 0x4444cccc ");
    EXPECT_EQ(Line(report, 5 + 14), "0x0000000e 0x00000000 0x00000000 0x00000000 0x00000000 ");
    EXPECT_EQ(Line(report, 68), "0x0000003f 0x00000000 0x00000000 0x00000000 0x00000000 ");
    EXPECT_EQ(Line(report, 69), "Fn         EAX        EBX        ECX        EDX"); // no blank line between
    EXPECT_EQ(Line(report, 70), "0x80000000 0x80000008 0x00000000 0x00000000 0x00000000 ");
    EXPECT_EQ(Line(report, 133), "0x8000003f 0x00000000 0x00000000 0x00000000 0x00000000 ");
    EXPECT_EQ(report.find("Frequency"), std::string::npos);
}

TEST(ReportText, HeadFromSignatureAndModelTable)
{
    ZVT_CPU_IDENTITY identity{};
    identity.basic[0] = {1, 0x756E6547, 0x6C65746E, 0x49656E69};
    identity.basic[1] = {0x00000683, 0, 0, 0}; // family 6 model 8 stepping 3, no brand string
    const std::string report = Report(identity);
    EXPECT_EQ(Line(report, 1), "Intel Pentium III/Celeron/Xeon");
    EXPECT_EQ(Line(report, 2),
              "Family:6 Base family:6 Extended family:0 Model:8 Base model:8 Extended model:0 Stepping:3");
    EXPECT_EQ(Line(report, 3), "");
}

TEST(ReportText, FrequencyLineOnlyWithAnIntegerPart)
{
    ZVT_CPU_IDENTITY identity{};
    const std::string plain = Report(identity);

    identity.frequency = 2394.5f;
    EXPECT_EQ(Report(identity), plain + "\nFrequency : 2390MHz");
    identity.frequency = 1.0f;
    EXPECT_EQ(Report(identity), plain + "\nFrequency : 1MHz");
    identity.frequency = 999999.0f;
    EXPECT_EQ(Report(identity), plain + "\nFrequency : 1000000MHz");

    for (const float none : {0.0f, 0.99f, -3.0f, 3.0e9f, std::numeric_limits<float>::quiet_NaN()})
    {
        identity.frequency = none;
        EXPECT_EQ(Report(identity), plain) << none;
    }
}

TEST(ReportText, LongestReportFits)
{
    ZVT_CPU_IDENTITY identity{};
    identity.basic[0] = {0xFFFFFFFF, 0x756E6547, 0x6C65746E, 0x49656E69};
    identity.basic[1] = {0xFFFFFFFF, 0, 0, 0}; // every signature field at its widest
    identity.extended[0] = {0x80000004, 0, 0, 0};
    for (int leaf = 2; leaf <= 4; ++leaf)
    {
        identity.extended[leaf] = {0x58585858, 0x58585858, 0x58585858, 0x58585858}; // 48 x 'X'
    }
    identity.frequency = 999999.0f;
    const std::string report = Report(identity);
    EXPECT_LE(report.size(), 7588u);
    EXPECT_LT(report.size(), zvt::kReportCapacity);
}

TEST(ReportText, ExactFitHoldsTheReportAndOneByteLessNothing)
{
    const ZVT_CPU_IDENTITY identity = RecordedIdentity("qemu-Haswell", 2394.5f);
    const std::size_t length = Report(identity).size();
    // The capacity ends before the array does: whatever lands beyond it is seen, sanitizer or not.
    std::vector<char> buffer(length + 2, 'x');
    EXPECT_EQ(zvt::BuildReport(identity, buffer.data(), length + 1), length);
    EXPECT_EQ(buffer[length], '\0');
    EXPECT_EQ(buffer[length + 1], 'x');

    std::fill(buffer.begin(), buffer.end(), 'x');
    EXPECT_EQ(zvt::BuildReport(identity, buffer.data(), length), 0u);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[length], 'x');
}

TEST(ReportText, TooSmallABufferGivesNothing)
{
    const ZVT_CPU_IDENTITY identity{};
    char small[100];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(zvt::BuildReport(identity, small, sizeof small), 0u);
    EXPECT_EQ(small[0], '\0');
    EXPECT_EQ(zvt::BuildReport(identity, nullptr, 100), 0u);
}
