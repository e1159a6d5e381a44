// What zvtinfo shows of the feature header's decoding: the enabled level from an XCR0 given with --xcr0, and
// caches whose ways the processor does not state.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "support/ZvtinfoRun.h"

namespace zvt::test
{
namespace
{

using Json = nlohmann::json;

const std::string kSapphireRapids = ZVT_TEST_DATA "/cpuid/host-sapphirerapids.txt"; // v4 by its flags

bool Shows(const std::string& out, const std::string& line)
{
    return out.find("\n" + line + "\n") != std::string::npos;
}

TEST(FeatureZvtinfo, AGivenXcr0SetsTheEnabledLevelOfAReplay)
{
    const struct
    {
        const char* given;
        std::uint64_t xcr0;
        const char* level;
    } cases[] = {{"0xE7", 0xE7u, "v4"}, {"0xa7", 0xA7u, "v3"},
                 {"0XC7", 0xC7u, "v3"}, {"231", 0xE7u, "v4"},
                 {"0xE3", 0xE3u, "v2"}, {"0xFFFFFFFFFFFFFFFF", ~std::uint64_t{0}, "v4"}};
    for (const auto& c : cases)
    {
        const ToolRun json = RunZvtinfo("--json --replay " + kSapphireRapids + " --xcr0 " + c.given);
        ASSERT_EQ(json.exitCode, 0) << c.given << ": " << json.err;
        const Json decoded = Json::parse(json.out)["decoded"];
        EXPECT_EQ(decoded["level"], "v4") << c.given;
        EXPECT_EQ(decoded["xcr0"], c.xcr0) << c.given;
        EXPECT_EQ(decoded["enabledLevel"], c.level) << c.given;

        const ToolRun text = RunZvtinfo("--replay " + kSapphireRapids + " --xcr0 " + c.given);
        char hex[24];
        std::snprintf(hex, sizeof hex, "0x%llx", static_cast<unsigned long long>(c.xcr0));
        const std::string line = std::string("x86-64 level enabled : ") + c.level + " (XCR0 " + hex + ")";
        EXPECT_TRUE(Shows(text.out, line)) << line << " in\n" << text.out;
    }
}

TEST(FeatureZvtinfo, AGivenXcr0ReplacesThisMachinesReading)
{
    const ToolRun run = RunZvtinfo("--json --xcr0 3"); // x87 and SSE state only: no AVX registers
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json decoded = Json::parse(run.out)["decoded"];
    EXPECT_EQ(decoded["xcr0"], 3u);
    const std::string supported = decoded["level"];
    const bool avx = supported == "v3" || supported == "v4";
    EXPECT_EQ(decoded["enabledLevel"], avx ? "v2" : supported);
}

TEST(FeatureZvtinfo, AnXcr0ThatIsNotA64BitNumberIsAUsageError)
{
    for (const char* bad : {"0x", "-1", "+7", "0x-1", "0x1g", "12a", "7.0", "0x10000000000000000",
                            "18446744073709551616", "''"})
    {
        const ToolRun run = RunZvtinfo(std::string("--replay ") + kSapphireRapids + " --xcr0 " + bad);
        EXPECT_EQ(run.exitCode, 2) << bad;
        EXPECT_TRUE(run.out.empty()) << bad << ": " << run.out;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

// Made-up processors whose caches state no ways: an L1 ways field of 0, and the 0x80000006 codes 7 and 9
// that give no number (AMD: 9 points to leaf 0x8000001D; Intel: 7 points to leaf 4). Each cache line must
// leave the ways out, never print "0-way".
TEST(FeatureZvtinfo, CachesWithoutStatedWaysShowNoWays)
{
    const struct
    {
        const char* name;
        const char* vendor; // leaf 0 EBX-ECX-EDX
        const char* l1;     // 0x80000005
        const char* l2;     // 0x80000006
        std::vector<std::string> lines;
    } cases[] = {
        {"amd",
         "68747541-444D4163-69746E65",
         "00000000-00000000-20000140-40000140",
         "00000000-00000000-02009140-00207140",
         {"L1 data cache : 32 KiB, 64-byte lines", "L1 instruction cache : 64 KiB, 64-byte lines",
          "L2 cache : 512 KiB, 64-byte lines", "L3 cache : 4 MiB, 64-byte lines"}},
        {"hygon",
         "6F677948-656E6975-6E65476E",
         "00000000-00000000-20020140-40000140",
         "00000000-00000000-04007140-00409140",
         {"L1 data cache : 32 KiB, 2-way, 64-byte lines", "L1 instruction cache : 64 KiB, 64-byte lines",
          "L2 cache : 1 MiB, 64-byte lines", "L3 cache : 8 MiB, 64-byte lines"}},
        {"intel",
         "756E6547-6C65746E-49656E69",
         "00000000-00000000-00000000-00000000",
         "00000000-00000000-08007040-00000000",
         {"L2 cache : 2 MiB, 64-byte lines"}},
    };
    for (const auto& c : cases)
    {
        const std::string path = TempPath(std::string(c.name) + ".txt");
        std::ofstream(path) << "CPUID 00000000: 00000001-" << c.vendor << "\n"
                            << "CPUID 80000000: 80000006-00000000-00000000-00000000\n"
                            << "CPUID 80000005: " << c.l1 << "\nCPUID 80000006: " << c.l2 << "\n";
        const ToolRun run = RunZvtinfo("--replay " + path);
        ASSERT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.out.find(" 0-way"), std::string::npos) << c.name << ":\n" << run.out;
        for (const std::string& line : c.lines)
        {
            EXPECT_TRUE(Shows(run.out, line)) << c.name << ": " << line << " in\n" << run.out;
        }
    }
}

} // namespace
} // namespace zvt::test
