// Test helpers: recorded processors from tests/data/cpuid, and small synthetic ones.
#pragma once

#include <string>
#include <vector>

#include "DumpReader.h"

namespace zvt::test
{

// The dump tests/data/cpuid/<name>.txt as a recorded processor; fails the test when it does not parse.
CRecordedCpuid LoadDump(const std::string& name);
// Every dump's name (without .txt).
std::vector<std::string> DumpNames();

} // namespace zvt::test
