// Test helpers: recorded processors from tests/data/cpuid, and small synthetic ones.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "DumpReader.h"

namespace zvt::test
{

// The dump tests/data/cpuid/<name>.txt as a recorded processor; fails the test when it does not parse.
CRecordedCpuid LoadDump(const std::string& name);
// Every dump's name (without .txt).
std::vector<std::string> DumpNames();
// The entries of every "CPU n:" block of a dump file; fails the test when it does not parse.
std::vector<std::vector<ZVT_CPUID_ENTRY>> ReadMachine(const std::filesystem::path& file);

} // namespace zvt::test
