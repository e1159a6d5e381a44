// What zvtinfo shows of every leaf and sub-leaf of every logical processor: one smoke test per kind of
// machine, against the products' datasheets (the decoding itself is tested with its headers).
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

#include "support/ZvtinfoRun.h"

namespace zvt::test
{
namespace
{

using Json = nlohmann::json;

const std::string kAllProcessors = ZVT_TEST_DATA "/dumps/all-processors/";

// Core i5-13500: 6 performance cores with two threads each and 8 efficiency cores, 20 threads, one package.
TEST(WholeProcessor, AHybridShowsEachCoreTypeWithItsMicroarchitecture)
{
    const std::string dump = kAllProcessors + "13th-gen-intel-core-i5-13500.raw";
    const ToolRun text = RunZvtinfo("--replay " + dump);
    ASSERT_EQ(text.exitCode, 0) << text.err;
    for (const char* line :
         {"\nProcessors : 1 package, 14 cores, 20 logical processors (20 recorded)\n",
          "\nCore types : 6 performance cores (12 logical), 8 efficiency cores (8 logical)\n",
          "Golden Cove (", ") on 12 logical processors, Gracemont (", ") on 8 logical processors\n",
          "\nCache L2 unified : 1280 KiB, 10-way, 64-byte lines"})
    {
        EXPECT_NE(text.out.find(line), std::string::npos) << line << " in\n" << text.out;
    }
    const Json whole = Json::parse(RunZvtinfo("--json --replay " + dump).out)["wholeProcessor"];
    EXPECT_EQ(whole["processorsRecorded"], 20);
    EXPECT_EQ(whole["topology"]["performanceCores"], 6);
    EXPECT_EQ(whole["topology"]["efficiencyLogical"], 8);
    EXPECT_EQ(whole["microarchitectures"].size(), 2u);
    EXPECT_TRUE(whole["system"].is_null()) << "a replay has no system count";
}

// Xeon 7140M, two sockets: two dual-core packages with Hyper-Threading, 8 logical processors.
TEST(WholeProcessor, TwoSocketsCountTwoPackages)
{
    const ToolRun text = RunZvtinfo("--replay " + kAllProcessors + "intel-xeon-7140m-dual.raw");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("\nProcessors : 2 packages, 4 cores, 8 logical processors (8 recorded)\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("\nMicroarchitecture : NetBurst ("), std::string::npos) << text.out;
}

// Live: every processor the system has is dumped, and the system's own count stands beside the leaves'.
TEST(WholeProcessor, LiveShowsTheSystemsCount)
{
    const Json whole = Json::parse(RunZvtinfo("--json").out)["wholeProcessor"];
    ASSERT_FALSE(whole.is_null());
    EXPECT_GE(whole["processorsRecorded"].get<int>(), 1);
    EXPECT_EQ(whole["system"]["logical"], whole["processorsRecorded"]);
    EXPECT_FALSE(whole["flags"].empty());
}

} // namespace
} // namespace zvt::test
