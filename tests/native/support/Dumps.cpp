#include "Dumps.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace zvt::test
{

namespace
{
const std::filesystem::path kDumpDirectory = std::filesystem::path(ZVT_TEST_DATA) / "cpuid";
}

CRecordedCpuid LoadDump(const std::string& name)
{
    std::ifstream file(kDumpDirectory / (name + ".txt"), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    CRecordedCpuid cpuid;
    DumpError error;
    EXPECT_TRUE(file.good()) << name;
    EXPECT_TRUE(ParseCpuidDump(text.str(), cpuid, error))
        << name << ":" << error.line << ": " << error.message;
    return cpuid;
}

std::vector<std::string> DumpNames()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kDumpDirectory))
    {
        if (entry.path().extension() == ".txt")
        {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::vector<ZVT_CPUID_ENTRY>> ReadMachine(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<CRecordedCpuid> processors;
    DumpError error;
    EXPECT_TRUE(ParseCpuidDumpProcessors(text.str(), processors, error)) << file << ":" << error.line;
    std::vector<std::vector<ZVT_CPUID_ENTRY>> machine;
    for (const CRecordedCpuid& cpuid : processors)
    {
        machine.push_back(cpuid.EntryRecords());
    }
    return machine;
}

} // namespace zvt::test
